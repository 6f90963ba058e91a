#include "front/parameter_options.h"

#include <gtest/gtest.h>

#include "front/option_run_test_util.h"

namespace varda::front {
namespace {

using ParameterOptions = testing::OptionRunTest;

// Register image words used below.
constexpr std::uint32_t kEmi23Padlogic = 19;
constexpr std::uint32_t kEmi4Gencfg = 25;
constexpr std::uint32_t kEmi4Bank0R0 = 35;
constexpr std::uint32_t kEmi4Bank1R0 = 39;
constexpr std::uint32_t kEmi4Bank2R0 = 43;

TEST_F(ParameterOptions, RequiredTypeRefusesOtherBanksWithOneErrorLine) {
  EXPECT_EQ(run("-case1time 2"), "varda: Error: incorrect bank type for option -case1time\n");
  EXPECT_EQ(run("-chip 7021 -refreshtime 4"), "varda: Error: incorrect bank type for option -refreshtime\n");
  // An option that follows the bank's own type does nothing where it has no item.
  EXPECT_EQ(run("-prechargetime 3 -multibyte 1"), "");
}

TEST_F(ParameterOptions, BankWithoutBlockGivesRequiredTypeOptionsTheTypeError) {
  // Bank 4 stays selected when the chip changes to one with four banks.
  run("-chip 7027 -bank 4 -chip 7021");
  EXPECT_EQ(run("-case1time 2"), "varda: Error: incorrect bank type for option -case1time\n");
  EXPECT_EQ(run("-accesstimeread 5"), "varda: Error: incorrect bank type for option -accesstimeread\n");
  EXPECT_EQ(run("-refreshinterval 5"), "varda: Error: incorrect bank type for option -refreshinterval\n");
  EXPECT_EQ(run("-datadrivedelay 1 -portsize 16"), "");
  EXPECT_EQ(word(kEmi23Padlogic), 0u);  // bank 4 never reaches the padlogic block
}

TEST_F(ParameterOptions, GenerationTwoRefusesSdramOnlyOptionsBeforeTheBankType) {
  EXPECT_EQ(run("-chip 7023 -bursttype 1"), "varda: Warning: option -bursttype not supported by chip 7023\n");
  EXPECT_EQ(run("-burstlength 3 -caslatency 3"),
            "varda: Warning: option -burstlength not supported by chip 7023\n"
            "varda: Warning: option -caslatency not supported by chip 7023\n");
  // Without a chip the same options are silent.
  run("-chip 9999");
  EXPECT_EQ(run("-bursttype 1 -accesstimeread 5 -devicetype 4"), "");
  EXPECT_EQ(item(0, 1108), 5u);
}

TEST_F(ParameterOptions, LatencyPairSetsBothItemsUnderTheirOwnNames) {
  EXPECT_EQ(run("-chip 7021 -caslatency 3"),
            "varda: Error: incorrect bank type for option -caslatency\n"
            "varda: Error: incorrect bank type for option -latencymode\n");
  EXPECT_EQ(run("-latencymode 3"),
            "varda: Error: incorrect bank type for option -latencymode\n"
            "varda: Error: incorrect bank type for option -caslatency\n");
  run("-type S -latencymode 3");
  EXPECT_EQ(item(0, 1142), 3u);
  EXPECT_EQ(item(0, 1143), 3u);
  // Generation 3 keeps an out-of-range latency and reports nothing.
  EXPECT_EQ(run("-caslatency 9"), "");
  EXPECT_EQ(item(0, 1142), 9u);
}

TEST_F(ParameterOptions, Emi4LatencyPairSetsLatencyModeFirstAndReportsTheOptionGiven) {
  EXPECT_EQ(run("-chip 7027 -caslatency 3"),
            "varda: Error: incorrect bank type for option -latencymode\n"
            "varda: Error: incorrect bank type for option -caslatency\n");
  run("-type S -caslatency 5");
  EXPECT_EQ(item(0, 1202), 5u);
  EXPECT_EQ(item(0, 1199), 5u);
  EXPECT_EQ(run("-latencymode 9"), "varda: Warning type 1: option -latencymode in bank 0, invalid range entry 9\n");
  EXPECT_EQ(item(0, 1199), 5u);
}

TEST_F(ParameterOptions, SdramModeRegisterSplitsIntoItsFields) {
  run("-chip 7021 -type S -sdrammodereg 3b");
  EXPECT_EQ(item(0, 1201), 0x3bu);
  EXPECT_EQ(item(0, 1145), 1u);
  EXPECT_EQ(item(0, 1146), 3u);
  EXPECT_EQ(item(0, 1142), 3u);
  EXPECT_EQ(item(0, 1143), 3u);
  EXPECT_EQ(run("-sdrammodereg 10000"),
            "varda: Warning type 1: option -sdrammodereg in bank 0, invalid range entry 10000\n");
  EXPECT_EQ(item(0, 1146), 3u);
}

TEST_F(ParameterOptions, SdramModeRegisterNamesEachFieldInTheTypeError) {
  EXPECT_EQ(run("-chip 7027 -sdrammodereg 22"),
            "varda: Error: incorrect bank type for option -sdrammodereg\n"
            "varda: Error: incorrect bank type for option -bursttype\n"
            "varda: Error: incorrect bank type for option -burstlength\n"
            "varda: Error: incorrect bank type for option -latencymode\n"
            "varda: Error: incorrect bank type for option -caslatency\n");
}

TEST_F(ParameterOptions, SdramModeRegisterOnGenerationTwoLeavesTheLatencyItems) {
  run("-chip 7021 -type S -caslatency 3 -chip 7023");
  EXPECT_EQ(run("-sdrammodereg 1a"), "");
  EXPECT_EQ(item(0, 1145), 1u);
  EXPECT_EQ(item(0, 1146), 2u);
  EXPECT_EQ(item(0, 1142), 3u);
  EXPECT_EQ(item(0, 1143), 3u);
}

TEST_F(ParameterOptions, StrobeEdgeReachesEverySdramBankAndKeepsTheCurrentBank) {
  run("-chip 7027 -bank 0 -type S -bank 2 -type S -bank 1 -type M -bank 2 -waitpolarity 1");
  EXPECT_EQ(word(kEmi4Bank0R0) >> 26 & 1u, 1u);
  EXPECT_EQ(word(kEmi4Bank2R0) >> 26 & 1u, 1u);
  EXPECT_EQ(word(kEmi4Bank1R0), 0x2000053u);  // MPX bank untouched
  EXPECT_EQ(settings().currentBank, 2);
  EXPECT_EQ(run("-strobeonfalling 2"),
            "varda: Warning type 1: option -strobeonfalling in bank 2, invalid range entry 2\n");
  run("-bank 1 -waitpolarity 0 -strobeonfalling 1");
  EXPECT_EQ(item(1, 1149), 0u);
  EXPECT_EQ(item(1, 1148), 1u);
}

TEST_F(ParameterOptions, StrobeEdgeReportsTheLockOfEachSdramBank) {
  EXPECT_EQ(run("-chip 7027 -type S -bank 3 -type S -lock 8 -strobeonfalling 1"),
            "varda: Warning: SDRAM should only be selected in banks 0/1\n"
            "varda: Warning: Bank 3 locked check EMI4.LOCK register at 0x20\n");
  EXPECT_EQ(item(0, 1189), 1u);
  EXPECT_EQ(item(3, 1189), 0u);
}

TEST_F(ParameterOptions, GuardedEmi4ValuesAreRefusedBeforeTheyAreSet) {
  run("-chip 7027 -type S");
  EXPECT_EQ(run("-writerecoverytime 0"),
            "varda: Warning type 1: option -writerecoverytime in bank 0, invalid range entry 0\n");
  EXPECT_EQ(item(0, 1200), 2u);
  run("-bank 1");
  EXPECT_EQ(run("-devicetype 3 -datalatency 1"),
            "varda: Warning type 1: option -devicetype in bank 1, invalid range entry 3\n"
            "varda: Warning type 1: option -datalatency in bank 1, invalid range entry 1\n");
  // The value check comes before the bank type: an SDRAM bank reports the range.
  EXPECT_EQ(run("-bank 0 -devicetype 2 -devicetype 1"),
            "varda: Warning type 1: option -devicetype in bank 0, invalid range entry 2\n"
            "varda: Error: incorrect bank type for option -devicetype\n");
  run("-bank 1 -devicetype 4 -datalatency 17 -dataholddelay 2 -burstsize 128");
  EXPECT_EQ(item(1, 1167), 4u);
  EXPECT_EQ(item(1, 1186), 17u);
  EXPECT_EQ(item(1, 1187), 1u);
  EXPECT_EQ(item(1, 1185), 6u);
}

TEST_F(ParameterOptions, GencfgOptionsWarnOffChip7027AndSetOnlyOnEmi4) {
  EXPECT_EQ(run("-chip emi4 -emi-ackreq 2"), "varda: Warning: option -emi-ackreq not supported by chip emi4\n");
  EXPECT_EQ(item(6, 13), 3u);
  run("-chip 7027 -emi-reqGnt 1 -dack1 1 -bank5subbanksize 1000");
  EXPECT_EQ(word(kEmi4Gencfg), 3u << 15 | 2u << 17 | 1u << 22 | 5u << 12);
  EXPECT_EQ(run("-emi-wait 4"), "varda: Warning type 1: option -emi-wait in Gencfg register, invalid range entry 4\n");
  run("-chip 7021");
  EXPECT_EQ(run("-csa-type 1"), "varda: Warning: option -csa-type not supported by chip 7021\n");
  EXPECT_EQ(word(kEmi23Padlogic), 0u);  // chip 7021's padlogic item went to the EMI4 set then in force
}

TEST_F(ParameterOptions, PadlogicOnlyOptionsOnEmi4WarnAndLeaveTheGencfgBitsOfTheirTags) {
  EXPECT_EQ(run("-chip 7027 -clocktristate 1 -bank3subdecode 1 -subbanksize-padlogic 8"),
            "varda: Warning: option -clocktristate not supported by chip 7027\n"
            "varda: Warning: option -bank3subdecode not supported by chip 7027\n"
            "varda: Warning: option -subbanksize-padlogic not supported by chip 7027\n");
  EXPECT_EQ(word(kEmi4Gencfg), 0u);
  EXPECT_EQ(run("-mpeg 1"), "varda: Warning: option -mpeg not supported by chip 7027\n");
  EXPECT_EQ(word(kEmi4Gencfg), 0u);
}

TEST_F(ParameterOptions, PadlogicItemsWarnByChipAndAreSetAnyway) {
  EXPECT_EQ(run("-chip 7021 -clockenable 1 -mpeg 1 -mshift3 1"),
            "varda: Warning: option -clockenable not supported by chip 7021\n"
            "varda: Warning: option -mpeg not supported by chip 7021\n");
  EXPECT_EQ(word(kEmi23Padlogic), 0x800u | 1u << 10 | 1u << 4 | 1u << 3);
  EXPECT_EQ(run("-subbanksize-padlogic 128"),
            "varda: Warning: option -subbanksize-padlogic not supported by chip 7021\n"
            "varda: Warning type 1: option -subbanksize-padlogic in Padlogic, invalid range entry 128\n");
}

TEST_F(ParameterOptions, LockedEmi4BankRefusesEveryBankParameter) {
  run("-chip 7027 -base-address 1000 -lock 3f");
  EXPECT_EQ(run("-accesstimeread 5 -bank 5 -portsize 8"),
            "varda: Warning: Bank 0 locked check EMI4.LOCK register at 0x1020\n"
            "varda: Warning: Bank 5 locked check EMI4.LOCK register at 0x1020\n");
  EXPECT_EQ(item(0, 1169), 20u);
  EXPECT_EQ(item(5, 1102), 1u);
}

}  // namespace
}  // namespace varda::front
