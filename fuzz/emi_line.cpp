// Fuzz target: emi command lines run by the tool's interpreter, with the
// tool's commands registered as at program start.
//
// Every line of the input runs as one statement "emi <line>" in the same
// interpreter, so the options of one line act on the configuration the
// earlier lines made; a line whose options fail to parse ends the run (as
// it ends the process in the tool). The configuration is then written as a
// run writes it, and the written file must read back.
//
// The interpreter is confined (tool_harness.h): the arguments of emi are
// interpreter words, so $(...) substitutions and quoted texts run and build
// anything; emi itself runs only when no text argument holds a "/".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "tool_harness.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  varda::fuzz::installEndHooks();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return -1;  // long inputs only slow the search down
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (varda::fuzz::namesEndlessFile(input)) return -1;
  try {
    varda::fuzz::startToolInput();
    bool ran = true;
    for (const std::string_view line : varda::fuzz::splitInput(input, "\n", 64)) {
      ran = varda::fuzz::runToolStatement("emi " + std::string(line) + "\n");
      if (!ran) break;  // the tool ends the run here
    }
    if (ran) varda::fuzz::finishWriteRun();
  } catch (const varda::fuzz::RunEnded&) {
  }
  varda::fuzz::clearScratchDirectory();
  return 0;
}
