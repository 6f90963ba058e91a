#include "front/parameters_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "front/option_run_test_util.h"
#include "front/read_test_util.h"
#include "front/run_state.h"

namespace varda::front {
namespace {

using testing::parameterLines;
using testing::stateWith;

// The four register words of an EMI2/3 Peripheral bank with every default.
constexpr std::uint32_t kPeripheralDefaults[] = {0xb289, 0x8000, 0x8000, 0};

class ParameterLines : public testing::OptionRunTest {};

TEST_F(ParameterLines, ChipLineNeedsBankZeroAndNamesTheGenerationWithoutAChip) {
  ReadBackState none = stateWith({{4, kPeripheralDefaults[0]},
                                  {5, kPeripheralDefaults[1]},
                                  {6, kPeripheralDefaults[2]},
                                  {7, kPeripheralDefaults[3]}});
  EXPECT_TRUE(parameterLines(none).starts_with("\n\nemi  -bank 1 -type Peripheral\nemi  -datadrivedelay 5"));
  ReadBackState state = stateWith({{0, 0xb289}, {1, 0x8000}, {2, 0x8000}, {3, 0}});
  EXPECT_EQ(parameterLines(state).substr(0, 19), "\nemi  -chip EMI2\n\n\n");
  run("-chip 7021");
  EXPECT_EQ(parameterLines(state).substr(0, 19), "\nemi  -chip 7021\n\n\n");
  // A chip number that was not recognised falls back to the generation.
  run("-chip 9999");
  EXPECT_EQ(parameterLines(state).substr(0, 19), "\nemi  -chip EMI3\n\n\n");
}

TEST_F(ParameterLines, Emi23ClassesByTheLowBitsOfTheFirstWord) {
  ReadBackState state = stateWith({{0, 0x3}, {4, 0x2}, {8, 0x0}});
  const std::string lines = parameterLines(state);
  EXPECT_NE(lines.find("emi  -bank 0 -type Peripheral\n"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 1 -type SDRAM\n"), std::string::npos);
  EXPECT_NE(lines.find("emi  -bank 2 -type DRAM\n"), std::string::npos);
  EXPECT_EQ(lines.find("-bank 3"), std::string::npos);
}

TEST_F(ParameterLines, Withdrawn2064WriteIsANoteNamingThePokeWord) {
  ReadBackState state = stateWith({}, {{chip_word::kEmi23Withdrawn, 1}});
  EXPECT_EQ(parameterLines(state), "\n## note: poke 0x1 to register 0x2064 withdrawn\n");
  run("-poke-change wr");
  state.chipWords[chip_word::kEmi23Padlogic] = 0;
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
  ReadBackState state = stateWith({{0, 1}}, {{chip_word::kEmi4Lock, 0xffffffc5},
                                             {chip_word::kEmi4Gencfg, 0x12345678},
                                             {chip_word::kEmi4Refresh, 0xfff},
                                             {chip_word::kEmi4FlashClock, 7},
                                             {chip_word::kEmi4SdramClock, 0},
                                             {chip_word::kEmi4ClockEnable, 3}});
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
  ReadBackState state = stateWith({}, {{chip_word::kEmi4Gencfg, 0x00462008}});
  EXPECT_EQ(parameterLines(state),
            "emi  -csa-type 0 -csb-type 0 -csc-type 0 -csd-type 1\n"
            "emi  -bank3addshift 0 -bank4addshift 0 -bank5subdecode 0 -bank5subbanksize 16\n"
            "emi  -emi-ackreq 0 -emi-reqGnt 2 -emi-intbusreq 0 -bootindicator 0\n"
            "emi  -dack0 0 -dack1 1\n");
  // Retime-stage code 1 reads back as 0 stages, yet its line is written.
  state.chipWords[chip_word::kEmi4Gencfg] = 0x8000;
  EXPECT_EQ(parameterLines(state), "emi  -emi-ackreq 0 -emi-reqGnt 0 -emi-intbusreq 0 -bootindicator 0\n");
  state.chipWords[chip_word::kEmi4Gencfg] = 0;
  EXPECT_EQ(parameterLines(state), "");
}

class ParametersFile : public testing::OptionRunTest {
 protected:
  // Named after the process: test processes may run side by side.
  const std::string stem_ = ::testing::TempDir() + "parameters_writer_test_" + std::to_string(::getpid());
  const std::string path_ = stem_ + ".dat";
  void TearDown() override {
    std::remove(path_.c_str());
    OptionRunTest::TearDown();
  }
};

TEST_F(ParametersFile, HeaderThenProcedureNameThenLinesAndReadModeEnds) {
  settings().readMode = true;
  ReadBackState state = stateWith({{0, 0xb289}, {1, 0x8000}, {2, 0x8000}, {3, 0}});
  state.sourceFile = "in.cfg";
  state.procName = "setup";
  ::testing::internal::CaptureStdout();
  writeParameters(state, path_);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  const std::string text = testing::fileText(path_);
  EXPECT_TRUE(
      text.starts_with("\n"
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
                       "\n\nemi  -bank 0 -type Peripheral\n"))
      << text;
  EXPECT_TRUE(text.ends_with(" -latchpoint 0\n"));
  EXPECT_EQ(settings().readMode, 0);
  EXPECT_EQ(state.out, stdout);
}

TEST_F(ParametersFile, DefaultNameIsTheProcedureNameWithDat) {
  ReadBackState state;
  state.sourceFile = "in.cfg";
  state.procName = stem_;
  writeParameters(state, std::nullopt);
  EXPECT_TRUE(testing::fileText(path_).ends_with("emi  -proc-name " + *state.procName + " "));
}

TEST_F(ParametersFile, OpenAndCloseFailuresAreReported) {
  settings().readMode = true;
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
