#include "blocks/mpx_block.h"

#include "blocks/item_catalogue.h"

namespace varda::blocks {

void MpxBlock::buildEmi4Items(int bank) {
  const auto words = catalogue::emi4BankWords(bank);
  if (!words) return;
  addTable(catalogue::kMpx, *words);
}

}  // namespace varda::blocks
