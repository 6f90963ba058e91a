#include "front/option_table.h"

#include "front/parse_callbacks.h"
#include "front/tool_info.h"

namespace varda::front {
namespace {

using options::OptionKind;
using options::OptionRecord;
constexpr OptionKind kFlag = OptionKind::kFlag;
constexpr OptionKind kValue = OptionKind::kValue;
constexpr options::Selector kNo{};

// Every help-only table ends with these two rows.
constexpr OptionRecord kUsageHeaderRow = {nullptr, OptionKind::kUsageHeader, &kToolInfo, nullptr, 0, nullptr};
constexpr OptionRecord kEndRow = {nullptr, OptionKind::kEnd, kNo, endOfOptions, 0, nullptr};

// The help-only tables: rows with neither handler nor selector, all on the long
// page, each table with its own (shorter) help texts.
// Columns: name, kind, selector, handler, visibility, "<argument>|help text".

// SDRAM options, listed by -help-sdram.
// clang-format off
constexpr OptionRecord kSdramHelp[] = {
    {"activatetoread",    kValue, kNo, nullptr, 6, "<1+>|set AcivateToRead (cycles)"},
    {"activatetowrite",   kValue, kNo, nullptr, 6, "<1+>|set AcivateToWrite (cycles)"},
    {"burstlength",       kValue, kNo, nullptr, 6, "<0-7>|set BurstLength"},
    {"bursttype",         kValue, kNo, nullptr, 6, "<0/1>|set BurstType"},
    {"busreleasetime",    kValue, kNo, nullptr, 6, "<1+>|set BusReleaseTime (cycles)"},
    {"caslatency",        kValue, kNo, nullptr, 6, "<value>|set CASLatency [and LatencyMode] (cycles)"},
    {"clockenable",       kValue, kNo, nullptr, 6, "<0/1>|EMI4: frequency divider(disable/enable)"},
    {"datadrivedelay",    kValue, kNo, nullptr, 6, "<0/1>|EMI3: set DataDriveDelay (phases)"},
    {"drambanks",         kValue, kNo, nullptr, 6, "<0/1>|set DRAMBanks (2/4)"},
    {"latencymode",       kValue, kNo, nullptr, 6, "<value>|set LatencyMode [and CASLatency] (cycles)"},
    {"modesetdelay",      kValue, kNo, nullptr, 6, "<3+>|set ModeSetDelay (cycles)"},
    {"poke-change",       kValue, kNo, nullptr, 6, "<name>|change output poke command to name"},
    {"portsize",          kValue, kNo, nullptr, 6, "<32/16/8>|set PortSize (bit)"},
    {"prechargetime",     kValue, kNo, nullptr, 6, "<1+>|set Precharge Time (cycles)"},
    {"rasbits",           kValue, kNo, nullptr, 6, "<value>|set RASBits value (hex)"},
    {"refreshinterval",   kValue, kNo, nullptr, 6, "<value>|set Refresh Interval"},
    {"refreshtime",       kValue, kNo, nullptr, 6, "<1+>|set RefreshTime(cycles)"},
    {"shiftamount",       kValue, kNo, nullptr, 6, "<7-14>|set ShiftAmount"},
    {"sdramclksel",       kValue, kNo, nullptr, 6, "<0-2>|EMI4: set clock ratio for SDRAM"},
    {"sdrammodereg",      kValue, kNo, nullptr, 6, "<value>|enter sdrammodereg register value (hex)"},
    {"strobeonfalling",   kValue, kNo, nullptr, 6, "<0/1>|EMI4: clk rising/falling edge"},
    {"subbanksize",       kValue, kNo, nullptr, 6, "<value>|set subbanksize 16/32/64/128/256 (Mb)"},
    {"subbanks",          kValue, kNo, nullptr, 6, "<1/2/4>|set SubBanks"},
    {"type",              kValue, kNo, nullptr, 6, "<type>|specify bank type (S/sdram/SDRAM)"},
    {"writerecoverytime", kValue, kNo, nullptr, 6, "<value>|set WriteRecoveryTime (cycles)"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

// DRAM options, listed by -help-dram.
// clang-format off
constexpr OptionRecord kDramHelp[] = {
    {"case1time",       kValue, kNo, nullptr, 6, "<1-4>|set CASe1Time (phases)"},
    {"case2time",       kValue, kNo, nullptr, 6, "<0-3>|set CASe2Time (phases)"},
    {"castime",         kValue, kNo, nullptr, 6, "<2-5>|set CAStime (cycles)"},
    {"datadrivedelay",  kValue, kNo, nullptr, 6, "<0/1>|set DataDriveDelay (phases)"},
    {"latchpoint",      kValue, kNo, nullptr, 6, "<0/1>|set Latch Point"},
    {"multibyte",       kValue, kNo, nullptr, 6, "<0/1>|set Multibyte (disable/enable)"},
    {"poke-change",     kValue, kNo, nullptr, 6, "<name>|change output poke command to name"},
    {"portsize",        kValue, kNo, nullptr, 6, "<32/16/8>|set PortSize 32/16/8"},
    {"prechargetime",   kValue, kNo, nullptr, 6, "<1-8>|set Precharge Time (cycles)"},
    {"rasbits",         kValue, kNo, nullptr, 6, "<value>|set RASBits value (hex)"},
    {"rase1time",       kValue, kNo, nullptr, 6, "<1/2>|set RASe1Time (phases)"},
    {"rase2time",       kValue, kNo, nullptr, 6, "<0-3>|set RASe2Time (phases)"},
    {"rastime",         kValue, kNo, nullptr, 6, "<1/2>|set RAStime (cycles)"},
    {"refreshinterval", kValue, kNo, nullptr, 6, "<1-16>|set Refresh Interval (cycles)"},
    {"refreshrasedge",  kValue, kNo, nullptr, 6, "<1/2>|set RefreshRASedge (cycles)"},
    {"shiftamount",     kValue, kNo, nullptr, 6, "<7-14>|set ShiftAmount"},
    {"subbanksize",     kValue, kNo, nullptr, 6, "<value>|set subbanksize 256(k)/1/4/16 (Mwords)"},
    {"subbanks",        kValue, kNo, nullptr, 6, "<1/2/4>|set SubBanks"},
    {"type",            kValue, kNo, nullptr, 6, "<type>|specify bank type (D/dram/DRAM)"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

// MPX options, listed by -help-mpx.
// clang-format off
constexpr OptionRecord kMpxHelp[] = {
    {"busreleasetime",  kValue, kNo, nullptr, 6, "<value>|set BusReleaseTime 1/2/3/4 (cycles)"},
    {"clockenable",     kValue, kNo, nullptr, 6, "<0/1>|frequency divider(disable/enable)"},
    {"extendedmpx",     kValue, kNo, nullptr, 6, "<0/1>|use standard/superset opcodes"},
    {"mpxclksel",       kValue, kNo, nullptr, 6, "<0-2>|set clock ratio for MPX"},
    {"poke-change",     kValue, kNo, nullptr, 6, "<name>|change output poke command to name"},
    {"type",            kValue, kNo, nullptr, 6, "<type>|specify bank type (M/mpx/MPX)"},
    {"strobeonfalling", kValue, kNo, nullptr, 6, "<0/1>|do strobes on clk rising/falling edge"},
    {"waitpolarity",    kValue, kNo, nullptr, 6, "<0/1>|set wait input pin polarity active high/low"},
    {"waitstatesframe", kValue, kNo, nullptr, 6, "<0-3>|set number of access wait states"},
    {"waitstatesread",  kValue, kNo, nullptr, 6, "<0-7>|set number of read wait states"},
    {"waitstateswrite", kValue, kNo, nullptr, 6, "<0-7>|set number of write wait states"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

// Peripheral options, listed by -help-peripheral.
// clang-format off
constexpr OptionRecord kPeripheralHelp[] = {
    {"accesstimeread",     kValue, kNo, nullptr, 6, "<2+>|set AccessTimeRead (cycles)"},
    {"accesstimewrite",    kValue, kNo, nullptr, 6, "<2+>|set AccessTimeWrite (cycles)"},
    {"beactive",           kValue, kNo, nullptr, 6, "<0-3>|set BEactive (inactive/r/w/r+w)"},
    {"bee1timeread",       kValue, kNo, nullptr, 6, "<0+>|set BEe1TimeRead (phases)"},
    {"bee2timeread",       kValue, kNo, nullptr, 6, "<0+>|set BEe2TimeRead (phases)"},
    {"bee1timewrite",      kValue, kNo, nullptr, 6, "<0+>|set BEe1TimeWrite (phases)"},
    {"bee2timewrite",      kValue, kNo, nullptr, 6, "<0+>|set BEe2TimeWrite (phases)"},
    {"burstmode",          kValue, kNo, nullptr, 6, "<0/1>|EMI4: set synchronous flash burst mode"},
    {"burstsize",          kValue, kNo, nullptr, 6, "<value>|EMI4: set BurstSize 2/4/8/16/32/64/128 (bytes)"},
    {"busreleasetime",     kValue, kNo, nullptr, 6, "<value>|set BusReleaseTime (cycles)"},
    {"clockenable",        kValue, kNo, nullptr, 6, "<0/1>|EMI4: frequency divider(disable/enable)"},
    {"csactive",           kValue, kNo, nullptr, 6, "<0-3>|set CSactive (inactive/r/w/r+w)"},
    {"cse1timeread",       kValue, kNo, nullptr, 6, "<0+>|set CSe1TimeRead (phases)"},
    {"cse2timeread",       kValue, kNo, nullptr, 6, "<0+>|set CSe2TimeRead (phases)"},
    {"cse1timewrite",      kValue, kNo, nullptr, 6, "<0+>|set CSe1TimeWrite (phases)"},
    {"cse2timewrite",      kValue, kNo, nullptr, 6, "<0+>|set CSe2TimeWrite (phases)"},
    {"cyclenotphaseread",  kValue, kNo, nullptr, 6, "<0/1>|EMI4: change measure unit (phases/cycles)"},
    {"cyclenotphasewrite", kValue, kNo, nullptr, 6, "<0/1>|EMI4: change measure unit (phases/cycles)"},
    {"datadrivedelay",     kValue, kNo, nullptr, 6, "<0+>|set DataDriveDelay (phases)"},
    {"dataholddelay",      kValue, kNo, nullptr, 6, "<1/2>|EMI4: set delay in burst mode (cycles)"},
    {"datalatency",        kValue, kNo, nullptr, 6, "<2-17>|EMI4: set number of Flash clock cycles (cycles)"},
    {"devicetype",         kValue, kNo, nullptr, 6, "<1/4>|EMI4: set DeviceType: 1(normal) 4(Burst FLASH)"},
    {"flashclksel",        kValue, kNo, nullptr, 6, "<0-2>|EMI4: set clock ratio for FLASH"},
    {"latchpoint",         kValue, kNo, nullptr, 6, "<0+>|set Latch Point"},
    {"oeactive",           kValue, kNo, nullptr, 6, "<0-3>|set OEactive (inactive/r/w/r+w)"},
    {"oee1timeread",       kValue, kNo, nullptr, 6, "<0+>|set OEe1TimeRead (phases)"},
    {"oee2timeread",       kValue, kNo, nullptr, 6, "<0+>|set OEe2TimeRead (phases)"},
    {"oee1timewrite",      kValue, kNo, nullptr, 6, "<0+>|set OEe1TimeWrite (phases)"},
    {"oee2timewrite",      kValue, kNo, nullptr, 6, "<0+>|set OEe2TimeWrite (phases)"},
    {"poke-change",        kValue, kNo, nullptr, 6, "<name>|change output poke command to name"},
    {"portsize",           kValue, kNo, nullptr, 6, "<32/16/8>|set PortSize (bit)"},
    {"strobeonfalling",    kValue, kNo, nullptr, 6, "<0/1>|EMI4: clk rising/falling edge"},
    {"type",               kValue, kNo, nullptr, 6, "<type>|specify bank type (P/peripheral/Peripheral)"},
    {"waitpolarity",       kValue, kNo, nullptr, 6, "<0/1>|EMI4: wait active high/low"},
    {"weuseoeconfig",      kValue, kNo, nullptr, 6, "<0/1>|EMI4:configurable readwrite signal (low/high)"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

// Padlogic options, listed by -help-padlogic.
// clang-format off
constexpr OptionRecord kPadlogicHelp[] = {
    {"bank3subdecode",       kValue, kNo, nullptr, 6, "<0/1>|set Bank3subdecode (disable/enable)"},
    {"clockenable",          kValue, kNo, nullptr, 6, "<0/1>|set SDRAMclockenable (disable/enable)"},
    {"clocktristate",        kValue, kNo, nullptr, 6, "<0/1>|set SDRAMclocktristate (yes/no)"},
    {"mpeg",                 kValue, kNo, nullptr, 6, "<0/1>|set MPEG strobes (disable/enable)"},
    {"mwait",                kValue, kNo, nullptr, 6, "<0/1>|set Memwait (asynch/synch)"},
    {"mshift0",              kValue, kNo, nullptr, 6, "<0/1>|set MemoryshiftBank0 (disable/enable)"},
    {"mshift1",              kValue, kNo, nullptr, 6, "<0/1>|set MemoryshiftBank1 (disable/enable)"},
    {"mshift2",              kValue, kNo, nullptr, 6, "<0/1>|set MemoryshiftBank2 (disable/enable)"},
    {"mshift3",              kValue, kNo, nullptr, 6, "<0/1>|set MemoryshiftBank3 (disable/enable)"},
    {"padlogic-on",          kFlag , kNo, nullptr, 6, "display Padlogic register"},
    {"padlogic-off",         kFlag , kNo, nullptr, 6, "remove Padlogic register"},
    {"padlogic",             kValue, kNo, nullptr, 6, "<value>|enter Padlogic register value (hex)"},
    {"subbanksize-padlogic", kValue, kNo, nullptr, 6, "<value>|set SubBankSize 4/8/16/32/64/1000 (Mb)"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

// EMI4 options, listed by -help-emi4.
// clang-format off
constexpr OptionRecord kEmi4Help[] = {
    {"base-address",    kValue, kNo, nullptr, 6, "<addr>|specify base address of EMI4.VCR (hex)"},
    {"clockenable",     kValue, kNo, nullptr, 6, "<0/1>|clock generation for devices(disable/enable)"},
    {"flashclksel",     kValue, kNo, nullptr, 6, "<0-2>|set clock ratio for FLASH"},
    {"gencfg",          kValue, kNo, nullptr, 6, "<value>|set general purpose configuration register (hex)"},
    {"help-gencfg",     kFlag , kNo, nullptr, 6, "show all gencfg options"},
    {"help-mpx",        kFlag , kNo, nullptr, 6, "show all MPX options"},
    {"lock",            kValue, kNo, nullptr, 6, "<value>|enter lock register value (hex)"},
    {"mpxclksel",       kValue, kNo, nullptr, 6, "<0-2>|set clock ratio for MPX"},
    {"numofbanks",      kValue, kNo, nullptr, 6, "<4/6>|set number of banks"},
    {"refreshinterval", kValue, kNo, nullptr, 6, "<8-4096>|set Refresh Interval (cycles)"},
    {"sdramclksel",     kValue, kNo, nullptr, 6, "<0-2>|set clock ratio for SDRAM"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

// Gencfg options, listed by -help-gencfg.
// clang-format off
constexpr OptionRecord kGencfgHelp[] = {
    {"bank0addshift",    kValue, kNo, nullptr, 6, "<0/1>|set Bank 0 Address Shift (disable/enable)"},
    {"bank1addshift",    kValue, kNo, nullptr, 6, "<0/1>|set Bank 1 Address Shift (disable/enable)"},
    {"bank2addshift",    kValue, kNo, nullptr, 6, "<0/1>|set Bank 2 Address Shift (disable/enable)"},
    {"bank3addshift",    kValue, kNo, nullptr, 6, "<0/1>|set Bank 3 Address Shift (disable/enable)"},
    {"bank4addshift",    kValue, kNo, nullptr, 6, "<0/1>|set Bank 4 Address Shift (disable/enable)"},
    {"bank5subbanksize", kValue, kNo, nullptr, 6, "<value>|Bank 5 Sub-Decoding 4/8/16/32/64/1000 (Mbits)"},
    {"bank5subdecode",   kValue, kNo, nullptr, 6, "<0/1>|Bank 5 Sub-Decoding (disable/enable)"},
    {"bootindicator",    kValue, kNo, nullptr, 6, "<0/1>|set Boot indicator (Boot mode/normal)"},
    {"csa-type",         kValue, kNo, nullptr, 6, "<0/1>|set CSA type (other/Bank 0 SDRAM)"},
    {"csb-type",         kValue, kNo, nullptr, 6, "<0/1>|set CSB type (other/Bank 0 SDRAM)"},
    {"csc-type",         kValue, kNo, nullptr, 6, "<0/1>|set CSC type (other/Bank 0 sub-decoded SDRAM)"},
    {"csd-type",         kValue, kNo, nullptr, 6, "<0/1>|set CSD type (other/Bank 0 sub-decoded SDRAM)"},
    {"dack0",            kValue, kNo, nullptr, 6, "<0/1>|set DAck0 Control (normal/enable)"},
    {"dack1",            kValue, kNo, nullptr, 6, "<0/1>|set DAck1 Control (normal/enable)"},
    {"emi-ackreq",       kValue, kNo, nullptr, 6, "<0-2>|set EMIAckReq (Retime Stages)"},
    {"emi-intbusreq",    kValue, kNo, nullptr, 6, "<0/1>|set EMI internal Bus Req Control (disable/enable)"},
    {"emi-reqGnt",       kValue, kNo, nullptr, 6, "<0-2>|set EMIReqGnt (Retime Stages)"},
    {"emi-wait",         kValue, kNo, nullptr, 6, "<0-3>|set EMIWaitNotTready (Retime Stages)"},
    {"gencfg",           kValue, kNo, nullptr, 6, "<value>|set general purpose configuration register (hex)"},
    kUsageHeaderRow,
    kEndRow,
};
// clang-format on

}  // namespace

OptionTable helpTable(const std::string& optionName) {
  struct Entry {
    const char* option;
    OptionTable table;
  };
  // clang-format off
  static constexpr Entry kByOption[] = {
      {"help-sdram", kSdramHelp},           {"help-dram", kDramHelp},         {"help-mpx", kMpxHelp},
      {"help-peripheral", kPeripheralHelp}, {"help-padlogic", kPadlogicHelp}, {"help-emi4", kEmi4Help},
      {"help-gencfg", kGencfgHelp},
  };
  // clang-format on
  for (const auto& entry : kByOption) {
    if (optionName == entry.option) return entry.table;
  }
  return {};
}

}  // namespace varda::front
