/* The command language's grammar. As it reduces, it appends cells to the
   current compilation target (compiler.h) and carries out the directives
   #line, include and directory at once.

   A phrase's value is the index of the first cell it emitted; a phrase that
   emitted nothing has the index the next cell will get. A token's value is a
   number, an operator code, or the index of a text the lexer hands out
   (lexer.h: takeText). */

%code requires {
#include <cstdint>
namespace varda::cmdlang {
struct Interp;
}
}

%code top {
#include <cstddef>
#include <cstring>
#include <vector>

#include "cmdlang/compiler.h"
#include "cmdlang/interp.h"
#include "cmdlang/lexer.h"
}

%code {
namespace {

using varda::cmdlang::Ctl;
using varda::cmdlang::Interp;
using varda::cmdlang::Op;
using varda::cmdlang::Text;

int yylex(YYSTYPE* value, Interp& in) { return varda::cmdlang::nextToken(in, value); }

// The parser's own messages ("syntax error", "memory exhausted") are not
// shown: the report is the lexer's context of the current line.
void yyerror(Interp& in, const char* /*message*/) { varda::cmdlang::syntaxError(in, nullptr); }

Text take(Interp& in, std::int32_t index) { return varda::cmdlang::takeText(in, index); }

/// Delivers the token just read once more (NL, ELSE and "}" ending a statement
/// also close the construct around it).
void again(Interp& in) { in.lexer->repeat = true; }

/// The parser stacks past YYINITDEPTH entries live in the compiler and stay
/// allocated for the next parse. They double up to YYMAXDEPTH entries; a
/// stack that would pass that is a syntax error.
template <class T>
void regrow(std::vector<unsigned char>& store, T** stack, std::ptrdiff_t usedBytes, std::ptrdiff_t entries) {
  std::vector<unsigned char> fresh(static_cast<std::size_t>(entries) * sizeof(T));
  std::memcpy(fresh.data(), *stack, static_cast<std::size_t>(usedBytes));
  store.swap(fresh);
  *stack = reinterpret_cast<T*>(store.data());
}

}  // namespace

#define YYINITDEPTH 200
#define YYMAXDEPTH 10000
#define yyoverflow(message, states, stateBytes, values, valueBytes, size)                   \
  do {                                                                                      \
    if (*(size) >= YYMAXDEPTH) yyerror(in, message);                                        \
    *(size) = *(size) * 2 > YYMAXDEPTH ? YYMAXDEPTH : *(size) * 2;                          \
    regrow(in.compiler->stateStore, states, stateBytes, *(size));                           \
    regrow(in.compiler->valueStore, values, valueBytes, *(size));                           \
  } while (0)
}

%define api.pure full
%define api.value.type {std::int32_t}
/* Generated names get a prefix, so that EOF (a C macro) can keep its name here. */
%define api.token.prefix {TOK_}
%parse-param {varda::cmdlang::Interp& in}
%lex-param {varda::cmdlang::Interp& in}

/* ORDER TOKEN: the numbers of lexer.h's Tok. */
%token IF 257 WHEN 258 WHILE 259 FOR 260 ELSE 261 PROC 262
%token INCLUDE 264 DIRECTORY 265 LINE 266 ASSIGNOP 267 EOF 268
%token NUMBER 269 ARG 270 ALLARGS 271 NARGS 272 SUBST 273
%token STRING 274 NAME 275 PROCNAME 276 COMMAND 277 ARROW 278
%token OROR 279 ANDAND 280 BITOR 281 BITXOR 282 BITAND 283
%token EQ 284 NE 285 GT 286 LT 287 GE 288 LE 289 SHR 290 SHL 291
%token INC 293 DEC 294

/* From lowest to highest. Postfix "++" and "--" bind tighter than the prefix
   operators, so '-x++' is '-(x++)'. */
%right '=' ASSIGNOP
%left OROR
%left ANDAND
%left BITOR
%left BITXOR
%left BITAND
%left EQ NE
%left LT GT LE GE
%left SHL SHR
%left '+' '-'
%left '*' '/' '%'
%precedence UNARY
%precedence INC DEC

/* One shift/reduce conflict, the dangling else: after 'if (a) if (b) x' an
   ELSE is shifted, so it belongs to the innermost if. */
%expect 1

%%

/* ---- top level ---- */

program:
    %empty {}
  | program terminator {
      // The end of the outermost text ends the parse; the end of an include
      // file goes on with the text that included it.
      if ($2 == 1 && varda::cmdlang::atOutermostSource(in)) YYACCEPT;
    }
  | program procdef {}
  | program statement { varda::cmdlang::emitStmt(in); }
  /* A directive ending the outermost text ends the parse as a plain
     terminator does. */
  | program LINE NUMBER argmode terminator {
      varda::cmdlang::setLine(in, $3, nullptr);
      if ($5 == 1 && varda::cmdlang::atOutermostSource(in)) YYACCEPT;
    }
  | program LINE NUMBER argmode text terminator {
      Text file = take(in, $5);
      varda::cmdlang::setLine(in, $3, &file);
      if ($6 == 1 && varda::cmdlang::atOutermostSource(in)) YYACCEPT;
    }
  | program INCLUDE argmode text terminator { varda::cmdlang::includeFile(in, take(in, $4)); }
  | program DIRECTORY argmode text { varda::cmdlang::addDirectory(in, take(in, $4)); }
  ;

/* The text after #line, include and directory is read in command-argument
   mode. For #line the mode starts right after the number (one empty rule
   shared by the forms with and without a file name), so a bare file name
   reads as a word too. */
argmode:
    %empty { varda::cmdlang::startArgMode(in); }
  ;

/* Value 1 for the end of a text. */
terminator:
    ';' { $$ = 0; }
  | '\n' { $$ = 0; }
  | EOF { $$ = 1; }
  ;

text:
    STRING
  ;

/* ---- statements ---- */

body:
    statement
  | terminator { $$ = varda::cmdlang::nextCell(in); }
  ;

statement:
    label
  | expr stmtend { $$ = $1; }
  | block
  | ifpart
  | ifpart ELSE body mark {
      varda::cmdlang::patch(in, $1, 3, $3);
      varda::cmdlang::patch(in, $1, 4, $4);
      $$ = $1;
    }
  | forhead '(' optexpr ';' cond ';' optexpr mark ')' body mark {
      varda::cmdlang::patch(in, $1, 1, $3);
      varda::cmdlang::patch(in, $1, 2, $5);
      varda::cmdlang::patch(in, $1, 3, $7);
      varda::cmdlang::patch(in, $1, 4, $10);
      varda::cmdlang::patch(in, $1, 5, $11);
      $$ = $1;
    }
  | whilehead '(' cond ')' body mark {
      varda::cmdlang::patch(in, $1, 1, $3);
      varda::cmdlang::patch(in, $1, 2, $5);
      varda::cmdlang::patch(in, $1, 3, $6);
      $$ = $1;
    }
  ;

stmtend:
    ';' {}
  | '\n' { again(in); }
  | ELSE { again(in); }
  | '}' { again(in); }
  ;

block:
    '{' statements '}' { $$ = $2; }
  | '{' '}' { $$ = varda::cmdlang::nextCell(in); }
  ;

statements:
    body
  | statements body { $$ = $1; }
  ;

/* Slot 3 (the else body) stays an end cell: no else. */
ifpart:
    ifhead '(' cond ')' body mark {
      varda::cmdlang::patch(in, $1, 1, $3);
      varda::cmdlang::patch(in, $1, 2, $5);
      varda::cmdlang::patch(in, $1, 4, $6);
      $$ = $1;
    }
  ;

ifhead: IF { $$ = varda::cmdlang::emitCtl(in, Ctl::If, 4); } ;
whilehead: WHILE { $$ = varda::cmdlang::emitCtl(in, Ctl::While, 3); } ;
forhead: FOR { $$ = varda::cmdlang::emitCtl(in, Ctl::For, 5); } ;
whenhead: WHEN { $$ = varda::cmdlang::emitCtl(in, Ctl::When, 4); } ;

cond:
    expr { varda::cmdlang::emitMark(in); $$ = $1; }
  ;

optexpr:
    %empty { $$ = varda::cmdlang::emitMark(in); }
  | expr { varda::cmdlang::emitMark(in); $$ = $1; }
  ;

mark:
    %empty { $$ = varda::cmdlang::emitMark(in); }
  ;

label:
    membername ':' {
      $$ = varda::cmdlang::emitPushText(in, take(in, $1));
      varda::cmdlang::emitOp(in, Op::Label);
    }
  ;

/* ---- procedures ---- */

procdef:
    PROC procname { varda::cmdlang::startProcedure(in, take(in, $2)); } params block {
      varda::cmdlang::endProcedure(in, false);
    }
  | PROC COMMAND {
      varda::cmdlang::endArgMode(in);
      varda::cmdlang::startProcedure(in, take(in, $2));
    } params block {
      varda::cmdlang::endProcedure(in, true);
    }
  ;

/* A procedure's own name (when it is redefined) ends command-argument mode,
   as a member name does, so its parameters read as names. */
procname:
    NAME
  | PROCNAME { varda::cmdlang::endArgMode(in); }
  ;

membername:
    NAME
  | PROCNAME { varda::cmdlang::endArgMode(in); }
  | COMMAND { varda::cmdlang::endArgMode(in); }
  ;

params:
    %empty { $$ = varda::cmdlang::nextCell(in); }
  | params terminator { $$ = $1; }
  | params param { varda::cmdlang::emitOp(in, Op::Declare); $$ = $1; }
  | params param '=' expr { varda::cmdlang::emitOp(in, Op::Assign); $$ = $1; }
  ;

param:
    NAME { $$ = varda::cmdlang::emitCtlText(in, Ctl::MakeLocal, take(in, $1)); }
  | param '[' expr ']' { varda::cmdlang::emitOp(in, Op::Subscript); $$ = $1; }
  | param '[' ']' { varda::cmdlang::emitOp(in, Op::DeclareEmptyArray); $$ = $1; }
  | param '.' membername { varda::cmdlang::emitCtlText(in, Ctl::Member, take(in, $3)); $$ = $1; }
  ;

/* ---- expressions ---- */

expr:
    literal
  | argref
  | var
  | call
  | whenexpr
  | '(' expr ')' { $$ = $2; }
  | expr '=' expr { varda::cmdlang::emitOp(in, Op::Assign); $$ = $1; }
  | expr ASSIGNOP expr {
      varda::cmdlang::emitPushInt(in, $2);
      varda::cmdlang::emitOp(in, Op::CompoundAssign);
      $$ = $1;
    }
  | expr '+' expr { varda::cmdlang::emitOp(in, Op::Add); $$ = $1; }
  | expr '-' expr { varda::cmdlang::emitOp(in, Op::Sub); $$ = $1; }
  | expr '*' expr { varda::cmdlang::emitOp(in, Op::Mul); $$ = $1; }
  | expr '/' expr { varda::cmdlang::emitOp(in, Op::Div); $$ = $1; }
  | expr '%' expr { varda::cmdlang::emitOp(in, Op::Mod); $$ = $1; }
  | expr EQ expr { varda::cmdlang::emitOp(in, Op::Eq); $$ = $1; }
  | expr NE expr { varda::cmdlang::emitOp(in, Op::Ne); $$ = $1; }
  | expr GT expr { varda::cmdlang::emitOp(in, Op::Gt); $$ = $1; }
  | expr LT expr { varda::cmdlang::emitOp(in, Op::Lt); $$ = $1; }
  | expr GE expr { varda::cmdlang::emitOp(in, Op::Ge); $$ = $1; }
  | expr LE expr { varda::cmdlang::emitOp(in, Op::Le); $$ = $1; }
  | expr BITAND expr { varda::cmdlang::emitOp(in, Op::BitAnd); $$ = $1; }
  | expr BITOR expr { varda::cmdlang::emitOp(in, Op::BitOr); $$ = $1; }
  | expr BITXOR expr { varda::cmdlang::emitOp(in, Op::BitXor); $$ = $1; }
  | expr SHL expr { varda::cmdlang::emitOp(in, Op::Shl); $$ = $1; }
  | expr SHR expr { varda::cmdlang::emitOp(in, Op::Shr); $$ = $1; }
  /* The short-circuit cell follows the left operand and learns the index of
     its operator cell when that is emitted. */
  | expr ANDAND { $$ = varda::cmdlang::emitCtl(in, Ctl::ShortCircuit, 0); } expr {
      varda::cmdlang::emitMark(in);
      varda::cmdlang::setCellValue(in, $3, varda::cmdlang::emitOp(in, Op::AndAnd));
      $$ = $1;
    }
  | expr OROR { $$ = varda::cmdlang::emitCtl(in, Ctl::ShortCircuit, 0); } expr {
      varda::cmdlang::emitMark(in);
      varda::cmdlang::setCellValue(in, $3, varda::cmdlang::emitOp(in, Op::OrOr));
      $$ = $1;
    }
  | '-' expr %prec UNARY { varda::cmdlang::emitOp(in, Op::Negate); $$ = $2; }
  | '+' expr %prec UNARY { varda::cmdlang::emitOp(in, Op::Identity); $$ = $2; }
  | INC expr %prec UNARY { varda::cmdlang::emitOp(in, Op::PreInc); $$ = $2; }
  | DEC expr %prec UNARY { varda::cmdlang::emitOp(in, Op::PreDec); $$ = $2; }
  | '!' expr %prec UNARY { varda::cmdlang::emitOp(in, Op::Not); $$ = $2; }
  | '~' expr %prec UNARY { varda::cmdlang::emitOp(in, Op::Complement); $$ = $2; }
  | expr INC { varda::cmdlang::emitOp(in, Op::PostInc); $$ = $1; }
  | expr DEC { varda::cmdlang::emitOp(in, Op::PostDec); $$ = $1; }
  ;

literal:
    NUMBER { $$ = varda::cmdlang::emitPushInt(in, $1); }
  | STRING { $$ = varda::cmdlang::emitPushText(in, take(in, $1)); }
  | arrayctor
  ;

arrayctor:
    '[' newarray elements ']' { $$ = $2; }
  | '[' ']' { $$ = varda::cmdlang::emitOp(in, Op::NewArray); }
  ;

newarray:
    %empty { $$ = varda::cmdlang::emitOp(in, Op::NewArray); }
  ;

elements:
    element { varda::cmdlang::emitOp(in, Op::AddElement); }
  | elements ',' element { varda::cmdlang::emitOp(in, Op::AddElement); $$ = $1; }
  ;

/* Kind 1: a value under the next index; kind 2: a key and a value. */
element:
    expr { varda::cmdlang::emitPushInt(in, 1); $$ = $1; }
  | expr ARROW expr { varda::cmdlang::emitPushInt(in, 2); $$ = $1; }
  ;

argref:
    ARG {
      $$ = varda::cmdlang::emitPushInt(in, $1);
      varda::cmdlang::emitOp(in, Op::Argument);
    }
  | NARGS { $$ = varda::cmdlang::emitOp(in, Op::ArgumentCount); }
  | SUBST '(' expr ')' { varda::cmdlang::emitOp(in, Op::Argument); $$ = $3; }
  ;

var:
    NAME { $$ = varda::cmdlang::emitCtlText(in, Ctl::MakeVariable, take(in, $1)); }
  | var '[' expr ']' { varda::cmdlang::emitOp(in, Op::Subscript); $$ = $1; }
  | var '.' membername { varda::cmdlang::emitCtlText(in, Ctl::Member, take(in, $3)); $$ = $1; }
  ;

call:
    PROCNAME callargs {
      varda::cmdlang::emitPushText(in, take(in, $1));
      varda::cmdlang::emitOp(in, Op::CallProcedure);
      $$ = $2;
    }
  | COMMAND callargs {
      varda::cmdlang::emitPushText(in, take(in, $1));
      varda::cmdlang::emitOp(in, Op::CallCommand);
      $$ = $2;
    }
  ;

callargs:
    %empty { $$ = varda::cmdlang::emitOp(in, Op::CreateFrame); }
  | callargs STRING {
      varda::cmdlang::emitPushText(in, take(in, $2));
      varda::cmdlang::emitOp(in, Op::AddArgument);
    }
  | callargs NUMBER {
      varda::cmdlang::emitPushInt(in, $2);
      varda::cmdlang::emitOp(in, Op::AddArgument);
    }
  | callargs ARG {
      varda::cmdlang::emitPushInt(in, $2);
      varda::cmdlang::emitOp(in, Op::Argument);
      varda::cmdlang::emitOp(in, Op::AddArgument);
    }
  | callargs ALLARGS { varda::cmdlang::emitOp(in, Op::AddAllArguments); }
  | callargs NARGS {
      varda::cmdlang::emitOp(in, Op::ArgumentCount);
      varda::cmdlang::emitOp(in, Op::AddArgument);
    }
  | callargs SUBST '(' expr ')' {
      varda::cmdlang::emitOp(in, Op::Argument);
      varda::cmdlang::emitOp(in, Op::AddArgument);
    }
  | callargs '(' exprlist ')'
  ;

exprlist:
    %empty {}
  | expr { varda::cmdlang::emitOp(in, Op::AddArgument); }
  | exprlist ',' expr { varda::cmdlang::emitOp(in, Op::AddArgument); }
  ;

/* Slot 1 (the condition) stays an end cell when there is no expression. */
whenexpr:
    whenhead '(' cond ')' params mark block mark {
      varda::cmdlang::patch(in, $1, 1, $3);
      varda::cmdlang::patch(in, $1, 2, $5);
      varda::cmdlang::patch(in, $1, 3, $7);
      varda::cmdlang::patch(in, $1, 4, $8);
      $$ = $1;
    }
  | whenhead '(' ')' params mark block mark {
      varda::cmdlang::patch(in, $1, 2, $4);
      varda::cmdlang::patch(in, $1, 3, $6);
      varda::cmdlang::patch(in, $1, 4, $7);
      $$ = $1;
    }
  ;

%%

namespace varda::cmdlang {

static_assert(TOK_IF == static_cast<int>(Tok::If) && TOK_EOF == static_cast<int>(Tok::Eof) &&
                  TOK_COMMAND == kCommandToken && TOK_DEC == static_cast<int>(Tok::Dec),
              "ORDER TOKEN: grammar.y and lexer.h disagree");

void parseProgram(Interp& in, CodeObject& target) {
  Compiler& cc = *in.compiler;
  setTarget(in, &target);
  cc.saved = nullptr;
  cc.defining = false;
  cc.procedure.reset();
  if (yyparse(in) != 0) syntaxError(in, nullptr);
  dropPendingTexts(in);
  setTarget(in, nullptr);
}

}  // namespace varda::cmdlang
