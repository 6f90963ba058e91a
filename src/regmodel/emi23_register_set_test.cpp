#include "regmodel/emi23_register_set.h"

#include <gtest/gtest.h>

#include <string>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

using blocks::BankType;
using blocks::SetResult;

std::string emitted(const Emi23RegisterSet& set, int sdramBanks) {
  return testing::captureStream([&](std::FILE* s) { set.emit(s, sdramBanks, "poke"); });
}

// No mode register line without an SDRAM bank, 0x2058 for one, both for two
// or more, followed by one empty line.
TEST(Emi23Emit, ModeRegistersFollowTheSdramBankCount) {
  blocks::BlockSerial serial;
  Emi23RegisterSet set(serial);
  ASSERT_TRUE(set.setBankType(0, BankType::kSdram));
  ASSERT_TRUE(set.setBankType(1, BankType::kSdram));
  ASSERT_EQ(set.setItem(1201, 0x100, 1).result,
            SetResult::kAccepted);  // bank 1's SdramModeReg goes to 0x205c
  const std::string two = emitted(set, 2);
  EXPECT_NE(two.find("  poke 0x0000203c   0x0000\n\n"
                     "  poke 0x00002058   0x0022\n"
                     "  poke 0x0000205c   0x0122\n\n"
                     "  poke 0x00002060   0x0000\n\n}\n"),
            std::string::npos)
      << two;
  EXPECT_EQ(emitted(set, 3), two);

  const std::string one = emitted(set, 1);
  EXPECT_NE(one.find("  poke 0x00002058   0x0022\n\n  poke 0x00002060"), std::string::npos) << one;
  EXPECT_EQ(one.find("0x0000205c"), std::string::npos);

  const std::string none = emitted(set, 0);
  EXPECT_EQ(none.find("0x00002058"), std::string::npos);
  EXPECT_EQ(none.find("0x0000205c"), std::string::npos);
}

}  // namespace
}  // namespace varda::regmodel
