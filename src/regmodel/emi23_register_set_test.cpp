#include "regmodel/emi23_register_set.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "regmodel/emi23_config_reader.h"
#include "regmodel/test_files.h"
#include "support/format.h"

namespace varda::regmodel {
namespace {

std::string emitted(const Emi23RegisterSet& set, int sdramBanks, std::string_view pokeWord = "poke") {
  return testing::captureStream([&](std::FILE* s) { set.emit(s, sdramBanks, pokeWord); });
}

// The four lines of a Peripheral bank with its defaults, and the empty line after them.
std::string defaultPeripheralBank(std::uint32_t address) {
  std::string text;
  for (const char* value : {"0xb289", "0x8000", "0x8000", "0x0000"}) {
    text += support::format("  poke 0x%08x   %s\n", address, value);
    address += 4;
  }
  return text + "\n";
}

const std::string kDefaultBanks = defaultPeripheralBank(0x2000) + defaultPeripheralBank(0x2010) +
                                  defaultPeripheralBank(0x2020) + defaultPeripheralBank(0x2030);

TEST(Emi23Emit, DefaultSetWrites17LinesInFourGroupsAndTheInitialisationRegister) {
  Emi23RegisterSet set;
  EXPECT_EQ(emitted(set, 0), kDefaultBanks + "  poke 0x00002060   0x0000\n\n}\n");
}

TEST(Emi23Emit, PadlogicShownComesFirst) {
  Emi23RegisterSet set;
  ASSERT_EQ(set.setItem(4, 1, Emi23RegisterSet::kPadlogicBank), 0);  // MPEG, bit 4
  EXPECT_EQ(emitted(set, 0).find("0x00002070"), std::string::npos);
  set.padlogicShown = true;
  EXPECT_EQ(emitted(set, 0),
            "  poke 0x00002070   0x0010\n\n" + kDefaultBanks + "  poke 0x00002060   0x0000\n\n}\n");
}

TEST(Emi23Emit, ModeRegistersFollowTheSdramBankCount) {
  Emi23RegisterSet set;
  ASSERT_EQ(set.setBankType(0, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setBankType(1, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setItem(1201, 0x100, 1), 0);  // bank 1's SdramModeReg goes to 0x205c
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

TEST(Emi23Emit, SdramBankEncodesItsDefaults) {
  // SDRAM defaults: R0 ShiftAmount 8 (1), PortSize 1, DeviceType 2; R1 0;
  // R2 PrechargeTime 2 (1), RefreshInterval 6 (5); R3 ModeSetDelay 3 (0),
  // RefreshTime 3 (2), activate times 1 (0), WriteRecoveryTime 1, CASLatency 2 (1), DramBanks 1.
  Emi23RegisterSet set;
  ASSERT_EQ(set.setBankType(2, blocks::kSdramBank), 0);
  const std::string text = emitted(set, 1);
  EXPECT_NE(text.find("  poke 0x00002020   0x002a\n"
                      "  poke 0x00002024   0x0000\n"
                      "  poke 0x00002028   0x002a\n"
                      "  poke 0x0000202c   0x081a\n\n"),
            std::string::npos)
      << text;
}

TEST(Emi23Emit, InitialisationBitSurvivesOnlyWithADramOrSdramBank) {
  Emi23RegisterSet set;
  EXPECT_EQ(set.storeRaw(16, 1), 0);
  EXPECT_NE(emitted(set, 0).find("  poke 0x00002060   0x0000\n"), std::string::npos);
  ASSERT_EQ(set.setBankType(0, blocks::kDramBank), 0);
  EXPECT_EQ(set.storeRaw(16, 1), 0);
  EXPECT_NE(emitted(set, 0).find("  poke 0x00002060   0x0001\n"), std::string::npos);
}

TEST(Emi23Emit, PokeWordIsUsedOnEveryLine) {
  Emi23RegisterSet set;
  const std::string text = emitted(set, 0, "wr");
  EXPECT_EQ(text.rfind("  wr 0x00002000   0xb289\n", 0), 0u);
  EXPECT_EQ(text.find("poke"), std::string::npos);
}

TEST(Emi23Emit, WrittenFileReadsBack) {
  Emi23RegisterSet set;
  ASSERT_EQ(set.setBankType(1, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setItem(1108, 14, 3), 0);
  set.padlogicShown = true;
  testing::TempFile file("proc configEmi {\n\n" + emitted(set, 1));

  Emi23ConfigReader reader("varda");
  std::array<std::uint32_t, 17> registers{};
  std::array<std::uint32_t, 4> extras{};
  registers.fill(0xb2d05e00);
  extras.fill(0xb2d05e00);
  ASSERT_EQ(reader.readPokeFile(registers, extras, file.path()), 1);

  blocks::RegisterImage image = set.newImage();
  set.encodeAll(image);
  for (std::size_t tag = 0; tag < 17; ++tag) EXPECT_EQ(registers[tag], image[tag]) << tag;
  EXPECT_EQ(extras[0], image[17]);
  EXPECT_EQ(extras[1], 0xb2d05e00u);  // 0x205c is written with two SDRAM banks only
  EXPECT_EQ(extras[2], image[19]);
}

}  // namespace
}  // namespace varda::regmodel
