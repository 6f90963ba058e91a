#include "front/emi_option_kinds.h"

#include "support/format.h"

namespace varda::front {
namespace {

constexpr EmiKind kDec = EmiKind::kDecimal;
constexpr EmiKind kText = EmiKind::kText;
constexpr EmiKind kHex = EmiKind::kHexadecimal;
constexpr EmiKind kFlag = EmiKind::kFlag;
constexpr EmiKind kNo = EmiKind::kNotSupported;

// Columns: name, kind, declared with a text argument (not-supported rows only).
// clang-format off
constexpr EmiOption kEmiOptions[] = {
    {"accesstimeread", kDec},
    {"accesstimewrite", kDec},
    {"activatetoread", kDec},
    {"activatetowrite", kDec},
    {"bank0addshift", kDec},
    {"bank1addshift", kDec},
    {"bank2addshift", kDec},
    {"bank3addshift", kDec},
    {"bank4addshift", kDec},
    {"bank3subdecode", kDec},
    {"bank5subbanksize", kDec},
    {"bank5subdecode", kDec},
    {"bank", kDec},
    {"base-address", kHex},
    {"beactive", kDec},
    {"bee1timeread", kDec},
    {"bee2timeread", kDec},
    {"bee1timewrite", kDec},
    {"bee2timewrite", kDec},
    {"bootindicator", kDec},
    {"burstlength", kDec},
    {"burstmode", kDec},
    {"burstsize", kDec},
    {"bursttype", kDec},
    {"busreleasetime", kDec},
    {"case1time", kDec},
    {"case2time", kDec},
    {"caslatency", kDec},
    {"castime", kDec},
    {"chip", kText},
    {"clockenable", kDec},
    {"clocktristate", kDec},
    {"csactive", kDec},
    {"csa-type", kDec},
    {"csb-type", kDec},
    {"csc-type", kDec},
    {"csd-type", kDec},
    {"cse1timeread", kDec},
    {"cse2timeread", kDec},
    {"cse1timewrite", kDec},
    {"cse2timewrite", kDec},
    {"cyclenotphaseread", kDec},
    {"cyclenotphasewrite", kDec},
    {"dack0", kDec},
    {"dack1", kDec},
    {"datadrivedelay", kDec},
    {"dataholddelay", kDec},
    {"datalatency", kDec},
    {"devicetype", kDec},
    {"drambanks", kDec},
    {"emi-ackreq", kDec},
    {"emi-intbusreq", kDec},
    {"emi-reqGnt", kDec},
    {"emi-wait", kDec},
    {"extendedmpx", kDec},
    {"flashclksel", kDec},
    {"gencfg", kHex},
    {"help-dram", kNo},
    {"help-emi4", kNo},
    {"help-gencfg", kNo},
    {"help-mpx", kNo},
    {"help-padlogic", kNo},
    {"help-peripheral", kNo},
    {"help-sdram", kNo},
    {"help", kNo},
    {"icfg", kNo},
    {"io", kNo, true},
    {"iro", kNo, true},
    {"iparameters", kNo},
    {"ireset", kNo},
    {"i", kNo},
    {"latchpoint", kDec},
    {"latencymode", kDec},
    {"lock", kHex},
    {"mpeg", kDec},
    {"mwait", kDec},
    {"mshift0", kDec},
    {"mshift1", kDec},
    {"mshift2", kDec},
    {"mshift3", kDec},
    {"modesetdelay", kDec},
    {"mpxclksel", kDec},
    {"multibyte", kDec},
    {"numofbanks", kDec},
    {"oeactive", kDec},
    {"oee1timeread", kDec},
    {"oee2timeread", kDec},
    {"oee1timewrite", kDec},
    {"oee2timewrite", kDec},
    {"o", kText},
    {"padlogic-on", kFlag},
    {"padlogic-off", kFlag},
    {"padlogic", kHex},
    {"portsize", kDec},
    {"poke-change", kText},
    {"prechargetime", kDec},
    {"proc-name", kText},
    {"p", kNo, true},
    {"rasbits", kHex},
    {"rase1time", kDec},
    {"rase2time", kDec},
    {"rastime", kDec},
    {"regnum", kDec},
    {"regvalue", kHex},
    {"refreshinterval", kDec},
    {"refreshrasedge", kDec},
    {"refreshtime", kDec},
    {"read", kText},
    {"sdramclksel", kDec},
    {"sdrammodereg", kHex},
    {"shiftamount", kDec},
    {"strobeonfalling", kDec},
    {"subbanksize-padlogic", kDec},
    {"subbanksize", kDec},
    {"subbanks", kDec},
    {"type", kText},
    {"v", kFlag},
    {"waitpolarity", kDec},
    {"weuseoeconfig", kDec},
    {"writerecoverytime", kDec},
    {"waitstatesframe", kDec},
    {"waitstatesread", kDec},
    {"waitstateswrite", kDec},
};
// clang-format on

}  // namespace

std::span<const EmiOption> emiOptions() { return kEmiOptions; }

const EmiOption* findEmiOption(std::string_view name) {
  for (const EmiOption& option : kEmiOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

std::string emiNumberPiece(const EmiOption& option, std::uint32_t value) {
  if (option.kind == EmiKind::kHexadecimal)
    return support::format(" -%s %x ", option.name, static_cast<unsigned>(value));
  return support::format(" -%s %d ", option.name, static_cast<int>(value));
}

std::string emiTextPiece(const EmiOption& option, const std::string& text) {
  return support::format(" -%s %s ", option.name, text.c_str());
}

std::string emiFlagPiece(const EmiOption& option) { return support::format(" -%s ", option.name); }

}  // namespace varda::front
