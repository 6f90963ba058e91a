// Fuzz target: one option string (an interactive line, an argument-file line,
// an emi command) split and dispatched against the main option table with
// live handlers, then the configuration written as a run would write it.
//
// The table is safeMainTable(): the main table with the rows that end the
// process or need the interpreter (bare words, -p outside read mode, -i,
// -iro) replaced by a recorder; see fuzz_support.h.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "front/option_table.h"
#include "front/run_state.h"
#include "fuzz_support.h"
#include "options/option_parser.h"

namespace {}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (varda::fuzz::namesEndlessFile(text)) return -1;
  varda::fuzz::startInput();
  varda::options::parseOptionString(varda::front::runState().parser, varda::front::kNameCase, text,
                                    varda::fuzz::safeMainTable());
  varda::fuzz::finishWriteRun();
  return 0;
}
