#include "tool_harness.h"

#include <cstdint>
#include <string>

#include "cmdlang/interp.h"
#include "front/command_bridge.h"
#include "front/exit_run.h"
#include "fuzz_support.h"
#include "support/unwind.h"

namespace varda::fuzz {
namespace {

using cmdlang::CommandEntry;
using cmdlang::CommandHandler;
using cmdlang::Interp;

/// Operations one input may take: bounds loops that never end.
constexpr std::uint64_t kOperations = 200000;

bool confined(const std::string& path) {
  return !path.empty() && path != "." && path != ".." && path.find('/') == std::string::npos;
}

/// A command whose first `paths` arguments (all when -1) are paths.
struct Guarded {
  const char* name;
  int paths;
  CommandHandler original;
};

Guarded guarded[] = {
    {"cd", 1, nullptr},     {"mkdir", -1, nullptr},  {"rmdir", -1, nullptr},
    {"rm", -1, nullptr},    {"mv", 2, nullptr},      {"fopen", 1, nullptr},
    {"fwrite", 1, nullptr}, {"fappend", 1, nullptr}, {"fread", 1, nullptr},
};

void guardedCommand(Interp& in, std::uint32_t word) {
  Guarded& g = guarded[word];
  const int n = in.argumentcount();
  const int paths = g.paths < 0 ? n : (g.paths < n ? g.paths : n);
  for (int i = 1; i <= paths; ++i)
    if (!confined(in.argumentstring(i))) return in.setresultint(-1);
  g.original(in, 0);
}

void noSys(Interp& in, std::uint32_t /*word*/) { in.setresultint(0); }

CommandHandler realEmi = nullptr;

void guardedEmi(Interp& in, std::uint32_t /*word*/) {
  for (int i = 1, n = in.argumentcount(); i <= n; ++i) {
    const cmdlang::Value v = in.argumentvalue(i);
    if (v.type() == cmdlang::Type::Text && v.textView().find('/') != std::string_view::npos)
      return in.setresultint(-1);
  }
  realEmi(in, 0);
}

void replace(Interp& in, const char* name, CommandHandler handler, std::uint32_t word,
             CommandHandler* original) {
  CommandEntry entry;
  in.commands.remove(name, &entry);
  if (original != nullptr) *original = entry.handler;
  in.addcommand(name, handler, entry.help, word);
}

[[noreturn]] void throwOnExit(int /*status*/) { throw RunEnded{}; }
void throwOnFatal(const char* /*message*/) { throw RunEnded{}; }

}  // namespace

void installEndHooks() {
  front::setExitHook(throwOnExit);
  support::setFatalHook(throwOnFatal);
}

void confineInterpreter(Interp& in) {
  in.eng.opBudget = kOperations;
  for (std::uint32_t i = 0; i < std::size(guarded); ++i)
    replace(in, guarded[i].name, guardedCommand, i, &guarded[i].original);
  replace(in, "sys", noSys, 0, nullptr);
}

void startToolInput() {
  startInput();
  front::startInterpreter();
  Interp& in = front::interpreter();
  in.sink = [](std::string_view) {};
  confineInterpreter(in);
  replace(in, "emi", guardedEmi, 0, &realEmi);
}

bool runToolStatement(std::string_view text) { return front::tryStatement(std::string(text)); }

}  // namespace varda::fuzz
