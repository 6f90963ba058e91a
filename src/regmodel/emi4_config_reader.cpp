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
    {0x100, PokeArray::kRegisters, 0},   // bank 0
    {0x108, PokeArray::kRegisters, 1},
    {0x110, PokeArray::kRegisters, 2},
    {0x118, PokeArray::kRegisters, 3},
    {0x140, PokeArray::kRegisters, 4},   // bank 1
    {0x148, PokeArray::kRegisters, 5},
    {0x150, PokeArray::kRegisters, 6},
    {0x158, PokeArray::kRegisters, 7},
    {0x180, PokeArray::kRegisters, 8},   // bank 2
    {0x188, PokeArray::kRegisters, 9},
    {0x190, PokeArray::kRegisters, 10},
    {0x198, PokeArray::kRegisters, 11},
    {0x1c0, PokeArray::kRegisters, 12},  // bank 3
    {0x1c8, PokeArray::kRegisters, 13},
    {0x1d0, PokeArray::kRegisters, 14},
    {0x1d8, PokeArray::kRegisters, 15},
    {0x200, PokeArray::kRegisters, 16},  // bank 4
    {0x208, PokeArray::kRegisters, 17},
    {0x210, PokeArray::kRegisters, 18},
    {0x218, PokeArray::kRegisters, 19},
    {0x240, PokeArray::kRegisters, 20},  // bank 5
    {0x248, PokeArray::kRegisters, 21},
    {0x250, PokeArray::kRegisters, 22},
    {0x258, PokeArray::kRegisters, 23},
    {0x00, PokeArray::kExtras, 0},       // EMI4.VCR
    {0x10, PokeArray::kExtras, 1},       // status configuration
    {0x18, PokeArray::kExtras, 2},       // status lock
    {0x20, PokeArray::kExtras, 3},       // lock
    {0x28, PokeArray::kExtras, 4},       // general configuration
    {0x30, PokeArray::kExtras, 5},       // first initialisation register
    {0x38, PokeArray::kExtras, 6},       // SDRAM mode register (both halves)
    {0x40, PokeArray::kExtras, 7},       // second initialisation register
    {0x48, PokeArray::kExtras, 8},       // refresh interval
    {0x50, PokeArray::kExtras, 9},       // flash clock select
    {0x58, PokeArray::kExtras, 10},      // SDRAM clock select
    {0x60, PokeArray::kExtras, 11},      // MPX clock select
    {0x68, PokeArray::kExtras, 12},      // clock enable
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
    return StoreResult::kWrongAddress;
  }
  // No EMI4 register restricts its value.
  seen_[static_cast<std::size_t>(found)] = true;
  storeAt(kEmi4Targets[found], static_cast<std::uint32_t>(value), registers, extras);
  return StoreResult::kStored;
}

}  // namespace varda::regmodel
