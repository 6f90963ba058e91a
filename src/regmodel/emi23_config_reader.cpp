#include "regmodel/emi23_config_reader.h"

#include <cassert>

#include "regmodel/poke_target.h"

namespace varda::regmodel {

namespace {

// The known EMI2/3 addresses and where a poke of each is stored.
// clang-format off
constexpr PokeTarget kEmi23Targets[Emi23ConfigReader::kKnownAddresses] = {
    // address  array                     index
    {0x2000, PokeArray::kRegisters, 0},   // bank 0
    {0x2004, PokeArray::kRegisters, 1},
    {0x2008, PokeArray::kRegisters, 2},
    {0x200c, PokeArray::kRegisters, 3},
    {0x2010, PokeArray::kRegisters, 4},   // bank 1
    {0x2014, PokeArray::kRegisters, 5},
    {0x2018, PokeArray::kRegisters, 6},
    {0x201c, PokeArray::kRegisters, 7},
    {0x2020, PokeArray::kRegisters, 8},   // bank 2
    {0x2024, PokeArray::kRegisters, 9},
    {0x2028, PokeArray::kRegisters, 10},
    {0x202c, PokeArray::kRegisters, 11},
    {0x2030, PokeArray::kRegisters, 12},  // bank 3
    {0x2034, PokeArray::kRegisters, 13},
    {0x2038, PokeArray::kRegisters, 14},
    {0x203c, PokeArray::kRegisters, 15},
    {0x2060, PokeArray::kRegisters, 16},  // DRAM initialisation register: 0 or 1 only
    {0x2058, PokeArray::kExtras, 0},      // SDRAM mode register of banks 0, 2, 3
    {0x205c, PokeArray::kExtras, 1},      // SDRAM mode register of bank 1
    {0x2070, PokeArray::kExtras, 2},      // padlogic register
    {0x2064, PokeArray::kExtras, 3},      // accepted and stored; no register of the set
};
// clang-format on

constexpr std::uint64_t kDramInitAddress = 0x2060;

}  // namespace

PokeFileReader::StoreResult Emi23ConfigReader::storePoke(std::uint64_t address, std::uint64_t value,
                                                         std::span<std::uint32_t> registers,
                                                         std::span<std::uint32_t> extras) {
  assert(registers.size() >= kRegisterWords && extras.size() >= kExtraWords);
  const int found = findTarget(kEmi23Targets, 0, address);
  if (found < 0 || seen_[static_cast<std::size_t>(found)]) {
    lineError("%s: Error reading configuration file: wrong memory address at line:%d\n");
    setErrorSeen();
    return StoreResult::kWrongAddress;
  }
  seen_[static_cast<std::size_t>(found)] = true;
  if (address == kDramInitAddress && value > 1) {
    lineError("%s: Error reading configuration file: wrong DRAM init reg value at line: %d\n");
    setErrorSeen();
    return StoreResult::kRefused;
  }
  storeAt(kEmi23Targets[found], static_cast<std::uint32_t>(value), registers, extras);
  return StoreResult::kStored;
}

}  // namespace varda::regmodel
