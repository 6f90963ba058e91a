#include "regmodel/emi23_config_reader.h"

#include <cassert>

#include "regmodel/poke_target.h"

namespace varda::regmodel {

namespace {

// The known EMI2/3 addresses and where a poke of each is stored.
// clang-format off
constexpr PokeTarget kEmi23Targets[Emi23ConfigReader::kKnownAddresses] = {
    // address  array                     index
    {0x2000, PokeArray::Registers, 0},   // bank 0
    {0x2004, PokeArray::Registers, 1},
    {0x2008, PokeArray::Registers, 2},
    {0x200c, PokeArray::Registers, 3},
    {0x2010, PokeArray::Registers, 4},   // bank 1
    {0x2014, PokeArray::Registers, 5},
    {0x2018, PokeArray::Registers, 6},
    {0x201c, PokeArray::Registers, 7},
    {0x2020, PokeArray::Registers, 8},   // bank 2
    {0x2024, PokeArray::Registers, 9},
    {0x2028, PokeArray::Registers, 10},
    {0x202c, PokeArray::Registers, 11},
    {0x2030, PokeArray::Registers, 12},  // bank 3
    {0x2034, PokeArray::Registers, 13},
    {0x2038, PokeArray::Registers, 14},
    {0x203c, PokeArray::Registers, 15},
    {0x2060, PokeArray::Registers, 16},  // DRAM initialisation register: 0 or 1 only
    {0x2058, PokeArray::Extras, 0},      // SDRAM mode register of banks 0, 2, 3
    {0x205c, PokeArray::Extras, 1},      // SDRAM mode register of bank 1
    {0x2070, PokeArray::Extras, 2},      // padlogic register
    {0x2064, PokeArray::Extras, 3},      // accepted and stored; no register of the set
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
    return StoreResult::WrongAddress;
  }
  seen_[static_cast<std::size_t>(found)] = true;
  if (address == kDramInitAddress && value > 1) {
    lineError("%s: Error reading configuration file: wrong DRAM init reg value at line: %d\n");
    setErrorSeen();
    return StoreResult::Refused;
  }
  storeAt(kEmi23Targets[found], static_cast<std::uint32_t>(value), registers, extras);
  return StoreResult::Stored;
}

}  // namespace varda::regmodel
