// Fuzz target: the EMI4 poke-file reader on arbitrary bytes. The first line
// of the input is the base address in hexadecimal (as -base-address takes
// it); the rest is the file, read by readPokeFile (twice, with one reader
// kept across inputs as in a run that reads many files) and by
// readProcedureName. See poke_check.h for what is checked.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "front/number_text.h"
#include "fuzz_support.h"
#include "poke_check.h"
#include "regmodel/emi4_config_reader.h"

using varda::regmodel::Emi4ConfigReader;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Emi4ConfigReader reader("varda");
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = input.find('\n');
  reader.setBase(varda::front::hexValue(input.substr(0, lineEnd)));
  input.remove_prefix(lineEnd == std::string_view::npos ? input.size() : lineEnd + 1);
  varda::fuzz::writeFile("poke.txt", input);
  varda::fuzz::checkReader(reader, "poke.txt", Emi4ConfigReader::kRegisterWords,
                           Emi4ConfigReader::kExtraWords);
  return 0;
}
