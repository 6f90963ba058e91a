// Fuzz target: decoding read-back register words into the parameters file.
// The first line of the input is an option line applied first (it selects
// the chip, and so the EMI generation and the reader, the EMI4 base address
// and the bank count); the rest is the poke text that a read file's procedure
// produced. The text is decoded with ReadBackState::decodePokes and written
// as a parameters file with writeParameters (which runs writeParameterLines),
// as read mode does after running the read file.
//
// The option line uses safeMainTable() (see fuzz_support.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "front/option_table.h"
#include "front/parameters_writer.h"
#include "front/read_back_state.h"
#include "front/run_state.h"
#include "fuzz_support.h"
#include "options/option_parser.h"

namespace {}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = input.find('\n');
  const std::string_view options = input.substr(0, lineEnd);
  if (varda::fuzz::namesEndlessFile(options)) return -1;
  varda::fuzz::startInput();
  varda::options::parseOptionString(varda::front::runState().parser, varda::front::kNameCase, options,
                                    varda::fuzz::safeMainTable());
  input.remove_prefix(lineEnd == std::string_view::npos ? input.size() : lineEnd + 1);
  varda::fuzz::writeFile("pokes.txt", input);

  varda::front::ReadBackState& state = varda::front::readBackState();
  state.decodePokes("pokes.txt");
  state.sourceFile = "read.cfg";
  state.procName = varda::front::settings().readProcName.value_or("configEmi");
  varda::front::writeParameters(state, std::string("params.dat"));
  return 0;
}
