#include "front/bank_manager.h"

#include "blocks/item_tags.h"
#include "blocks/register_image.h"
#include "front/number_text.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "support/format.h"

namespace varda::front {
namespace {

namespace image_word = blocks::image_word;
namespace tag = blocks::tag;

bool isEmi4() { return settings().emiGeneration == 4; }

}  // namespace

BankManager::BankManager() : emi23_(serial_), emi4_(serial_) {}

SetResult BankManager::reported(const blocks::SetOutcome& outcome) {
  if (outcome.check && outcome.check->rule != nullptr) {
    support::out("%s: Error: %s %s\n", kProgramName, outcome.check->group, outcome.check->rule);
  }
  return outcome.result;
}

SetResult BankManager::setChipItem(std::uint32_t tag, std::uint32_t value) {
  if (isEmi4()) return reported(emi4_.setItem(tag, value, regmodel::Emi4RegisterSet::kGencfgBank));
  emi23_.padlogicShown = true;
  return reported(emi23_.setItem(tag, value, regmodel::Emi23RegisterSet::kPadlogicBank));
}

// Order: the bank type first (an error line), then on EMI4 the lock (a warning
// line), then the register set.
SetResult BankManager::setBankItem(std::uint32_t tag, std::uint32_t value, BankType type,
                                   const std::string& optionName) {
  const RunSettings& run = settings();
  if (currentBankType() != type) {
    support::out("%s: Error: incorrect bank type for option -%s\n", kProgramName, optionName.c_str());
    return SetResult::kAccepted;
  }
  if (!isEmi4()) return reported(emi23_.setItem(tag, value, run.currentBank));
  if (bankLocked()) return SetResult::kAccepted;
  return reported(emi4_.setItem(tag, value, run.currentBank));
}

BankType BankManager::currentBankType() {
  const int bank = settings().currentBank;
  return isEmi4() ? emi4_.bankType(bank) : emi23_.bankType(bank);
}

BankType BankManager::bankTypeOf(int bank) {
  const RunSettings& run = settings();
  const bool sixBanks = isEmi4() && run.emi4BankCount != 4;
  if ((bank == 4 || bank == 5) && !sixBanks) bank = 0;
  return isEmi4() ? emi4_.bankType(bank) : emi23_.bankType(bank);
}

bool BankManager::bankLocked() {
  const RunSettings& run = settings();
  if ((run.lockedBanks >> run.currentBank & 1u) == 0) return false;
  support::out("%s: Warning: Bank %d locked check EMI4.LOCK register at 0x%x\n", kProgramName,
               run.currentBank, run.emi4Base + run.lockRegOffset);
  return true;
}

SetResult BankManager::setBankRegister(const std::string& hexText) {
  const RunSettings& run = settings();
  const std::uint32_t value = hexValue(hexText);
  if (!isEmi4()) {
    const int index = run.currentBank * 4 + run.regNum;
    if (index < 0 || index > 15) return SetResult::kAccepted;
    return reported(emi23_.storeRaw(static_cast<std::uint32_t>(index), value));
  }
  if (bankLocked()) return SetResult::kAccepted;
  const int index = run.currentBank * 4 + run.regNum;
  return reported(emi4_.storeRaw(image_word::kEmi4FirstBank + static_cast<std::uint32_t>(index), value));
}

SetResult BankManager::setChipRegister(std::uint32_t index, const std::string& hexText) {
  const std::uint32_t value = hexValue(hexText);
  if (isEmi4()) return reported(emi4_.storeRaw(index, value));
  if (index == image_word::kEmi23Padlogic) emi23_.padlogicShown = true;
  return reported(emi23_.storeRaw(index, value));
}

void BankManager::countBankTypes() {
  const int banks = isEmi4() ? settings().emi4BankCount : 4;
  sdramBanks_ = 0;
  dramBanks_ = 0;
  for (int bank = 0; bank < banks; ++bank) {
    const BankType type = bankTypeOf(bank);
    if (type == BankType::kSdram) ++sdramBanks_;
    if (type == BankType::kDram) ++dramBanks_;
  }
}

void BankManager::prepareRegisters() {
  const RunSettings& run = settings();
  const std::uint32_t enable = dramBanks_ > 0 || sdramBanks_ > 0 ? 1 : 0;
  if (sdramBanks_ > 0 && run.chipNumber == 7025) {
    setChipItem(tag::kSdramClockEnable7025, 1);
    setChipItem(tag::kSdramClockTristate7025, 1);
  }
  if (isEmi4()) {
    reported(emi4_.storeRaw(image_word::kEmi4FirstInit, enable));
    reported(emi4_.storeRaw(image_word::kEmi4SecondInit, enable));
    reported(emi4_.storeRaw(image_word::kEmi4StatusConfig, emi4_.populatedBankMask(run.emi4BankCount)));
    reported(emi4_.storeRaw(image_word::kEmi4StatusLock, run.lockedBanks));
  } else {
    reported(emi23_.storeRaw(image_word::kEmi23DramInit, enable));
  }
}

void BankManager::resetBank(int bank) {
  const RunSettings& run = settings();
  const bool sixBanks = isEmi4() && run.emi4BankCount != 4;
  if (bank > 5 || ((bank == 4 || bank == 5) && !sixBanks)) {
    support::out("%s: Error: unsupported bank number %d\n", kProgramName, bank);
    return;
  }
  const BankType type = isEmi4() ? emi4_.bankType(bank) : emi23_.bankType(bank);
  if (type == BankType::kNone) return;
  if (isEmi4()) {
    emi4_.setBankType(bank, type);
  } else {
    emi23_.setBankType(bank, type);
  }
}

}  // namespace varda::front
