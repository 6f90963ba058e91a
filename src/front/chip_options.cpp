#include "front/chip_options.h"

#include <cstdint>
#include <optional>
#include <string>

#include "blocks/item_tags.h"
#include "blocks/register_image.h"
#include "front/bank_manager.h"
#include "front/messages.h"
#include "front/number_text.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {
namespace {

using options::kContinue;
using support::out;

namespace image_word = blocks::image_word;
namespace tag = blocks::tag;

// SdramModeReg, which every new EMI4 SDRAM bank starts at.
constexpr std::uint32_t kEmi4SdramModeDefault = 34;

/// One row of the chip table: what selecting a chip number does.
struct ChipRow {
  int number;
  int generation;
  bool clockEnable;    // setChipItem(9, 1) before the generation changes
  bool clockTristate;  // setChipItem(10, 1) before the generation changes
};

// clang-format off
constexpr ChipRow kChips[] = {
    // number  generation  item 9  item 10
    {2,        2,          false,  false},
    {3,        3,          false,  true},
    {4,        4,          false,  false},
    {7021,     3,          false,  true},
    {7023,     2,          false,  false},
    {7025,     3,          true,   true},
    {7027,     4,          false,  false},
    {7029,     3,          false,  true},
};
// clang-format on

/// The generic generation names that -chip takes besides chip numbers.
struct GenerationName {
  const char* text;
  int number;
};

// clang-format off
constexpr GenerationName kGenerationNames[] = {
    {"emi2", 2}, {"EMI2", 2}, {"emi3", 3}, {"EMI3", 3}, {"emi4", 4}, {"EMI4", 4},
};
// clang-format on

/// The three spellings of each bank type that -type accepts.
struct TypeSpelling {
  const char* text;
  BankType type;
};

// clang-format off
constexpr TypeSpelling kTypeSpellings[] = {
    {"Peripheral", BankType::kPeripheral}, {"P", BankType::kPeripheral}, {"peripheral", BankType::kPeripheral},
    {"DRAM", BankType::kDram},             {"D", BankType::kDram},       {"dram", BankType::kDram},
    {"SDRAM", BankType::kSdram},           {"S", BankType::kSdram},      {"sdram", BankType::kSdram},
    {"MPX", BankType::kMpx},               {"M", BankType::kMpx},        {"mpx", BankType::kMpx},
};
// clang-format on

// Banks 0 to 3 exist on every chip, 4 and 5 on six-bank EMI4 chips only.
constexpr int kMostBanks = 6;

bool isEmi4() { return settings().emiGeneration == 4; }
bool sixBanks() { return settings().emi4BankCount != 4; }

void warnBanks01(const char* typeName) {
  out("%s: Warning: %s should only be selected in banks 0/1\n", kProgramName, typeName);
}

// EMI2/3 gives DRAM to banks 0 and 1 only when a chip is selected, and SDRAM
// only on generation 3; MPX has no EMI2/3 form.
void selectEmi23Type(BankType type, const std::string& text) {
  RunSettings& run = settings();
  BankManager& banks = bankManager();
  const int bank = run.currentBank;
  switch (type) {
    case BankType::kPeripheral: banks.emi23().setBankType(bank, BankType::kPeripheral); return;
    case BankType::kDram:
      if (run.chipNumber != 0 && (bank == 2 || bank == 3)) {
        out("%s: %s: option -%s %s not supported by chip %s in banks 2/3\n", kProgramName, "Error", "type",
            text.c_str(), run.chipName.c_str());
        return;
      }
      banks.emi23().setBankType(bank, BankType::kDram);
      if (bank == 2 || bank == 3) warnBanks01("DRAM");
      return;
    case BankType::kSdram:
      if (run.emiGeneration == 2) {
        reportNotSupportedValue("Error", "type", text);
        return;
      }
      banks.emi23().setBankType(bank, BankType::kSdram);
      if (bank >= 2 && run.chipNumber != 4) warnBanks01("SDRAM");
      return;
    default: reportNotSupportedValue("Error", "type", text);
  }
}

void selectEmi4Type(BankType type, const std::string& text) {
  RunSettings& run = settings();
  BankManager& banks = bankManager();
  const int bank = run.currentBank;
  switch (type) {
    case BankType::kPeripheral:
    case BankType::kMpx: banks.emi4().setBankType(bank, type); return;
    case BankType::kSdram:
      banks.emi4().setBankType(bank, BankType::kSdram);
      banks.setBankItem(tag::kSdramModeReg, kEmi4SdramModeDefault, BankType::kSdram, "default");
      if (bank >= 2 && run.chipNumber != 4) warnBanks01("SDRAM");
      return;
    default: reportNotSupportedValue("Error", "type", text);
  }
}

// The chip-wide registers of the other generation are not supported; their
// options say so only when a chip is selected.
void notSupportedHere(const std::string& option) { warnNotSupported(option); }

}  // namespace

int selectChip(OptText, OptText value, Selector) {
  RunSettings& run = settings();
  const std::string text = value.value_or("");
  int number = -1;
  for (const auto& name : kGenerationNames) {
    if (text == name.text) number = name.number;
  }
  if (number < 0) number = static_cast<int>(decimalValue(text));
  run.chipNumber = number;
  for (const auto& chip : kChips) {
    if (chip.number != number) continue;
    // These items go to the register set of the generation still in force.
    if (chip.clockEnable) bankManager().setChipItem(tag::kSdramClockEnable7025, 1);
    if (chip.clockTristate) bankManager().setChipItem(tag::kSdramClockTristate7025, 1);
    run.emiGeneration = chip.generation;
    run.chipName = text;
    return kContinue;
  }
  run.chipNumber = 0;
  return kContinue;
}

int selectBank(OptText, OptText value, Selector) {
  RunSettings& run = settings();
  const std::string text = value.value_or("");
  const char first = text.empty() ? '\0' : text[0];  // only the first character counts
  if (first >= '0' && first <= '3') {
    run.currentBank = first - '0';
  } else if (first == '4' || first == '5') {
    if (isEmi4() && sixBanks()) {
      run.currentBank = first - '0';
    } else {
      out("%s: Error: invalid bank number %s, check chip option\n", kProgramName, text.c_str());
    }
  } else {
    out("%s: Error: unsupported bank number = %s\n", kProgramName, text.c_str());
  }
  return kContinue;
}

int selectType(OptText, OptText value, Selector) {
  const RunSettings& run = settings();
  const std::string text = value.value_or("");
  if ((run.currentBank == 4 || run.currentBank == 5) && run.emi4BankCount == 4) {
    out("%s: Error: insufficient number of banks\n", kProgramName);
    return kContinue;
  }
  std::optional<BankType> type;
  for (const auto& spelling : kTypeSpellings) {
    if (text == spelling.text) type = spelling.type;
  }
  if (!type) {
    out("%s: Error: unsupported type = %s\n", kProgramName, text.c_str());
  } else if (isEmi4()) {
    selectEmi4Type(*type, text);
  } else {
    selectEmi23Type(*type, text);
  }
  return kContinue;
}

int resetBanks(OptText, OptText, Selector) {
  const int count = isEmi4() ? settings().emi4BankCount : 4;
  for (int bank = 0; bank < count; ++bank) bankManager().resetBank(bank);
  return kContinue;
}

int setPadlogicRegister(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  if (isEmi4()) {
    notSupportedHere(option);
  } else if (bankManager().setChipRegister(image_word::kEmi23Padlogic, text) != SetResult::kAccepted) {
    warnInvalidEntry(text, option);
  }
  return kContinue;
}

int showPadlogic(OptText name, OptText, Selector selector) {
  if (isEmi4()) {
    notSupportedHere(name.value_or(""));
  } else {
    bankManager().emi23().padlogicShown = selector.isSet();
  }
  return kContinue;
}

int setGencfgRegister(OptText name, OptText value, Selector) {
  if (!isEmi4()) {
    notSupportedHere(name.value_or(""));
  } else {
    bankManager().setChipRegister(image_word::kEmi4Gencfg, value.value_or(""));
  }
  return kContinue;
}

int setLockRegister(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  if (!isEmi4()) {
    notSupportedHere(option);
    return kContinue;
  }
  const std::uint32_t mask = hexValue(text);
  if (mask > 0x3f) {
    warnInvalidEntry(text, option);
    return kContinue;
  }
  settings().lockedBanks = mask;
  bankManager().setChipRegister(image_word::kEmi4Lock, text);
  return kContinue;
}

int setBaseAddress(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  RunSettings& run = settings();
  if (isEmi4()) {
    run.emi4Base = hexValue(text);
  } else if (run.chipNumber != 0) {
    reportNotSupportedValue("Error", option, text);
  } else {
    out("%s: Error: invalid %s entry as no chip selected\n", kProgramName, text.c_str());
  }
  return kContinue;
}

int setBankCount(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  RunSettings& run = settings();
  const std::uint32_t count = decimalValue(text);
  if (count != 4 && count != 6) {
    warnInvalidEntry(text, option);
  } else if (isEmi4() || count == 4) {
    // Four banks are accepted on every generation and apply to a later EMI4 chip.
    run.emi4BankCount = static_cast<int>(count);
  } else {
    if (run.chipNumber != 0) {
      reportNotSupportedValue("Error", option, text);
    } else {
      out("%s: Error: invalid %s entry as no chip selected\n", kProgramName, text.c_str());
    }
  }
  return kContinue;
}

int selectRegisterNumber(OptText, OptText value, Selector) {
  const std::string text = value.value_or("");
  const std::uint32_t number = decimalValue(text);
  if (number <= 3) {
    settings().regNum = static_cast<int>(number);
  } else {
    out("%s: Error: unsupported bank register number = %s\n", kProgramName, text.c_str());
  }
  return kContinue;
}

int setRegisterValue(OptText name, OptText value, Selector) {
  const std::string text = value.value_or("");
  if (bankManager().setBankRegister(text) != SetResult::kAccepted) warnInvalidEntry(text, name.value_or(""));
  return kContinue;
}

int dumpRegisters(OptText, OptText, Selector) {
  bankManager().emi23().dump();
  return kContinue;
}

std::vector<std::string> chipValues() {
  std::vector<std::string> values;
  for (const auto& chip : kChips) {
    // Rows 2, 3 and 4 stand for the generation names, listed below.
    bool generic = false;
    for (const auto& name : kGenerationNames) generic = generic || name.number == chip.number;
    if (!generic) values.push_back(std::to_string(chip.number));
  }
  for (const auto& name : kGenerationNames) values.emplace_back(name.text);
  return values;
}

std::vector<std::string> bankValues() {
  std::vector<std::string> values;
  for (int bank = 0; bank < kMostBanks; ++bank) values.push_back(std::to_string(bank));
  return values;
}

std::vector<std::string> typeLetters() {
  std::vector<std::string> values;
  for (const auto& spelling : kTypeSpellings) {
    if (spelling.text[0] != '\0' && spelling.text[1] == '\0') values.emplace_back(spelling.text);
  }
  return values;
}

}  // namespace varda::front
