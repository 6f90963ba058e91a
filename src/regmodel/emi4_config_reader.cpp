#include "regmodel/emi4_config_reader.h"

#include <cassert>

#include "regmodel/poke_target.h"

namespace varda::regmodel {

namespace {

// The known EMI4 registers, as offsets from the base, and where a poke of
// each is stored.
// clang-format off
constexpr PokeTarget kEmi4Targets[Emi4ConfigReader::kKnownRegisters] = {
    // offset  array                     index
    {0x100, PokeArray::Registers, 0},   // bank 0
    {0x108, PokeArray::Registers, 1},
    {0x110, PokeArray::Registers, 2},
    {0x118, PokeArray::Registers, 3},
    {0x140, PokeArray::Registers, 4},   // bank 1
    {0x148, PokeArray::Registers, 5},
    {0x150, PokeArray::Registers, 6},
    {0x158, PokeArray::Registers, 7},
    {0x180, PokeArray::Registers, 8},   // bank 2
    {0x188, PokeArray::Registers, 9},
    {0x190, PokeArray::Registers, 10},
    {0x198, PokeArray::Registers, 11},
    {0x1c0, PokeArray::Registers, 12},  // bank 3
    {0x1c8, PokeArray::Registers, 13},
    {0x1d0, PokeArray::Registers, 14},
    {0x1d8, PokeArray::Registers, 15},
    {0x200, PokeArray::Registers, 16},  // bank 4
    {0x208, PokeArray::Registers, 17},
    {0x210, PokeArray::Registers, 18},
    {0x218, PokeArray::Registers, 19},
    {0x240, PokeArray::Registers, 20},  // bank 5
    {0x248, PokeArray::Registers, 21},
    {0x250, PokeArray::Registers, 22},
    {0x258, PokeArray::Registers, 23},
    {0x00, PokeArray::Extras, 0},       // EMI4.VCR
    {0x10, PokeArray::Extras, 1},       // status configuration
    {0x18, PokeArray::Extras, 2},       // status lock
    {0x20, PokeArray::Extras, 3},       // lock
    {0x28, PokeArray::Extras, 4},       // general configuration
    {0x30, PokeArray::Extras, 5},       // first initialisation register
    {0x38, PokeArray::Extras, 6},       // SDRAM mode register (both halves)
    {0x40, PokeArray::Extras, 7},       // second initialisation register
    {0x48, PokeArray::Extras, 8},       // refresh interval
    {0x50, PokeArray::Extras, 9},       // flash clock select
    {0x58, PokeArray::Extras, 10},      // SDRAM clock select
    {0x60, PokeArray::Extras, 11},      // MPX clock select
    {0x68, PokeArray::Extras, 12},      // clock enable
};
// clang-format on

}  // namespace

PokeFileReader::StoreResult Emi4ConfigReader::storePoke(std::uint64_t address, std::uint64_t value,
                                                        std::span<std::uint32_t> registers,
                                                        std::span<std::uint32_t> extras) {
  assert(registers.size() >= kRegisterWords && extras.size() >= kExtraWords);
  const int found = findTarget(kEmi4Targets, base_, address);
  if (found < 0 || seen_[static_cast<std::size_t>(found)]) {
    lineError("%s: Error reading configuration file: wrong memory address at line:%d\n");
    setErrorSeen();
    return StoreResult::WrongAddress;
  }
  // No EMI4 register restricts its value.
  seen_[static_cast<std::size_t>(found)] = true;
  storeAt(kEmi4Targets[found], static_cast<std::uint32_t>(value), registers, extras);
  return StoreResult::Stored;
}

}  // namespace varda::regmodel
