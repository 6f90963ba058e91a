#pragma once

#include "blocks/item_block.h"

namespace varda::blocks {

/// The EMI4 chip-wide block: general-configuration fields and one item per
/// other chip-wide register; checked against ranges only.
class GencfgBlock : public ItemBlock {
 public:
  /// Builds the 26 items of the general-configuration table.
  GencfgBlock();
};

}  // namespace varda::blocks
