#include "front/parameters_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "front/option_run_test_util.h"
#include "front/read_test_util.h"

namespace varda::front {
namespace {

using testing::parameterLines;
using testing::stateWith;

constexpr std::uint32_t kUnset = ReadBackState::kUnset;

// The four register words of an EMI2/3 Peripheral bank with every default
// (data drive delay 5, bus release 2, CS and OE active 1, port size code 1,
// device type 1; access times 10 stored as 8).
constexpr std::uint32_t kPeripheralDefaults[] = {0xb289, 0x8000, 0x8000, 0};

constexpr const char* kPeripheralDefaultLines =
    "emi  -datadrivedelay 5 -busreleasetime 2\n"
    "emi  -csactive 1 -oeactive 1 -beactive 0 -portsize 32\n"
    "emi  -accesstimeread 10 -cse1timeread 0 -cse2timeread 0 -oee1timeread 0\n"
    "emi  -oee2timeread 0 -bee1timeread 0 -bee2timeread 0 -accesstimewrite 10\n"
    "emi  -cse1timewrite 0 -cse2timewrite 0 -oee1timewrite 0 -oee2timewrite 0\n"
    "emi  -bee1timewrite 0 -bee2timewrite 0 -latchpoint 0\n";

class ParameterLines : public testing::OptionRunTest {};

TEST_F(ParameterLines, ChipLineNeedsBankZeroAndNamesTheGenerationWithoutAChip) {
  ReadBackState none = stateWith({{4, kPeripheralDefaults[0]}, {5, kPeripheralDefaults[1]},
                                  {6, kPeripheralDefaults[2]}, {7, kPeripheralDefaults[3]}});
  EXPECT_EQ(parameterLines(none), "\n\nemi  -bank 1 -type Peripheral\n" + std::string(kPeripheralDefaultLines));
  ReadBackState state = stateWith({{0, 0xb289}, {1, 0x8000}, {2, 0x8000}, {3, 0}});
  EXPECT_EQ(parameterLines(state).substr(0, 19), "\nemi  -chip EMI2\n\n\n");
  run("-chip 7021");
  EXPECT_EQ(parameterLines(state).substr(0, 19), "\nemi  -chip 7021\n\n\n");
  // A chip number that was not recognised falls back to the generation.
  run("-chip 9999");
  EXPECT_EQ(parameterLines(state).substr(0, 19), "\nemi  -chip EMI3\n\n\n");
}

TEST_F(ParameterLines, Emi23PeripheralDefaults) {
  run("-chip 7021");
  ReadBackState state = stateWith({{8, kPeripheralDefaults[0]}, {9, kPeripheralDefaults[1]},
                                   {10, kPeripheralDefaults[2]}, {11, kPeripheralDefaults[3]}});
  EXPECT_EQ(parameterLines(state), "\n\nemi  -bank 2 -type Peripheral\n" + std::string(kPeripheralDefaultLines));
}

TEST_F(ParameterLines, Emi23SdramTakesEveryFieldFromItsPlacement) {
  run("-chip 7021");
  // R0: data drive 1, bus release 2, sub-banks code 2, size code 3, shift
  // amount 10, port size code 2, device type 2. R1/R2: RAS bits 0x51234,
  // precharge 4, refresh interval 9. R3: mode-set delay 4, refresh time 5,
  // activate-to-read 3 and -write 4, CAS latency 3, DRAM banks 0, write
  // recovery 3. Mode word 0x35: latency 3, burst type 0, burst length 5.
  ReadBackState state = stateWith({{0, 0x3b72}, {1, 0x1234}, {2, 0x0570}, {3, 0x52e6}}, {{kEmi23ModeWord, 0x35}});
  EXPECT_EQ(parameterLines(state),
            "\nemi  -chip 7021\n"
            "\n\nemi  -bank 0 -type SDRAM\n"
            "emi  -datadrivedelay 1 -busreleasetime 2 -subbanks 4\n"
            "emi  -subbanksize 128 -shiftamount 10 -portsize 16\n"
            "emi  -rasbits 0x51234 -prechargetime 4 -refreshinterval 9 -modesetdelay 4\n"
            "emi  -refreshtime 5 -activatetoread 3 -activatetowrite 4 -caslatency 3\n"
            "emi  -drambanks 0 -writerecoverytime 3\n"
            "emi  -sdrammodereg 0x35 -latencymode 3 -bursttype 0 -burstlength 5\n");
}

TEST_F(ParameterLines, Emi23SdramModeLineComesFromTheBanksOwnModeRegister) {
  // Bank 1 reads 0x205c, the other banks 0x2058; an unset word leaves the line out.
  ReadBackState state = stateWith({{4, 0x0002}, {12, 0x0002}}, {{kEmi23ModeWord, 0x2b}});
  const std::string lines = parameterLines(state);
  EXPECT_EQ(lines.find("emi  -bank 1 -type SDRAM\n"), 2u) << lines;
  EXPECT_EQ(lines.find("sdrammodereg"), lines.rfind("sdrammodereg"));
  EXPECT_NE(lines.find("emi  -sdrammodereg 0x2b -latencymode 2 -bursttype 1 -burstlength 3\n"), std::string::npos);
  EXPECT_GT(lines.find("sdrammodereg"), lines.find("-bank 3"));
  state.chipWords[kEmi23ModeWordBank1] = 0x40;
  EXPECT_NE(parameterLines(state).find("emi  -drambanks 0 -writerecoverytime 0\n"
                                       "emi  -sdrammodereg 0x40 -latencymode 4 -bursttype 0 -burstlength 0\n\n\n"
                                       "emi  -bank 3 -type SDRAM\n"),
            std::string::npos);
}

TEST_F(ParameterLines, Emi23DramLinesKeepTheSpaceBeforeTheLineFeed) {
  // R0: data drive 1, bus release 1, sub-banks code 1, size code 0, shift 7,
  // port size code 3, device type 0. R1/R2: RAS bits 0x7fffff, precharge 8,
  // refresh interval 16, RAS edge code 1. R3: every timing at its largest.
  ReadBackState state = stateWith({{0, 0x2418}, {1, 0xffff}, {2, 0x7fff}, {3, 0x0fdb}});
  EXPECT_EQ(parameterLines(state),
            "\nemi  -chip EMI2\n"
            "\n\nemi  -bank 0 -type DRAM\n"
            "emi  -datadrivedelay 1 -busreleasetime 1\n"
            "emi  -subbanks 2 -subbanksize 256 -shiftamount 7 -portsize 8\n"
            "emi  -rasbits 0x7fffff -prechargetime 8 -refreshinterval 16 -refreshrasedge 2\n"
            "emi  -rastime 2 -castime 5 -rase1time 2 -rase2time 3 \n"
            "emi  -case1time 2 -case2time 2 -multibyte 1 -latchpoint 1\n");
}

TEST_F(ParameterLines, Emi23ClassesByTheLowBitsOfTheFirstWord) {
  ReadBackState state = stateWith({{0, 0x3}, {4, 0x2}, {8, 0x0}});
  const std::string lines = parameterLines(state);
  EXPECT_NE(lines.find("emi  -bank 0 -type Peripheral\n"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 1 -type SDRAM\n"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 2 -type DRAM\n"), std::string::npos);
  EXPECT_EQ(lines.find("-bank 3"), std::string::npos);
}

TEST_F(ParameterLines, PadlogicFirstLineOnlyWhenOneOfItsCodesIsSet) {
  ReadBackState state = stateWith({}, {{kEmi23PadlogicWord, 0x10}});
  EXPECT_EQ(parameterLines(state),
            "\n\n"
            "emi  -mpeg 1 -mwait 0 -mshift0 0 -mshift1 0\n"
            "emi  -mshift2 0 -mshift3 0\n");
  state.chipWords[kEmi23PadlogicWord] = 0x0c00 | 0x0280 | 0x6f;
  EXPECT_EQ(parameterLines(state),
            "\n\n"
            "emi  -bank3subdecode 1 -clockenable 1 -clocktristate 1 -subbanksize-padlogic 1000\n"
            "emi  -mpeg 0 -mwait 1 -mshift0 1 -mshift1 1\n"
            "emi  -mshift2 1 -mshift3 1\n");
  state.chipWords[kEmi23PadlogicWord] = 0x0080;
  EXPECT_NE(parameterLines(state).find("-subbanksize-padlogic 8\n"), std::string::npos);
}

TEST_F(ParameterLines, Withdrawn2064WriteIsANoteNamingThePokeWord) {
  ReadBackState state = stateWith({}, {{kEmi23Word2064, 1}});
  EXPECT_EQ(parameterLines(state), "\n## note: poke 0x1 to register 0x2064 withdrawn\n");
  run("-poke-change wr");
  state.chipWords[kEmi23PadlogicWord] = 0;
  EXPECT_EQ(parameterLines(state),
            "\n\nemi  -mpeg 0 -mwait 0 -mshift0 0 -mshift1 0\nemi  -mshift2 0 -mshift3 0\n"
            "\n## note: wr 0x1 to register 0x2064 withdrawn\n");
}

class Emi4ParameterLines : public testing::OptionRunTest {
 protected:
  void SetUp() override {
    OptionRunTest::SetUp();
    run("-chip 7027");
  }
};

TEST_F(Emi4ParameterLines, PeripheralFieldsAtTheirLimits) {
  // R0: WE uses OE 1, wait polarity 1, latch point 16, data drive 31, bus
  // release 15, CS 3, OE 2, BE 1, port size code 3, device type 4 (bit 2).
  // R1: cycles 1, access 127, edges 15 1 2 3 4 5. R2: access 2, edges 6 to 11.
  // R3: strobe on falling 1, burst size code 6, data latency 17, hold code 1, burst mode 1.
  ReadBackState state = stateWith({{0, 0x070fff3c}, {1, 0xfdf12345}, {2, 0x006789ab}, {3, 0x04000347}});
  state.bankWords[16] = 0x1;  // bank 4 set: six banks
  const std::string lines = parameterLines(state);
  EXPECT_EQ(lines.substr(0, lines.find("\n\n\nemi  -bank 4")),
            "\nemi  -chip 7027\n"
            "\n\nemi  -bank 0 -type Peripheral\n"
            "emi  -weuseoeconfig 1 -waitpolarity 1 -latchpoint 16 -datadrivedelay 31\n"
            "emi  -busreleasetime 15 -csactive 3 -oeactive 2 -beactive 1\n"
            "emi  -portsize 8 -devicetype 4\n"
            "emi  -cyclenotphaseread 1 -accesstimeread 127 -cse1timeread 15\n"
            "emi  -cse2timeread 1 -oee1timeread 2 -oee2timeread 3 -bee1timeread 4\n"
            "emi  -bee2timeread 5 -cyclenotphasewrite 0 -accesstimewrite 2\n"
            "emi  -cse1timewrite 6 -cse2timewrite 7 -oee1timewrite 8 -oee2timewrite 9\n"
            "emi  -bee1timewrite 10 -bee2timewrite 11 -strobeonfalling 1 -burstsize 128\n"
            "emi  -datalatency 17 -dataholddelay 2 -burstmode 1");
  EXPECT_EQ(state.fourBanks, 0);
}

TEST_F(Emi4ParameterLines, SdramModeWordIsSplitOnlyAboveSixteenBits) {
  // R0: strobe 1, bus release 4, sub-banks code 1, size code 4, shift 14,
  // port size code 1, device type 2. R1: bits above 22 are not RAS bits.
  // R2: precharge 16. R3: mode-set 6, refresh 32, activate 8 and 1, CAS 5,
  // DRAM banks 1, write recovery 7.
  ReadBackState state = stateWith({{0, 0x04006cea}, {1, 0xff7fffff}, {2, 0xf0}, {3, 0xffc4f}, {4, 0x2}},
                                  {{kEmi4ModeWord, 0x00220053}});
  const std::string lines = parameterLines(state);
  EXPECT_NE(lines.find("\n\nemi  -bank 0 -type SDRAM\n"
                       "emi  -strobeonfalling 1 -busreleasetime 4 -subbanks 2 -subbanksize 256\n"
                       "emi  -shiftamount 14 -portsize 32 -rasbits 0x7fffff -prechargetime 16\n"
                       "emi  -modesetdelay 6 -refreshtime 32 -activatetoread 8 -activatetowrite 1\n"
                       "emi  -caslatency 5 -drambanks 1 -writerecoverytime 7\n"
                       "emi  -sdrammodereg 0x53 -latencymode 5 -bursttype 0 -burstlength 3\n"
                       "\n\nemi  -bank 1 -type SDRAM\n"),
            std::string::npos)
      << lines;
  EXPECT_NE(lines.find("emi  -sdrammodereg 0x22 -latencymode 2 -bursttype 0 -burstlength 2\n"), std::string::npos);
  state.chipWords[kEmi4ModeWord] = 0x4b;
  const std::string whole = parameterLines(state);
  const std::string modeLine = "emi  -sdrammodereg 0x4b -latencymode 4 -bursttype 1 -burstlength 3\n";
  EXPECT_NE(whole.find(modeLine), whole.rfind(modeLine));
  state.chipWords[kEmi4ModeWord] = kUnset;
  EXPECT_EQ(parameterLines(state).find("sdrammodereg"), std::string::npos);
}

TEST_F(Emi4ParameterLines, MpxWritesItsSetNonZeroRegistersWhole) {
  ReadBackState state = stateWith({{0, 0x04003d7b}, {1, 0}, {2, 0xdeadbeef}});
  EXPECT_EQ(parameterLines(state),
            "\nemi  -chip 7027\n"
            "emi  -numofbanks 4\n"
            "\n\nemi  -bank 0 -type MPX\n"
            "emi  -strobeonfalling 1 -waitpolarity 0 -extendedmpx 1 -busreleasetime 4\n"
            "emi  -waitstatesframe 2 -waitstatesread 5 -waitstateswrite 7\n"
            "emi  -regnum 2 -regvalue 0xdeadbeef\n");
  EXPECT_EQ(state.fourBanks, 1);
}

TEST_F(Emi4ParameterLines, ClassesByBitsZeroToTwoAndKeepsThePreviousClassOtherwise) {
  // Banks 0 to 5: 0 (no class, none before it), 7 (MPX), 0 (keeps MPX),
  // 6 (Peripheral by bit 2), unset (none), 0 (keeps none).
  ReadBackState state = stateWith({{0, 0}, {4, 7}, {8, 0}, {12, 6}, {20, 0}});
  const std::string lines = parameterLines(state);
  EXPECT_EQ(lines.find("-bank 0 -type"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 1 -type MPX\n"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 2 -type MPX\n"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 3 -type Peripheral\n"), std::string::npos);
  EXPECT_EQ(lines.find("-bank 4"), std::string::npos);
  EXPECT_EQ(lines.find("-bank 5"), std::string::npos);
  for (const std::uint32_t first : {1u, 4u, 5u}) {
    state.bankWords[4] = first;
    EXPECT_NE(parameterLines(state).find("emi  -bank 1 -type Peripheral\n"), std::string::npos) << first;
  }
  state.bankWords[4] = 2;
  EXPECT_NE(parameterLines(state).find("emi  -bank 1 -type SDRAM\n"), std::string::npos);
}

TEST_F(Emi4ParameterLines, ChipWideLinesInTheirOrder) {
  run("-chip emi4");
  ReadBackState state = stateWith({{0, 1}},
                                  {{kEmi4LockWord, 0xffffffc5}, {kEmi4GencfgWord, 0x12345678}, {kEmi4RefreshWord, 0xfff},
                                   {kEmi4FlashClockWord, 7}, {kEmi4SdramClockWord, 0}, {kEmi4ClockEnableWord, 3}});
  state.emi4Base = 0x1000;
  const std::string lines = parameterLines(state);
  EXPECT_EQ(lines.substr(0, lines.find("\n\n\n")),
            "\nemi  -chip emi4\n"
            "emi  -base-address 0x1000\n"
            "emi  -numofbanks 4\n"
            "emi  -lock 5\n"
            "emi  -gencfg 0x12345678\n"
            "emi  -refreshinterval 4096\n"
            "emi  -flashclksel 3\n"
            "emi  -sdramclksel 0\n"
            "emi  -clockenable 1");
}

TEST_F(Emi4ParameterLines, Chip7027WritesTheGeneralConfigurationItemByItem) {
  // CSD type 1, bank 5 sub-bank size code 2, EMIReqGnt code 3, DAck1 1.
  ReadBackState state = stateWith({}, {{kEmi4GencfgWord, 0x00462008}});
  EXPECT_EQ(parameterLines(state),
            "emi  -csa-type 0 -csb-type 0 -csc-type 0 -csd-type 1\n"
            "emi  -bank3addshift 0 -bank4addshift 0 -bank5subdecode 0 -bank5subbanksize 16\n"
            "emi  -emi-ackreq 0 -emi-reqGnt 2 -emi-intbusreq 0 -bootindicator 0\n"
            "emi  -dack0 0 -dack1 1\n");
  // Retime-stage code 1 reads back as 0 stages, yet its line is written.
  state.chipWords[kEmi4GencfgWord] = 0x8000;
  EXPECT_EQ(parameterLines(state), "emi  -emi-ackreq 0 -emi-reqGnt 0 -emi-intbusreq 0 -bootindicator 0\n");
  state.chipWords[kEmi4GencfgWord] = 0;
  EXPECT_EQ(parameterLines(state), "");
}

class ParametersFile : public testing::OptionRunTest {
 protected:
  const std::string path_ = ::testing::TempDir() + "parameters_writer_test.dat";
  void TearDown() override {
    std::remove(path_.c_str());
    OptionRunTest::TearDown();
  }
};

TEST_F(ParametersFile, NothingReadIsAnError) {
  ReadBackState state;
  ::testing::internal::CaptureStdout();
  writeParameters(state, path_);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "varda: Error: missing read file\n");
  EXPECT_FALSE(std::ifstream(path_).good());
}

TEST_F(ParametersFile, HeaderThenProcedureNameThenLinesAndReadModeEnds) {
  settings().readMode = 1;
  ReadBackState state = stateWith({{0, 0xb289}, {1, 0x8000}, {2, 0x8000}, {3, 0}});
  state.sourceFile = "in.cfg";
  state.procName = "setup";
  ::testing::internal::CaptureStdout();
  writeParameters(state, path_);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::fileText(path_),
            "\n"
            "##############################################################################\n"
            "##\n"
            "## EMI configuration Parameters file \n"
            "##\n"
            "##############################################################################\n"
            "\n"
            "## Following Parameters read from file in.cfg\n"
            "\n"
            "emi  -proc-name setup \n"
            "emi  -chip EMI2\n"
            "\n\nemi  -bank 0 -type Peripheral\n" +
                std::string(kPeripheralDefaultLines));
  EXPECT_EQ(settings().readMode, 0);
  EXPECT_EQ(state.out, stdout);
}

TEST_F(ParametersFile, DefaultNameIsTheProcedureNameWithDat) {
  ReadBackState state;
  state.sourceFile = "in.cfg";
  state.procName = ::testing::TempDir() + "parameters_writer_test";
  writeParameters(state, std::nullopt);
  EXPECT_TRUE(testing::fileText(path_).ends_with("emi  -proc-name " + *state.procName + " "));
}

TEST_F(ParametersFile, OpenAndCloseFailuresAreReported) {
  settings().readMode = 1;
  ReadBackState state;
  state.sourceFile = "in.cfg";
  state.procName = "p";
  ::testing::internal::CaptureStdout();
  writeParameters(state, std::string("no-such-directory/p.dat"));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "varda: Error: can't open parameter file\n");
  EXPECT_EQ(settings().readMode, 1);
  ::testing::internal::CaptureStdout();
  writeParameters(state, std::string("/dev/full"));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "varda: Error: closing parameter file\n");
  EXPECT_EQ(settings().readMode, 0);
}

}  // namespace
}  // namespace varda::front
