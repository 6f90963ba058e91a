#include "front/bank_manager.h"

#include <memory>

#include "front/number_text.h"
#include "front/run_settings.h"
#include "front/tool_info.h"
#include "support/format.h"

namespace varda::front {
namespace {

// Bank number that addresses the chip-wide block of each register set.
constexpr int kPadlogicBlock = 4;
constexpr int kGencfgBlock = 6;

// Register indices of the register images.
constexpr int kEmi23DramInit = 16;
constexpr int kEmi23Padlogic = 19;
constexpr int kEmi4StatusConfig = 22;
constexpr int kEmi4StatusLock = 23;
constexpr int kEmi4FirstInit = 26;
constexpr int kEmi4SecondInit = 29;
constexpr int kEmi4FirstBankRegister = 35;

// Padlogic items that chip 7025 needs with an SDRAM bank.
constexpr std::uint32_t kSdramClockEnable7025 = 9;
constexpr std::uint32_t kSdramClockTristate7025 = 10;

bool isEmi4() { return settings().emiGeneration == 4; }

}  // namespace

namespace {

std::unique_ptr<BankManager>& instance() {
  static auto manager = std::make_unique<BankManager>();
  return manager;
}

}  // namespace

BankManager& bankManager() { return *instance(); }

void resetBankManager() { instance() = std::make_unique<BankManager>(); }

int BankManager::setChipItem(std::uint32_t tag, std::uint32_t value) {
  if (isEmi4()) return emi4_.setItem(tag, value, kGencfgBlock);
  emi23_.padlogicShown = 1;
  return emi23_.setItem(tag, value, kPadlogicBlock);
}

// Order: the bank type first (an error line), then on EMI4 the lock (a warning
// line), then the register set.
int BankManager::setBankItem(std::uint32_t tag, std::uint32_t value, int type,
                             const std::string& optionName) {
  const RunSettings& run = settings();
  if (currentBankType() != type) {
    support::out("%s: Error: incorrect bank type for option -%s\n", kProgramName, optionName.c_str());
    return 0;
  }
  if (!isEmi4()) return emi23_.setItem(tag, value, run.currentBank);
  if (bankLocked()) return 0;
  return emi4_.setItem(tag, value, run.currentBank);
}

int BankManager::currentBankType() {
  const int bank = settings().currentBank;
  return isEmi4() ? emi4_.bankType(bank) : emi23_.bankType(bank);
}

int BankManager::bankTypeOf(int bank) {
  const RunSettings& run = settings();
  const bool sixBanks = isEmi4() && run.emi4BankCount != 4;
  if ((bank == 4 || bank == 5) && !sixBanks) bank = 0;
  return isEmi4() ? emi4_.bankType(bank) : emi23_.bankType(bank);
}

int BankManager::bankLocked() {
  const RunSettings& run = settings();
  if ((run.lockedBanks >> run.currentBank & 1u) == 0) return 0;
  support::out("%s: Warning: Bank %d locked check EMI4.LOCK register at 0x%x\n", kProgramName,
               run.currentBank, run.emi4Base + run.lockRegOffset);
  return 1;
}

int BankManager::setBankRegister(const std::string& hexText) {
  const RunSettings& run = settings();
  const std::uint32_t value = hexValue(hexText);
  if (!isEmi4()) {
    const int index = run.currentBank * 4 + run.regNum;
    return index >= 0 && index <= 15 ? emi23_.storeRaw(index, value) : 0;
  }
  if (bankLocked()) return 0;
  return emi4_.storeRaw(kEmi4FirstBankRegister + run.currentBank * 4 + run.regNum, value);
}

int BankManager::setChipRegister(int index, const std::string& hexText) {
  const std::uint32_t value = hexValue(hexText);
  if (isEmi4()) return emi4_.storeRaw(index, value);
  if (index == kEmi23Padlogic) emi23_.padlogicShown = 1;
  return emi23_.storeRaw(index, value);
}

void BankManager::countBankTypes() {
  const int banks = isEmi4() ? settings().emi4BankCount : 4;
  sdramBanks_ = 0;
  dramBanks_ = 0;
  for (int bank = 0; bank < banks; ++bank) {
    const int type = bankTypeOf(bank);
    if (type == kSdram) ++sdramBanks_;
    if (type == kDram) ++dramBanks_;
  }
}

void BankManager::prepareRegisters() {
  const RunSettings& run = settings();
  const std::uint32_t enable = dramBanks_ > 0 || sdramBanks_ > 0 ? 1 : 0;
  if (sdramBanks_ > 0 && run.chipNumber == 7025) {
    setChipItem(kSdramClockEnable7025, 1);
    setChipItem(kSdramClockTristate7025, 1);
  }
  if (isEmi4()) {
    emi4_.storeRaw(kEmi4FirstInit, enable);
    emi4_.storeRaw(kEmi4SecondInit, enable);
    emi4_.storeRaw(kEmi4StatusConfig, emi4_.populatedBankMask(run.emi4BankCount));
    emi4_.storeRaw(kEmi4StatusLock, run.lockedBanks);
  } else {
    emi23_.storeRaw(kEmi23DramInit, enable);
  }
}

void BankManager::resetBank(int bank) {
  const RunSettings& run = settings();
  const bool sixBanks = isEmi4() && run.emi4BankCount != 4;
  if (bank > 5 || ((bank == 4 || bank == 5) && !sixBanks)) {
    support::out("%s: Error: unsupported bank number %d\n", kProgramName, bank);
    return;
  }
  const int type = isEmi4() ? emi4_.bankType(bank) : emi23_.bankType(bank);
  if (type == kNoType) return;
  if (isEmi4()) {
    emi4_.setBankType(bank, type);
  } else {
    emi23_.setBankType(bank, type);
  }
}

}  // namespace varda::front
