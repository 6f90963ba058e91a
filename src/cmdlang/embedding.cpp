#include <cstring>
#include <new>

#include "cmdlang/builtins.h"
#include "cmdlang/compiler.h"
#include "cmdlang/engine.h"
#include "cmdlang/file_commands.h"
#include "cmdlang/interp.h"
#include "cmdlang/lexer.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/scope.h"
#include "cmdlang/search_path.h"
#include "cmdlang/when_events.h"
#include "support/format.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

/// The language's keywords with their tokens and help texts. ORDER RESERVED:
/// the tokens are the grammar's.
struct Keyword {
  const char* name;
  int token;
  const char* help;
};

// clang-format off
constexpr Keyword kKeywords[] = {
    {"proc",      262, "proc name [variable ...] {statement}\n"},
    {"if",        257, "if (condition) statement [else statement]\n"},
    {"else",      261, ""},
    {"while",     259, "while (condition) statement\n"},
    {"when",      258, "when (expression) [variable ...] {statement}\n"},
    {"for",       260, "for ([expression]; condition; [expression]) statement\n"},
    {"include",   264, "include filename\n"},
    {"directory", 265, "directory pathname\n"},
    {"#line",     266, "#line linenumber filename\n"},
};
// clang-format on

constexpr const char* kConstructsGroup =
    "command language constructs - proc, if, else, while, when, for, include, directory, #line\n";

}  // namespace

Interp::Interp()
    : lexer(std::make_unique<Lexer>()),
      compiler(std::make_unique<Compiler>()),
      files(std::make_unique<FileTable>()),
      whens(std::make_unique<WhenEvents>()),
      searchPath(std::make_unique<SearchPath>()) {}

Interp::~Interp() {
  // Operand stacks and frames hold references into the tables: let them go first.
  eng.stack.clear();
  eng.frames.clear();
  eng.args.clear();
}

void Interp::initsearchpath() { resetSearchPath(*this); }

void Interp::clinitialise(OutputSink outputSink, InputSource inputSource, ErrorHook hook) {
  for (const Keyword& k : kKeywords) commands.insert(Text(k.name), CommandEntry{k.token, nullptr, k.help, 0});
  addhelpgroup(kConstructsGroup);
  registerBuiltins(*this);
  sink = std::move(outputSink);
  source = std::move(inputSource);
  errorHook = hook;
}

void Interp::addcommand(std::string_view name, CommandHandler handler, std::string_view help,
                        std::uint32_t word) {
  commands.insert(Text(name), CommandEntry{kCommandToken, handler, std::string(help), word});
}

void Interp::addhelpgroup(std::string_view text) { helpGroups.emplace_back(text); }

bool Interp::setintvariable(std::string_view name, std::int32_t value) {
  return parseandexecute(
      support::format("%.*s = %s\n", static_cast<int>(name.size()), name.data(), decimal(value).c_str()));
}

bool Interp::setstringvariable(std::string_view name, std::string_view text) {
  return parseandexecute(support::format("%.*s = \"%.*s\"\n", static_cast<int>(name.size()), name.data(),
                                         static_cast<int>(text.size()), text.data()));
}

bool Interp::parseandexecute(std::string_view text, std::int32_t* result) {
  // A run has a frame stack of its own and starts at the outermost level.
  const std::size_t savedFloor = eng.frameFloor;
  const std::size_t savedFrames = eng.frames.size();
  const std::size_t savedStack = eng.stack.size();
  const Scope savedScope = eng.scope;
  const CodeObject* const savedCode = eng.code;
  const std::int32_t savedCell = eng.cell;
  const bool savedSkip = eng.skip;
  auto restore = [&] {
    dropframes(*this, savedFrames);
    eng.stack.resize(savedStack);
    eng.frameFloor = savedFloor;
    setScope(*this, savedScope);
    eng.code = savedCode;
    eng.cell = savedCell;
    eng.skip = savedSkip;
  };
  eng.frameFloor = savedFrames;
  eng.scope = Scope{};
  eng.skip = false;
  resetLexer(*this, text);
  error = ErrorRecord{};
  Rc<CodeObject> code = CodeObject::make();
  try {
    try {
      support::HandlerScope handler;
      eng.parsing = true;
      parseProgram(*this, *code);
      eng.parsing = false;
      code->cells.push_back(Cell{CellKind::End, 0, 0, 0, 0});
      createframe(*this);
      execute(*this, *code, 0);
      const std::int32_t value = peekresult(*this);
      if (result != nullptr) *result = value;
    } catch (const support::Raised& r) {
      eng.parsing = false;
      abandonParse(*this);
      restore();
      if (r.code != support::kInterpreterError) throw;
      if (result != nullptr) *result = 0;
      return false;
    }
  } catch (const std::bad_alloc&) {
    support::outOfMemory();
  }
  restore();
  return true;
}

std::string Interp::formaterror() const {
  std::string report;
  if (!error.kind.empty()) report += error.kind + " ";
  report += "error-";
  if (!error.file.empty()) report += error.file + "(" + decimal(error.line) + ")-";
  report += error.message.empty() ? std::string("<no message>") : error.message;
  report += "\n";
  report += error.trace;
  return report;
}

std::size_t Interp::formaterror(char* buffer, std::size_t size) const {
  if (size == 0) return 0;
  const std::string report = formaterror();
  const std::size_t n = report.size() < size ? report.size() : size - 1;
  std::memcpy(buffer, report.data(), n);
  buffer[n] = '\0';
  return n;
}

void Interp::output(std::string_view text) const {
  if (sink) sink(text);
}

}  // namespace varda::cmdlang
