// Fuzz target: the default options of VARDAARG around the arguments, through
// the main entry of the option library. The first line of the input is the
// text of VARDAARG (an empty first line leaves it unset, which the tool treats
// as empty); every further line is one argument, cut at a NUL byte as an
// argument vector would be. Then, unless the library reported an error (the
// tool would end with status 1), the configuration is written as a run would
// write it.
//
// The table is safeMainTable() (see fuzz_support.h).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "front/option_table.h"
#include "front/run_state.h"
#include "fuzz_support.h"
#include "options/option_parser.h"

namespace {
constexpr const char* kVariable = "VARDAARG";

std::string beforeNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (varda::fuzz::namesEndlessFile(input)) return -1;
  varda::fuzz::startInput();

  const std::size_t lineEnd = input.find('\n');
  const std::string env = beforeNul(input.substr(0, lineEnd));
  if (env.empty()) {
    unsetenv(kVariable);
  } else {
    setenv(kVariable, env.c_str(), 1);
  }
  std::vector<std::string> args;
  if (lineEnd != std::string_view::npos && lineEnd + 1 < input.size()) {
    input.remove_prefix(lineEnd + 1);
    for (const std::string_view line : varda::fuzz::splitInput(input, "\n", input.size() + 1)) {
      args.push_back(beforeNul(line));
    }
    // A final line feed ends the last argument; it does not start another.
    if (input.back() == '\n') args.pop_back();
  }

  if (varda::options::parseOptions(varda::front::runState().parser, varda::front::kNameCase, args, kVariable,
                                   varda::fuzz::safeMainTable()) != 1) {
    varda::fuzz::finishWriteRun();
  }
  return 0;
}
