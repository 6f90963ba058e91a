#include "regmodel/emi4_register_set.h"

#include <gtest/gtest.h>

namespace varda::regmodel {
namespace {

// A bank counts when all four of its words encode non-zero; MPX banks leave
// registers 1 to 3 zero by default.
TEST(Emi4RegisterSet, PopulatedBankMask) {
  Emi4RegisterSet set;
  EXPECT_EQ(set.populatedBankMask(4), 0xfu);
  EXPECT_EQ(set.populatedBankMask(6), 0x3fu);
  ASSERT_EQ(set.setBankType(1, blocks::kMpxBank), 0);
  ASSERT_EQ(set.setBankType(3, blocks::kMpxBank), 0);
  EXPECT_EQ(set.populatedBankMask(4), 5u);
  EXPECT_EQ(set.populatedBankMask(6), 0x35u);
  EXPECT_EQ(set.populatedBankMask(0), 0u);
}

}  // namespace
}  // namespace varda::regmodel
