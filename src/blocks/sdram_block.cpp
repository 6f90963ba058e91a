#include "blocks/sdram_block.h"

#include "blocks/item_catalogue.h"

namespace varda::blocks {

// Build order: the common table, then the generation's table.
void SdramBlock::buildEmi23Items(int bank) {
  const auto words = catalogue::emi23BankWords(bank);
  if (!words) return;
  addTable(catalogue::kSdramCommon, *words);
  addTable(catalogue::kSdramEmi23, *words);
}

void SdramBlock::buildEmi4Items(int bank) {
  const auto words = catalogue::emi4BankWords(bank);
  if (!words) return;
  addTable(catalogue::kSdramCommon, *words);
  addTable(catalogue::kSdramEmi4, *words);
}

}  // namespace varda::blocks
