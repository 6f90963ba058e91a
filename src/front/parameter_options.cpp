#include "front/parameter_options.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "blocks/item_tags.h"
#include "blocks/register_image.h"
#include "front/bank_manager.h"
#include "front/messages.h"
#include "front/number_text.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "front/value_conversions.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {
namespace {

using options::kContinue;
namespace image_word = blocks::image_word;
namespace tag = blocks::tag;

constexpr BankType kDram = BankType::kDram;
constexpr BankType kSdram = BankType::kSdram;
constexpr BankType kPeripheral = BankType::kPeripheral;
constexpr BankType kMpx = BankType::kMpx;
constexpr BankType kNoType = BankType::kNone;

// ---------------------------------------------------------------------------
// Bank parameters.

/// What an option does in one generation for one bank type.
enum Action : std::uint32_t {
  kNothing = 0,       // the option silently does nothing
  kNotSupported = 1,  // "not supported by chip" (when a chip is selected)
  kWrongType = 2,     // "incorrect bank type" for the option's fallback type
  // any value from 1000 on is the tag of the item to set
};

/// A value the item's own range would accept but the option refuses first,
/// with a numbered warning of type 1 and nothing set.
enum class Guard {
  kNone,
  kNonZero,    // 0 refused
  kOneOrFour,  // only 1 and 4
  kAtLeastTwo  // below 2 refused
};

/// The item one option sets for one bank type, per generation.
struct Cell {
  std::uint32_t gen2;
  std::uint32_t gen3;
  std::uint32_t gen4;
  Conversion conversion = Conversion::kNone;
  Guard guard = Guard::kNone;  // applies on EMI4 only
};

/// A cell for an option that has no item for a bank type: the fallback type's
/// cell then applies, and the bank-type check refuses it.
constexpr Cell kAbsent = {kWrongType, kWrongType, kWrongType};
/// A cell for an option that silently does nothing for a bank type.
constexpr Cell kIgnored = {kNothing, kNothing, kNothing};

/// Same tag on every generation.
constexpr Cell all(std::uint32_t tag, Conversion conversion = Conversion::kNone) {
  return {tag, tag, tag, conversion};
}
/// One tag on EMI2/3, another on EMI4.
constexpr Cell split(std::uint32_t emi23, std::uint32_t emi4, Conversion conversion = Conversion::kNone) {
  return {emi23, emi23, emi4, conversion};
}
/// EMI4 only; not supported on EMI2/3.
constexpr Cell emi4Only(std::uint32_t tag, Conversion conversion = Conversion::kNone,
                        Guard guard = Guard::kNone) {
  return {kNotSupported, kNotSupported, tag, conversion, guard};
}

/// One bank parameter option: its cell for each bank type and the type whose
/// cell applies (and that the bank must have) when the bank's own is absent.
struct BankParameterRow {
  const char* option;
  bool hex;  // value in hexadecimal
  BankType fallbackType;
  Cell dram;
  Cell sdram;
  Cell peripheral;
  Cell mpx;
};

constexpr Conversion kPortSize = Conversion::kPortSize;
constexpr Conversion kOneTwo = Conversion::kOneTwo;
constexpr Conversion kSubBanks = Conversion::kSubBanks;
constexpr Conversion kPlusOne = Conversion::kPlusOne;

// Rows with a DRAM cell apply only on EMI2/3 (EMI4 has no DRAM banks), rows
// with an MPX cell only on EMI4. "Current" options have a cell for every type.
// clang-format off
constexpr BankParameterRow kBankParameters[] = {
    // option            hex    fallback     DRAM                                  SDRAM                                          Peripheral                 MPX
    {"datadrivedelay",   false, kNoType,     all(1050),                            {kNotSupported, 1126, kNotSupported},          split(1104, 1165),         kIgnored},
    {"latchpoint",       false, kNoType,     all(1087),                            kIgnored,                                      split(1103, 1164),         kIgnored},
    {"refreshrasedge",   false, kSdram,      all(1085, kOneTwo),                   split(1131, 1196),                             kAbsent,                   kAbsent},
    {"refreshtime",      false, kSdram,      all(1085, kOneTwo),                   split(1131, 1196),                             kAbsent,                   kAbsent},
    {"refreshinterval",  false, kSdram,      all(1086),                            {kNothing, 1132, kNothing},                    {kNothing, kWrongType, kNothing}, {kNothing, kWrongType, kNothing}},
    {"busreleasetime",   false, kNoType,     all(1084),                            split(1127, 1190),                             split(1105, 1166),         {kNothing, kNothing, 1151, kPlusOne}},
    {"prechargetime",    false, kNoType,     all(1091),                            split(1133, 1194),                             kIgnored,                  kIgnored},
    {"shiftamount",      false, kNoType,     all(1098),                            all(1135),                                     kIgnored,                  kIgnored},
    {"rasbits",          true,  kNoType,     all(1088),                            split(1134, 1193),                             kIgnored,                  kIgnored},
    {"portsize",         false, kNoType,     all(1089, kPortSize),                 all(1137, kPortSize),                          all(1102, kPortSize),      kIgnored},
    {"multibyte",        false, kNoType,     all(1094),                            kIgnored,                                      kIgnored,                  kIgnored},
    {"subbanksize",      false, kNoType,     all(1096, Conversion::kDramSubBankSize), split(1138, 1192, Conversion::kSdramSubBankSize), kIgnored,         kIgnored},
    {"subbanks",         false, kNoType,     all(1092, kSubBanks),                 split(1139, 1191, kSubBanks),                  kIgnored,                  kIgnored},
    {"activatetoread",   false, kSdram,      kAbsent,                              split(1140, 1197),                             kAbsent,                   kAbsent},
    {"activatetowrite",  false, kSdram,      kAbsent,                              split(1141, 1198),                             kAbsent,                   kAbsent},
    {"case1time",        false, kDram,       all(1093),                            kAbsent,                                       kAbsent,                   kAbsent},
    {"case2time",        false, kDram,       all(1090),                            kAbsent,                                       kAbsent,                   kAbsent},
    {"rase1time",        false, kDram,       all(1100),                            kAbsent,                                       kAbsent,                   kAbsent},
    {"rase2time",        false, kDram,       all(1099),                            kAbsent,                                       kAbsent,                   kAbsent},
    {"castime",          false, kDram,       all(1097),                            kAbsent,                                       kAbsent,                   kAbsent},
    {"rastime",          false, kDram,       all(1095),                            kAbsent,                                       kAbsent,                   kAbsent},
    {"modesetdelay",     false, kSdram,      kAbsent,                              split(1128, 1195),                             kAbsent,                   kAbsent},
    {"bursttype",        false, kSdram,      kAbsent,                              {kNotSupported, 1145, 1145},                   kAbsent,                   kAbsent},
    {"burstlength",      false, kSdram,      kAbsent,                              {kNotSupported, 1146, 1146},                   kAbsent,                   kAbsent},
    {"drambanks",        false, kSdram,      kAbsent,                              all(1136),                                     kAbsent,                   kAbsent},
    {"writerecoverytime", false, kSdram,     kAbsent,                              {1144, 1144, 1200, Conversion::kNone, Guard::kNonZero}, kAbsent,          kAbsent},
    {"accesstimeread",   false, kPeripheral, kAbsent,                              kAbsent,                                       split(1108, 1169),         kAbsent},
    {"accesstimewrite",  false, kPeripheral, kAbsent,                              kAbsent,                                       split(1107, 1177),         kAbsent},
    {"cse1timeread",     false, kPeripheral, kAbsent,                              kAbsent,                                       split(1112, 1170),         kAbsent},
    {"cse2timeread",     false, kPeripheral, kAbsent,                              kAbsent,                                       split(1113, 1171),         kAbsent},
    {"oee1timeread",     false, kPeripheral, kAbsent,                              kAbsent,                                       split(1116, 1172),         kAbsent},
    {"oee2timeread",     false, kPeripheral, kAbsent,                              kAbsent,                                       split(1118, 1173),         kAbsent},
    {"bee1timeread",     false, kPeripheral, kAbsent,                              kAbsent,                                       split(1122, 1174),         kAbsent},
    {"bee2timeread",     false, kPeripheral, kAbsent,                              kAbsent,                                       split(1120, 1175),         kAbsent},
    {"cse1timewrite",    false, kPeripheral, kAbsent,                              kAbsent,                                       split(1114, 1178),         kAbsent},
    {"cse2timewrite",    false, kPeripheral, kAbsent,                              kAbsent,                                       split(1115, 1179),         kAbsent},
    {"oee1timewrite",    false, kPeripheral, kAbsent,                              kAbsent,                                       split(1117, 1180),         kAbsent},
    {"oee2timewrite",    false, kPeripheral, kAbsent,                              kAbsent,                                       split(1119, 1181),         kAbsent},
    {"bee1timewrite",    false, kPeripheral, kAbsent,                              kAbsent,                                       split(1123, 1182),         kAbsent},
    {"bee2timewrite",    false, kPeripheral, kAbsent,                              kAbsent,                                       split(1121, 1183),         kAbsent},
    {"csactive",         false, kPeripheral, kAbsent,                              kAbsent,                                       all(1109),                 kAbsent},
    {"oeactive",         false, kPeripheral, kAbsent,                              kAbsent,                                       all(1110),                 kAbsent},
    {"beactive",         false, kPeripheral, kAbsent,                              kAbsent,                                       all(1111),                 kAbsent},
    {"devicetype",       false, kPeripheral, kAbsent,                              kAbsent,                                       emi4Only(1167, Conversion::kNone, Guard::kOneOrFour), kAbsent},
    {"weuseoeconfig",    false, kPeripheral, kAbsent,                              kAbsent,                                       emi4Only(1162),            kAbsent},
    {"cyclenotphaseread", false, kPeripheral, kAbsent,                             kAbsent,                                       emi4Only(1168),            kAbsent},
    {"burstsize",        false, kPeripheral, kAbsent,                              kAbsent,                                       emi4Only(1185, Conversion::kBurstSize), kAbsent},
    {"cyclenotphasewrite", false, kPeripheral, kAbsent,                            kAbsent,                                       emi4Only(1176),            kAbsent},
    {"dataholddelay",    false, kPeripheral, kAbsent,                              kAbsent,                                       emi4Only(1187, kOneTwo),   kAbsent},
    {"datalatency",      false, kPeripheral, kAbsent,                              kAbsent,                                       emi4Only(1186, Conversion::kNone, Guard::kAtLeastTwo), kAbsent},
    {"burstmode",        false, kPeripheral, kAbsent,                              kAbsent,                                       emi4Only(1188),            kAbsent},
    {"waitstatesframe",  false, kMpx,        kAbsent,                              kAbsent,                                       kAbsent,                   emi4Only(1152)},
    {"extendedmpx",      false, kMpx,        kAbsent,                              kAbsent,                                       kAbsent,                   emi4Only(1150)},
    {"waitstateswrite",  false, kMpx,        kAbsent,                              kAbsent,                                       kAbsent,                   emi4Only(1154)},
    {"waitstatesread",   false, kMpx,        kAbsent,                              kAbsent,                                       kAbsent,                   emi4Only(1153)},
};
// clang-format on

const BankParameterRow* findBankParameter(std::string_view option) {
  for (const auto& row : kBankParameters) {
    if (option == row.option) return &row;
  }
  return nullptr;
}

// A bank without a block (only a bank number that the generation lacks, such
// as bank 4 or 5 kept after changing from an EMI4 chip to an EMI2/3 chip) has
// no cell of its own: an option with a required type then reports the
// incorrect bank type, and an option that follows the bank's own type does
// nothing.
const Cell& cellFor(const BankParameterRow& row, BankType type) {
  switch (type) {
    case BankType::kDram: return row.dram;
    case BankType::kSdram: return row.sdram;
    case BankType::kPeripheral: return row.peripheral;
    case BankType::kMpx: return row.mpx;
    case BankType::kNone: break;
  }
  return row.fallbackType == kNoType ? kIgnored : kAbsent;
}

std::uint32_t actionFor(const Cell& cell) {
  switch (settings().emiGeneration) {
    case 2: return cell.gen2;
    case 3: return cell.gen3;
    default: return cell.gen4;
  }
}

bool guardRefuses(Guard guard, std::uint32_t value) {
  switch (guard) {
    case Guard::kNonZero: return value == 0;
    case Guard::kOneOrFour: return value != 1 && value != 4;
    case Guard::kAtLeastTwo: return value < 2;
    case Guard::kNone: break;
  }
  return false;
}

void reportIncorrectType(const std::string& option) {
  support::out("%s: Error: incorrect bank type for option -%s\n", kProgramName, option.c_str());
}

/// Sets a bank item and prints the numbered warning of a refused value.
void setAndReport(std::uint32_t tag, std::uint32_t value, BankType type, const std::string& option,
                  const std::string& text) {
  const SetResult result = bankManager().setBankItem(tag, value, type, option);
  if (result != SetResult::kAccepted) warnRange(result, option, text);
}

// The order of the steps: choose the cell by the bank's type (the fallback
// type's when the bank's own is absent), then by generation: not supported,
// nothing, wrong type, or the item. A guarded value (-writerecoverytime 0,
// -devicetype other than 1 or 4, -datalatency below 2 on EMI4) is refused
// before the item is set at all, so also before the bank-type and lock checks
// of the bank manager: the value check comes first and the setting follows it.
void applyBankParameter(const BankParameterRow& row, const std::string& option, const std::string& text) {
  const BankType bankType = bankManager().currentBankType();
  const Cell* cell = &cellFor(row, bankType);
  BankType type = bankType;
  if (actionFor(*cell) == kWrongType && row.fallbackType != kNoType) {
    type = row.fallbackType;
    cell = &cellFor(row, type);
  }
  const std::uint32_t action = actionFor(*cell);
  if (action == kNothing) return;
  if (action == kNotSupported) {
    warnNotSupported(option);
    return;
  }
  if (action == kWrongType) {
    reportIncorrectType(option);
    return;
  }
  const std::uint32_t value = toCode(cell->conversion, row.hex ? hexValue(text) : decimalValue(text));
  if (settings().emiGeneration == 4 && guardRefuses(cell->guard, value)) {
    warnRange(SetResult::kOwnCheckFailed, option, text);
    return;
  }
  setAndReport(action, value, type, option, text);
}

// ---------------------------------------------------------------------------
// Chip-wide parameters.

/// When an option prints "not supported" before it acts.
enum class Warn {
  kNever,
  kChipSelected,     // a chip is selected
  kChipNot7025,      // a chip other than 7025 is selected
  kChipNot7027,      // a chip other than 7027 is selected
  kGen3WithChip,     // generation 3 and a chip is selected
  kNotGen3WithChip,  // not generation 3 and a chip is selected
};

/// What a chip-wide option does in one generation: warn, then set an item of
/// the chip-wide block, store a whole register, or nothing.
struct ChipCell {
  Warn warn;
  enum Target {
    kNone,
    kItem,
    kRegister
  } target;
  std::uint32_t number;  // item tag or register index
  std::uint32_t max;     // largest value a whole register takes
};

/// One chip-wide option: EMI2/3 (padlogic) and EMI4 (general configuration).
struct ChipParameterRow {
  const char* option;
  Conversion conversion;
  ChipCell emi23;
  ChipCell emi4;
};

constexpr ChipCell padlogicItem(std::uint32_t tag, Warn warn = Warn::kNever) {
  return {warn, ChipCell::kItem, tag, 0};
}
constexpr ChipCell gencfgItem(std::uint32_t tag) { return {Warn::kChipNot7027, ChipCell::kItem, tag, 0}; }
constexpr ChipCell clockRegister(std::uint32_t index, std::uint32_t max) {
  return {Warn::kNever, ChipCell::kRegister, index, max};
}
constexpr ChipCell unsupported(Warn warn = Warn::kChipSelected) { return {warn, ChipCell::kNone, 0, 0}; }
// Gencfg options on EMI2/3 warn unless the chip is 7027, and set nothing.
constexpr ChipCell kNoGencfg = {Warn::kChipNot7027, ChipCell::kNone, 0, 0};

// -clocktristate, -bank3subdecode and -subbanksize-padlogic have no EMI4
// form. Their padlogic tags (10, 7, 8) would address Bank4AddShift,
// Bank1AddShift and Bank2AddShift of the general configuration there, so on
// EMI4 they print "not supported" and set nothing rather than change
// unrelated bits.
// clang-format off
constexpr ChipParameterRow kChipParameters[] = {
    // option                conversion                    EMI2/3                                   EMI4
    {"mpeg",                 Conversion::kNone,           padlogicItem(4, Warn::kGen3WithChip),    unsupported()},
    {"mwait",                Conversion::kNone,           padlogicItem(5),                         unsupported()},
    {"mshift0",              Conversion::kNone,           padlogicItem(0),                         unsupported()},
    {"mshift1",              Conversion::kNone,           padlogicItem(1),                         unsupported()},
    {"mshift2",              Conversion::kNone,           padlogicItem(2),                         unsupported()},
    {"mshift3",              Conversion::kNone,           padlogicItem(3),                         unsupported()},
    {"clockenable",          Conversion::kNone,           padlogicItem(9, Warn::kChipNot7025),     clockRegister(34, 1)},
    {"clocktristate",        Conversion::kNone,           padlogicItem(10, Warn::kNotGen3WithChip), unsupported()},
    {"bank3subdecode",       Conversion::kNone,           padlogicItem(7, Warn::kChipNot7025),     unsupported(Warn::kChipNot7025)},
    {"subbanksize-padlogic", Conversion::kSubDecodeSize,  padlogicItem(8, Warn::kChipNot7025),     unsupported(Warn::kChipNot7025)},
    {"csa-type",             Conversion::kNone,           kNoGencfg,                               gencfgItem(0)},
    {"csb-type",             Conversion::kNone,           kNoGencfg,                               gencfgItem(1)},
    {"csc-type",             Conversion::kNone,           kNoGencfg,                               gencfgItem(2)},
    {"csd-type",             Conversion::kNone,           kNoGencfg,                               gencfgItem(3)},
    {"emi-wait",             Conversion::kNone,           kNoGencfg,                               gencfgItem(4)},
    {"bank0addshift",        Conversion::kNone,           kNoGencfg,                               gencfgItem(5)},
    {"bank1addshift",        Conversion::kNone,           kNoGencfg,                               gencfgItem(7)},
    {"bank2addshift",        Conversion::kNone,           kNoGencfg,                               gencfgItem(8)},
    {"bank3addshift",        Conversion::kNone,           kNoGencfg,                               gencfgItem(9)},
    {"bank4addshift",        Conversion::kNone,           kNoGencfg,                               gencfgItem(10)},
    {"bank5subdecode",       Conversion::kNone,           kNoGencfg,                               gencfgItem(11)},
    {"bank5subbanksize",     Conversion::kSubDecodeSize,  kNoGencfg,                               gencfgItem(12)},
    {"emi-ackreq",           Conversion::kRetimeStages,   kNoGencfg,                               gencfgItem(13)},
    {"emi-reqGnt",           Conversion::kRetimeStages,   kNoGencfg,                               gencfgItem(14)},
    {"emi-intbusreq",        Conversion::kNone,           kNoGencfg,                               gencfgItem(15)},
    {"bootindicator",        Conversion::kNone,           kNoGencfg,                               gencfgItem(16)},
    {"dack0",                Conversion::kNone,           kNoGencfg,                               gencfgItem(17)},
    {"dack1",                Conversion::kNone,           kNoGencfg,                               gencfgItem(18)},
    {"flashclksel",          Conversion::kNone,           unsupported(),                           clockRegister(31, 2)},
    {"sdramclksel",          Conversion::kNone,           unsupported(),                           clockRegister(32, 2)},
    {"mpxclksel",            Conversion::kNone,           unsupported(),                           clockRegister(33, 2)},
};
// clang-format on

bool warns(Warn warn) {
  const RunSettings& run = settings();
  const bool chip = run.chipNumber != 0;
  switch (warn) {
    case Warn::kNever: return false;
    case Warn::kChipSelected: return chip;
    case Warn::kChipNot7025: return chip && run.chipNumber != 7025;
    case Warn::kChipNot7027: return chip && run.chipNumber != 7027;
    case Warn::kGen3WithChip: return chip && run.emiGeneration == 3;
    case Warn::kNotGen3WithChip: return chip && run.emiGeneration != 3;
  }
  return false;
}

void applyChipParameter(const ChipParameterRow& row, const std::string& option, const std::string& text) {
  const bool emi4 = settings().emiGeneration == 4;
  const ChipCell& cell = emi4 ? row.emi4 : row.emi23;
  if (warns(cell.warn)) warnNotSupported(option);
  if (cell.target == ChipCell::kItem) {
    const SetResult result =
        bankManager().setChipItem(cell.number, toCode(row.conversion, decimalValue(text)));
    if (result != SetResult::kAccepted) {
      support::out(emi4 ? "%s: Warning type %d: option -%s in Gencfg register, invalid range entry %s\n"
                        : "%s: Warning type %d: option -%s in Padlogic, invalid range entry %s\n",
                   kProgramName, static_cast<int>(result), option.c_str(), text.c_str());
    }
  } else if (cell.target == ChipCell::kRegister) {
    // A whole register, in hexadecimal, after its own range check.
    if (hexValue(text) > cell.max) {
      warnInvalidEntry(text, option);
    } else {
      bankManager().setChipRegister(cell.number, text);
    }
  }
}

// ---------------------------------------------------------------------------
// Special cases.

using tag::kBurstLength;
using tag::kBurstType;
using tag::kCasLatency;
using tag::kCasLatencyEmi4;
using tag::kLatencyMode;
using tag::kLatencyModeEmi4;
using tag::kSdramModeReg;

/// One latency item and the option name it is set under (named in the
/// bank-type error).
struct LatencyStep {
  std::uint32_t tag;
  const char* option;
};

/// The two latency items that -caslatency and -latencymode set, in order.
struct LatencyRow {
  const char* option;
  int generation;
  LatencyStep first;
  LatencyStep second;
};

// clang-format off
constexpr LatencyRow kLatencySteps[] = {
    {"caslatency",  3, {kCasLatency, "caslatency"},       {kLatencyMode, "latencymode"}},
    {"caslatency",  4, {kLatencyModeEmi4, "latencymode"}, {kCasLatencyEmi4, "caslatency"}},
    {"latencymode", 3, {kLatencyMode, "latencymode"},     {kCasLatency, "caslatency"}},
    {"latencymode", 4, {kLatencyModeEmi4, "latencymode"}, {kCasLatencyEmi4, "caslatency"}},
};
// clang-format on

}  // namespace

int setBankParameter(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  if (const BankParameterRow* row = findBankParameter(option))
    applyBankParameter(*row, option, value.value_or(""));
  return kContinue;
}

int setRefreshInterval(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  if (settings().emiGeneration == 4 && bankManager().currentBankType() != kDram) {
    // EMI4 keeps the refresh interval in a chip-wide register, as value - 1.
    const std::uint32_t interval = decimalValue(text);
    if (interval < 8 || interval > 4096) {
      warnInvalidEntry(text, option);
    } else {
      bankManager().setChipRegister(image_word::kEmi4Refresh, support::format("%x", interval - 1));
    }
    return kContinue;
  }
  applyBankParameter(*findBankParameter("refreshinterval"), option, text);
  return kContinue;
}

int setLatency(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  const int generation = settings().emiGeneration;
  if (generation == 2) {
    warnNotSupported(option);
    return kContinue;
  }
  // Both items get the value; only the second result is reported, under the
  // option that was given.
  for (const auto& row : kLatencySteps) {
    if (option != row.option || generation != row.generation) continue;
    const std::uint32_t latency = decimalValue(text);
    bankManager().setBankItem(row.first.tag, latency, kSdram, row.first.option);
    const SetResult result = bankManager().setBankItem(row.second.tag, latency, kSdram, row.second.option);
    if (result != SetResult::kAccepted) warnRange(result, option, text);
  }
  return kContinue;
}

int setSdramModeRegister(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  const std::uint32_t word = hexValue(text);
  BankManager& banks = bankManager();
  const SetResult result = banks.setBankItem(kSdramModeReg, word, kSdram, option);
  if (result != SetResult::kAccepted) {
    warnRange(result, option, text);
    return kContinue;
  }
  // The mode register word: bits 6..4 CAS latency, bit 3 burst type, bits 2..0 burst length.
  const std::uint32_t latency = word >> 4 & 7u;
  banks.setBankItem(kBurstType, word >> 3 & 1u, kSdram, "bursttype");
  banks.setBankItem(kBurstLength, word & 7u, kSdram, "burstlength");
  // Latency goes where -caslatency and -latencymode put it, on generations 3
  // and 4; generation 2 supports neither, so an SDRAM bank kept after changing
  // to a generation-2 chip takes the burst fields alone.
  const int generation = settings().emiGeneration;
  if (generation == 4) {
    banks.setBankItem(kLatencyModeEmi4, latency, kSdram, "latencymode");
    banks.setBankItem(kCasLatencyEmi4, latency, kSdram, "caslatency");
  } else if (generation == 3) {
    banks.setBankItem(kCasLatency, latency, kSdram, "caslatency");
    banks.setBankItem(kLatencyMode, latency, kSdram, "latencymode");
  }
  return kContinue;
}

int setStrobeEdge(OptText name, OptText value, Selector selector) {
  const std::string option = name.value_or("");
  const std::string text = value.value_or("");
  RunSettings& run = settings();
  if (run.emiGeneration != 4) {
    warnNotSupported(option);
    return kContinue;
  }
  const bool waitPolarity = selector.isSet();
  const std::uint32_t edge = decimalValue(text);
  BankManager& banks = bankManager();
  switch (banks.currentBankType()) {
    case BankType::kSdram: {
      // Every SDRAM bank takes the value, whichever of the two options was given.
      const int current = run.currentBank;
      SetResult result = SetResult::kAccepted;
      for (int bank = 0; bank < run.emi4BankCount; ++bank) {
        run.currentBank = bank;
        if (banks.currentBankType() == kSdram) {
          result = banks.setBankItem(tag::kSdramStrobeOnFalling, edge, kSdram, option);
        }
      }
      run.currentBank = current;
      if (result != SetResult::kAccepted) warnRange(result, option, text);
      break;
    }
    case BankType::kPeripheral:
      setAndReport(waitPolarity ? tag::kWaitPolarity : tag::kStrobeOnFalling, edge, kPeripheral, option,
                   text);
      break;
    case BankType::kMpx:
      setAndReport(waitPolarity ? tag::kMpxWaitPolarity : tag::kMpxStrobeOnFalling, edge, kMpx, option, text);
      break;
    case BankType::kDram:
    case BankType::kNone: break;
  }
  return kContinue;
}

int setChipParameter(OptText name, OptText value, Selector) {
  const std::string option = name.value_or("");
  for (const auto& row : kChipParameters) {
    if (option == row.option) applyChipParameter(row, option, value.value_or(""));
  }
  return kContinue;
}

}  // namespace varda::front
