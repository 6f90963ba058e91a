#include "blocks/gencfg_block.h"

#include "blocks/item_catalogue.h"

namespace varda::blocks {

GencfgBlock::GencfgBlock() { addTable(catalogue::kGencfg); }

}  // namespace varda::blocks
