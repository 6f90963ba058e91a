#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cmdlang/text.h"

namespace varda::cmdlang {

struct Interp;

/// Token codes shared by the lexer and the grammar. Single characters stand
/// for themselves. ORDER TOKEN: grammar.y declares the same numbers.
enum class Tok : int {
  If = 257,
  When = 258,
  While = 259,
  For = 260,
  Else = 261,
  Proc = 262,
  Include = 264,
  Directory = 265,
  Line = 266,      // "#line"
  AssignOp = 267,  // value: the operator's code
  Eof = 268,       // end of the current text
  Number = 269,
  Arg = 270,      // "$" and a number
  AllArgs = 271,  // "$*"
  NArgs = 272,    // "$#"
  Subst = 273,    // "$("
  String = 274,
  Name = 275,
  ProcName = 276,
  Command = 277,
  Arrow = 278,  // "=>"
  OrOr = 279,
  AndAnd = 280,
  BitOr = 281,
  BitXor = 282,
  BitAnd = 283,
  Eq = 284,
  Ne = 285,
  Gt = 286,
  Lt = 287,
  Ge = 288,
  Le = 289,
  Shr = 290,
  Shl = 291,
  Inc = 293,
  Dec = 294,
};

/// One source the lexer reads: a text handed to parseandexecute, an include
/// file (owned), or a line from the host's input source (owned).
struct Source {
  std::string owned;      // the bytes when the lexer owns them
  std::string_view text;  // what is read (points into `owned` or the caller's text)
  std::size_t pos = 0;    // read position in `text`
  Text file;              // file name; empty for a text
  int line = 1;
  bool pendingNewline = false;  // a line feed token was returned; the line counts on the next read
  bool atEnd = false;           // the end of the text was delivered as the character 0
};

/// The lexer's state: the current source and the include stack, push-back,
/// the command-argument mode, and the token texts not yet taken by the grammar.
struct Lexer {
  static constexpr int kMaxUngets = 20;
  /// Include files open inside one another at most. The language sets no
  /// limit; without one a script that includes itself (or two that include
  /// each other) would stack copies of itself until memory runs out.
  static constexpr std::size_t kMaxIncludeDepth = 64;

  Source cur;                    // the current source
  std::vector<Source> includes;  // saved sources, last pushed on top
  char ungets[kMaxUngets] = {};  // pushed-back characters, last pushed on top
  int ungetCount = 0;
  bool argMode = false;         // command-argument mode
  std::vector<bool> modeStack;  // modes saved by "(" and restored by ")"
  bool repeat = false;          // deliver the previous token again
  int lastToken = 0;            // the previous token and its value (for `repeat`)
  std::int32_t lastValue = 0;
  std::vector<Text> pending;  // token texts handed out, not yet taken over
  int pendingLive = 0;        // how many of `pending` are still untaken
  std::string buf;            // the token being read (reused: no allocation per character)
};

/// Points the lexer at `text` (owned by the caller) for a new parse: include
/// and mode stacks emptied, file name cleared, line 1, push-back, repeat and
/// end-of-text flags cleared.
void resetLexer(Interp& in, std::string_view text);

/// The next token; its value (a number, an operator code, or the index of a
/// pending text) goes to `value`.
int nextToken(Interp& in, std::int32_t* value);

/// Pushes a character back; more than Lexer::kMaxUngets raise error 4.
void ungetChar(Interp& in, int c);

/// Takes over the text of a token (STRING, NAME, PROCNAME, COMMAND).
Text takeText(Interp& in, std::int32_t index);

/// Drops the texts of tokens that the grammar did not take.
void dropPendingTexts(Interp& in);

/// Ends command-argument mode (the grammar ends it after a procedure or member name).
void endArgMode(Interp& in);
/// Starts command-argument mode (the grammar starts it before a directive's text).
void startArgMode(Interp& in);

/// `include name`: opens the file (as named, else through the search path),
/// reads it whole with a line feed appended, and makes it the current source.
/// An include nested deeper than Lexer::kMaxIncludeDepth raises error 22.
void includeFile(Interp& in, const Text& name);

/// `#line`: the line number becomes n - 1 (the line feed ending the directive
/// brings it to n); a non-empty `file` becomes the file name.
void setLine(Interp& in, std::int32_t n, const Text* file);

/// Whether the current source is the outermost one (no include pending).
bool atOutermostSource(const Interp& in);

/// The current line number and file name (for cells and messages).
int currentLine(const Interp& in);
const Text& currentFile(const Interp& in);

/// The error context of a syntax error: the message and a line feed (when
/// given), the current line, blanks up to the read position's column and "^".
std::string syntaxContext(const Interp& in, const char* message);

/// Raises a syntax error with that context.
[[noreturn]] void syntaxError(Interp& in, const char* message);

}  // namespace varda::cmdlang
