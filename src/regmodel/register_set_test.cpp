// The set / check / undo protocol that both register sets share.

#include "regmodel/register_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regmodel/emi23_register_set.h"
#include "regmodel/emi4_register_set.h"
#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

using testing::captureStdout;

// Every item value of the set, banks in order then the chip-wide block.
std::vector<std::uint32_t> allValues(RegisterSet& set) {
  std::vector<std::uint32_t> values;
  for (int bank = 0; bank < set.bankCount(); ++bank) {
    for (const auto& item : set.bankBlock(bank)->items()) values.push_back(item.value());
  }
  for (const auto& item : set.chipBlock().items()) values.push_back(item.value());
  return values;
}

// EMI2/3 DRAM tags.
constexpr std::uint32_t kCasTime = 1097;
constexpr std::uint32_t kCase1Time = 1093;
// EMI2/3 Peripheral tags.
constexpr std::uint32_t kAccessTimeRead = 1108;
constexpr std::uint32_t kCse1TimeRead = 1112;
constexpr std::uint32_t kCse2TimeRead = 1113;
// EMI2/3 SDRAM tags.
constexpr std::uint32_t kCasLatency = 1142;
constexpr std::uint32_t kLatencyMode = 1143;
constexpr std::uint32_t kRefreshTime = 1131;

constexpr int kPadlogic = Emi23RegisterSet::kPadlogicBank;

TEST(RegisterSet, BankTypes) {
  Emi23RegisterSet emi23;
  Emi4RegisterSet emi4;
  for (int bank = 0; bank < 4; ++bank) EXPECT_EQ(emi23.bankType(bank), blocks::kPeripheralBank);
  for (int bank = 0; bank < 6; ++bank) EXPECT_EQ(emi4.bankType(bank), blocks::kPeripheralBank);
  EXPECT_EQ(emi23.bankType(4), blocks::kNoBank);
  EXPECT_EQ(emi23.bankType(-1), blocks::kNoBank);
  EXPECT_EQ(emi4.bankType(6), blocks::kNoBank);

  // A new type replaces the block, and the bank starts again from the defaults.
  ASSERT_EQ(emi23.setItem(kAccessTimeRead, 12, 2), 0);
  EXPECT_EQ(emi23.setBankType(2, blocks::kPeripheralBank), 0);
  EXPECT_EQ(emi23.findBankItem(2, kAccessTimeRead)->value(), 10u);
  EXPECT_EQ(emi23.setBankType(3, blocks::kSdramBank), 0);
  EXPECT_EQ(emi23.bankType(3), blocks::kSdramBank);
  EXPECT_EQ(emi23.findBankItem(3, kAccessTimeRead), nullptr);

  // A type the generation lacks, or a bank outside the set, changes nothing.
  blocks::BankBlock* before = emi23.bankBlock(1);
  EXPECT_EQ(emi23.setBankType(1, blocks::kMpxBank), 1);
  EXPECT_EQ(emi23.setBankType(1, 7), 1);
  EXPECT_EQ(emi23.bankBlock(1), before);
  EXPECT_EQ(emi23.setBankType(4, blocks::kSdramBank), 1);
  before = emi4.bankBlock(5);
  EXPECT_EQ(emi4.setBankType(5, blocks::kDramBank), 1);
  EXPECT_EQ(emi4.bankBlock(5), before);
  EXPECT_EQ(emi4.setBankType(5, blocks::kMpxBank), 0);
  EXPECT_EQ(emi4.bankType(5), blocks::kMpxBank);
}

// 0 accepted; 1 the item's own range or rule failed; 2 the item passed and the
// configuration then failed. Every failure leaves every item as it was.
TEST(RegisterSet, SetItemResultsAndUndo) {
  Emi23RegisterSet set;
  EXPECT_EQ(set.setItem(kAccessTimeRead, 6, 1), blocks::kSetAccepted);
  EXPECT_EQ(set.findBankItem(1, kAccessTimeRead)->value(), 6u);
  EXPECT_EQ(set.findBankItem(0, kAccessTimeRead)->value(), 10u);  // other banks untouched
  ASSERT_EQ(set.setItem(kCse2TimeRead, 3, 1), 0);

  auto before = allValues(set);
  EXPECT_EQ(captureStdout([&] { EXPECT_EQ(set.setItem(kAccessTimeRead, 0, 0), 1); }), "");  // range
  EXPECT_EQ(captureStdout([&] { EXPECT_EQ(set.setItem(kCse1TimeRead, 3, 1), 1); }),
            "varda: Error: Peripheral (CSe1TimeRead >= CSe2TimeRead < AccessTimeRead)\n");
  // Tags the addressed block lacks, and banks outside the set.
  EXPECT_EQ(set.setItem(kCasLatency, 2, 0), 1);
  EXPECT_EQ(set.setItem(6, 0, kPadlogic), 1);
  EXPECT_EQ(set.setItem(kAccessTimeRead, 12, 5), 1);
  EXPECT_EQ(allValues(set), before);

  // The CAS time is tested against the first CAS edge with "<=", the edge
  // against the CAS time strictly: lowering the CAS time to the edge passes
  // its own test and fails the edge's.
  ASSERT_EQ(set.setBankType(0, blocks::kDramBank), 0);
  ASSERT_EQ(set.setItem(kCasTime, 3, 0), 0);
  ASSERT_EQ(set.setItem(kCase1Time, 2, 0), 0);
  before = allValues(set);
  EXPECT_EQ(captureStdout([&] { EXPECT_EQ(set.setItem(kCasTime, 2, 0), 2); }),
            "varda: Error: DRAM (CASe1Time > CASTime)\n");
  EXPECT_EQ(allValues(set), before);

  // The chip bank's own check covers the whole chip-wide block; a tag shared
  // by two items reaches the first.
  EXPECT_EQ(set.setItem(3, 1, kPadlogic), 0);
  EXPECT_EQ(set.setItem(8, 6, kPadlogic), 1);  // subbanksize7025 is 0..5
  EXPECT_EQ(set.findChipItem(8)->value(), 0u);
  EXPECT_EQ(set.chipBlock().items()[3].value(), 1u);
  EXPECT_EQ(set.chipBlock().items()[4].value(), 0u);

  Emi4RegisterSet emi4;
  EXPECT_EQ(emi4.setItem(1161, 5, Emi4RegisterSet::kGencfgBank), 0);
  const auto& items = emi4.chipBlock().items();
  EXPECT_EQ(items[18].name(), "EMI4statuscfg");
  EXPECT_EQ(items[18].value(), 5u);
  for (std::size_t i = 19; i < items.size(); ++i) EXPECT_EQ(items[i].value(), items[i].defaultValue()) << i;
  EXPECT_EQ(emi4.setItem(1161, 64, Emi4RegisterSet::kGencfgBank), 1);
  EXPECT_EQ(items[18].value(), 5u);
}

// CASLatency and LatencyMode keep a value that fails their own check and
// give 0; the configuration then fails, so every later change is refused
// until a raw store decodes the latency from its two bits again.
TEST(RegisterSet, CasLatencyAndLatencyModeKeepAFailedValue) {
  Emi23RegisterSet set;
  ASSERT_EQ(set.setBankType(0, blocks::kSdramBank), 0);
  EXPECT_EQ(set.setItem(kLatencyMode, 0, 0), 0);
  EXPECT_EQ(set.findBankItem(0, kLatencyMode)->value(), 0u);
  EXPECT_EQ(set.setItem(kLatencyMode, 2, 0), 0);
  EXPECT_EQ(set.setItem(kCasLatency, 9, 0), 0);
  EXPECT_EQ(set.findBankItem(0, kCasLatency)->value(), 9u);
  EXPECT_EQ(set.setItem(kRefreshTime, 17, 0), 1);  // any other item is restored
  EXPECT_EQ(set.findBankItem(0, kRefreshTime)->value(), 3u);

  EXPECT_EQ(set.setItem(kAccessTimeRead, 12, 1), 2);
  EXPECT_EQ(set.findBankItem(1, kAccessTimeRead)->value(), 10u);
  EXPECT_EQ(set.setItem(0, 1, kPadlogic), 2);
  EXPECT_EQ(set.findChipItem(0)->value(), 0u);

  // 9 is stored as 8 in a two-bit field and decoded back as 0 + 1.
  EXPECT_EQ(set.storeRaw(19, 0x1), 0);
  EXPECT_EQ(set.findBankItem(0, kCasLatency)->value(), 1u);
  EXPECT_EQ(set.findChipItem(0)->value(), 1u);
}

TEST(RegisterSet, StoreRawDecodesEveryItemAndUndoesOnFailure) {
  Emi23RegisterSet set;
  EXPECT_EQ(set.storeRaw(19, 0x0009), 0);
  EXPECT_EQ(set.findChipItem(0)->value(), 1u);
  EXPECT_EQ(set.chipBlock().items()[3].name(), "MemshiftBank3");
  EXPECT_EQ(set.chipBlock().items()[3].value(), 1u);
  EXPECT_EQ(set.chipBlock().items()[4].value(), 1u);

  // Bank 0 register 1: access time read 2 (field 0) with both CS edges 3.
  const auto before = allValues(set);
  EXPECT_EQ(captureStdout([&] { EXPECT_EQ(set.storeRaw(1, 0x0f00), 1); }),
            "varda: Error: Peripheral (AccessTimeRead <= CSe2TimeRead + CSe1TimeRead)\n");
  EXPECT_EQ(allValues(set), before);
  EXPECT_EQ(set.storeRaw(20, 1), 1);  // outside the image

  // The EMI4 lock word reaches the third item of tag 1161; a refresh interval
  // below its minimum of 7 is refused.
  Emi4RegisterSet emi4;
  EXPECT_EQ(emi4.storeRaw(24, 0x3), 0);
  EXPECT_EQ(emi4.chipBlock().items()[20].name(), "EMI4lock");
  EXPECT_EQ(emi4.chipBlock().items()[20].value(), 3u);
  EXPECT_EQ(emi4.findChipItem(1161)->value(), 0u);
  EXPECT_EQ(emi4.storeRaw(30, 6), 1);
  EXPECT_EQ(emi4.chipBlock().items()[21].value(), 8u);
  EXPECT_EQ(emi4.storeRaw(59, 1), 1);
}

TEST(RegisterSet, ChecksReportTheFirstFailingBankAndStoreNothing) {
  Emi23RegisterSet set;
  EXPECT_FALSE(set.checkConfiguration());
  ASSERT_EQ(set.setBankType(2, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setBankType(3, blocks::kSdramBank), 0);
  ASSERT_EQ(set.setItem(kLatencyMode, 7, 3), 0);
  ASSERT_EQ(set.setItem(kCasLatency, 7, 2), 0);
  const blocks::CheckOutcome result = set.checkConfiguration();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->tag, kCasLatency);  // bank 2 before bank 3
  EXPECT_TRUE(set.checkBank(3));
  EXPECT_FALSE(set.checkBank(1));
  EXPECT_FALSE(set.checkChip());

  EXPECT_TRUE(set.checkBankValue(0, kAccessTimeRead, 18));
  EXPECT_FALSE(set.checkBankValue(0, kAccessTimeRead, 17));
  EXPECT_FALSE(set.checkBankValue(0, kCasLatency, 99));  // a tag the block lacks passes
  EXPECT_EQ(set.findBankItem(0, kAccessTimeRead)->value(), 10u);
}

TEST(RegisterSet, DumpOrder) {
  Emi23RegisterSet set;
  const std::string text = captureStdout([&] { set.dump(); });
  EXPECT_EQ(text.rfind("MemoryItem start {\n\tName: CSactive\n", 0), 0u);
  // 4 banks of 22 items, then 11 padlogic items, then 20 registers.
  std::size_t items = 0, registers = 0;
  for (std::size_t at = 0; (at = text.find("MemoryItem start", at)) != std::string::npos; ++at) ++items;
  for (std::size_t at = 0; (at = text.find("MemoryRegister start", at)) != std::string::npos; ++at)
    ++registers;
  EXPECT_EQ(items, 4u * 22u + 11u);
  EXPECT_EQ(registers, 20u);
  EXPECT_LT(text.rfind("MemoryItem end"), text.find("MemoryRegister start"));
  const std::string last = "MemoryRegister start {\nTag = 19\nAddress = 0x2070\n} MemoryRegister end\n";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

}  // namespace
}  // namespace varda::regmodel
