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
constexpr EmiKind kEmiDec = EmiKind::kDecimal;
constexpr EmiKind kEmiText = EmiKind::kText;
constexpr EmiKind kEmiHex = EmiKind::kHexadecimal;
constexpr EmiKind kEmiFlag = EmiKind::kFlag;
constexpr EmiKind kEmiRefused = EmiKind::kNotSupported;
constexpr EmiKind kNotEmi = EmiKind::kNone;
constexpr const char* kUsageNote = "A full option list is provided by the help option";

// The main table. The parser takes the first row whose name equals an argument
// or is a prefix of it, so a name that is a prefix of another stands after it
// ("bank" after "bank5subdecode", "help" after "help-sdram", "i" after "ireset",
// "o" after "oee2timewrite", "p" after "proc-name", "padlogic" after
// "padlogic-off", "subbanks" after "subbanksize", "z" after "zdump").
// Columns: name, kind, emi kind, selector, handler, visibility (7 short/long/
// extended page, 6 long/extended, 4 extended), "<argument>|help text".
// The selector is set (kSet) only where the handler tells two options apart
// by it: -help from -z, -p from a bare word, -padlogic-on from -padlogic-off,
// -waitpolarity from -strobeonfalling; every other handler shared by two
// options tells them apart by name, and -regnum's handler stores regNum itself.
// The emi kind is how the interpreter's emi command takes the option: a
// number it writes back in decimal or in hexadecimal, a text, a flag, refused
// in a command file ("option not supported in command file"; -io, -iro and -p
// still read their text), or not an emi option at all (-z, -zdump, -zdump-r
// and the special rows).
// clang-format off
constexpr OptionRow kMainRows[] = {
    {"accesstimeread",       kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set AccessTimeRead (cycles)"},
    {"accesstimewrite",      kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set AccessTimeWrite (cycles)"},
    {"activatetoread",       kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1+>|S: define AcivateToRead (cycles)"},
    {"activatetowrite",      kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1+>|S: define AcivateToWrite (cycles)"},
    {"bank0addshift",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: Bank 0 Address Shift (disable/enable)"},
    {"bank1addshift",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: Bank 1 Address Shift (disable/enable)"},
    {"bank2addshift",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: Bank 2 Address Shift (disable/enable)"},
    {"bank3addshift",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: Bank 3 Address Shift (disable/enable)"},
    {"bank4addshift",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: Bank 4 Address Shift (disable/enable)"},
    {"bank3subdecode",       kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: set Bank3subdecode (disable/enable)"},
    {"bank5subbanksize",     kValue, kEmiDec,     kNo,  setChipParameter,     4, "<value>|Gencfg: Bank 5 Sub-Decoding 4/8/16/32/64/1000 (Mbits)"},
    {"bank5subdecode",       kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: Bank 5 Sub-Decoding (disable/enable)"},
    {"bank",                 kValue, kEmiDec,     kNo,  selectBank,           7, "<0-3/5>|specify bank number"},
    {"base-address",         kValue, kEmiHex,     kNo,  setBaseAddress,       4, "<addr>|specify base address of EMI4.VCR (hex)"},
    {"beactive",             kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-3>|P: set BEactive (inactive/r/w/r+w)"},
    {"bee1timeread",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set BEe1TimeRead (phases)"},
    {"bee2timeread",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set BEe2TimeRead (phases)"},
    {"bee1timewrite",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set BEe1TimeWrite (phases)"},
    {"bee2timewrite",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set BEe2TimeWrite (phases)"},
    {"bootindicator",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set Boot indicator (Boot mode/normal)"},
    {"burstlength",          kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-7>|S: set BurstLength"},
    {"burstmode",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|EMI4:P: set synchronous flash burst mode"},
    {"burstsize",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|EMI4:P: set BurstSize 2/4/8/16/32/64/128 (bytes)"},
    {"bursttype",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|S: set BurstType"},
    {"busreleasetime",       kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|S/D/P/M: set BusReleaseTime (cycles)"},
    {"case1time",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1-4>|D: set CASe1Time (phases)"},
    {"case2time",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-3>|D: set CASe2Time (phases)"},
    {"caslatency",           kValue, kEmiDec,     kNo,  setLatency,           4, "<value>|S: set CASLatency [and LatencyMode] (cycles)"},
    {"castime",              kValue, kEmiDec,     kNo,  setBankParameter,     4, "<2-5>|D: set CAStime (cycles)"},
    {"chip",                 kValue, kEmiText,    kNo,  selectChip,           7, "<device>|specify chip device"},
    {"clockenable",          kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic:EMI4: SDRAMclock (disable/enable)"},
    {"clocktristate",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: SDRAMclocktristate (yes/no)"},
    {"csactive",             kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-3>|P: set CSactive (inactive/r/w/r+w)"},
    {"csa-type",             kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set CSA type (other/Bank 0 SDRAM)"},
    {"csb-type",             kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set CSB type (other/Bank 0 SDRAM)"},
    {"csc-type",             kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set CSC type (other/Bank 0 sub-decoded SDRAM)"},
    {"csd-type",             kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set CSD type (other/Bank 0 sub-decoded SDRAM)"},
    {"cse1timeread",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set CSe1TimeRead (phases)"},
    {"cse2timeread",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set CSe2TimeRead (phases)"},
    {"cse1timewrite",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set CSe1TimeWrite (phases)"},
    {"cse2timewrite",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set CSe2TimeWrite (phases)"},
    {"cyclenotphaseread",    kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|EMI4:P: change measure unit (phases/cycles)"},
    {"cyclenotphasewrite",   kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|EMI4:P: change measure unit (phases/cycles)"},
    {"dack0",                kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set DAck0 Control (normal/enable)"},
    {"dack1",                kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set DAck1 Control (normal/enable)"},
    {"datadrivedelay",       kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0+>|S/D/P: set DataDriveDelay (phases)"},
    {"dataholddelay",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1/2>|EMI4:P: set delay in burst mode (cycles)"},
    {"datalatency",          kValue, kEmiDec,     kNo,  setBankParameter,     4, "<2-17>|EMI4:P: set number of Flash clock cycles (cycles)"},
    {"devicetype",           kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1/4>|EMI4:P: set Device Type 1(normal) 4(Burst FLASH)"},
    {"drambanks",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|S: set DRAMBanks (2/4)"},
    {"emi-ackreq",           kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0-2>|Gencfg: set EMIAckReq (Retime Stages)"},
    {"emi-intbusreq",        kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Gencfg: set EMI internal Bus Req Control (disable/enable)"},
    {"emi-reqGnt",           kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0-2>|Gencfg: set EMIReqGnt (Retime Stages)"},
    {"emi-wait",             kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0-3>|Gencfg: set EMIWaitNotTready (Retime Stages)"},
    {"extendedmpx",          kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|M: use standard/superset opcodes"},
    {"flashclksel",          kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0-2>|EMI4: set clock ratio for FLASH"},
    {"gencfg",               kValue, kEmiHex,     kNo,  setGencfgRegister,    4, "<value>|EMI4: general purpose configuration register set (hex)"},
    {"help-dram",            kFlag,  kEmiRefused, kNo,  showHelpTable,        6, "show all DRAM options"},
    {"help-emi4",            kFlag,  kEmiRefused, kNo,  showHelpTable,        6, "show EMI4 specific options"},
    {"help-gencfg",          kFlag,  kEmiRefused, kNo,  showHelpTable,        6, "show all EMI4 gencfg options"},
    {"help-mpx",             kFlag,  kEmiRefused, kNo,  showHelpTable,        6, "show all EMI4 MPX options"},
    {"help-padlogic",        kFlag,  kEmiRefused, kNo,  showHelpTable,        6, "show all EMI2/3 Padlogic options"},
    {"help-peripheral",      kFlag,  kEmiRefused, kNo,  showHelpTable,        6, "show all Peripheral options"},
    {"help-sdram",           kFlag,  kEmiRefused, kNo,  showHelpTable,        7, "show all SDRAM options"},
    {"help",                 kFlag,  kEmiRefused, kSet, showHelp,             7, "show long help page"},
    {"icfg",                 kFlag,  kEmiRefused, kNo,  showProcedureNow,     6, "display EMI pokes in interactive mode"},
    {"io",                   kValue, kEmiRefused, kNo,  writeProcedureNow,    6, "<filename>|output EMI pokes from interactive mode"},
    {"iro",                  kValue, kEmiRefused, kNo,  writeReadParameters,  6, "<file>|output read file parameters in interactive mode"},
    {"iparameters",          kFlag,  kEmiRefused, kNo,  showParameters,       6, "display current parameters in interactive mode"},
    {"ireset",               kFlag,  kEmiRefused, kNo,  resetBanks,           6, "reset banks to defaults from interactive mode"},
    {"i",                    kFlag,  kEmiRefused, kNo,  enterInteractive,     7, "enter interactive mode (exit=q/quit)"},
    {"latchpoint",           kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0+>|D/P: define Latch Point"},
    {"latencymode",          kValue, kEmiDec,     kNo,  setLatency,           4, "<value>|S: set LatencyMode [and CASLatency] (cycles)"},
    {"lock",                 kValue, kEmiHex,     kNo,  setLockRegister,      4, "<value>|EMI4: enter lock register value (hex)"},
    {"mpeg",                 kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: MPEG strobes (disable/enable)"},
    {"mwait",                kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: define Memwait (asynch/synch)"},
    {"mshift0",              kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: MemoryshiftBank0 (disable/enable)"},
    {"mshift1",              kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: MemoryshiftBank1 (disable/enable)"},
    {"mshift2",              kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: MemoryshiftBank2 (disable/enable)"},
    {"mshift3",              kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0/1>|Padlogic: MemoryshiftBank3 (disable/enable)"},
    {"modesetdelay",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<3+>|S: define ModeSetDelay (cycles)"},
    {"mpxclksel",            kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0-2>|EMI4: set clock ratio for MPX"},
    {"multibyte",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|D: set Multibyte (disable/enable)"},
    {"numofbanks",           kValue, kEmiDec,     kNo,  setBankCount,         4, "<4/6>|set number of EMI4 banks"},
    {"oeactive",             kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-3>|P: set OEactive (inactive/r/w/r+w)"},
    {"oee1timeread",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set OEe1TimeRead (phases)"},
    {"oee2timeread",         kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set OEe2TimeRead (phases)"},
    {"oee1timewrite",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set OEe1TimeWrite (phases)"},
    {"oee2timewrite",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|P: set OEe2TimeWrite (phases)"},
    {"o",                    kValue, kEmiText,    kNo,  setOutputFile,        7, "<filename>|specify output file"},
    {"padlogic-on",          kFlag,  kEmiFlag,    kSet, showPadlogic,         4, "display Padlogic register"},
    {"padlogic-off",         kFlag,  kEmiFlag,    kNo,  showPadlogic,         4, "remove Padlogic register"},
    {"padlogic",             kValue, kEmiHex,     kNo,  setPadlogicRegister,  4, "<value>|enter Padlogic register value (hex)"},
    {"portsize",             kValue, kEmiDec,     kNo,  setBankParameter,     4, "<32/16/8>|S/D/P: (bit) set PortSize"},
    {"poke-change",          kValue, kEmiText,    kNo,  setPokeCommand,       6, "<name>|change output poke command to name"},
    {"prechargetime",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1+>|S/D: set Precharge Time (cycles)"},
    {"proc-name",            kValue, kEmiText,    kNo,  setProcName,          7, "<name>|specify procedure name for output"},
    {"p",                    kValue, kEmiRefused, kSet, runScriptOrProcedure, 7, "<procedure>|specify command procedure to execute"},
    {"rasbits",              kValue, kEmiHex,     kNo,  setBankParameter,     4, "<value>|S/D: set RASBits value (hex)"},
    {"rase1time",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1/2>|D: set RASe1Time (phases)"},
    {"rase2time",            kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-3>|D: set RASe2Time (phases)"},
    {"rastime",              kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1/2>|D: set RAStime (cycles)"},
    {"regnum",               kValue, kEmiDec,     kNo,  selectRegisterNumber, 7, "<n>|select bank register number"},
    {"regvalue",             kValue, kEmiHex,     kNo,  setRegisterValue,     7, "<value>|enter selected bank register value (hex)"},
    {"refreshinterval",      kValue, kEmiDec,     kNo,  setRefreshInterval,   4, "<value>|S/D: set Refresh Interval (cycles)"},
    {"refreshrasedge",       kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1/2>|D: set RefreshRASedge (cycles)"},
    {"refreshtime",          kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1+>|S: define RefreshTime (cycles)"},
    {"read",                 kValue, kEmiText,    kNo,  startReadMode,        7, "<file>|read EMI poke file for parameters"},
    {"sdramclksel",          kValue, kEmiDec,     kNo,  setChipParameter,     4, "<0-2>|EMI4: set clock ratio for SDRAM"},
    {"sdrammodereg",         kValue, kEmiHex,     kNo,  setSdramModeRegister, 4, "<value>|S: enter sdrammodereg register value (hex)"},
    {"shiftamount",          kValue, kEmiDec,     kNo,  setBankParameter,     4, "<7-14>|S/D: define ShiftAmount"},
    {"strobeonfalling",      kValue, kEmiDec,     kNo,  setStrobeEdge,        4, "<0/1>|EMI4:P/M/S: clk rising/falling edge"},
    {"subbanksize-padlogic", kValue, kEmiDec,     kNo,  setChipParameter,     4, "<value>|Padlogic: SubBankSize 4/8/16/32/64/1000 (Mbits)"},
    {"subbanksize",          kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|S/D: D=256(k)/1/4/16 S=16/32/64/128/256 (M)"},
    {"subbanks",             kValue, kEmiDec,     kNo,  setBankParameter,     4, "<1/2/4>|S/D: define SubBanks"},
    {"type",                 kValue, kEmiText,    kNo,  selectType,           7, "<type>|specify bank type (S/D/P/M)"},
    {"v",                    kFlag,  kEmiFlag,    kNo,  showVersion,          7, "show version information"},
    {"waitpolarity",         kValue, kEmiDec,     kSet, setStrobeEdge,        4, "<0/1>|EMI4:P/M: wait active high/low"},
    {"weuseoeconfig",        kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0/1>|EMI4:P: configurable readwrite signal (low/high)"},
    {"writerecoverytime",    kValue, kEmiDec,     kNo,  setBankParameter,     4, "<value>|S: set WriteRecoveryTime (cycles)"},
    {"waitstatesframe",      kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-3>|M: number of wait states"},
    {"waitstatesread",       kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-7>|M: number of wait states"},
    {"waitstateswrite",      kValue, kEmiDec,     kNo,  setBankParameter,     4, "<0-7>|M: number of wait states"},
    {"zdump-r",              kFlag,  kNotEmi,     kNo,  dumpReadWords,        4, "show read file data"},
    {"zdump",                kFlag,  kNotEmi,     kNo,  dumpRegisters,        4, "show bank/reg/padlogic data"},
    {"z",                    kFlag,  kNotEmi,     kNo,  showHelp,             4, "display hidden options"},
    // Special rows.
    {nullptr, OptionKind::kInvalidUse,   kNotEmi, kNo,        reportInvalidUse,     0, nullptr},
    {nullptr, OptionKind::kNoArguments,  kNotEmi, kNo,        showShortUsage,       0, nullptr},
    {nullptr, OptionKind::kSyntaxError,  kNotEmi, kNo,        reportSyntaxError,    0, nullptr},
    {nullptr, OptionKind::kEnvNotSet,    kNotEmi, kNo,        reportEnvNotSet,      0, nullptr},
    {nullptr, OptionKind::kArgumentFile, kNotEmi, kNo,        reportArgumentFile,   0, nullptr},
    {nullptr, OptionKind::kBareWord,     kNotEmi, kNo,        runScriptOrProcedure, 0, nullptr},
    {nullptr, OptionKind::kUsageHeader,  kNotEmi, &kToolInfo, nullptr,              0, nullptr},
    {nullptr, OptionKind::kUsageNote,    kNotEmi, kUsageNote, nullptr,              7, nullptr},
    {nullptr, OptionKind::kEnd,          kNotEmi, kNo,        endOfOptions,         0, nullptr},
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
