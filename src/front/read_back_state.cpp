#include "front/read_back_state.h"

#include <algorithm>
#include <span>

#include "front/run_state.h"
#include "front/tool_info.h"
#include "regmodel/emi23_config_reader.h"
#include "regmodel/emi4_config_reader.h"
#include "support/format.h"

namespace varda::front {
ReadBackState::ReadBackState() : out(stdout) {
  bankWords.fill(kUnset);
  chipWords.fill(kUnset);
}

// The words are members, so the "Memory Allocation Failure" of missing arrays
// cannot arise here; running out of memory ends the run as everywhere else.
bool ReadBackState::decodePokes(const std::string& tempFile) {
  const RunSettings& run = settings();
  std::span<std::uint32_t> banks(bankWords);
  std::span<std::uint32_t> chip(chipWords);
  bool read = false;
  if (run.emiGeneration == 4) {
    std::fill_n(bankWords.begin(), kEmi4BankWords, kUnset);
    std::fill_n(chipWords.begin(), kEmi4ChipWords, kUnset);
    emi4Base = run.emi4Base;
    regmodel::Emi4ConfigReader reader(kProgramName);
    reader.setBase(emi4Base);
    read = reader.readPokeFile(banks.first(kEmi4BankWords), chip.first(kEmi4ChipWords), tempFile);
  } else {
    std::fill_n(bankWords.begin(), kEmi23BankWords, kUnset);
    std::fill_n(chipWords.begin(), kEmi23ChipWords, kUnset);
    regmodel::Emi23ConfigReader reader(kProgramName);
    read = reader.readPokeFile(banks.first(kEmi23BankWords), chip.first(kEmi23ChipWords), tempFile);
  }
  if (!read) support::out("%s: Error: read option file failure\n", kProgramName);
  return read;
}

}  // namespace varda::front
