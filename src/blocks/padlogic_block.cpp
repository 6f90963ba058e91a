#include "blocks/padlogic_block.h"

#include "blocks/item_catalogue.h"

namespace varda::blocks {

PadlogicBlock::PadlogicBlock() { addTable(catalogue::kPadlogic); }

}  // namespace varda::blocks
