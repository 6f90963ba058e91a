#include "regmodel/emi4_register_set.h"

#include <gtest/gtest.h>

namespace varda::regmodel {
namespace {

using blocks::BankType;
using blocks::SetResult;

// A bank counts when all four of its words encode non-zero; MPX banks leave
// registers 1 to 3 zero by default.
TEST(Emi4RegisterSet, PopulatedBankMask) {
  blocks::BlockSerial serial;
  Emi4RegisterSet set(serial);
  EXPECT_EQ(set.populatedBankMask(4), 0xfu);
  EXPECT_EQ(set.populatedBankMask(6), 0x3fu);
  ASSERT_TRUE(set.setBankType(1, BankType::kMpx));
  ASSERT_TRUE(set.setBankType(3, BankType::kMpx));
  EXPECT_EQ(set.populatedBankMask(4), 5u);
  EXPECT_EQ(set.populatedBankMask(6), 0x35u);
  EXPECT_EQ(set.populatedBankMask(0), 0u);
}

}  // namespace
}  // namespace varda::regmodel
