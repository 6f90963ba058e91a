#include "blocks/memory_transfer.h"

#include <cassert>

#include "support/format.h"

namespace varda::blocks {

namespace {

constexpr std::uint32_t runMask(std::uint32_t bitNumber) {
  return bitNumber >= 32 ? 0xFFFFFFFFu : (1u << bitNumber) - 1u;
}

}  // namespace

void MemoryTransfer::encode(ImageWords image, std::uint32_t field) const {
  assert(register_ < image.size());
  image[register_] |= ((field >> startBit_) & runMask(bitNumber_)) << toBit_;
}

void MemoryTransfer::decode(ConstImageWords image, std::uint32_t& accumulator) const {
  assert(register_ < image.size());
  accumulator |= ((image[register_] >> toBit_) & runMask(bitNumber_)) << startBit_;
}

void MemoryTransfer::dump() const {
  support::out("MemoryTransfer start {\n");
  support::out("\tRegister: %d\n", static_cast<int>(register_));
  support::out("\tBitNumber: %d\n", static_cast<int>(bitNumber_));
  support::out("\tStartBit: %d\n", static_cast<int>(startBit_));
  support::out("\tToBit: %d\n", static_cast<int>(toBit_));
  support::out("} MemoryTransfer end\n");
}

}  // namespace varda::blocks
