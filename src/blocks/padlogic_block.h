#pragma once

#include "blocks/item_block.h"

namespace varda::blocks {

/// The EMI2/3 chip-wide block: the bits of the padlogic register (word 19);
/// checked against ranges only.
class PadlogicBlock : public ItemBlock {
 public:
  /// Builds the 11 items of the padlogic table ("MemshiftBank3" twice).
  PadlogicBlock();
};

}  // namespace varda::blocks
