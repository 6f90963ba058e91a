#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cmdlang/code.h"
#include "cmdlang/error_table.h"
#include "cmdlang/named_table.h"
#include "cmdlang/operand_stack.h"
#include "cmdlang/symbol_table.h"
#include "cmdlang/text.h"
#include "cmdlang/value.h"

namespace varda::cmdlang {

struct Interp;
struct Lexer;
struct Compiler;
struct FileTable;
struct WhenEvents;
struct SearchPath;

/// Receives every text the interpreter's commands print, one piece at a time.
using OutputSink = std::function<void(std::string_view text)>;
/// Fills `line` with the next line of input; false when there is none.
using InputSource = std::function<bool(std::string& line)>;
/// Called with 4100 before an error unwinds while errors are ignored.
using ErrorHook = void (*)(int code);
/// A command's handler; `word` is the registration word (0 for all of ours).
using CommandHandler = void (*)(Interp& in, std::uint32_t word);

/// Token codes of the command word and of the keywords (shared with the lexer).
inline constexpr int kCommandToken = 277;

/// One entry of the command table: a command, or a keyword (no handler).
struct CommandEntry {
  int token = kCommandToken;
  CommandHandler handler = nullptr;
  std::string help;
  std::uint32_t word = 0;
};

/// The one error record: what the last error said, and where.
struct ErrorRecord {
  std::string message;
  std::string file;  // empty: no file known
  int line = 0;
  std::string kind;   // "syntax", the running command's name, or empty
  std::string trace;  // the call trace, at most 2048 characters
};

/// Where names are looked up first: a local table, or a call frame whose
/// table is not made yet (frame index + 1), or neither (the outermost level).
struct Scope {
  SymbolTable* table = nullptr;
  std::size_t lazyFrame = 0;
};

/// One call frame: arguments as locals, the call site, its operand stack.
///
/// A call's local table is made only when something needs it: a call whose
/// body uses nothing but its arguments "$1".., "$#" and its result "$" runs
/// without one. Until then the arguments are the frame's values in
/// Engine::args and "$" its `result`; making the table inserts them in the
/// order a table made at the call would have them ("$1".., "$#", "$").
struct CallFrame {
  Text name;  // the called procedure; none for a command or the top level
  Text siteFile;
  int siteLine = 0;
  std::unique_ptr<SymbolTable> locals;  // none until made (see localTable)
  Scope saved;                          // the scope that was current before the call
  int argc = 0;
  bool called = false;      // pushcall ran: "$#" and "$" exist
  std::size_t base = 0;     // where this frame's operand stack starts in Engine::stack
  std::size_t argBase = 0;  // where its arguments start in Engine::args
  Rc<Variable> result;      // "$" while the table is not made; made on first use
};

/// Execution state: operand stacks, frames, scopes, modes.
struct Engine {
  OperandStack stack;  // the operand stacks of all frames, each from its frame's base
  std::vector<CallFrame> frames;
  std::vector<std::unique_ptr<SymbolTable>> spareTables;  // emptied local tables of ended frames, for reuse
  std::size_t frameFloor = 0;                             // first frame of the current frame stack
  Scope scope;                                            // where names are looked up first (see localTable)
  /// The arguments "$1".. of the frames, each frame's from its argBase: an
  /// integer or a text as it was passed, or (Type::Ref) the argument's own
  /// variable once one was needed (see argumentVariable).
  std::vector<Value> args;
  Rc<Variable> spareResult;          // an ended call's "$", emptied, for the next call
  bool parsing = false;              // a text is being parsed: errors point into the source
  bool skip = false;                 // skipping the rest of a failed statement
  bool ignoreErrors = false;         // clerror -i
  unsigned trace = 0;                // clinfo bits: 2 files, 4 calls, 8 statements
  const CodeObject* code = nullptr;  // the code and cell being executed
  std::int32_t cell = 0;
  Text commandName;     // the running command: the kind of its errors
  int temporaries = 0;  // run-wide counter naming anonymous values ("%d")
  /// Operations and loop turns left before the run is stopped through support::fatal();
  /// 0: no limit. Only harnesses (fuzz targets) set it.
  std::uint64_t opBudget = 0;
  std::uintptr_t stackBase = 0;  // frame address of the outermost code walk running (see walk)
  std::size_t stackSpan = 0;     // how far from it the walks may go
};

/// Interpreter state: everything a run of the language owns. The embedding
/// interface is its member functions; the stages (lexer, grammar, engine,
/// operators, commands) are free functions over it in their own files.
struct Interp {
  Interp();
  ~Interp();
  Interp(const Interp&) = delete;
  Interp& operator=(const Interp&) = delete;

  // --- embedding interface --------------------------------------------------
  /// Empties the include search path and adds the QX40ROOT directories.
  void initsearchpath();
  /// Registers keywords, built-ins and their help groups; stores the callbacks.
  void clinitialise(OutputSink sink, InputSource source, ErrorHook hook);
  /// Registers a command; a name already present keeps its first registration.
  void addcommand(std::string_view name, CommandHandler handler, std::string_view help,
                  std::uint32_t word = 0);
  void addhelpgroup(std::string_view text);
  bool setintvariable(std::string_view name, std::int32_t value);
  bool setstringvariable(std::string_view name, std::string_view text);
  /// Parses and runs a text; false after an error (the record is filled).
  bool parseandexecute(std::string_view text, std::int32_t* result = nullptr);
  const ErrorRecord& geterrorinfo() const { return error; }
  /// The standard error report, cut to `size` - 1 characters; returns its length.
  std::size_t formaterror(char* buffer, std::size_t size) const;
  std::string formaterror() const;

  // --- command-handler contract ---------------------------------------------
  int argumentcount();
  std::string argumentstring(int i);
  std::int32_t argumentint(int i);
  /// Argument i as it is (integer, text or array), after reading a reference.
  Value argumentvalue(int i);
  void setresultint(std::int32_t value);
  void setresultstring(std::string_view text);
  void setresult(Value value);
  [[noreturn]] void raiseerror(const std::string& message);
  [[noreturn]] void raiseerror(int code, const std::string& detail);
  [[noreturn]] void raiseerror(int code);
  /// Hands a text to the output sink.
  void output(std::string_view text) const;

  // --- state -----------------------------------------------------------------
  OutputSink sink;
  InputSource source;
  ErrorHook errorHook = nullptr;

  SymbolTable globals{kScopeBuckets};
  NamedTable<Rc<CodeObject>> procedures;
  NamedTable<CommandEntry> commands;
  std::vector<std::string> helpGroups;
  Engine eng;
  ErrorRecord error;

  std::unique_ptr<Lexer> lexer;
  std::unique_ptr<Compiler> compiler;
  std::unique_ptr<FileTable> files;
  std::unique_ptr<WhenEvents> whens;
  std::unique_ptr<SearchPath> searchPath;
};

}  // namespace varda::cmdlang
