#include "front/parameters_writer.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "blocks/item_catalogue.h"
#include "blocks/memory_transfer.h"
#include "blocks/register_image.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "front/value_conversions.h"
#include "support/file_ptr.h"
#include "support/format.h"

namespace varda::front {
namespace {

namespace catalogue = blocks::catalogue;
namespace image_word = blocks::image_word;
using catalogue::BankWords;
using catalogue::ItemRow;

// ---------------------------------------------------------------------------
// Values from the item catalogue.

/// The catalogue tables one block builds, in the order the block builds them,
/// so that a tag finds the same row as the block's findItem finds its item.
using Tables = std::array<std::span<const ItemRow>, 2>;

constexpr Tables kPeripheralEmi23Tables = {catalogue::kPeripheralCommon, catalogue::kPeripheralEmi23};
constexpr Tables kPeripheralEmi4Tables = {catalogue::kPeripheralCommon, catalogue::kPeripheralEmi4};
constexpr Tables kSdramEmi23Tables = {catalogue::kSdramCommon, catalogue::kSdramEmi23};
constexpr Tables kSdramEmi4Tables = {catalogue::kSdramCommon, catalogue::kSdramEmi4};
constexpr Tables kDramTables = {catalogue::kDram, {}};
constexpr Tables kMpxTables = {catalogue::kMpx, {}};
constexpr Tables kGencfgTables = {catalogue::kGencfg, {}};
constexpr Tables kPadlogicTables = {catalogue::kPadlogic, {}};

const ItemRow* findRow(const Tables& tables, std::uint32_t tag) {
  for (std::span<const ItemRow> table : tables) {
    for (const ItemRow& row : table) {
      if (row.tag == tag) return &row;
    }
  }
  return nullptr;
}

// The general-configuration block's register items share one tag, so they are
// found by name.
const ItemRow* findGencfgRow(std::string_view name) {
  for (const ItemRow& row : catalogue::kGencfg) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

/// The value an item takes when decoded from `image` for a bank's words: its
/// bits gathered through the row's placement, plus its shift (as the item's
/// own decode does).
std::uint32_t decodeRow(const ItemRow& row, blocks::ConstImageWords image, BankWords words = {}) {
  std::uint32_t field = 0;
  for (const blocks::MemoryTransfer& transfer : catalogue::transfersFor(row.bits, words)) {
    transfer.decode(image, field);
  }
  return field + row.shift;
}

// ---------------------------------------------------------------------------
// The read-back words as a register image.

/// A word that the read did not write decodes as 0.
std::uint32_t wordValue(std::uint32_t word) { return ReadBackState::isSet(word) ? word : 0; }

/// EMI2/3 image: words 0 to 16 the bank registers and the DRAM initialisation
/// register; 17 and 18 the SDRAM mode registers at 0x2058 and 0x205c; 19 padlogic.
blocks::RegisterImage emi23Image(const ReadBackState& state) {
  blocks::RegisterImage image(blocks::kEmi23ImageWords, 0);
  for (std::size_t i = 0; i < ReadBackState::kEmi23BankWords; ++i) image[i] = wordValue(state.bankWords[i]);
  image[image_word::kEmi23Mode] = wordValue(state.chipWords[chip_word::kEmi23Mode]);
  image[image_word::kEmi23ModeBank1] = wordValue(state.chipWords[chip_word::kEmi23ModeBank1]);
  image[image_word::kEmi23Padlogic] = wordValue(state.chipWords[chip_word::kEmi23Padlogic]);
  return image;
}

// Image tag of each EMI4 chip word (offsets 0x00 to 0x68); the SDRAM mode
// word at offset 0x38 is split below.
constexpr std::uint32_t kEmi4ChipTags[ReadBackState::kEmi4ChipWords] = {21, 22, 23, 24, 25, 26, 0,
                                                                        29, 30, 31, 32, 33, 34};
constexpr std::size_t kEmi4BankRegisters = 24;  // banks 0 to 5, four registers each

/// EMI4 image: the bank registers at tags 35 + 4*bank + r, the chip-wide
/// registers at their tags.
blocks::RegisterImage emi4Image(const ReadBackState& state) {
  blocks::RegisterImage image(blocks::kEmi4ImageWords, 0);
  for (std::size_t i = 0; i < kEmi4BankRegisters; ++i) {
    image[image_word::kEmi4FirstBank + i] = wordValue(state.bankWords[i]);
  }
  for (std::size_t k = 0; k < ReadBackState::kEmi4ChipWords; ++k) {
    if (k != chip_word::kEmi4Mode) image[kEmi4ChipTags[k]] = wordValue(state.chipWords[k]);
  }
  // A mode word above 0xffff holds bank 1's mode in its upper half and the
  // other banks' in its lower half; a smaller word is the mode of every bank.
  const std::uint32_t mode = wordValue(state.chipWords[chip_word::kEmi4Mode]);
  image[image_word::kEmi4Mode] = mode > 0xffff ? mode & 0xffff : mode;
  image[image_word::kEmi4ModeBank1] = mode > 0xffff ? mode >> 16 : mode;
  return image;
}

// ---------------------------------------------------------------------------
// Parameter lines.

/// One value of a parameter line: the item that the option sets for the
/// bank type and generation, and the option's conversion of the item's code.
struct LineValue {
  std::uint32_t tag;
  Conversion conversion = Conversion::kNone;
};

/// When a line is written.
enum class When {
  kAlways,
  kAnyNonZero,  // one of its items is not 0 (tested on the items' codes, before conversion)
};

/// One parameter line: its format and, in order, the items of its values
/// (as many as the format has conversions).
struct ParameterLine {
  const char* format;
  LineValue values[4];
  When when = When::kAlways;
};

constexpr Conversion kPortSize = Conversion::kPortSize;
constexpr Conversion kOneTwo = Conversion::kOneTwo;
constexpr Conversion kSubBanks = Conversion::kSubBanks;
constexpr Conversion kDramSubBankSize = Conversion::kDramSubBankSize;
constexpr Conversion kSdramSubBankSize = Conversion::kSdramSubBankSize;
constexpr Conversion kSubDecodeSize = Conversion::kSubDecodeSize;
constexpr Conversion kPlusOne = Conversion::kPlusOne;
constexpr Conversion kBurstSize = Conversion::kBurstSize;
constexpr Conversion kRetimeStages = Conversion::kRetimeStages;

// The lines of each bank type, in the order they are written.
// clang-format off
constexpr ParameterLine kPeripheralEmi23Lines[] = {
    {"emi  -datadrivedelay %d -busreleasetime %d\n", {{1104}, {1105}}},
    {"emi  -csactive %d -oeactive %d -beactive %d -portsize %d\n", {{1109}, {1110}, {1111}, {1102, kPortSize}}},
    {"emi  -accesstimeread %d -cse1timeread %d -cse2timeread %d -oee1timeread %d\n", {{1108}, {1112}, {1113}, {1116}}},
    {"emi  -oee2timeread %d -bee1timeread %d -bee2timeread %d -accesstimewrite %d\n", {{1118}, {1122}, {1120}, {1107}}},
    {"emi  -cse1timewrite %d -cse2timewrite %d -oee1timewrite %d -oee2timewrite %d\n", {{1114}, {1115}, {1117}, {1119}}},
    {"emi  -bee1timewrite %d -bee2timewrite %d -latchpoint %d\n", {{1123}, {1121}, {1103}}},
};
// clang-format on

// clang-format off
constexpr ParameterLine kSdramEmi23Lines[] = {
    {"emi  -datadrivedelay %d -busreleasetime %d -subbanks %d\n", {{1126}, {1127}, {1139, kSubBanks}}},
    {"emi  -subbanksize %d -shiftamount %d -portsize %d\n", {{1138, kSdramSubBankSize}, {1135}, {1137, kPortSize}}},
    {"emi  -rasbits 0x%x -prechargetime %d -refreshinterval %d -modesetdelay %d\n", {{1134}, {1133}, {1132}, {1128}}},
    {"emi  -refreshtime %d -activatetoread %d -activatetowrite %d -caslatency %d\n", {{1131}, {1140}, {1141}, {1142}}},
    {"emi  -drambanks %d -writerecoverytime %d\n", {{1136}, {1144}}},
};
// clang-format on
constexpr ParameterLine kSdramEmi23ModeLine = {
    "emi  -sdrammodereg 0x%x -latencymode %d -bursttype %d -burstlength %d\n",
    {{1201}, {1143}, {1145}, {1146}}};

// clang-format off
constexpr ParameterLine kDramLines[] = {
    {"emi  -datadrivedelay %d -busreleasetime %d\n", {{1050}, {1084}}},
    {"emi  -subbanks %d -subbanksize %d -shiftamount %d -portsize %d\n",
     {{1092, kSubBanks}, {1096, kDramSubBankSize}, {1098}, {1089, kPortSize}}},
    {"emi  -rasbits 0x%x -prechargetime %d -refreshinterval %d -refreshrasedge %d\n", {{1088}, {1091}, {1086}, {1085, kOneTwo}}},
    {"emi  -rastime %d -castime %d -rase1time %d -rase2time %d \n", {{1095}, {1097}, {1100}, {1099}}},
    {"emi  -case1time %d -case2time %d -multibyte %d -latchpoint %d\n", {{1093}, {1090}, {1094}, {1087}}},
};
// clang-format on

// clang-format off
constexpr ParameterLine kPeripheralEmi4Lines[] = {
    {"emi  -weuseoeconfig %d -waitpolarity %d -latchpoint %d -datadrivedelay %d\n", {{1162}, {1163}, {1164}, {1165}}},
    {"emi  -busreleasetime %d -csactive %d -oeactive %d -beactive %d\n", {{1166}, {1109}, {1110}, {1111}}},
    {"emi  -portsize %d -devicetype %d\n", {{1102, kPortSize}, {1167}}},
    {"emi  -cyclenotphaseread %d -accesstimeread %d -cse1timeread %d\n", {{1168}, {1169}, {1170}}},
    {"emi  -cse2timeread %d -oee1timeread %d -oee2timeread %d -bee1timeread %d\n", {{1171}, {1172}, {1173}, {1174}}},
    {"emi  -bee2timeread %d -cyclenotphasewrite %d -accesstimewrite %d\n", {{1175}, {1176}, {1177}}},
    {"emi  -cse1timewrite %d -cse2timewrite %d -oee1timewrite %d -oee2timewrite %d\n", {{1178}, {1179}, {1180}, {1181}}},
    {"emi  -bee1timewrite %d -bee2timewrite %d -strobeonfalling %d -burstsize %d\n",
     {{1182}, {1183}, {1184}, {1185, kBurstSize}}},
    {"emi  -datalatency %d -dataholddelay %d -burstmode %d\n", {{1186}, {1187, kOneTwo}, {1188}}},
};
// clang-format on

// clang-format off
constexpr ParameterLine kSdramEmi4Lines[] = {
    {"emi  -strobeonfalling %d -busreleasetime %d -subbanks %d -subbanksize %d\n",
     {{1189}, {1190}, {1191, kSubBanks}, {1192, kSdramSubBankSize}}},
    {"emi  -shiftamount %d -portsize %d -rasbits 0x%x -prechargetime %d\n", {{1135}, {1137, kPortSize}, {1193}, {1194}}},
    {"emi  -modesetdelay %d -refreshtime %d -activatetoread %d -activatetowrite %d\n", {{1195}, {1196}, {1197}, {1198}}},
    {"emi  -caslatency %d -drambanks %d -writerecoverytime %d\n", {{1199}, {1136}, {1200}}},
};
// clang-format on
constexpr ParameterLine kSdramEmi4ModeLine = {
    "emi  -sdrammodereg 0x%x -latencymode %d -bursttype %d -burstlength %d\n",
    {{1201}, {1202}, {1145}, {1146}}};

// clang-format off
constexpr ParameterLine kMpxLines[] = {
    {"emi  -strobeonfalling %d -waitpolarity %d -extendedmpx %d -busreleasetime %d\n",
     {{1148}, {1149}, {1150}, {1151, kPlusOne}}},
    {"emi  -waitstatesframe %d -waitstatesread %d -waitstateswrite %d\n", {{1152}, {1153}, {1154}}},
};
// clang-format on

// The general configuration of chip 7027, item by item.
// clang-format off
constexpr ParameterLine kGencfgLines[] = {
    {"emi  -csa-type %d -csb-type %d -csc-type %d -csd-type %d\n", {{0}, {1}, {2}, {3}}, When::kAnyNonZero},
    {"emi  -emi-wait %d -bank0addshift %d -bank1addshift %d -bank2addshift %d\n", {{4}, {5}, {7}, {8}}, When::kAnyNonZero},
    {"emi  -bank3addshift %d -bank4addshift %d -bank5subdecode %d -bank5subbanksize %d\n",
     {{9}, {10}, {11}, {12, kSubDecodeSize}}, When::kAnyNonZero},
    {"emi  -emi-ackreq %d -emi-reqGnt %d -emi-intbusreq %d -bootindicator %d\n",
     {{13, kRetimeStages}, {14, kRetimeStages}, {15}, {16}}, When::kAnyNonZero},
    {"emi  -dack0 %d -dack1 %d\n", {{17}, {18}}, When::kAnyNonZero},
};
// clang-format on

// The padlogic register. Whether the first line is written is decided on the
// items' codes: a padlogic word with only MPEG set leaves it out, although its
// sub-bank size code 0 reads back as 4.
// clang-format off
constexpr ParameterLine kPadlogicLines[] = {
    {"emi  -bank3subdecode %d -clockenable %d -clocktristate %d -subbanksize-padlogic %d\n",
     {{7}, {9}, {10}, {8, kSubDecodeSize}}, When::kAnyNonZero},
    {"emi  -mpeg %d -mwait %d -mshift0 %d -mshift1 %d\n", {{4}, {5}, {0}, {1}}},
    {"emi  -mshift2 %d -mshift3 %d\n", {{2}, {3}}},
};
// clang-format on

/// A line of one EMI4 chip-wide register: the general-configuration item that
/// holds its field, the word it is read from, and what the option adds to the
/// field (-refreshinterval stores its value - 1).
struct ChipRegisterLine {
  const char* format;
  const char* item;
  std::size_t word;
  std::uint32_t add;
};

constexpr ChipRegisterLine kEmi4LockLine = {"emi  -lock %d\n", "EMI4lock", chip_word::kEmi4Lock, 0};
// clang-format off
constexpr ChipRegisterLine kEmi4ClockLines[] = {
    {"emi  -refreshinterval %d\n", "EMI4refreshint", chip_word::kEmi4Refresh, 1},
    {"emi  -flashclksel %d\n", "EMI4flashclksel", chip_word::kEmi4FlashClock, 0},
    {"emi  -sdramclksel %d\n", "EMI4sdramclksel", chip_word::kEmi4SdramClock, 0},
    {"emi  -mpxclksel %d\n", "EMI4mpxclksel", chip_word::kEmi4MpxClock, 0},
    {"emi  -clockenable %d\n", "EMI4clkenable", chip_word::kEmi4ClockEnable, 0},
};
// clang-format on

/// The lines of one bank type on one generation and the tables its block builds.
struct BankLines {
  Tables tables;
  std::span<const ParameterLine> lines;
  const ParameterLine* modeLine;  // SDRAM only: written when the bank's mode word is set
};

// Type names by type code: DRAM 0, SDRAM 1, Peripheral 2, MPX 3.
constexpr const char* kTypeNames[] = {"DRAM", "SDRAM", "Peripheral", "MPX"};

const char* typeName(BankType type) { return kTypeNames[static_cast<int>(type)]; }

const BankLines* bankLines(BankType type, bool emi4) {
  // clang-format off
  static constexpr BankLines kEmi23[] = {
      {kDramTables, kDramLines, nullptr},
      {kSdramEmi23Tables, kSdramEmi23Lines, &kSdramEmi23ModeLine},
      {kPeripheralEmi23Tables, kPeripheralEmi23Lines, nullptr},
  };
  // clang-format on
  // clang-format off
  static constexpr BankLines kEmi4[] = {
      {kSdramEmi4Tables, kSdramEmi4Lines, &kSdramEmi4ModeLine},
      {kPeripheralEmi4Tables, kPeripheralEmi4Lines, nullptr},
      {kMpxTables, kMpxLines, nullptr},
  };
  // clang-format on
  const int code = static_cast<int>(type);
  if (emi4) {
    const int first = static_cast<int>(BankType::kSdram);
    return type >= BankType::kSdram && type <= BankType::kMpx ? &kEmi4[code - first] : nullptr;
  }
  return type >= BankType::kDram && type <= BankType::kPeripheral ? &kEmi23[code] : nullptr;
}

int conversionCount(const char* format) {
  int count = 0;
  for (const char* c = format; *c != '\0'; ++c) count += *c == '%' ? 1 : 0;
  return count;
}

/// Writes one line with its values decoded for a bank's words (chip-wide
/// items ignore them).
void writeLine(std::FILE* out, const ParameterLine& line, const Tables& tables, blocks::ConstImageWords image,
               BankWords words = {}) {
  int printed[4] = {0, 0, 0, 0};
  bool anyNonZero = false;
  const int count = conversionCount(line.format);
  for (int i = 0; i < count; ++i) {
    const ItemRow* row = findRow(tables, line.values[i].tag);
    const std::uint32_t code = row != nullptr ? decodeRow(*row, image, words) : 0;
    anyNonZero = anyNonZero || code != 0;
    printed[i] = static_cast<int>(fromCode(line.values[i].conversion, code));
  }
  if (line.when == When::kAnyNonZero && !anyNonZero) return;
  std::fprintf(out, line.format, printed[0], printed[1], printed[2], printed[3]);
}

void writeChipRegisterLine(std::FILE* out, const ChipRegisterLine& line, const ReadBackState& state,
                           blocks::ConstImageWords image) {
  if (!ReadBackState::isSet(state.chipWords[line.word])) return;
  const ItemRow* row = findGencfgRow(line.item);
  const std::uint32_t field = row != nullptr ? decodeRow(*row, image) : 0;
  std::fprintf(out, line.format, static_cast<int>(field + line.add));
}

/// The bank's class from its first word: its type, BankType::kNone for an
/// unset word, or nothing when the bits name no type.
std::optional<BankType> classify(std::uint32_t first, bool emi4) {
  if (!ReadBackState::isSet(first)) return BankType::kNone;
  if (!emi4) {
    // Order: bit 0, then bit 1, else DRAM.
    if ((first & 1u) != 0) return BankType::kPeripheral;
    if ((first & 2u) != 0) return BankType::kSdram;
    return BankType::kDram;
  }
  // Order: bits 0 and 1 both, then bit 0 or bit 2, then bit 1.
  if ((first & 3u) == 3u) return BankType::kMpx;
  if ((first & 5u) != 0) return BankType::kPeripheral;
  if ((first & 2u) != 0) return BankType::kSdram;
  return std::nullopt;
}

/// Whether the SDRAM mode word of `bank` was written by the read.
bool modeWordSet(const ReadBackState& state, int bank, bool emi4) {
  if (emi4) return ReadBackState::isSet(state.chipWords[chip_word::kEmi4Mode]);
  return ReadBackState::isSet(
      state.chipWords[bank == 1 ? chip_word::kEmi23ModeBank1 : chip_word::kEmi23Mode]);
}

void writeBank(ReadBackState& state, int bank, bool emi4, blocks::ConstImageWords image) {
  const std::optional<BankType> found = classify(state.bankWords[4 * static_cast<std::size_t>(bank)], emi4);
  // An EMI4 first word with none of bits 0 to 2 set names no type: the
  // previous bank's classification stays in force (none before bank 0).
  if (found) state.bankClass = *found;
  const BankLines* lines = bankLines(state.bankClass, emi4);
  if (lines == nullptr) return;
  std::fprintf(state.out, "\n\nemi  -bank %d -type %s\n", bank, typeName(state.bankClass));
  const BankWords words = *(emi4 ? catalogue::emi4BankWords(bank) : catalogue::emi23BankWords(bank));
  for (const ParameterLine& line : lines->lines) writeLine(state.out, line, lines->tables, image, words);
  if (lines->modeLine != nullptr && modeWordSet(state, bank, emi4)) {
    writeLine(state.out, *lines->modeLine, lines->tables, image, words);
  }
  if (state.bankClass == BankType::kMpx) {
    // Registers 1 to 3 of an MPX bank are written whole.
    for (int reg = 1; reg <= 3; ++reg) {
      const std::uint32_t word =
          state.bankWords[4 * static_cast<std::size_t>(bank) + static_cast<std::size_t>(reg)];
      if (ReadBackState::isSet(word) && word != 0) {
        std::fprintf(state.out, "emi  -regnum %d -regvalue 0x%x\n", reg, static_cast<unsigned>(word));
      }
    }
  }
}

// Order: base address, bank count, lock, general configuration, then the
// refresh interval and clock registers.
void writeEmi4ChipLines(const ReadBackState& state, blocks::ConstImageWords image) {
  const RunSettings& run = settings();
  std::FILE* out = state.out;
  if (state.emi4Base != 0)
    std::fprintf(out, "emi  -base-address 0x%x\n", static_cast<unsigned>(state.emi4Base));
  if (state.fourBanks) std::fprintf(out, "emi  -numofbanks 4\n");
  writeChipRegisterLine(out, kEmi4LockLine, state, image);
  const std::uint32_t gencfg = state.chipWords[chip_word::kEmi4Gencfg];
  if (ReadBackState::isSet(gencfg)) {
    if (run.chipNumber == 7027) {
      for (const ParameterLine& line : kGencfgLines) writeLine(out, line, kGencfgTables, image);
    } else {
      std::fprintf(out, "emi  -gencfg 0x%x\n", static_cast<unsigned>(gencfg));
    }
  }
  for (const ChipRegisterLine& line : kEmi4ClockLines) writeChipRegisterLine(out, line, state, image);
}

void writePadlogicLines(const ReadBackState& state, blocks::ConstImageWords image) {
  std::FILE* out = state.out;
  if (ReadBackState::isSet(state.chipWords[chip_word::kEmi23Padlogic])) {
    std::fprintf(out, "\n\n");
    for (const ParameterLine& line : kPadlogicLines) writeLine(out, line, kPadlogicTables, image);
  }
  // The note stands on its own: it is written whether or not the padlogic
  // word was read.
  const std::uint32_t withdrawn = state.chipWords[chip_word::kEmi23Withdrawn];
  if (ReadBackState::isSet(withdrawn)) {
    std::fprintf(out, "\n## note: %s 0x%x to register 0x2064 withdrawn\n", settings().pokeCommand.c_str(),
                 static_cast<unsigned>(withdrawn));
  }
}

constexpr const char* kHashLine =
    "##############################################################################";

}  // namespace

void writeParameters(ReadBackState& state, const std::optional<std::string>& path) {
  if (!state.sourceFile) {
    support::out("%s: Error: missing read file\n", kProgramName);
    return;
  }
  const std::string name = path ? *path : support::format("%s.dat", state.procName.value_or("").c_str());
  support::FilePtr file = support::openFile(name.c_str(), "w");
  if (!file) {
    support::out("%s: Error: can't open parameter file\n", kProgramName);
    return;
  }
  // The header, then the procedure-name line, whose line feed comes with the
  // first parameter line.
  std::fprintf(file.get(), "\n%s\n##\n## EMI configuration Parameters file \n##\n%s\n\n", kHashLine,
               kHashLine);
  std::fprintf(file.get(), "## Following Parameters read from file %s", state.sourceFile->c_str());
  std::fprintf(file.get(), "\n\nemi  -proc-name %s ", state.procName.value_or("").c_str());
  state.out = file.get();
  writeParameterLines(state);
  state.out = stdout;
  if (!support::closeFile(file)) support::out("%s: Error: closing parameter file\n", kProgramName);
  settings().readMode = false;
}

// Order: the chip line; on EMI4 the chip-wide lines; the banks in bank order;
// on EMI2/3 the padlogic lines and the 0x2064 note.
void writeParameterLines(ReadBackState& state) {
  const RunSettings& run = settings();
  const bool emi4 = run.emiGeneration == 4;
  const bool bank0Set = ReadBackState::isSet(state.bankWords[0]);
  if (bank0Set) {
    if (run.chipNumber != 0) {
      std::fprintf(state.out, "\nemi  -chip %s\n", run.chipName.c_str());
    } else {
      std::fprintf(state.out, "\nemi  -chip EMI%d\n", run.emiGeneration);
    }
  }
  const blocks::RegisterImage image = emi4 ? emi4Image(state) : emi23Image(state);
  int banks = 4;
  if (emi4) {
    constexpr std::size_t kBank4FirstWord = 16;  // bank 4, register 0
    state.fourBanks = bank0Set && !ReadBackState::isSet(state.bankWords[kBank4FirstWord]);
    writeEmi4ChipLines(state, image);
    banks = state.fourBanks ? 4 : 6;
  }
  state.bankClass = BankType::kNone;
  for (int bank = 0; bank < banks; ++bank) writeBank(state, bank, emi4, image);
  if (!emi4) writePadlogicLines(state, image);
}

}  // namespace varda::front
