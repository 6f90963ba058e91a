// The set / check / undo protocol that both register sets share.

#include "regmodel/register_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/item_tags.h"
#include "regmodel/emi23_register_set.h"
#include "regmodel/emi4_register_set.h"
#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

using blocks::BankType;
using blocks::SetResult;

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

using namespace blocks::tag;
constexpr std::uint32_t kCasTime = kCASTime;
constexpr std::uint32_t kCase1Time = kCASe1Time;
constexpr std::uint32_t kCse1TimeRead = kCSe1TimeRead;
constexpr std::uint32_t kCse2TimeRead = kCSe2TimeRead;

constexpr int kPadlogic = Emi23RegisterSet::kPadlogicBank;

TEST(RegisterSet, BankTypes) {
  blocks::BlockSerial serial;
  Emi23RegisterSet emi23(serial);
  Emi4RegisterSet emi4(serial);
  for (int bank = 0; bank < 4; ++bank) EXPECT_EQ(emi23.bankType(bank), BankType::kPeripheral);
  for (int bank = 0; bank < 6; ++bank) EXPECT_EQ(emi4.bankType(bank), BankType::kPeripheral);
  EXPECT_EQ(emi23.bankType(4), BankType::kNone);
  EXPECT_EQ(emi23.bankType(-1), BankType::kNone);
  EXPECT_EQ(emi4.bankType(6), BankType::kNone);

  // A new type replaces the block, and the bank starts again from the defaults.
  ASSERT_EQ(emi23.setItem(kAccessTimeRead, 12, 2).result, SetResult::kAccepted);
  EXPECT_TRUE(emi23.setBankType(2, BankType::kPeripheral));
  EXPECT_EQ(emi23.findBankItem(2, kAccessTimeRead)->value(), 10u);
  EXPECT_TRUE(emi23.setBankType(3, BankType::kSdram));
  EXPECT_EQ(emi23.bankType(3), BankType::kSdram);
  EXPECT_EQ(emi23.findBankItem(3, kAccessTimeRead), nullptr);

  // A type the generation lacks, or a bank outside the set, changes nothing.
  blocks::BankBlock* before = emi23.bankBlock(1);
  EXPECT_FALSE(emi23.setBankType(1, BankType::kMpx));
  EXPECT_FALSE(emi23.setBankType(1, BankType::kNone));
  EXPECT_EQ(emi23.bankBlock(1), before);
  EXPECT_FALSE(emi23.setBankType(4, BankType::kSdram));
  before = emi4.bankBlock(5);
  EXPECT_FALSE(emi4.setBankType(5, BankType::kDram));
  EXPECT_EQ(emi4.bankBlock(5), before);
  EXPECT_TRUE(emi4.setBankType(5, BankType::kMpx));
  EXPECT_EQ(emi4.bankType(5), BankType::kMpx);
}

// 0 accepted; 1 the item's own range or rule failed; 2 the item passed and the
// configuration then failed. Every failure leaves every item as it was.
TEST(RegisterSet, SetItemResultsAndUndo) {
  blocks::BlockSerial serial;
  Emi23RegisterSet set(serial);
  EXPECT_EQ(set.setItem(kAccessTimeRead, 6, 1).result, SetResult::kAccepted);
  EXPECT_EQ(set.findBankItem(1, kAccessTimeRead)->value(), 6u);
  EXPECT_EQ(set.findBankItem(0, kAccessTimeRead)->value(), 10u);  // other banks untouched
  ASSERT_EQ(set.setItem(kCse2TimeRead, 3, 1).result, SetResult::kAccepted);

  auto before = allValues(set);
  blocks::SetOutcome outcome = set.setItem(kAccessTimeRead, 0, 0);  // range
  EXPECT_EQ(outcome.result, SetResult::kOwnCheckFailed);
  ASSERT_TRUE(outcome.check);
  EXPECT_EQ(outcome.check->rule, nullptr);
  // The failed rule comes back for the caller to print; nothing is printed here.
  EXPECT_EQ(captureStdout([&] { outcome = set.setItem(kCse1TimeRead, 3, 1); }), "");
  EXPECT_EQ(outcome.result, SetResult::kOwnCheckFailed);
  ASSERT_TRUE(outcome.check);
  EXPECT_STREQ(outcome.check->rule, "(CSe1TimeRead >= CSe2TimeRead < AccessTimeRead)");
  // Tags the addressed block lacks, and banks outside the set.
  EXPECT_EQ(set.setItem(kCasLatency, 2, 0).result, SetResult::kOwnCheckFailed);
  EXPECT_EQ(set.setItem(6, 0, kPadlogic).result, SetResult::kOwnCheckFailed);
  EXPECT_EQ(set.setItem(kAccessTimeRead, 12, 5).result, SetResult::kOwnCheckFailed);
  EXPECT_EQ(allValues(set), before);

  // The CAS time is tested against the first CAS edge with "<=", the edge
  // against the CAS time strictly: lowering the CAS time to the edge passes
  // its own test and fails the edge's.
  ASSERT_TRUE(set.setBankType(0, BankType::kDram));
  ASSERT_EQ(set.setItem(kCasTime, 3, 0).result, SetResult::kAccepted);
  ASSERT_EQ(set.setItem(kCase1Time, 2, 0).result, SetResult::kAccepted);
  before = allValues(set);
  outcome = set.setItem(kCasTime, 2, 0);
  EXPECT_EQ(outcome.result, SetResult::kConfigurationFailed);
  ASSERT_TRUE(outcome.check);
  EXPECT_EQ(outcome.check->tag, kCase1Time);
  EXPECT_STREQ(outcome.check->group, "DRAM");
  EXPECT_STREQ(outcome.check->rule, "(CASe1Time > CASTime)");
  EXPECT_EQ(allValues(set), before);

  // The chip bank's own check covers the whole chip-wide block; a tag shared
  // by two items reaches the first.
  EXPECT_EQ(set.setItem(3, 1, kPadlogic).result, SetResult::kAccepted);
  EXPECT_EQ(set.setItem(8, 6, kPadlogic).result, SetResult::kOwnCheckFailed);  // subbanksize7025 is 0..5
  EXPECT_EQ(set.findChipItem(8)->value(), 0u);
  EXPECT_EQ(set.chipBlock().items()[3].value(), 1u);
  EXPECT_EQ(set.chipBlock().items()[4].value(), 0u);

  Emi4RegisterSet emi4(serial);
  EXPECT_EQ(emi4.setItem(1161, 5, Emi4RegisterSet::kGencfgBank).result, SetResult::kAccepted);
  const auto& items = emi4.chipBlock().items();
  EXPECT_EQ(items[18].name(), "EMI4statuscfg");
  EXPECT_EQ(items[18].value(), 5u);
  for (std::size_t i = 19; i < items.size(); ++i) EXPECT_EQ(items[i].value(), items[i].defaultValue()) << i;
  EXPECT_EQ(emi4.setItem(1161, 64, Emi4RegisterSet::kGencfgBank).result, SetResult::kOwnCheckFailed);
  EXPECT_EQ(items[18].value(), 5u);
}

// CASLatency and LatencyMode keep a value that fails their own check and
// give 0; the configuration then fails, so every later change is refused
// until a raw store decodes the latency from its two bits again.
TEST(RegisterSet, CasLatencyAndLatencyModeKeepAFailedValue) {
  blocks::BlockSerial serial;
  Emi23RegisterSet set(serial);
  ASSERT_TRUE(set.setBankType(0, BankType::kSdram));
  EXPECT_EQ(set.setItem(kLatencyMode, 0, 0).result, SetResult::kAccepted);
  EXPECT_EQ(set.findBankItem(0, kLatencyMode)->value(), 0u);
  EXPECT_EQ(set.setItem(kLatencyMode, 2, 0).result, SetResult::kAccepted);
  EXPECT_EQ(set.setItem(kCasLatency, 9, 0).result, SetResult::kAccepted);
  EXPECT_EQ(set.findBankItem(0, kCasLatency)->value(), 9u);
  EXPECT_EQ(set.setItem(kRefreshTime, 17, 0).result,
            SetResult::kOwnCheckFailed);  // any other item is restored
  EXPECT_EQ(set.findBankItem(0, kRefreshTime)->value(), 3u);

  EXPECT_EQ(set.setItem(kAccessTimeRead, 12, 1).result, SetResult::kConfigurationFailed);
  EXPECT_EQ(set.findBankItem(1, kAccessTimeRead)->value(), 10u);
  EXPECT_EQ(set.setItem(0, 1, kPadlogic).result, SetResult::kConfigurationFailed);
  EXPECT_EQ(set.findChipItem(0)->value(), 0u);

  // 9 is stored as 8 in a two-bit field and decoded back as 0 + 1.
  EXPECT_EQ(set.storeRaw(19, 0x1).result, SetResult::kAccepted);
  EXPECT_EQ(set.findBankItem(0, kCasLatency)->value(), 1u);
  EXPECT_EQ(set.findChipItem(0)->value(), 1u);
}

TEST(RegisterSet, StoreRawDecodesEveryItemAndUndoesOnFailure) {
  blocks::BlockSerial serial;
  Emi23RegisterSet set(serial);
  EXPECT_EQ(set.storeRaw(19, 0x0009).result, SetResult::kAccepted);
  EXPECT_EQ(set.findChipItem(0)->value(), 1u);
  EXPECT_EQ(set.chipBlock().items()[3].name(), "MemshiftBank3");
  EXPECT_EQ(set.chipBlock().items()[3].value(), 1u);
  EXPECT_EQ(set.chipBlock().items()[4].value(), 1u);

  // Bank 0 register 1: access time read 2 (field 0) with both CS edges 3.
  const auto before = allValues(set);
  const blocks::SetOutcome refused = set.storeRaw(1, 0x0f00);
  EXPECT_EQ(refused.result, SetResult::kConfigurationFailed);
  ASSERT_TRUE(refused.check);
  EXPECT_STREQ(refused.check->rule, "(AccessTimeRead <= CSe2TimeRead + CSe1TimeRead)");
  EXPECT_EQ(allValues(set), before);
  EXPECT_EQ(set.storeRaw(20, 1).result, SetResult::kOwnCheckFailed);  // outside the image

  // The EMI4 lock word reaches the third item of tag 1161; a refresh interval
  // below its minimum of 7 is refused.
  Emi4RegisterSet emi4(serial);
  EXPECT_EQ(emi4.storeRaw(24, 0x3).result, SetResult::kAccepted);
  EXPECT_EQ(emi4.chipBlock().items()[20].name(), "EMI4lock");
  EXPECT_EQ(emi4.chipBlock().items()[20].value(), 3u);
  EXPECT_EQ(emi4.findChipItem(1161)->value(), 0u);
  EXPECT_EQ(emi4.storeRaw(30, 6).result, SetResult::kConfigurationFailed);
  EXPECT_EQ(emi4.chipBlock().items()[21].value(), 8u);
  EXPECT_EQ(emi4.storeRaw(59, 1).result, SetResult::kOwnCheckFailed);  // outside the image
}

TEST(RegisterSet, ChecksReportTheFirstFailingBankAndStoreNothing) {
  blocks::BlockSerial serial;
  Emi23RegisterSet set(serial);
  EXPECT_FALSE(set.checkConfiguration());
  ASSERT_TRUE(set.setBankType(2, BankType::kSdram));
  ASSERT_TRUE(set.setBankType(3, BankType::kSdram));
  ASSERT_EQ(set.setItem(kLatencyMode, 7, 3).result, SetResult::kAccepted);
  ASSERT_EQ(set.setItem(kCasLatency, 7, 2).result, SetResult::kAccepted);
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

// The sets of a run share one serial: each numbers its chip-wide block, then
// its banks, then every block that a new bank type makes.
TEST(RegisterSet, BlocksAreNumberedInTheOrderTheyAreMade) {
  blocks::BlockSerial serial;
  Emi23RegisterSet emi23(serial);
  Emi4RegisterSet emi4(serial);
  EXPECT_EQ(emi23.chipBlock().identity(), 1u);
  EXPECT_EQ(emi23.bankBlock(0)->identity(), 2u);
  EXPECT_EQ(emi23.bankBlock(3)->identity(), 5u);
  EXPECT_EQ(emi4.chipBlock().identity(), 6u);
  EXPECT_EQ(emi4.bankBlock(5)->identity(), 12u);
  ASSERT_TRUE(emi23.setBankType(2, BankType::kSdram));
  EXPECT_EQ(emi23.bankBlock(2)->identity(), 13u);
  ASSERT_FALSE(emi23.setBankType(1, BankType::kMpx));  // makes no block, takes no number
  ASSERT_TRUE(emi4.setBankType(1, BankType::kMpx));
  EXPECT_EQ(emi4.bankBlock(1)->identity(), 14u);
}

TEST(RegisterSet, DumpOrder) {
  blocks::BlockSerial serial;
  Emi23RegisterSet set(serial);
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
