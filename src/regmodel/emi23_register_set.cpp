#include "regmodel/emi23_register_set.h"

#include "blocks/dram_block.h"
#include "blocks/padlogic_block.h"
#include "blocks/peripheral_block.h"
#include "blocks/sdram_block.h"

namespace varda::regmodel {

namespace {

namespace image_word = blocks::image_word;

// The EMI2/3 registers in tag order.
// clang-format off
constexpr RegisterRow kEmi23Registers[] = {
    // tag  address
    {0, 0x2000},  {1, 0x2004},  {2, 0x2008},  {3, 0x200c},   // bank 0
    {4, 0x2010},  {5, 0x2014},  {6, 0x2018},  {7, 0x201c},   // bank 1
    {8, 0x2020},  {9, 0x2024},  {10, 0x2028}, {11, 0x202c},  // bank 2
    {12, 0x2030}, {13, 0x2034}, {14, 0x2038}, {15, 0x203c},  // bank 3
    {16, 0x2060},  // DRAM initialisation register (0 or 1)
    {17, 0x2058},  // SDRAM mode register of banks 0, 2 and 3
    {18, 0x205c},  // SDRAM mode register of bank 1
    {19, 0x2070},  // padlogic register
};
// clang-format on

}  // namespace

Emi23RegisterSet::Emi23RegisterSet(blocks::BlockSerial& serial)
    : RegisterSet(serial, kBanks, std::make_unique<blocks::PadlogicBlock>(), kEmi23Registers,
                  blocks::kEmi23ImageWords) {
  buildPeripheralBanks();
}

std::unique_ptr<blocks::BankBlock> Emi23RegisterSet::makeBankBlock(blocks::BankType type, int bank) const {
  std::unique_ptr<blocks::BankBlock> block;
  switch (type) {
    case blocks::BankType::kDram: block = std::make_unique<blocks::DramBlock>(); break;
    case blocks::BankType::kSdram: block = std::make_unique<blocks::SdramBlock>(); break;
    case blocks::BankType::kPeripheral: block = std::make_unique<blocks::PeripheralBlock>(); break;
    default: return nullptr;  // MPX and anything else have no EMI2/3 form
  }
  block->buildEmi23Items(bank);
  return block;
}

void Emi23RegisterSet::emit(std::FILE* stream, int sdramBanks, std::string_view pokeWord) const {
  blocks::RegisterImage image = newImage();
  encodeAll(image);
  auto line = [&](std::uint32_t tag) {
    reg(tag).writeLinePrefix(stream, 0, pokeWord);
    std::fprintf(stream, "0x%04x\n", image[tag]);
  };

  // Line order: padlogic (when shown), banks 0 to 3 in groups of four, the
  // SDRAM mode registers 0x2058 and 0x205c by SDRAM bank count, and the DRAM
  // initialisation register last, although its address is above 0x205c.
  if (padlogicShown) {
    line(image_word::kEmi23Padlogic);
    std::fputs("\n", stream);
  }
  for (std::uint32_t tag = 0; tag < 16; ++tag) {
    line(tag);
    if (tag % 4 == 3) std::fputs("\n", stream);
  }
  if (sdramBanks >= 1) {
    line(image_word::kEmi23Mode);
    if (sdramBanks == 1) std::fputs("\n", stream);
  }
  if (sdramBanks >= 2) {
    line(image_word::kEmi23ModeBank1);
    std::fputs("\n", stream);
  }
  line(image_word::kEmi23DramInit);
  std::fputs("\n}\n", stream);
}

}  // namespace varda::regmodel
