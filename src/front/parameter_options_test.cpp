#include "front/parameter_options.h"

#include <gtest/gtest.h>

#include "blocks/item_tags.h"
#include "blocks/register_image.h"
#include "front/option_run_test_util.h"

namespace varda::front {
namespace {

namespace tag = blocks::tag;

using ParameterOptions = testing::OptionRunTest;

TEST_F(ParameterOptions, RequiredTypeAndBanksWithoutABlock) {
  // An option that follows the bank's own type does nothing where it has no item.
  EXPECT_EQ(run("-prechargetime 3 -multibyte 1"), "");
  // Bank 4 stays selected when the chip changes to one with four banks: the
  // options that require a type give the type error, the others do nothing.
  run("-chip 7027 -bank 4 -chip 7021");
  EXPECT_EQ(run("-case1time 2"), "varda: Error: incorrect bank type for option -case1time\n");
  EXPECT_EQ(run("-accesstimeread 5"), "varda: Error: incorrect bank type for option -accesstimeread\n");
  EXPECT_EQ(run("-refreshinterval 5"), "varda: Error: incorrect bank type for option -refreshinterval\n");
  EXPECT_EQ(run("-datadrivedelay 1 -portsize 16"), "");
  EXPECT_EQ(word(blocks::image_word::kEmi23Padlogic), 0u);  // bank 4 never reaches the padlogic block
}

TEST_F(ParameterOptions, SdramOnlyOptionsOnGenerationTwoAndWithoutAChip) {
  EXPECT_EQ(run("-chip 7023 -burstlength 3 -caslatency 3"),
            "varda: Warning: option -burstlength not supported by chip 7023\n"
            "varda: Warning: option -caslatency not supported by chip 7023\n");
  run("-chip 9999");
  EXPECT_EQ(run("-bursttype 1 -accesstimeread 5 -devicetype 4"), "");
  EXPECT_EQ(item(0, tag::kAccessTimeRead), 5u);

  // On generation 2 the mode register sets burst type and length only.
  run("-chip 7021 -type S -caslatency 3 -chip 7023");
  EXPECT_EQ(run("-sdrammodereg 1a"), "");
  EXPECT_EQ(item(0, tag::kBurstType), 1u);
  EXPECT_EQ(item(0, tag::kBurstLength), 2u);
  EXPECT_EQ(item(0, tag::kCasLatency), 3u);
  EXPECT_EQ(item(0, tag::kLatencyMode), 3u);
}

// On EMI4 the latency pair sets the latency mode first.
TEST_F(ParameterOptions, Emi4LatencyPairAndGuardedValues) {
  EXPECT_EQ(run("-chip 7027 -caslatency 3"),
            "varda: Error: incorrect bank type for option -latencymode\n"
            "varda: Error: incorrect bank type for option -caslatency\n");
  // A guarded value is checked before the bank type: an SDRAM bank reports the range.
  run("-type S");
  EXPECT_EQ(run("-devicetype 2 -devicetype 1"),
            "varda: Warning type 1: option -devicetype in bank 0, invalid range entry 2\n"
            "varda: Error: incorrect bank type for option -devicetype\n");
}

TEST_F(ParameterOptions, StrobeEdgeReportsTheLockOfEachSdramBank) {
  EXPECT_EQ(run("-chip 7027 -type S -bank 3 -type S -lock 8 -strobeonfalling 1"),
            "varda: Warning: SDRAM should only be selected in banks 0/1\n"
            "varda: Warning: Bank 3 locked check EMI4.LOCK register at 0x20\n");
  EXPECT_EQ(item(0, tag::kSdramStrobeOnFalling), 1u);
  EXPECT_EQ(item(3, tag::kSdramStrobeOnFalling), 0u);
}

}  // namespace
}  // namespace varda::front
