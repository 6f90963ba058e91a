#pragma once

#include <string>
#include <vector>

#include "front/handler.h"

namespace varda::front {

// Chip, bank and type selection and the chip-wide register options.

/// -chip <device>: selects the chip and its EMI generation.
int selectChip(OptText name, OptText value, Selector selector);
/// -bank <n>: selects the bank the parameter options apply to.
int selectBank(OptText name, OptText value, Selector selector);
/// -type <type>: gives the current bank a new block of that type, with its defaults.
int selectType(OptText name, OptText value, Selector selector);
/// -ireset: gives every bank its type's defaults again.
int resetBanks(OptText name, OptText value, Selector selector);
/// -padlogic <hex>: the whole EMI2/3 padlogic register.
int setPadlogicRegister(OptText name, OptText value, Selector selector);
/// -padlogic-on (selector set) and -padlogic-off: show or hide the padlogic register.
int showPadlogic(OptText name, OptText value, Selector selector);
/// -gencfg <hex>: the whole EMI4 general-configuration register.
int setGencfgRegister(OptText name, OptText value, Selector selector);
/// -lock <hex>: the EMI4 lock register and the banks it locks.
int setLockRegister(OptText name, OptText value, Selector selector);
/// -base-address <hex>: the address of the EMI4 register block.
int setBaseAddress(OptText name, OptText value, Selector selector);
/// -numofbanks <4/6>: the number of EMI4 banks.
int setBankCount(OptText name, OptText value, Selector selector);
/// -regnum <n>: the bank register that -regvalue stores.
int selectRegisterNumber(OptText name, OptText value, Selector selector);
/// -regvalue <hex>: the whole register regnum of the current bank.
int setRegisterValue(OptText name, OptText value, Selector selector);
/// -zdump: prints the EMI2/3 register set.
int dumpRegisters(OptText name, OptText value, Selector selector);

// What -chip, -bank and -type accept, for the man page and shell completion.

/// The chip numbers of the chip table, then the generation names.
std::vector<std::string> chipValues();
/// Every bank number: 0 to 3, and 4 and 5 on six-bank EMI4 chips.
std::vector<std::string> bankValues();
/// The one-letter spellings of the bank types.
std::vector<std::string> typeLetters();

}  // namespace varda::front
