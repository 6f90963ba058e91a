#include "blocks/bank_block.h"

namespace varda::blocks {

void BankBlock::buildEmi23Items(int) {}

void BankBlock::buildEmi4Items(int) {}

}  // namespace varda::blocks
