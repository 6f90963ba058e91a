#include "front/option_table.h"

#include "front/chip_options.h"
#include "front/interactive.h"
#include "front/output_options.h"
#include "front/parameter_options.h"
#include "front/parse_callbacks.h"
#include "front/read_options.h"
#include "front/run_settings.h"
#include "front/script_handlers.h"
#include "front/tool_info.h"
#include "front/usage_handlers.h"

namespace varda::front {
namespace {

using options::OptionKind;
using options::OptionRecord;
constexpr OptionKind kFlag = OptionKind::Flag;
constexpr OptionKind kValue = OptionKind::Value;
constexpr const char* kUsageNote = "A full option list is provided by the help option";

// The main table. The parser takes the first row whose name equals an argument
// or is a prefix of it, so a name that is a prefix of another stands after it
// ("bank" after "bank5subdecode", "help" after "help-sdram", "i" after "ireset",
// "o" after "oee2timewrite", "p" after "proc-name", "padlogic" after
// "padlogic-off", "subbanks" after "subbanksize", "z" after "zdump").
// Columns: name, kind, selector (kTwin on one row of a pair sharing a handler),
// handler, visibility (7 short/long/extended page, 6 long/extended, 4 extended),
// "<argument>|help text".
// Twins (rows naming one another in the table) are told apart by their selector
// where they share behaviour; -regnum points at the regNum setting instead.
// clang-format off
constexpr OptionRecord kMainTableRows[] = {
    {"accesstimeread",       kValue, kTwin, setBankParameter, 4, "<value>|P: set AccessTimeRead (cycles)"},
    {"accesstimewrite",      kValue, nullptr, setBankParameter, 4, "<value>|P: set AccessTimeWrite (cycles)"},
    {"activatetoread",       kValue, nullptr, setBankParameter, 4, "<1+>|S: define AcivateToRead (cycles)"},
    {"activatetowrite",      kValue, kTwin, setBankParameter, 4, "<1+>|S: define AcivateToWrite (cycles)"},
    {"bank0addshift",        kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: Bank 0 Address Shift (disable/enable)"},
    {"bank1addshift",        kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: Bank 1 Address Shift (disable/enable)"},
    {"bank2addshift",        kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: Bank 2 Address Shift (disable/enable)"},
    {"bank3addshift",        kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: Bank 3 Address Shift (disable/enable)"},
    {"bank4addshift",        kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: Bank 4 Address Shift (disable/enable)"},
    {"bank3subdecode",       kValue, nullptr, setChipParameter, 4, "<0/1>|Padlogic: set Bank3subdecode (disable/enable)"},
    {"bank5subbanksize",     kValue, kTwin, setChipParameter, 4, "<value>|Gencfg: Bank 5 Sub-Decoding 4/8/16/32/64/1000 (Mbits)"},
    {"bank5subdecode",       kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: Bank 5 Sub-Decoding (disable/enable)"},
    {"bank",                 kValue, nullptr, selectBank, 7, "<0-3/5>|specify bank number"},
    {"base-address",         kValue, nullptr, setBaseAddress, 4, "<addr>|specify base address of EMI4.VCR (hex)"},
    {"beactive",             kValue, nullptr, setBankParameter, 4, "<0-3>|P: set BEactive (inactive/r/w/r+w)"},
    {"bee1timeread",         kValue, nullptr, setBankParameter, 4, "<value>|P: set BEe1TimeRead (phases)"},
    {"bee2timeread",         kValue, kTwin, setBankParameter, 4, "<value>|P: set BEe2TimeRead (phases)"},
    {"bee1timewrite",        kValue, nullptr, setBankParameter, 4, "<value>|P: set BEe1TimeWrite (phases)"},
    {"bee2timewrite",        kValue, kTwin, setBankParameter, 4, "<value>|P: set BEe2TimeWrite (phases)"},
    {"bootindicator",        kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: set Boot indicator (Boot mode/normal)"},
    {"burstlength",          kValue, nullptr, setBankParameter, 4, "<0-7>|S: set BurstLength"},
    {"burstmode",            kValue, nullptr, setBankParameter, 4, "<0/1>|EMI4:P: set synchronous flash burst mode"},
    {"burstsize",            kValue, kTwin, setBankParameter, 4, "<value>|EMI4:P: set BurstSize 2/4/8/16/32/64/128 (bytes)"},
    {"bursttype",            kValue, kTwin, setBankParameter, 4, "<0/1>|S: set BurstType"},
    {"busreleasetime",       kValue, kTwin, setBankParameter, 4, "<value>|S/D/P/M: set BusReleaseTime (cycles)"},
    {"case1time",            kValue, nullptr, setBankParameter, 4, "<1-4>|D: set CASe1Time (phases)"},
    {"case2time",            kValue, kTwin, setBankParameter, 4, "<0-3>|D: set CASe2Time (phases)"},
    {"caslatency",           kValue, kTwin, setLatency, 4, "<value>|S: set CASLatency [and LatencyMode] (cycles)"},
    {"castime",              kValue, kTwin, setBankParameter, 4, "<2-5>|D: set CAStime (cycles)"},
    {"chip",                 kValue, kTwin, selectChip, 7, "<device>|specify chip device"},
    {"clockenable",          kValue, kTwin, setChipParameter, 4, "<0/1>|Padlogic:EMI4: SDRAMclock (disable/enable)"},
    {"clocktristate",        kValue, nullptr, setChipParameter, 4, "<0/1>|Padlogic: SDRAMclocktristate (yes/no)"},
    {"csactive",             kValue, nullptr, setBankParameter, 4, "<0-3>|P: set CSactive (inactive/r/w/r+w)"},
    {"csa-type",             kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: set CSA type (other/Bank 0 SDRAM)"},
    {"csb-type",             kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: set CSB type (other/Bank 0 SDRAM)"},
    {"csc-type",             kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: set CSC type (other/Bank 0 sub-decoded SDRAM)"},
    {"csd-type",             kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: set CSD type (other/Bank 0 sub-decoded SDRAM)"},
    {"cse1timeread",         kValue, nullptr, setBankParameter, 4, "<value>|P: set CSe1TimeRead (phases)"},
    {"cse2timeread",         kValue, kTwin, setBankParameter, 4, "<value>|P: set CSe2TimeRead (phases)"},
    {"cse1timewrite",        kValue, nullptr, setBankParameter, 4, "<value>|P: set CSe1TimeWrite (phases)"},
    {"cse2timewrite",        kValue, kTwin, setBankParameter, 4, "<value>|P: set CSe2TimeWrite (phases)"},
    {"cyclenotphaseread",    kValue, nullptr, setBankParameter, 4, "<0/1>|EMI4:P: change measure unit (phases/cycles)"},
    {"cyclenotphasewrite",   kValue, nullptr, setBankParameter, 4, "<0/1>|EMI4:P: change measure unit (phases/cycles)"},
    {"dack0",                kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: set DAck0 Control (normal/enable)"},
    {"dack1",                kValue, kTwin, setChipParameter, 4, "<0/1>|Gencfg: set DAck1 Control (normal/enable)"},
    {"datadrivedelay",       kValue, kTwin, setBankParameter, 4, "<0+>|S/D/P: set DataDriveDelay (phases)"},
    {"dataholddelay",        kValue, kTwin, setBankParameter, 4, "<1/2>|EMI4:P: set delay in burst mode (cycles)"},
    {"datalatency",          kValue, nullptr, setBankParameter, 4, "<2-17>|EMI4:P: set number of Flash clock cycles (cycles)"},
    {"devicetype",           kValue, kTwin, setBankParameter, 4, "<1/4>|EMI4:P: set Device Type 1(normal) 4(Burst FLASH)"},
    {"drambanks",            kValue, nullptr, setBankParameter, 4, "<0/1>|S: set DRAMBanks (2/4)"},
    {"emi-ackreq",           kValue, nullptr, setChipParameter, 4, "<0-2>|Gencfg: set EMIAckReq (Retime Stages)"},
    {"emi-intbusreq",        kValue, nullptr, setChipParameter, 4, "<0/1>|Gencfg: set EMI internal Bus Req Control (disable/enable)"},
    {"emi-reqGnt",           kValue, kTwin, setChipParameter, 4, "<0-2>|Gencfg: set EMIReqGnt (Retime Stages)"},
    {"emi-wait",             kValue, nullptr, setChipParameter, 4, "<0-3>|Gencfg: set EMIWaitNotTready (Retime Stages)"},
    {"extendedmpx",          kValue, nullptr, setBankParameter, 4, "<0/1>|M: use standard/superset opcodes"},
    {"flashclksel",          kValue, kTwin, setChipParameter, 4, "<0-2>|EMI4: set clock ratio for FLASH"},
    {"gencfg",               kValue, kTwin, setGencfgRegister, 4, "<value>|EMI4: general purpose configuration register set (hex)"},
    {"help-dram",            kFlag, nullptr, showHelpTable, 6, "show all DRAM options"},
    {"help-emi4",            kFlag, kTwin, showHelpTable, 6, "show EMI4 specific options"},
    {"help-gencfg",          kFlag, nullptr, showHelpTable, 6, "show all EMI4 gencfg options"},
    {"help-mpx",             kFlag, nullptr, showHelpTable, 6, "show all EMI4 MPX options"},
    {"help-padlogic",        kFlag, nullptr, showHelpTable, 6, "show all EMI2/3 Padlogic options"},
    {"help-peripheral",      kFlag, kTwin, showHelpTable, 6, "show all Peripheral options"},
    {"help-sdram",           kFlag, kTwin, showHelpTable, 7, "show all SDRAM options"},
    {"help",                 kFlag, kTwin, showHelp, 7, "show long help page"},
    {"icfg",                 kFlag, nullptr, showProcedureNow, 6, "display EMI pokes in interactive mode"},
    {"io",                   kValue, kTwin, writeProcedureNow, 6, "<filename>|output EMI pokes from interactive mode"},
    {"iro",                  kValue, kTwin, writeReadParameters, 6, "<file>|output read file parameters in interactive mode"},
    {"iparameters",          kFlag, nullptr, showParameters, 6, "display current parameters in interactive mode"},
    {"ireset",               kFlag, nullptr, resetBanks, 6, "reset banks to defaults from interactive mode"},
    {"i",                    kFlag, nullptr, enterInteractive, 7, "enter interactive mode (exit=q/quit)"},
    {"latchpoint",           kValue, nullptr, setBankParameter, 4, "<0+>|D/P: define Latch Point"},
    {"latencymode",          kValue, nullptr, setLatency, 4, "<value>|S: set LatencyMode [and CASLatency] (cycles)"},
    {"lock",                 kValue, nullptr, setLockRegister, 4, "<value>|EMI4: enter lock register value (hex)"},
    {"mpeg",                 kValue, kTwin, setChipParameter, 4, "<0/1>|Padlogic: MPEG strobes (disable/enable)"},
    {"mwait",                kValue, nullptr, setChipParameter, 4, "<0/1>|Padlogic: define Memwait (asynch/synch)"},
    {"mshift0",              kValue, kTwin, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank0 (disable/enable)"},
    {"mshift1",              kValue, nullptr, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank1 (disable/enable)"},
    {"mshift2",              kValue, kTwin, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank2 (disable/enable)"},
    {"mshift3",              kValue, nullptr, setChipParameter, 4, "<0/1>|Padlogic: MemoryshiftBank3 (disable/enable)"},
    {"modesetdelay",         kValue, kTwin, setBankParameter, 4, "<3+>|S: define ModeSetDelay (cycles)"},
    {"mpxclksel",            kValue, kTwin, setChipParameter, 4, "<0-2>|EMI4: set clock ratio for MPX"},
    {"multibyte",            kValue, nullptr, setBankParameter, 4, "<0/1>|D: set Multibyte (disable/enable)"},
    {"numofbanks",           kValue, nullptr, setBankCount, 4, "<4/6>|set number of EMI4 banks"},
    {"oeactive",             kValue, kTwin, setBankParameter, 4, "<0-3>|P: set OEactive (inactive/r/w/r+w)"},
    {"oee1timeread",         kValue, nullptr, setBankParameter, 4, "<value>|P: set OEe1TimeRead (phases)"},
    {"oee2timeread",         kValue, kTwin, setBankParameter, 4, "<value>|P: set OEe2TimeRead (phases)"},
    {"oee1timewrite",        kValue, nullptr, setBankParameter, 4, "<value>|P: set OEe1TimeWrite (phases)"},
    {"oee2timewrite",        kValue, kTwin, setBankParameter, 4, "<value>|P: set OEe2TimeWrite (phases)"},
    {"o",                    kValue, nullptr, setOutputFile, 7, "<filename>|specify output file"},
    {"padlogic-on",          kFlag, kTwin, showPadlogic, 4, "display Padlogic register"},
    {"padlogic-off",         kFlag, nullptr, showPadlogic, 4, "remove Padlogic register"},
    {"padlogic",             kValue, nullptr, setPadlogicRegister, 4, "<value>|enter Padlogic register value (hex)"},
    {"portsize",             kValue, kTwin, setBankParameter, 4, "<32/16/8>|S/D/P: (bit) set PortSize"},
    {"poke-change",          kValue, kTwin, setPokeCommand, 6, "<name>|change output poke command to name"},
    {"prechargetime",        kValue, nullptr, setBankParameter, 4, "<1+>|S/D: set Precharge Time (cycles)"},
    {"proc-name",            kValue, nullptr, setProcName, 7, "<name>|specify procedure name for output"},
    {"p",                    kValue, kTwin, runScriptOrProcedure, 7, "<procedure>|specify command procedure to execute"},
    {"rasbits",              kValue, nullptr, setBankParameter, 4, "<value>|S/D: set RASBits value (hex)"},
    {"rase1time",            kValue, nullptr, setBankParameter, 4, "<1/2>|D: set RASe1Time (phases)"},
    {"rase2time",            kValue, kTwin, setBankParameter, 4, "<0-3>|D: set RASe2Time (phases)"},
    {"rastime",              kValue, nullptr, setBankParameter, 4, "<1/2>|D: set RAStime (cycles)"},
    {"regnum",               kValue, &gSettings.regNum, selectRegisterNumber, 7, "<n>|select bank register number"},
    {"regvalue",             kValue, nullptr, setRegisterValue, 7, "<value>|enter selected bank register value (hex)"},
    {"refreshinterval",      kValue, nullptr, setRefreshInterval, 4, "<value>|S/D: set Refresh Interval (cycles)"},
    {"refreshrasedge",       kValue, kTwin, setBankParameter, 4, "<1/2>|D: set RefreshRASedge (cycles)"},
    {"refreshtime",          kValue, kTwin, setBankParameter, 4, "<1+>|S: define RefreshTime (cycles)"},
    {"read",                 kValue, nullptr, startReadMode, 7, "<file>|read EMI poke file for parameters"},
    {"sdramclksel",          kValue, nullptr, setChipParameter, 4, "<0-2>|EMI4: set clock ratio for SDRAM"},
    {"sdrammodereg",         kValue, nullptr, setSdramModeRegister, 4, "<value>|S: enter sdrammodereg register value (hex)"},
    {"shiftamount",          kValue, kTwin, setBankParameter, 4, "<7-14>|S/D: define ShiftAmount"},
    {"strobeonfalling",      kValue, nullptr, setStrobeEdge, 4, "<0/1>|EMI4:P/M/S: clk rising/falling edge"},
    {"subbanksize-padlogic", kValue, kTwin, setChipParameter, 4, "<value>|Padlogic: SubBankSize 4/8/16/32/64/1000 (Mbits)"},
    {"subbanksize",          kValue, kTwin, setBankParameter, 4, "<value>|S/D: D=256(k)/1/4/16 S=16/32/64/128/256 (M)"},
    {"subbanks",             kValue, nullptr, setBankParameter, 4, "<1/2/4>|S/D: define SubBanks"},
    {"type",                 kValue, nullptr, selectType, 7, "<type>|specify bank type (S/D/P/M)"},
    {"v",                    kFlag, nullptr, showVersion, 7, "show version information"},
    {"waitpolarity",         kValue, kTwin, setStrobeEdge, 4, "<0/1>|EMI4:P/M: wait active high/low"},
    {"weuseoeconfig",        kValue, kTwin, setBankParameter, 4, "<0/1>|EMI4:P: configurable readwrite signal (low/high)"},
    {"writerecoverytime",    kValue, nullptr, setBankParameter, 4, "<value>|S: set WriteRecoveryTime (cycles)"},
    {"waitstatesframe",      kValue, kTwin, setBankParameter, 4, "<0-3>|M: number of wait states"},
    {"waitstatesread",       kValue, nullptr, setBankParameter, 4, "<0-7>|M: number of wait states"},
    {"waitstateswrite",      kValue, kTwin, setBankParameter, 4, "<0-7>|M: number of wait states"},
    {"zdump-r",              kFlag, kTwin, dumpReadWords, 4, "show read file data"},
    {"zdump",                kFlag, nullptr, dumpRegisters, 4, "show bank/reg/padlogic data"},
    {"z",                    kFlag, nullptr, showHelp, 4, "display hidden options"},
    // Special rows.
    {nullptr, OptionKind::InvalidUse, nullptr, reportInvalidUse, 0, nullptr},
    {nullptr, OptionKind::NoArguments, nullptr, showShortUsage, 0, nullptr},
    {nullptr, OptionKind::SyntaxError, nullptr, reportSyntaxError, 0, nullptr},
    {nullptr, OptionKind::EnvNotSet, nullptr, reportEnvNotSet, 0, nullptr},
    {nullptr, OptionKind::ArgumentFile, nullptr, reportArgumentFile, 0, nullptr},
    {nullptr, OptionKind::BareWord, nullptr, runScriptOrProcedure, 0, nullptr},
    {nullptr, OptionKind::UsageHeader, &kToolInfo, nullptr, 0, nullptr},
    {nullptr, OptionKind::UsageNote, kUsageNote, nullptr, 7, nullptr},
    {nullptr, OptionKind::End, nullptr, endOfOptions, 0, nullptr},
};
// clang-format on

}  // namespace

OptionTable mainTable() { return kMainTableRows; }

}  // namespace varda::front
