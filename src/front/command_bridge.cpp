#include "front/command_bridge.h"

#include <array>
#include <vector>

#include "cmdlang/arguments.h"
#include "front/emi_options.h"
#include "front/entry.h"
#include "front/exit_run.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "support/format.h"

namespace varda::front {
namespace {

using cmdlang::ArgForm;
using cmdlang::ArgItem;
using cmdlang::ArgKind;
using cmdlang::ArgOption;
using cmdlang::Interp;

CommandBridge& bridge() { return runState().bridge; }

// Where emi's option values arrive before the option's callback reads them.
std::int32_t gNumber = 0;
std::string gText;

/// The output sink: every text on standard error, after standard output is
/// flushed; a text that starts with a line feed is written as that line feed.
void toStandardError(std::string_view text) {
  std::fflush(stdout);
  if (!text.empty() && text.front() == '\n') text = text.substr(0, 1);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

/// The input source: one line of at most 511 characters from standard input.
bool fromStandardInput(std::string& line) {
  char buffer[512];
  if (std::fgets(buffer, sizeof buffer, stdin) == nullptr) return false;
  line = buffer;
  return true;
}

void append(const std::string& piece) {
  std::optional<std::string>& line = bridge().pendingLine;
  if (line)
    *line += piece;
  else
    line = piece;
}

/// The callback of every emi option: the option's piece of the option line.
void takeEmiOption(Interp& /*in*/, const ArgOption& option) {
  const auto& row = *static_cast<const OptionRow*>(option.data);
  switch (row.emiKind) {
    case EmiKind::kDecimal:
    case EmiKind::kHexadecimal: append(emiNumberPiece(row, static_cast<std::uint32_t>(gNumber))); break;
    case EmiKind::kText: append(emiTextPiece(row, gText)); break;
    case EmiKind::kFlag: append(emiFlagPiece(row)); break;
    default: support::out("option not supported in command file\n"); break;
  }
}

/// emi's options: one for every emi option of the main table, taking its
/// value as the emi kind says. Refused options that take a value in the
/// table (-io, -iro, -p) are declared with a text value, which is read and
/// dropped.
const std::vector<ArgOption>& emiOptions() {
  static const std::vector<ArgOption> options = [] {
    std::vector<ArgOption> list;
    for (const OptionRow& row : mainRows()) {
      if (row.name == nullptr || row.emiKind == EmiKind::kNone) continue;
      ArgOption o;
      o.name = row.name;
      o.callback = takeEmiOption;
      o.data = &row;
      switch (row.emiKind) {
        case EmiKind::kDecimal:
        case EmiKind::kHexadecimal:
          o.kind = ArgKind::Integer;
          o.value = ArgItem::integer(&gNumber);
          break;
        case EmiKind::kText:
          o.kind = ArgKind::Text;
          o.value = ArgItem::string(&gText);
          break;
        case EmiKind::kFlag: o.kind = ArgKind::Flag; break;
        default:
          o.kind = row.kind == options::OptionKind::kValue ? ArgKind::Text : ArgKind::Flag;
          o.value = ArgItem::string(&gText);
          break;
      }
      list.push_back(o);
    }
    return list;
  }();
  return options;
}

void emiHandler(Interp& in, std::uint32_t /*word*/) {
  CommandBridge& b = bridge();
  b.emiText.reset();
  std::string freeText;
  const ArgItem textItem[] = {ArgItem::string(&freeText)};
  const ArgForm forms[] = {ArgForm(textItem), ArgForm()};
  if (cmdlang::matchoptions(in, forms, emiOptions()) == 0) b.emiText = freeText;
  if (b.emiText) append(*b.emiText);
  int result = b.previousEmiResult;
  if (b.pendingLine) {
    // The line is taken before it is parsed: a script it includes may run
    // emi commands of its own.
    const std::string line = std::move(*b.pendingLine);
    b.pendingLine.reset();
    result = parseOptionLine(line);
  }
  bridge().previousEmiResult = result;
  if (result == 1) exitRun(1);
  in.setresultint(result);
}

void pokeHandler(Interp& in, std::uint32_t /*word*/) {
  std::int32_t address = 0;
  std::int32_t value = 0;
  std::int32_t device = 0;
  const ArgItem items[] = {{ArgKind::Integer2, &address, nullptr}, ArgItem::integer(&value)};
  const ArgForm forms[] = {ArgForm(items)};
  const ArgOption options[] = {{"device", &device, ArgKind::Flag}, {"d", &device, ArgKind::Flag}};
  cmdlang::matcharguments(in, forms, options);
  if (std::FILE* sink = bridge().pokeSink)
    std::fprintf(sink, "poke 0x%x 0x%x\n", static_cast<unsigned>(address), static_cast<unsigned>(value));
}

}  // namespace

void startInterpreter() {
  CommandBridge& b = bridge();
  b.interp = std::make_unique<Interp>();
  Interp& in = *b.interp;
  in.initsearchpath();
  in.clinitialise(toStandardError, fromStandardInput, nullptr);
  in.addcommand("emi", emiHandler, "vardacc options\n");
  in.addcommand("poke", pokeHandler, "handle poke command\n");
  // The help visibilities of option records, and the flag and value kinds.
  const std::pair<const char*, int> variables[] = {
      {"help_all", 7}, {"help_long_and_ext", 6}, {"help_extended", 4}, {"no_args", 2}, {"args", 3}};
  for (const auto& [name, value] : variables) in.setintvariable(name, value);
}

Interp& interpreter() {
  if (!bridge().interp) startInterpreter();
  return *bridge().interp;
}

bool tryStatement(const std::string& text) {
  Interp& in = interpreter();
  if (in.parseandexecute(text)) return true;
  const cmdlang::ErrorRecord& e = in.geterrorinfo();
  if (!e.file.empty())
    support::out("%s: Error: file %s at line %d, %s\n%s", kProgramName, e.file.c_str(), e.line,
                 e.message.c_str(), e.trace.c_str());
  else
    support::out("%s: Error: %s\n%s", kProgramName, e.message.c_str(), e.trace.c_str());
  return false;
}

void runStatement(const std::string& text) {
  if (!tryStatement(text)) exitRun(1);
}

void includeScript(const std::string& file) { runStatement(support::format("include %s\n", file.c_str())); }

void runProcedure(const std::string& name) { runStatement(support::format("%s\n", name.c_str())); }

void setPokeSink(std::FILE* sink) { bridge().pokeSink = sink; }

}  // namespace varda::front
