// Fuzz target: arbitrary command-language source parsed and run by a fresh
// interpreter, twice per input: once as one text, once line by line on one
// interpreter (state carried from line to line, as interactive statements).
//
// Commands that reach outside the process are confined: `sys` never starts a
// process (it answers 0), and the commands that create, remove, rename or
// write files, or change directory, run only when every path they are given
// names an entry of the scratch directory itself (no "/", not "." or "..").
// `include` and reading commands only read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cmdlang/interp.h"
#include "fuzz_support.h"
#include "support/unwind.h"

namespace {

using varda::cmdlang::CommandEntry;
using varda::cmdlang::CommandHandler;
using varda::cmdlang::Interp;

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

/// Fatal ends of a run (the 1024-deep handler rule, the operation budget)
/// unwind to the entry function instead of aborting.
struct FatalEnd {};
void throwFatal(const char* /*message*/) { throw FatalEnd{}; }

/// Operations one run may take: bounds loops that never end.
constexpr std::uint64_t kOperations = 200000;

void start(Interp& in) {
  in.eng.opBudget = kOperations;
  in.initsearchpath();
  in.clinitialise([](std::string_view) {}, nullptr, nullptr);
  for (std::uint32_t i = 0; i < std::size(guarded); ++i) {
    CommandEntry entry;
    in.commands.remove(guarded[i].name, &entry);
    guarded[i].original = entry.handler;
    in.addcommand(guarded[i].name, guardedCommand, entry.help, i);
  }
  CommandEntry sys;
  in.commands.remove("sys", &sys);
  in.addcommand("sys", noSys, sys.help);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  varda::support::setFatalHook(throwFatal);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return -1;  // long inputs only slow the search down
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    Interp in;
    start(in);
    in.parseandexecute(text);
  } catch (const FatalEnd&) {
  }
  try {
    Interp in;
    start(in);
    std::size_t from = 0;
    while (from < text.size()) {
      std::size_t to = text.find('\n', from);
      to = to == std::string_view::npos ? text.size() : to + 1;
      in.parseandexecute(text.substr(from, to - from));
      from = to;
    }
  } catch (const FatalEnd&) {
  }
  varda::fuzz::clearScratchDirectory();
  return 0;
}
