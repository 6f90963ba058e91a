// Fuzz target: the EMI2/3 poke-file reader on arbitrary bytes: readPokeFile
// (twice, with one reader kept across inputs as in a run that reads many
// files) and readProcedureName. See poke_check.h for what is checked.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_support.h"
#include "poke_check.h"
#include "regmodel/emi23_config_reader.h"

using varda::regmodel::Emi23ConfigReader;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Emi23ConfigReader reader("varda");
  varda::fuzz::writeFile("poke.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  const varda::fuzz::PokeWords words = varda::fuzz::checkReader(
      reader, "poke.txt", Emi23ConfigReader::kRegisterWords, Emi23ConfigReader::kExtraWords);
  // A stored EMI2/3 word is below 0x10000, and the DRAM initialisation word is 0 or 1.
  for (const std::uint32_t word : words.registers) {
    if (word != varda::fuzz::kNotRead && word >= 0x10000) std::abort();
  }
  for (const std::uint32_t word : words.extras) {
    if (word != varda::fuzz::kNotRead && word >= 0x10000) std::abort();
  }
  const std::uint32_t init = words.registers[16];
  if (init != varda::fuzz::kNotRead && init > 1) std::abort();
  return 0;
}
