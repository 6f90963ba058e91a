#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace varda::regmodel {

/// One register of a register set: its index in the register image and its
/// address (EMI2/3: the bus address; EMI4: the offset from the base address).
class MemoryRegister {
 public:
  MemoryRegister(std::uint32_t tag, std::uint32_t address) : tag_(tag), address_(address) {}

  /// Prints the register's tag and address to standard output.
  void dump() const;
  /// Writes "  <pokeWord> 0x<base+address, 8 digits>   " to stream and returns the tag.
  std::uint32_t writeLinePrefix(std::FILE* stream, std::uint32_t base, std::string_view pokeWord) const;

  std::uint32_t tag() const { return tag_; }
  std::uint32_t address() const { return address_; }

 private:
  std::uint32_t tag_;      ///< index in the register image; the transfers' register number
  std::uint32_t address_;  ///< bus address (EMI2/3) or offset from the base (EMI4)
};

}  // namespace varda::regmodel
