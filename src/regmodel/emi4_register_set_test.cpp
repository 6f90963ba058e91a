#include "regmodel/emi4_register_set.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "regmodel/emi4_config_reader.h"
#include "regmodel/test_files.h"
#include "support/format.h"

namespace varda::regmodel {
namespace {

std::string emitted(const Emi4RegisterSet& set, std::uint32_t base, int bankCount) {
  return testing::captureStream([&](std::FILE* s) { set.emit(s, base, bankCount, "poke"); });
}

// The four lines of an EMI4 Peripheral bank with its defaults, and the empty line.
std::string defaultPeripheralBank(std::uint32_t address) {
  std::string text;
  for (const char* value : {"0x00052289", "0x12000033", "0x12000033", "0x00000008"}) {
    text += support::format("  poke 0x%08x   %s\n", address, value);
    address += 8;
  }
  return text + "\n";
}

// The chip-wide lines with the general-configuration defaults, in their
// written order, and the closing brace.
const std::string kDefaultChipLines =
    "  poke 0x00001020   0x00000000\n"
    "  poke 0x00001028   0x00000000\n"
    "  poke 0x00001038   0x00000000\n"
    "  poke 0x00001048   0x00000008\n"
    "  poke 0x00001050   0x00000002\n"
    "  poke 0x00001058   0x00000002\n"
    "  poke 0x00001060   0x00000002\n"
    "  poke 0x00001068   0x00000000\n"
    "  poke 0x00001040   0x00000000\n"
    "}\n";

TEST(Emi4Emit, FourBankChip) {
  Emi4RegisterSet set;
  EXPECT_EQ(emitted(set, 0x1000, 4),
            defaultPeripheralBank(0x1100) + defaultPeripheralBank(0x1140) + defaultPeripheralBank(0x1180) +
                defaultPeripheralBank(0x11c0) + kDefaultChipLines);
}

TEST(Emi4Emit, SixBankChipWritesBank5First) {
  Emi4RegisterSet set;
  EXPECT_EQ(emitted(set, 0x1000, 6),
            defaultPeripheralBank(0x1240) + defaultPeripheralBank(0x1100) + defaultPeripheralBank(0x1140) +
                defaultPeripheralBank(0x1180) + defaultPeripheralBank(0x11c0) +
                defaultPeripheralBank(0x1200) + kDefaultChipLines);
}

TEST(Emi4Emit, ModeRegisterLineHasBank1InTheUpperHalf) {
  Emi4RegisterSet set;
  ASSERT_EQ(set.setBankType(0, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setBankType(1, blocks::kSdramBank), 0);
  // SdramModeReg ORs with the default burst length 2 and latency mode 2 (0x22).
  ASSERT_EQ(set.setItem(1201, 0x33, 0), 0);
  ASSERT_EQ(set.setItem(1201, 0x22, 1), 0);
  EXPECT_NE(emitted(set, 0x1000, 4).find("  poke 0x00001038   0x00220033\n"), std::string::npos);
}

TEST(Emi4Emit, BaseAddressWrapsAt32Bits) {
  Emi4RegisterSet set;
  const std::string text = emitted(set, 0xffffff00, 4);
  EXPECT_EQ(text.rfind("  poke 0x00000000   0x00052289\n", 0), 0u);
  EXPECT_NE(text.find("  poke 0xffffff40   0x00000000\n}\n"), std::string::npos);
}

TEST(Emi4RegisterSet, PopulatedBankMask) {
  Emi4RegisterSet set;
  EXPECT_EQ(set.populatedBankMask(4), 0xfu);
  EXPECT_EQ(set.populatedBankMask(6), 0x3fu);
  // MPX banks leave registers 1 to 3 zero by default.
  ASSERT_EQ(set.setBankType(1, blocks::kMpxBank), 0);
  ASSERT_EQ(set.setBankType(3, blocks::kMpxBank), 0);
  EXPECT_EQ(set.populatedBankMask(4), 5u);
  EXPECT_EQ(set.populatedBankMask(6), 0x35u);
  EXPECT_EQ(set.populatedBankMask(0), 0u);
}

TEST(Emi4RegisterSet, GencfgBankReachesTheFirstItemOfASharedTag) {
  Emi4RegisterSet set;
  EXPECT_EQ(set.setItem(1161, 5, Emi4RegisterSet::kGencfgBank), 0);
  const auto& items = set.chipBlock().items();
  EXPECT_EQ(items[18].name(), "EMI4statuscfg");
  EXPECT_EQ(items[18].value(), 5u);
  for (std::size_t i = 19; i < items.size(); ++i) EXPECT_EQ(items[i].value(), items[i].defaultValue()) << i;
  EXPECT_EQ(set.setItem(1161, 64, Emi4RegisterSet::kGencfgBank), 1);
  EXPECT_EQ(items[18].value(), 5u);
}

TEST(Emi4RegisterSet, StoreRawReachesEveryItemOfASharedTag) {
  Emi4RegisterSet set;
  EXPECT_EQ(set.storeRaw(24, 0x3), 0);  // the lock word: third item of tag 1161
  EXPECT_EQ(set.chipBlock().items()[20].name(), "EMI4lock");
  EXPECT_EQ(set.chipBlock().items()[20].value(), 3u);
  EXPECT_EQ(set.findChipItem(1161)->value(), 0u);
  EXPECT_NE(emitted(set, 0, 4).find("  poke 0x00000020   0x00000003\n"), std::string::npos);
  // Refresh interval below its minimum of 7: refused, every item as before.
  EXPECT_EQ(set.storeRaw(30, 6), 1);
  EXPECT_EQ(set.chipBlock().items()[21].value(), 8u);
}

TEST(Emi4RegisterSet, InitialisationBitsSurviveOnlyWithAnSdramBank) {
  Emi4RegisterSet set;
  EXPECT_EQ(set.storeRaw(29, 1), 0);
  EXPECT_NE(emitted(set, 0, 4).find("  poke 0x00000040   0x00000000\n}\n"), std::string::npos);
  ASSERT_EQ(set.setBankType(2, blocks::kSdramBank), 0);
  EXPECT_EQ(set.storeRaw(29, 1), 0);
  EXPECT_NE(emitted(set, 0, 4).find("  poke 0x00000040   0x00000001\n}\n"), std::string::npos);
}

TEST(Emi4RegisterSet, TimingRulesDoNotApplyOnEmi4) {
  Emi4RegisterSet set;
  for (std::uint32_t tag : {1170u, 1171u, 1172u, 1173u, 1174u, 1175u}) ASSERT_EQ(set.setItem(tag, 15, 0), 0);
  EXPECT_EQ(set.setItem(1169, 2, 0), 0);  // AccessTimeReadEMI4 at its minimum
  EXPECT_EQ(set.setItem(1169, 1, 0), 1);
}

TEST(Emi4RegisterSet, WrittenFileReadsBack) {
  Emi4RegisterSet set;
  ASSERT_EQ(set.setBankType(1, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setBankType(4, blocks::kMpxBank), 0);
  ASSERT_EQ(set.setItem(1201, 0x40, 1), 0);
  ASSERT_EQ(set.setItem(4, 2, Emi4RegisterSet::kGencfgBank), 0);  // EMIWait
  testing::TempFile file("proc configEmi {\n\n" + emitted(set, 0x20000, 6));

  Emi4ConfigReader reader("varda");
  reader.setBase(0x20000);
  std::array<std::uint32_t, 25> registers{};
  std::array<std::uint32_t, 13> extras{};
  registers.fill(0xb2d05e00);
  extras.fill(0xb2d05e00);
  ASSERT_EQ(reader.readPokeFile(registers, extras, file.path()), 1);

  blocks::RegisterImage image = set.newImage();
  set.encodeAll(image);
  for (std::size_t i = 0; i < 24; ++i) EXPECT_EQ(registers[i], image[35 + i]) << i;
  EXPECT_EQ(extras[3], image[24]);
  EXPECT_EQ(extras[4], 0x20u);
  EXPECT_EQ(extras[6], (image[28] << 16) | image[27]);
  EXPECT_EQ(extras[6] >> 16, 0x62u);
  EXPECT_EQ(extras[7], image[29]);
  EXPECT_EQ(extras[8], 8u);
  EXPECT_EQ(extras[0], 0xb2d05e00u);  // never written
}

}  // namespace
}  // namespace varda::regmodel
