#include "front/option_table.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <utility>

#include "front/chip_options.h"
#include "front/interactive.h"
#include "front/output_options.h"
#include "front/parameter_options.h"
#include "front/parse_callbacks.h"
#include "front/read_options.h"
#include "front/script_handlers.h"
#include "front/tool_info.h"
#include "front/usage_handlers.h"

namespace varda::front {
namespace {

using options::OptionKind;
constexpr OptionKind kFlag = OptionKind::kFlag;
constexpr OptionKind kValue = OptionKind::kValue;
constexpr options::Selector kNo{};
constexpr options::Selector kSet = options::Selector::set();
constexpr EmiKind kDecimal = EmiKind::kDecimal;
constexpr EmiKind kText = EmiKind::kText;
constexpr EmiKind kHex = EmiKind::kHexadecimal;
constexpr EmiKind kFlagOnly = EmiKind::kFlag;
constexpr EmiKind kRefused = EmiKind::kNotSupported;
constexpr EmiKind kNotEmi = EmiKind::kNone;
constexpr const char* kUsageNote = "A full option list is provided by the help option";

// The main table. The parser takes the first row whose name equals an argument
// or is a prefix of it, so a name that is a prefix of another stands after it
// ("bank" after "bank5subdecode", "help" after "help-sdram", "i" after "ireset",
// "o" after "oee2timewrite", "p" after "proc-name", "padlogic" after
// "padlogic-off", "subbanks" after "subbanksize", "z" after "zdump").
// Columns: name, kind, selector, handler, visibility (7 short/long/extended
// page, 6 long/extended, 4 extended), "<argument>|help text", emi kind.
// The selector is set (kSet) only where the handler tells two options apart
// by it: -help from -z, -p from a bare word, -padlogic-on from -padlogic-off,
// -waitpolarity from -strobeonfalling; every other handler shared by two
// options tells them apart by name.
// The emi kind is how the interpreter's emi command takes the option: a
// number it writes back in decimal or in hexadecimal, a text, a flag, refused
// in a command file ("option not supported in command file"; -io, -iro and -p
// still read their text), or not an emi option at all (-z, -zdump, -zdump-r
// and the special rows).
// clang-format off
constexpr OptionRow kMainRows[] = {
    {"accesstimeread",       kValue, kNo, setBankParameter, 4, "<value>|P: set AccessTimeRead (cycles)", kDecimal},
    {"accesstimewrite",      kValue, kNo, setBankParameter, 4, "<value>|P: set AccessTimeWrite (cycles)", kDecimal},
    {"activatetoread",       kValue, kNo, setBankParameter, 4, "<1+>|S: define AcivateToRead (cycles)", kDecimal},
    {"activatetowrite",      kValue, kNo, setBankParameter, 4, "<1+>|S: define AcivateToWrite (cycles)", kDecimal},
    {"bank0addshift",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: Bank 0 Address Shift (disable/enable)", kDecimal},
    {"bank1addshift",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: Bank 1 Address Shift (disable/enable)", kDecimal},
    {"bank2addshift",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: Bank 2 Address Shift (disable/enable)", kDecimal},
    {"bank3addshift",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: Bank 3 Address Shift (disable/enable)", kDecimal},
    {"bank4addshift",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: Bank 4 Address Shift (disable/enable)", kDecimal},
    {"bank3subdecode",       kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: set Bank3subdecode (disable/enable)", kDecimal},
    {"bank5subbanksize",     kValue, kNo, setChipParameter, 4, "<value>|Gencfg: Bank 5 Sub-Decoding 4/8/16/32/64/1000 (Mbits)", kDecimal},
    {"bank5subdecode",       kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: Bank 5 Sub-Decoding (disable/enable)", kDecimal},
    {"bank",                 kValue, kNo, selectBank, 7, "<0-3/5>|specify bank number", kDecimal},
    {"base-address",         kValue, kNo, setBaseAddress, 4, "<addr>|specify base address of EMI4.VCR (hex)", kHex},
    {"beactive",             kValue, kNo, setBankParameter, 4, "<0-3>|P: set BEactive (inactive/r/w/r+w)", kDecimal},
    {"bee1timeread",         kValue, kNo, setBankParameter, 4, "<value>|P: set BEe1TimeRead (phases)", kDecimal},
    {"bee2timeread",         kValue, kNo, setBankParameter, 4, "<value>|P: set BEe2TimeRead (phases)", kDecimal},
    {"bee1timewrite",        kValue, kNo, setBankParameter, 4, "<value>|P: set BEe1TimeWrite (phases)", kDecimal},
    {"bee2timewrite",        kValue, kNo, setBankParameter, 4, "<value>|P: set BEe2TimeWrite (phases)", kDecimal},
    {"bootindicator",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set Boot indicator (Boot mode/normal)", kDecimal},
    {"burstlength",          kValue, kNo, setBankParameter, 4, "<0-7>|S: set BurstLength", kDecimal},
    {"burstmode",            kValue, kNo, setBankParameter, 4, "<0/1>|EMI4:P: set synchronous flash burst mode", kDecimal},
    {"burstsize",            kValue, kNo, setBankParameter, 4, "<value>|EMI4:P: set BurstSize 2/4/8/16/32/64/128 (bytes)", kDecimal},
    {"bursttype",            kValue, kNo, setBankParameter, 4, "<0/1>|S: set BurstType", kDecimal},
    {"busreleasetime",       kValue, kNo, setBankParameter, 4, "<value>|S/D/P/M: set BusReleaseTime (cycles)", kDecimal},
    {"case1time",            kValue, kNo, setBankParameter, 4, "<1-4>|D: set CASe1Time (phases)", kDecimal},
    {"case2time",            kValue, kNo, setBankParameter, 4, "<0-3>|D: set CASe2Time (phases)", kDecimal},
    {"caslatency",           kValue, kNo, setLatency, 4, "<value>|S: set CASLatency [and LatencyMode] (cycles)", kDecimal},
    {"castime",              kValue, kNo, setBankParameter, 4, "<2-5>|D: set CAStime (cycles)", kDecimal},
    {"chip",                 kValue, kNo, selectChip, 7, "<device>|specify chip device", kText},
    {"clockenable",          kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic:EMI4: SDRAMclock (disable/enable)", kDecimal},
    {"clocktristate",        kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: SDRAMclocktristate (yes/no)", kDecimal},
    {"csactive",             kValue, kNo, setBankParameter, 4, "<0-3>|P: set CSactive (inactive/r/w/r+w)", kDecimal},
    {"csa-type",             kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set CSA type (other/Bank 0 SDRAM)", kDecimal},
    {"csb-type",             kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set CSB type (other/Bank 0 SDRAM)", kDecimal},
    {"csc-type",             kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set CSC type (other/Bank 0 sub-decoded SDRAM)", kDecimal},
    {"csd-type",             kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set CSD type (other/Bank 0 sub-decoded SDRAM)", kDecimal},
    {"cse1timeread",         kValue, kNo, setBankParameter, 4, "<value>|P: set CSe1TimeRead (phases)", kDecimal},
    {"cse2timeread",         kValue, kNo, setBankParameter, 4, "<value>|P: set CSe2TimeRead (phases)", kDecimal},
    {"cse1timewrite",        kValue, kNo, setBankParameter, 4, "<value>|P: set CSe1TimeWrite (phases)", kDecimal},
    {"cse2timewrite",        kValue, kNo, setBankParameter, 4, "<value>|P: set CSe2TimeWrite (phases)", kDecimal},
    {"cyclenotphaseread",    kValue, kNo, setBankParameter, 4, "<0/1>|EMI4:P: change measure unit (phases/cycles)", kDecimal},
    {"cyclenotphasewrite",   kValue, kNo, setBankParameter, 4, "<0/1>|EMI4:P: change measure unit (phases/cycles)", kDecimal},
    {"dack0",                kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set DAck0 Control (normal/enable)", kDecimal},
    {"dack1",                kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set DAck1 Control (normal/enable)", kDecimal},
    {"datadrivedelay",       kValue, kNo, setBankParameter, 4, "<0+>|S/D/P: set DataDriveDelay (phases)", kDecimal},
    {"dataholddelay",        kValue, kNo, setBankParameter, 4, "<1/2>|EMI4:P: set delay in burst mode (cycles)", kDecimal},
    {"datalatency",          kValue, kNo, setBankParameter, 4, "<2-17>|EMI4:P: set number of Flash clock cycles (cycles)", kDecimal},
    {"devicetype",           kValue, kNo, setBankParameter, 4, "<1/4>|EMI4:P: set Device Type 1(normal) 4(Burst FLASH)", kDecimal},
    {"drambanks",            kValue, kNo, setBankParameter, 4, "<0/1>|S: set DRAMBanks (2/4)", kDecimal},
    {"emi-ackreq",           kValue, kNo, setChipParameter, 4, "<0-2>|Gencfg: set EMIAckReq (Retime Stages)", kDecimal},
    {"emi-intbusreq",        kValue, kNo, setChipParameter, 4, "<0/1>|Gencfg: set EMI internal Bus Req Control (disable/enable)", kDecimal},
    {"emi-reqGnt",           kValue, kNo, setChipParameter, 4, "<0-2>|Gencfg: set EMIReqGnt (Retime Stages)", kDecimal},
    {"emi-wait",             kValue, kNo, setChipParameter, 4, "<0-3>|Gencfg: set EMIWaitNotTready (Retime Stages)", kDecimal},
    {"extendedmpx",          kValue, kNo, setBankParameter, 4, "<0/1>|M: use standard/superset opcodes", kDecimal},
    {"flashclksel",          kValue, kNo, setChipParameter, 4, "<0-2>|EMI4: set clock ratio for FLASH", kDecimal},
    {"gencfg",               kValue, kNo, setGencfgRegister, 4, "<value>|EMI4: general purpose configuration register set (hex)", kHex},
    {"help-dram",            kFlag, kNo, showHelpTable, 6, "show all DRAM options", kRefused},
    {"help-emi4",            kFlag, kNo, showHelpTable, 6, "show EMI4 specific options", kRefused},
    {"help-gencfg",          kFlag, kNo, showHelpTable, 6, "show all EMI4 gencfg options", kRefused},
    {"help-mpx",             kFlag, kNo, showHelpTable, 6, "show all EMI4 MPX options", kRefused},
    {"help-padlogic",        kFlag, kNo, showHelpTable, 6, "show all EMI2/3 Padlogic options", kRefused},
    {"help-peripheral",      kFlag, kNo, showHelpTable, 6, "show all Peripheral options", kRefused},
    {"help-sdram",           kFlag, kNo, showHelpTable, 7, "show all SDRAM options", kRefused},
    {"help",                 kFlag, kSet, showHelp, 7, "show long help page", kRefused},
    {"icfg",                 kFlag, kNo, showProcedureNow, 6, "display EMI pokes in interactive mode", kRefused},
    {"io",                   kValue, kNo, writeProcedureNow, 6, "<filename>|output EMI pokes from interactive mode", kRefused},
    {"iro",                  kValue, kNo, writeReadParameters, 6, "<file>|output read file parameters in interactive mode", kRefused},
    {"iparameters",          kFlag, kNo, showParameters, 6, "display current parameters in interactive mode", kRefused},
    {"ireset",               kFlag, kNo, resetBanks, 6, "reset banks to defaults from interactive mode", kRefused},
    {"i",                    kFlag, kNo, enterInteractive, 7, "enter interactive mode (exit=q/quit)", kRefused},
    {"latchpoint",           kValue, kNo, setBankParameter, 4, "<0+>|D/P: define Latch Point", kDecimal},
    {"latencymode",          kValue, kNo, setLatency, 4, "<value>|S: set LatencyMode [and CASLatency] (cycles)", kDecimal},
    {"lock",                 kValue, kNo, setLockRegister, 4, "<value>|EMI4: enter lock register value (hex)", kHex},
    {"mpeg",                 kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: MPEG strobes (disable/enable)", kDecimal},
    {"mwait",                kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: define Memwait (asynch/synch)", kDecimal},
    {"mshift0",              kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank0 (disable/enable)", kDecimal},
    {"mshift1",              kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank1 (disable/enable)", kDecimal},
    {"mshift2",              kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank2 (disable/enable)", kDecimal},
    {"mshift3",              kValue, kNo, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank3 (disable/enable)", kDecimal},
    {"modesetdelay",         kValue, kNo, setBankParameter, 4, "<3+>|S: define ModeSetDelay (cycles)", kDecimal},
    {"mpxclksel",            kValue, kNo, setChipParameter, 4, "<0-2>|EMI4: set clock ratio for MPX", kDecimal},
    {"multibyte",            kValue, kNo, setBankParameter, 4, "<0/1>|D: set Multibyte (disable/enable)", kDecimal},
    {"numofbanks",           kValue, kNo, setBankCount, 4, "<4/6>|set number of EMI4 banks", kDecimal},
    {"oeactive",             kValue, kNo, setBankParameter, 4, "<0-3>|P: set OEactive (inactive/r/w/r+w)", kDecimal},
    {"oee1timeread",         kValue, kNo, setBankParameter, 4, "<value>|P: set OEe1TimeRead (phases)", kDecimal},
    {"oee2timeread",         kValue, kNo, setBankParameter, 4, "<value>|P: set OEe2TimeRead (phases)", kDecimal},
    {"oee1timewrite",        kValue, kNo, setBankParameter, 4, "<value>|P: set OEe1TimeWrite (phases)", kDecimal},
    {"oee2timewrite",        kValue, kNo, setBankParameter, 4, "<value>|P: set OEe2TimeWrite (phases)", kDecimal},
    {"o",                    kValue, kNo, setOutputFile, 7, "<filename>|specify output file", kText},
    {"padlogic-on",          kFlag, kSet, showPadlogic, 4, "display Padlogic register", kFlagOnly},
    {"padlogic-off",         kFlag, kNo, showPadlogic, 4, "remove Padlogic register", kFlagOnly},
    {"padlogic",             kValue, kNo, setPadlogicRegister, 4, "<value>|enter Padlogic register value (hex)", kHex},
    {"portsize",             kValue, kNo, setBankParameter, 4, "<32/16/8>|S/D/P: (bit) set PortSize", kDecimal},
    {"poke-change",          kValue, kNo, setPokeCommand, 6, "<name>|change output poke command to name", kText},
    {"prechargetime",        kValue, kNo, setBankParameter, 4, "<1+>|S/D: set Precharge Time (cycles)", kDecimal},
    {"proc-name",            kValue, kNo, setProcName, 7, "<name>|specify procedure name for output", kText},
    {"p",                    kValue, kSet, runScriptOrProcedure, 7, "<procedure>|specify command procedure to execute", kRefused},
    {"rasbits",              kValue, kNo, setBankParameter, 4, "<value>|S/D: set RASBits value (hex)", kHex},
    {"rase1time",            kValue, kNo, setBankParameter, 4, "<1/2>|D: set RASe1Time (phases)", kDecimal},
    {"rase2time",            kValue, kNo, setBankParameter, 4, "<0-3>|D: set RASe2Time (phases)", kDecimal},
    {"rastime",              kValue, kNo, setBankParameter, 4, "<1/2>|D: set RAStime (cycles)", kDecimal},
    {"regnum",               kValue, kNo, selectRegisterNumber, 7, "<n>|select bank register number", kDecimal},
    {"regvalue",             kValue, kNo, setRegisterValue, 7, "<value>|enter selected bank register value (hex)", kHex},
    {"refreshinterval",      kValue, kNo, setRefreshInterval, 4, "<value>|S/D: set Refresh Interval (cycles)", kDecimal},
    {"refreshrasedge",       kValue, kNo, setBankParameter, 4, "<1/2>|D: set RefreshRASedge (cycles)", kDecimal},
    {"refreshtime",          kValue, kNo, setBankParameter, 4, "<1+>|S: define RefreshTime (cycles)", kDecimal},
    {"read",                 kValue, kNo, startReadMode, 7, "<file>|read EMI poke file for parameters", kText},
    {"sdramclksel",          kValue, kNo, setChipParameter, 4, "<0-2>|EMI4: set clock ratio for SDRAM", kDecimal},
    {"sdrammodereg",         kValue, kNo, setSdramModeRegister, 4, "<value>|S: enter sdrammodereg register value (hex)", kHex},
    {"shiftamount",          kValue, kNo, setBankParameter, 4, "<7-14>|S/D: define ShiftAmount", kDecimal},
    {"strobeonfalling",      kValue, kNo, setStrobeEdge, 4, "<0/1>|EMI4:P/M/S: clk rising/falling edge", kDecimal},
    {"subbanksize-padlogic", kValue, kNo, setChipParameter, 4, "<value>|Padlogic: SubBankSize 4/8/16/32/64/1000 (Mbits)", kDecimal},
    {"subbanksize",          kValue, kNo, setBankParameter, 4, "<value>|S/D: D=256(k)/1/4/16 S=16/32/64/128/256 (M)", kDecimal},
    {"subbanks",             kValue, kNo, setBankParameter, 4, "<1/2/4>|S/D: define SubBanks", kDecimal},
    {"type",                 kValue, kNo, selectType, 7, "<type>|specify bank type (S/D/P/M)", kText},
    {"v",                    kFlag, kNo, showVersion, 7, "show version information", kFlagOnly},
    {"waitpolarity",         kValue, kSet, setStrobeEdge, 4, "<0/1>|EMI4:P/M: wait active high/low", kDecimal},
    {"weuseoeconfig",        kValue, kNo, setBankParameter, 4, "<0/1>|EMI4:P: configurable readwrite signal (low/high)", kDecimal},
    {"writerecoverytime",    kValue, kNo, setBankParameter, 4, "<value>|S: set WriteRecoveryTime (cycles)", kDecimal},
    {"waitstatesframe",      kValue, kNo, setBankParameter, 4, "<0-3>|M: number of wait states", kDecimal},
    {"waitstatesread",       kValue, kNo, setBankParameter, 4, "<0-7>|M: number of wait states", kDecimal},
    {"waitstateswrite",      kValue, kNo, setBankParameter, 4, "<0-7>|M: number of wait states", kDecimal},
    {"zdump-r",              kFlag, kNo, dumpReadWords, 4, "show read file data", kNotEmi},
    {"zdump",                kFlag, kNo, dumpRegisters, 4, "show bank/reg/padlogic data", kNotEmi},
    {"z",                    kFlag, kNo, showHelp, 4, "display hidden options", kNotEmi},
    // Special rows.
    {nullptr, OptionKind::kInvalidUse, kNo, reportInvalidUse, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kNoArguments, kNo, showShortUsage, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kSyntaxError, kNo, reportSyntaxError, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kEnvNotSet, kNo, reportEnvNotSet, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kArgumentFile, kNo, reportArgumentFile, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kBareWord, kNo, runScriptOrProcedure, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kUsageHeader, &kToolInfo, nullptr, 0, nullptr, kNotEmi},
    {nullptr, OptionKind::kUsageNote, kUsageNote, nullptr, 7, nullptr, kNotEmi},
    {nullptr, OptionKind::kEnd, kNo, endOfOptions, 0, nullptr, kNotEmi},
};
// clang-format on

/// The option records of `rows`, in row order, for the option library.
template <std::size_t N, std::size_t... I>
constexpr std::array<options::OptionRecord, N> recordsOf(const OptionRow (&rows)[N],
                                                         std::index_sequence<I...>) {
  return {rows[I].record()...};
}

constexpr auto kMainRecords = recordsOf(kMainRows, std::make_index_sequence<std::size(kMainRows)>());

}  // namespace

OptionTable mainTable() { return kMainRecords; }

std::span<const OptionRow> mainRows() { return kMainRows; }

}  // namespace varda::front
