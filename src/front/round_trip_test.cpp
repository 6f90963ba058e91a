// Round trip: a configuration made by options, written as a procedure, read
// back through the interpreter into a parameters file, whose emi lines run as
// a script set the configuration again: written again, it is the same file.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "front/command_bridge.h"
#include "front/entry.h"
#include "front/parameters_writer.h"
#include "front/procedure_writer.h"
#include "front/read_back_state.h"
#include "front/read_mode.h"
#include "front/read_test_util.h"
#include "front/run_state.h"
#include "front/temp_file.h"
#include "support/format.h"

namespace varda::front {
namespace {

// ---------------------------------------------------------------------------
// Configurations.

/// A parameter option and the values it is tried with (some of them out of
/// range, which the option refuses both times alike).
struct ParamSpec {
  const char* option;
  std::vector<std::uint32_t> values;  // empty: any hexadecimal number up to hexHigh
  std::uint32_t hexHigh = 0;
  std::uint32_t hexSetBits = 0;  // bits every hexadecimal number has
};

std::vector<std::uint32_t> range(std::uint32_t low, std::uint32_t high) {
  std::vector<std::uint32_t> values;
  for (std::uint32_t v = low; v <= high; ++v) values.push_back(v);
  return values;
}

const std::vector<std::uint32_t> kPortSizes = {8, 16, 32, 12};
const std::vector<std::uint32_t> kBits = {0, 1};

// clang-format off
const std::vector<ParamSpec> kPeripheralEmi23 = {
    {"datadrivedelay", range(0, 8)}, {"busreleasetime", range(0, 3)}, {"csactive", range(0, 3)},
    {"oeactive", range(0, 3)},       {"beactive", range(0, 3)},       {"portsize", kPortSizes},
    {"accesstimeread", range(1, 17)}, {"accesstimewrite", range(2, 18)}, {"cse1timeread", range(0, 3)},
    {"cse2timeread", range(0, 3)},   {"oee1timeread", range(0, 3)},   {"oee2timeread", range(0, 3)},
    {"bee1timeread", range(0, 3)},   {"bee2timeread", range(0, 3)},   {"cse1timewrite", range(0, 3)},
    {"cse2timewrite", range(0, 3)},  {"oee1timewrite", range(0, 3)},  {"oee2timewrite", range(0, 3)},
    {"bee1timewrite", range(0, 3)},  {"bee2timewrite", range(0, 3)},  {"latchpoint", range(0, 3)},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kDram = {
    {"datadrivedelay", kBits},       {"busreleasetime", range(1, 2)}, {"subbanks", {1, 2, 4}},
    {"subbanksize", {256, 1, 4, 16}}, {"shiftamount", range(7, 14)},  {"portsize", kPortSizes},
    {"rasbits", {}, 0x7fffff},       {"prechargetime", range(1, 8)},  {"refreshinterval", range(1, 16)},
    {"refreshrasedge", {1, 2}},      {"refreshtime", {1, 2}},         {"rastime", {1, 2}},
    {"castime", range(2, 5)},        {"rase1time", {1, 2}},           {"rase2time", range(0, 3)},
    {"case1time", range(1, 4)},      {"case2time", range(0, 3)},      {"multibyte", kBits},
    {"latchpoint", kBits},
};
// clang-format on

// The latency and burst options come before the final -sdrammodereg of each
// SDRAM bank, which sets them all again.
// clang-format off
const std::vector<ParamSpec> kSdramEmi23 = {
    {"datadrivedelay", kBits},        {"busreleasetime", range(1, 2)},   {"subbanks", {1, 2, 4}},
    {"subbanksize", {16, 32, 64, 128, 256}}, {"shiftamount", range(7, 14)}, {"portsize", kPortSizes},
    {"rasbits", {}, 0x7fffff},        {"prechargetime", range(1, 8)},    {"refreshinterval", range(1, 16)},
    {"modesetdelay", range(3, 4)},    {"refreshtime", range(1, 16)},     {"activatetoread", range(1, 4)},
    {"activatetowrite", range(1, 4)}, {"drambanks", kBits},              {"writerecoverytime", range(1, 3)},
    {"caslatency", range(1, 4)},      {"latencymode", range(1, 4)},      {"bursttype", kBits},
    {"burstlength", range(0, 7)},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kPeripheralEmi4 = {
    {"weuseoeconfig", kBits},           {"waitpolarity", kBits},           {"latchpoint", range(0, 16)},
    {"datadrivedelay", range(0, 31)},   {"busreleasetime", range(0, 15)},  {"csactive", range(0, 3)},
    {"oeactive", range(0, 3)},          {"beactive", range(0, 3)},         {"portsize", kPortSizes},
    {"devicetype", {1, 4, 2}},          {"cyclenotphaseread", kBits},      {"accesstimeread", range(2, 127)},
    {"cse1timeread", range(0, 15)},     {"cse2timeread", range(0, 15)},    {"oee1timeread", range(0, 15)},
    {"oee2timeread", range(0, 15)},     {"bee1timeread", range(0, 15)},    {"bee2timeread", range(0, 15)},
    {"cyclenotphasewrite", kBits},      {"accesstimewrite", range(2, 127)}, {"cse1timewrite", range(0, 15)},
    {"cse2timewrite", range(0, 15)},    {"oee1timewrite", range(0, 15)},   {"oee2timewrite", range(0, 15)},
    {"bee1timewrite", range(0, 15)},    {"bee2timewrite", range(0, 15)},   {"strobeonfalling", kBits},
    {"burstsize", {2, 4, 8, 16, 32, 64, 128}}, {"datalatency", range(1, 17)}, {"dataholddelay", {1, 2}},
    {"burstmode", kBits},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kSdramEmi4 = {
    {"busreleasetime", range(1, 4)},  {"subbanks", {1, 2, 4}},          {"subbanksize", {16, 32, 64, 128, 256}},
    {"shiftamount", range(7, 14)},    {"portsize", kPortSizes},         {"rasbits", {}, 0x7fffff},
    {"prechargetime", range(1, 16)},  {"modesetdelay", range(3, 6)},    {"refreshtime", range(1, 32)},
    {"activatetoread", range(1, 8)},  {"activatetowrite", range(1, 8)}, {"drambanks", kBits},
    {"writerecoverytime", range(0, 7)}, {"caslatency", range(1, 8)},    {"latencymode", range(1, 8)},
    {"bursttype", kBits},             {"burstlength", range(0, 7)},     {"strobeonfalling", kBits},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kMpx = {
    {"strobeonfalling", kBits},        {"waitpolarity", kBits},          {"extendedmpx", kBits},
    {"busreleasetime", range(1, 4)},   {"waitstatesframe", range(0, 3)}, {"waitstatesread", range(0, 7)},
    {"waitstateswrite", range(0, 7)},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kPadlogic = {
    {"mpeg", kBits},          {"mwait", kBits},          {"mshift0", kBits},
    {"mshift1", kBits},       {"mshift2", kBits},        {"mshift3", kBits},
    {"clockenable", kBits},   {"clocktristate", kBits},  {"bank3subdecode", kBits},
    {"subbanksize-padlogic", {4, 8, 16, 32, 64, 1000}}, {"padlogic", {}, 0xfff},
};
// clang-format on

// Generation 3 keeps the SDRAM clock tristate bit (11) that its chip line sets.
// clang-format off
const std::vector<ParamSpec> kPadlogicGeneration3 = {
    {"mpeg", kBits},          {"mwait", kBits},          {"mshift0", kBits},
    {"mshift1", kBits},       {"mshift2", kBits},        {"mshift3", kBits},
    {"clockenable", kBits},   {"clocktristate", {1}},    {"bank3subdecode", kBits},
    {"subbanksize-padlogic", {4, 8, 16, 32, 64, 1000}}, {"padlogic", {}, 0xfff, 0x800},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kGencfgItems = {
    {"csa-type", kBits},      {"csb-type", kBits},       {"csc-type", kBits},      {"csd-type", kBits},
    {"emi-wait", range(0, 3)}, {"bank0addshift", kBits}, {"bank1addshift", kBits}, {"bank2addshift", kBits},
    {"bank3addshift", kBits}, {"bank4addshift", kBits},  {"bank5subdecode", kBits},
    {"bank5subbanksize", {4, 8, 16, 32, 64, 1000}},      {"emi-ackreq", range(0, 2)}, {"emi-reqGnt", range(0, 2)},
    {"emi-intbusreq", kBits}, {"bootindicator", kBits},  {"dack0", kBits},         {"dack1", kBits},
};
// clang-format on

// clang-format off
const std::vector<ParamSpec> kEmi4Registers = {
    {"refreshinterval", {8, 9, 100, 4095, 4096}}, {"flashclksel", range(0, 2)}, {"sdramclksel", range(0, 2)},
    {"mpxclksel", range(0, 2)},                   {"clockenable", kBits},
};
// clang-format on

/// Makes the option lines of random configurations of one EMI generation.
///
/// What the parameters file cannot say is left out:
/// - the latency bits of an SDRAM mode register and the bank's CAS latency
///   always agree (the mode line's -latencymode sets the CAS latency again),
///   and SDRAM banks that share one mode register share its value; every
///   SDRAM bank ends with -sdrammodereg, latency 1 to 4 (EMI2/3) or 1 to 7
///   (EMI4, where 8 is stored as 0);
/// - EMI2/3 CAS latency and latency mode only within their range 1 to 4: a
///   value outside it stays set (those two items keep a refused value), the
///   register bits cannot hold it, and every later change in the
///   configuration is refused while it stays;
/// - all EMI4 SDRAM banks have one strobe edge (-strobeonfalling sets every
///   SDRAM bank there is at the time);
/// - no raw -gencfg on chip 7027, whose item lines read the retime-stage
///   code 1 as 0 stages;
/// - EMI4 banks are locked only while they still hold their Peripheral
///   defaults (the lock line comes first and refuses every later parameter);
/// - DRAM only in banks 0 and 1: without a chip banks 2 and 3 take it, but
///   the chip line then names the generation, which refuses it there;
/// - on generation 3 the padlogic SDRAM clock tristate bit stays set and
///   -padlogic-off is not used: the chip line sets that bit and shows the
///   padlogic register again, and the padlogic line that would clear the bit
///   is left out when all its values are 0;
/// - no -regvalue on register 0 of a bank (its device-type bits decide the
///   bank's class).
class ConfigurationMaker {
 public:
  ConfigurationMaker(int generation, std::uint32_t seed) : generation_(generation), random_(seed) {}

  std::vector<std::string> make() {
    lines_.clear();
    chooseChip();
    const int banks = generation_ == 4 ? bankCount_ : 4;
    std::vector<int> types(static_cast<std::size_t>(banks), -1);
    for (int bank = 0; bank < banks; ++bank) {
      if (chance(4)) continue;  // untouched: Peripheral defaults
      types[static_cast<std::size_t>(bank)] = configureBank(bank);
    }
    finishSdramBanks(types);
    chipWide();
    if (generation_ == 4 && chance(3)) lockUntouched(types);
    return lines_;
  }

 private:
  bool chance(int oneIn) { return pick(static_cast<std::uint32_t>(oneIn)) == 0; }
  std::uint32_t pick(std::uint32_t count) {
    return std::uniform_int_distribution<std::uint32_t>(0, count - 1)(random_);
  }
  template <typename T>
  const T& pickFrom(const std::vector<T>& values) {
    return values[pick(static_cast<std::uint32_t>(values.size()))];
  }

  std::string valueText(const ParamSpec& param) {
    if (param.values.empty()) return support::format("%x", pick(param.hexHigh + 1) | param.hexSetBits);
    return std::to_string(pickFrom(param.values));
  }

  /// A few random options of `specs`, as one line after `head`.
  void someOf(const std::string& head, const std::vector<ParamSpec>& specs, int most) {
    std::string line = head;
    const int count = static_cast<int>(pick(static_cast<std::uint32_t>(most) + 1));
    for (int i = 0; i < count; ++i) {
      const ParamSpec& param = pickFrom(specs);
      line += support::format(" -%s %s", param.option, valueText(param).c_str());
    }
    lines_.push_back(line);
  }

  void chooseChip() {
    static const std::vector<std::string> kChips[] = {
        {"7023", "emi2", "EMI2", ""}, {"7021", "7025", "7029", "emi3", "EMI3"}, {"7027", "emi4", "EMI4"}};
    chip_ = pickFrom(kChips[generation_ - 2]);
    if (!chip_.empty()) lines_.push_back("-chip " + chip_);
    if (generation_ != 4) return;
    bankCount_ = chance(3) ? 4 : 6;
    if (bankCount_ == 4) lines_.push_back("-numofbanks 4");
    if (chance(2)) lines_.push_back(support::format("-base-address %x", pick(0xfffff) << 12));
  }

  int bankType(int bank) {
    if (generation_ == 4) return static_cast<int>(pick(3)) + 1;  // SDRAM, Peripheral, MPX
    std::vector<int> types = {2};
    if (bank < 2) types.push_back(0);
    if (generation_ == 3) types.push_back(1);
    return pickFrom(types);
  }

  int configureBank(int bank) {
    const int type = bankType(bank);
    static const char* const kTypeLetters[] = {"D", "S", "P", "M"};
    const std::string head = support::format("-bank %d -type %s", bank, kTypeLetters[type]);
    const bool emi4 = generation_ == 4;
    switch (type) {
      case 0: someOf(head, kDram, 8); break;
      case 1: someOf(head, emi4 ? kSdramEmi4 : kSdramEmi23, 8); break;
      case 2: someOf(head, emi4 ? kPeripheralEmi4 : kPeripheralEmi23, 10); break;
      default: {
        someOf(head, kMpx, 5);
        for (int reg = 1; reg <= 3; ++reg) {
          if (chance(2)) {
            const std::uint32_t word = chance(4) ? 0 : static_cast<std::uint32_t>(random_());
            lines_.push_back(support::format("-bank %d -regnum %d -regvalue %x", bank, reg, word));
          }
        }
      }
    }
    return type;
  }

  /// The mode value of one mode register: latency in bits 6 to 4, burst type
  /// bit 3, burst length bits 2 to 0, and any upper bits.
  std::uint32_t modeValue() {
    const std::uint32_t latency = 1 + pick(generation_ == 4 ? 7 : 4);
    return (pick(0x200) << 7) | (latency << 4) | pick(16);
  }

  void finishSdramBanks(const std::vector<int>& types) {
    // Bank 1 has its own mode register; the other banks share one.
    const std::uint32_t bank1Mode = modeValue();
    const std::uint32_t sharedMode = modeValue();
    int lastSdram = -1;
    for (std::size_t bank = 0; bank < types.size(); ++bank) {
      if (types[bank] != 1) continue;
      lines_.push_back(support::format("-bank %d -sdrammodereg %x", static_cast<int>(bank),
                                       bank == 1 ? bank1Mode : sharedMode));
      lastSdram = static_cast<int>(bank);
    }
    if (generation_ == 4 && lastSdram >= 0) {
      lines_.push_back(support::format("-bank %d -strobeonfalling %d", lastSdram, static_cast<int>(pick(2))));
    }
  }

  void chipWide() {
    if (generation_ != 4) {
      someOf("", generation_ == 3 ? kPadlogicGeneration3 : kPadlogic, 5);
      if (generation_ == 2 && chance(4)) lines_.push_back(chance(2) ? "-padlogic-off" : "-padlogic-on");
      return;
    }
    someOf("", kEmi4Registers, 4);
    if (chip_ == "7027") {
      someOf("", kGencfgItems, 6);
    } else if (chance(2)) {
      lines_.push_back(support::format("-gencfg %x", pick(0x800000)));
    }
  }

  void lockUntouched(const std::vector<int>& types) {
    std::uint32_t mask = 0;
    for (std::size_t bank = 0; bank < types.size(); ++bank) {
      if (types[bank] < 0 && chance(2)) mask |= 1u << bank;
    }
    lines_.push_back(support::format("-lock %x", mask));
  }

  int generation_;
  std::mt19937 random_;
  std::string chip_;
  int bankCount_ = 6;
  std::vector<std::string> lines_;
};

// ---------------------------------------------------------------------------
// The property.

/// The configuration procedure of the current state, as a file would hold it.
std::string writtenProcedure() {
  TempFile file;
  writeConfiguration(file.path());
  return testing::fileText(file.path());
}

void freshRun() { resetRunState(); }

struct Trip {
  std::string first;       // procedure written from the options
  std::string parameters;  // the parameters file read back from it
  std::string second;      // procedure written after running the parameters file as a script
  std::string printed;     // what the run printed on standard output
};

/// The whole trip as a user makes it: the options write a procedure file;
/// "-chip <chip> [-base-address <base>] -read <file> -o <dat>" runs it in the
/// interpreter and writes the parameters file; "<dat> -o <file>" runs that
/// file's emi lines as a script and writes the procedure again.
Trip roundTrip(const std::vector<std::string>& lines) {
  Trip trip;
  TempFile procedure;
  TempFile parameters;
  ::testing::internal::CaptureStdout();
  freshRun();
  settings().interactive = true;
  for (const std::string& line : lines) parseOptionLine(line);
  trip.first = writtenProcedure();
  writeConfiguration(procedure.path());
  const std::string chip =
      settings().chipNumber != 0 ? settings().chipName : support::format("EMI%d", settings().emiGeneration);
  const std::uint32_t base = settings().emi4Base;

  freshRun();
  parseOptionLine(" -chip " + chip + " ");
  if (base != 0) parseOptionLine(support::format(" -base-address %x ", static_cast<unsigned>(base)));
  parseOptionLine(" -read " + procedure.path() + " ");
  runReadFile();
  writeParameters(readBackState(), parameters.path());
  trip.parameters = testing::fileText(parameters.path());

  freshRun();
  includeScript(parameters.path());
  trip.second = writtenProcedure();
  trip.printed = ::testing::internal::GetCapturedStdout();
  freshRun();
  return trip;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, ParametersSetTheSameConfigurationAgain) {
  const int generation = GetParam();
  constexpr int kCases = 200;
  std::set<std::string> bankTypes;
  for (int seed = 1; seed <= kCases; ++seed) {
    ConfigurationMaker maker(generation, static_cast<std::uint32_t>(seed * 7919 + generation));
    const std::vector<std::string> lines = maker.make();
    const Trip trip = roundTrip(lines);
    ASSERT_FALSE(trip.first.empty());
    ASSERT_EQ(trip.second, trip.first)
        << "seed " << seed << "\noptions:\n"
        << joined(lines) << "\nparameters:" << trip.parameters << "\nprinted:\n"
        << trip.printed;
    for (const char* type : {"Peripheral", "SDRAM", "DRAM", "MPX"}) {
      if (trip.parameters.find(std::string("-type ") + type + "\n") != std::string::npos)
        bankTypes.insert(type);
    }
  }
  // Every bank type of the generation was met.
  const std::set<std::string> expected = generation == 2 ? std::set<std::string>{"Peripheral", "DRAM"}
                                         : generation == 3
                                             ? std::set<std::string>{"Peripheral", "DRAM", "SDRAM"}
                                             : std::set<std::string>{"Peripheral", "SDRAM", "MPX"};
  EXPECT_EQ(bankTypes, expected);
}

INSTANTIATE_TEST_SUITE_P(Generations, RoundTrip, ::testing::Values(2, 3, 4));

}  // namespace
}  // namespace varda::front
