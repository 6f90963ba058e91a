#include "cmdlang/lexer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "cmdlang/compiler.h"
#include "cmdlang/engine.h"
#include "cmdlang/interp.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/search_path.h"
#include "support/format.h"
#include "support/info.h"

namespace varda::cmdlang {
namespace {

int tok(Tok t) { return static_cast<int>(t); }

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isNameStart(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isNameChar(int c) { return isNameStart(c) || isDigit(c); }

/// Makes `s` read `line`, which it owns from now on.
void adoptText(Source& s, std::string bytes) {
  s.owned = std::move(bytes);
  s.text = s.owned;
  s.pos = 0;
}

/// One raw character: pushed-back characters first; at the end of the text a
/// 0 once, then the includer's text or the host's next line.
int rawChar(Interp& in) {
  Lexer& lx = *in.lexer;
  if (lx.ungetCount > 0) return static_cast<unsigned char>(lx.ungets[--lx.ungetCount]);
  for (;;) {
    Source& s = lx.cur;
    if (s.pos < s.text.size()) {
      const char c = s.text[s.pos++];
      // The language's texts end at their first NUL byte.
      if (c != 0) return static_cast<unsigned char>(c);
      s.pos = s.text.size();
    }
    if (!s.atEnd) {
      s.atEnd = true;
      return 0;
    }
    s.atEnd = false;
    if (!lx.includes.empty()) {
      lx.cur = std::move(lx.includes.back());
      lx.includes.pop_back();
      // A moved std::string may have moved its bytes (short texts live inside it).
      if (!lx.cur.owned.empty()) lx.cur.text = lx.cur.owned;
      continue;
    }
    std::string line;
    if (!in.source || !in.source(line)) in.raiseerror(kMoreInput);
    adoptText(s, std::move(line));
  }
}

/// One character for the tokenizer: backslash-newline skipped, "##" comments
/// skipped up to their line feed, and the line counted after a line feed token.
int getChar(Interp& in) {
  Lexer& lx = *in.lexer;
  int c;
  for (;;) {
    c = rawChar(in);
    if (c == '\\') {
      const int d = rawChar(in);
      if (d == '\n') {
        ++lx.cur.line;
        continue;
      }
      ungetChar(in, d);
    } else if (c == '#') {
      const int d = rawChar(in);
      if (d == '#') {
        do c = rawChar(in);
        while (c != '\n' && c != 0);
      } else {
        ungetChar(in, d);
      }
    }
    break;
  }
  if (lx.cur.pendingNewline) {
    lx.cur.pendingNewline = false;
    ++lx.cur.line;
  }
  return c;
}

int textToken(Interp& in, Tok t, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  *value = static_cast<std::int32_t>(lx.pending.size());
  lx.pending.emplace_back(lx.buf);
  ++lx.pendingLive;
  return tok(t);
}

void saveMode(Lexer& lx) {
  lx.modeStack.push_back(lx.argMode);
  lx.argMode = false;
}

void restoreMode(Lexer& lx) {
  if (lx.modeStack.empty()) {
    lx.argMode = false;
    return;
  }
  lx.argMode = lx.modeStack.back();
  lx.modeStack.pop_back();
}

/// A quoted text after its opening double quote, with escapes. It is read
/// through the tokenizer's reader like everything else: a backslash-newline
/// continues it, and "##" starts a comment even inside the quotes.
int quoted(Interp& in, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  lx.buf.clear();
  for (;;) {
    int c = getChar(in);
    if (c == '"') break;
    // A quoted text never spans sources: the end of the text counts as a
    // line feed inside the quotes.
    if (c == '\n' || c == 0) in.raiseerror(kMissingTerminator);
    if (c == '\\') {
      c = getChar(in);
      switch (c) {
        case 'a': c = 7; break;
        case 'b': c = 8; break;
        case 'f': c = 12; break;
        case 'n': c = 10; break;
        case 'r': c = 13; break;
        case 't': c = 9; break;
        case 'v': c = 11; break;
        default:
          // Any digit starts an octal number that takes the digits 0 to 7
          // (so "\8" is the byte 0, which ends the text, and then "8").
          if (isDigit(c)) {
            // Any number of digits; the value wraps, only its low byte counts.
            unsigned n = 0;
            while (c >= '0' && c <= '7') {
              n = n * 8 + static_cast<unsigned>(c - '0');
              c = getChar(in);
            }
            ungetChar(in, c);
            c = static_cast<int>(n & 0xff);
          }
          break;
      }
    }
    lx.buf.push_back(static_cast<char>(c));
  }
  return textToken(in, Tok::String, value);
}

/// The "$" forms, after the "$".
int dollar(Interp& in, std::int32_t* value, bool argMode) {
  Lexer& lx = *in.lexer;
  if (!in.compiler->defining) in.raiseerror(kNotInProcedure);
  int c = getChar(in);
  if (isDigit(c)) {
    std::uint32_t n = 0;
    while (isDigit(c)) {
      n = n * 10 + static_cast<std::uint32_t>(c - '0');
      c = getChar(in);
    }
    ungetChar(in, c);
    *value = static_cast<std::int32_t>(n);
    return tok(Tok::Arg);
  }
  switch (c) {
    case '*':
      if (!argMode) in.raiseerror(kExpectedInteger);
      return tok(Tok::AllArgs);
    case '#': return tok(Tok::NArgs);
    case '(': ungetChar(in, c); return tok(Tok::Subst);
    case '$':
      if (argMode) break;
      lx.buf.clear();
      lx.buf.push_back('$');
      return textToken(in, Tok::Name, value);
    default: break;
  }
  in.raiseerror(kBadArgument);
}

/// A number starting with digit `c`: its extent by the prefix and the digits
/// of its base, its value by the number syntax (too large: -1).
int number(Interp& in, int c, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  lx.buf.clear();
  lx.buf.push_back(static_cast<char>(c));
  int base = 10;
  c = getChar(in);
  if (lx.buf[0] == '0') {
    if (c == 'x' || c == 'X' || c == 'm' || c == 'M' || c == 'b' || c == 'B') {
      base = (c == 'b' || c == 'B') ? 2 : 16;
      lx.buf.push_back(static_cast<char>(c));
      c = getChar(in);
    } else {
      base = 8;
    }
  }
  for (;;) {
    int d = 99;
    if (isDigit(c))
      d = c - '0';
    else if (c >= 'a' && c <= 'z')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'Z')
      d = c - 'A' + 10;
    if (d >= base) break;
    lx.buf.push_back(static_cast<char>(c));
    c = getChar(in);
  }
  ungetChar(in, c);
  *value = parsenumber(lx.buf, false).value_or(-1);
  return tok(Tok::Number);
}

/// A name: a procedure (command-argument mode begins), a keyword, a command
/// (command-argument mode begins) or a plain name, in this order.
int name(Interp& in, int c, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  lx.buf.clear();
  while (isNameChar(c)) {
    lx.buf.push_back(static_cast<char>(c));
    c = getChar(in);
  }
  ungetChar(in, c);
  if (in.procedures.find(lx.buf) != nullptr) {
    lx.argMode = true;
    return textToken(in, Tok::ProcName, value);
  }
  if (const CommandEntry* entry = in.commands.find(lx.buf)) {
    if (entry->token != kCommandToken) return entry->token;
    lx.argMode = true;
    return textToken(in, Tok::Command, value);
  }
  return textToken(in, Tok::Name, value);
}

/// An operator character `c` followed by `next`?
bool follows(Interp& in, int next) {
  const int c = getChar(in);
  if (c == next) return true;
  ungetChar(in, c);
  return false;
}

int assignOr(Interp& in, int code, int plain, std::int32_t* value) {
  if (follows(in, '=')) {
    *value = code;
    return tok(Tok::AssignOp);
  }
  return plain;
}

int argModeToken(Interp& in, int c, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  switch (c) {
    case '\n':
      lx.argMode = false;
      lx.cur.pendingNewline = true;
      return c;
    case '"': return quoted(in, value);
    case '$': return dollar(in, value, true);
    case '(': saveMode(lx); return c;
    case ')': restoreMode(lx); return c;
    case ',':
    case ';':
    case '}': lx.argMode = false; return c;
    case '<':
      // Up to and including ">", no escapes; the end of the text ends it too.
      lx.buf.clear();
      while (c != '>' && c != 0) {
        lx.buf.push_back(static_cast<char>(c));
        c = getChar(in);
      }
      if (c == '>')
        lx.buf.push_back('>');
      else
        ungetChar(in, c);
      return textToken(in, Tok::String, value);
    default: break;
  }
  // A bare word up to one of "})\n\t; " (or the end of the text).
  lx.buf.clear();
  while (c != 0 && std::strchr("})\n\t; ", c) == nullptr) {
    lx.buf.push_back(static_cast<char>(c));
    c = getChar(in);
  }
  ungetChar(in, c);
  if (lx.buf == "else") {
    lx.argMode = false;
    return tok(Tok::Else);
  }
  return textToken(in, Tok::String, value);
}

int normalToken(Interp& in, int c, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  if (isDigit(c)) return number(in, c, value);
  if (isNameStart(c)) return name(in, c, value);
  switch (c) {
    case '\n': lx.cur.pendingNewline = true; return c;
    case '"': return quoted(in, value);
    case '#':
      lx.buf.clear();
      for (c = getChar(in); isNameChar(c); c = getChar(in)) lx.buf.push_back(static_cast<char>(c));
      ungetChar(in, c);
      if (lx.buf != "line") syntaxError(in, "invalid use of #");
      return tok(Tok::Line);
    case '$': return dollar(in, value, false);
    case '!': return follows(in, '=') ? tok(Tok::Ne) : c;
    case '&':
      if (follows(in, '&')) return tok(Tok::AndAnd);
      return assignOr(in, tok(Tok::BitAnd), tok(Tok::BitAnd), value);
    case '+':
      if (follows(in, '+')) return tok(Tok::Inc);
      return assignOr(in, '+', c, value);
    case '-':
      if (follows(in, '-')) return tok(Tok::Dec);
      return assignOr(in, '-', c, value);
    case '<':
      if (follows(in, '=')) return tok(Tok::Le);
      if (follows(in, '<')) return assignOr(in, tok(Tok::Shl), tok(Tok::Shl), value);
      return tok(Tok::Lt);
    case '=':
      if (follows(in, '=')) return tok(Tok::Eq);
      if (follows(in, '>')) return tok(Tok::Arrow);
      return c;
    case '>':
      if (follows(in, '=')) return tok(Tok::Ge);
      if (follows(in, '>')) return assignOr(in, tok(Tok::Shr), tok(Tok::Shr), value);
      return tok(Tok::Gt);
    case '^': return assignOr(in, tok(Tok::BitXor), tok(Tok::BitXor), value);
    case '|':
      if (follows(in, '|')) return tok(Tok::OrOr);
      return assignOr(in, tok(Tok::BitOr), tok(Tok::BitOr), value);
    case '%':
    case '*':
    case '/': return assignOr(in, c, c, value);
    case '(': saveMode(lx); return c;
    case ')': restoreMode(lx); return c;
    default: return c;
  }
}

int scan(Interp& in, std::int32_t* value) {
  int c;
  do c = getChar(in);
  while (c == ' ' || c == '\t');
  if (c == 0) return tok(Tok::Eof);
  return in.lexer->argMode ? argModeToken(in, c, value) : normalToken(in, c, value);
}

}  // namespace

void ungetChar(Interp& in, int c) {
  Lexer& lx = *in.lexer;
  if (lx.ungetCount == Lexer::kMaxUngets) in.raiseerror(kInternalError, "too many ungets");
  lx.ungets[lx.ungetCount++] = static_cast<char>(c);
}

void resetLexer(Interp& in, std::string_view text) {
  Lexer& lx = *in.lexer;
  lx.cur = Source{};
  lx.cur.text = text;
  lx.includes.clear();
  lx.ungetCount = 0;
  // The mode and the pending line feed are reset as well, so that a parse
  // that failed half-way cannot change how the next text is read.
  lx.argMode = false;
  lx.modeStack.clear();
  lx.repeat = false;
  lx.lastToken = 0;
  lx.lastValue = 0;
  lx.pending.clear();
  lx.pendingLive = 0;
}

int nextToken(Interp& in, std::int32_t* value) {
  Lexer& lx = *in.lexer;
  if (lx.repeat) {
    lx.repeat = false;
    *value = lx.lastValue;
    return lx.lastToken;
  }
  *value = 0;
  const int t = scan(in, value);
  lx.lastToken = t;
  lx.lastValue = *value;
  return t;
}

Text takeText(Interp& in, std::int32_t index) {
  Lexer& lx = *in.lexer;
  Text t = std::move(lx.pending[static_cast<std::size_t>(index)]);
  // Once every text handed out is taken, the list starts again from empty.
  if (--lx.pendingLive == 0) lx.pending.clear();
  return t;
}

void dropPendingTexts(Interp& in) {
  in.lexer->pending.clear();
  in.lexer->pendingLive = 0;
}

void endArgMode(Interp& in) { in.lexer->argMode = false; }
void startArgMode(Interp& in) { in.lexer->argMode = true; }

void includeFile(Interp& in, const Text& name) {
  Lexer& lx = *in.lexer;
  if (lx.includes.size() >= Lexer::kMaxIncludeDepth)
    in.raiseerror(kFileError, support::format("cannot include \"%s\": includes nested more than %d deep",
                                              name.c_str(), static_cast<int>(Lexer::kMaxIncludeDepth)));
  std::string found;
  std::FILE* f = openSearched(in, name.str(), &found, "rb");
  if (f == nullptr)
    in.raiseerror(kFileError, support::format("cannot open \"%s\" for reading", name.c_str()));
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(f, &std::fclose);
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0)
    in.raiseerror(kFileError, support::format("cannot access \"%s\"", name.c_str()));
  if ((in.eng.trace & 2) != 0) support::info("Opening file \"%s\"\n", found.c_str());

  std::string bytes(static_cast<std::size_t>(size), '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  // Carriage-return line-feed files read as line-feed files.
  std::size_t out = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) bytes[out++] = bytes[i];
  bytes.resize(out);
  bytes.push_back('\n');

  // The includer resumes where it stopped; one that stopped at its end gives
  // its end again.
  lx.cur.atEnd = false;
  lx.includes.push_back(std::move(lx.cur));
  lx.cur = Source{};
  adoptText(lx.cur, std::move(bytes));
  // The file name is the name as the include gave it.
  lx.cur.file = name;
}

void setLine(Interp& in, std::int32_t n, const Text* file) {
  Lexer& lx = *in.lexer;
  lx.cur.line = n - 1;
  if (file != nullptr && !file->empty()) lx.cur.file = *file;
}

bool atOutermostSource(const Interp& in) { return in.lexer->includes.empty(); }

int currentLine(const Interp& in) { return in.lexer->cur.line; }
const Text& currentFile(const Interp& in) { return in.lexer->cur.file; }

std::string syntaxContext(const Interp& in, const char* message) {
  const Source& s = in.lexer->cur;
  const std::string_view text = s.text;
  const std::size_t pos = s.pos < text.size() ? s.pos : text.size();
  std::size_t start = pos;
  while (start > 0 && text[start - 1] != '\n') --start;
  std::size_t end = pos;
  while (end < text.size() && text[end] != '\n') ++end;
  if (end < text.size()) ++end;
  std::string out;
  if (message != nullptr) {
    out += message;
    out += '\n';
  }
  out.append(text.substr(start, end - start));
  out.append(pos - start, ' ');
  out += '^';
  return out;
}

void syntaxError(Interp& in, const char* message) {
  raiseSyntaxError(in, syntaxContext(in, message), currentFile(in).str(), currentLine(in));
}

}  // namespace varda::cmdlang
