#pragma once

#include <cstdint>

namespace varda::blocks {

/// Numbers the blocks of one run 1, 2, ... in the order they are made, so that
/// dumps name the same block with the same number from one run to the next.
/// The register sets of a run share one.
class BlockSerial {
 public:
  std::uint32_t next() { return next_++; }

 private:
  std::uint32_t next_ = 1;  ///< the number the next block gets
};

}  // namespace varda::blocks
