#pragma once

#include "front/handler.h"

namespace varda::front {

// Parameter options: each turns its value into an item code, chooses the item
// by option, bank type and EMI generation, and sets it through the bank manager.

/// Every bank parameter option of the bank parameter table.
int setBankParameter(OptText name, OptText value, Selector selector);
/// -caslatency and -latencymode (told apart by name): CAS latency and latency mode together.
int setLatency(OptText name, OptText value, Selector selector);
/// -sdrammodereg <hex>: the SDRAM mode register and the fields it holds.
int setSdramModeRegister(OptText name, OptText value, Selector selector);
/// -strobeonfalling and -waitpolarity (selector set): EMI4 strobe edge and wait polarity.
int setStrobeEdge(OptText name, OptText value, Selector selector);
/// -refreshinterval: a bank item, or on EMI4 the chip-wide refresh register.
int setRefreshInterval(OptText name, OptText value, Selector selector);
/// Chip-wide options: EMI2/3 padlogic items, EMI4 general-configuration items and clock registers.
int setChipParameter(OptText name, OptText value, Selector selector);

}  // namespace varda::front
