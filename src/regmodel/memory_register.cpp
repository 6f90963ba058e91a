#include "regmodel/memory_register.h"

#include "support/format.h"

namespace varda::regmodel {

void MemoryRegister::dump() const {
  support::out("MemoryRegister start {\n");
  support::out("Tag = %d\n", static_cast<int>(tag_));
  support::out("Address = 0x%x\n", address_);
  support::out("} MemoryRegister end\n");
}

std::uint32_t MemoryRegister::writeLinePrefix(std::FILE* stream, std::uint32_t base,
                                              std::string_view pokeWord) const {
  // Written straight to the stream, with no line buffer in between, so a poke
  // command word of any length (also beyond 35 characters) comes out whole.
  const std::uint32_t address = base + address_;  // unsigned 32-bit sum
  std::fprintf(stream, "  %.*s 0x%08x   ", static_cast<int>(pokeWord.size()), pokeWord.data(), address);
  return tag_;
}

}  // namespace varda::regmodel
