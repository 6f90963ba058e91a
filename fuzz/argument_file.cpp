// Fuzz target: argument files. The input is cut into up to 16 files at every
// line "%%" (the line feed in front of it belongs to the separator, so a file
// may end without one); they are written as f0, f1, ... f15 and "@f0" is
// parsed, so files may name one another, themselves included. Then the
// configuration is written as a run would write it.
//
// The table is safeMainTable() (see fuzz_support.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "front/option_table.h"
#include "front/run_state.h"
#include "fuzz_support.h"
#include "options/option_parser.h"

namespace {
constexpr std::size_t kMaxFiles = 16;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (varda::fuzz::namesEndlessFile(input)) return -1;
  varda::fuzz::startInput();
  const auto files = varda::fuzz::splitInput(input, "\n%%\n", kMaxFiles);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string number = std::to_string(i);
    varda::fuzz::writeFile("f" + number, files[i]);
  }
  varda::options::parseOptionString(varda::front::runState().parser, varda::front::kNameCase, "@f0",
                                    varda::fuzz::safeMainTable());
  varda::fuzz::finishWriteRun();
  return 0;
}
