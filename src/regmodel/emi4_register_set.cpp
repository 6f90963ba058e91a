#include "regmodel/emi4_register_set.h"

#include <algorithm>

#include "blocks/gencfg_block.h"
#include "blocks/mpx_block.h"
#include "blocks/peripheral_block.h"
#include "blocks/sdram_block.h"

namespace varda::regmodel {

namespace {

// The EMI4 registers in tag order; addresses are offsets from the base.
// clang-format off
constexpr RegisterRow kEmi4Registers[] = {
    // tag  offset
    {21, 0x00},  // EMI4.VCR (never written)
    {22, 0x10},  // status configuration (never written)
    {23, 0x18},  // status lock (never written)
    {24, 0x20},  // lock (EMI4.LOCK)
    {25, 0x28},  // general configuration
    {26, 0x30},  // first initialisation register (never written)
    {27, 0x38},  // SDRAM mode register, lower half: banks 0 and 2 to 5
    {28, 0x38},  // SDRAM mode register, upper half: bank 1
    {29, 0x40},  // second initialisation register
    {30, 0x48},  // refresh interval
    {31, 0x50},  // flash clock select
    {32, 0x58},  // SDRAM clock select
    {33, 0x60},  // MPX clock select
    {34, 0x68},  // clock enable
    {35, 0x100}, {36, 0x108}, {37, 0x110}, {38, 0x118},  // bank 0
    {39, 0x140}, {40, 0x148}, {41, 0x150}, {42, 0x158},  // bank 1
    {43, 0x180}, {44, 0x188}, {45, 0x190}, {46, 0x198},  // bank 2
    {47, 0x1c0}, {48, 0x1c8}, {49, 0x1d0}, {50, 0x1d8},  // bank 3
    {51, 0x200}, {52, 0x208}, {53, 0x210}, {54, 0x218},  // bank 4
    {55, 0x240}, {56, 0x248}, {57, 0x250}, {58, 0x258},  // bank 5
};
// clang-format on

namespace image_word = blocks::image_word;

constexpr std::uint32_t firstTagOf(int bank) {
  return image_word::kEmi4FirstBank + 4 * static_cast<std::uint32_t>(bank);
}

}  // namespace

Emi4RegisterSet::Emi4RegisterSet(blocks::BlockSerial& serial)
    : RegisterSet(serial, kBanks, std::make_unique<blocks::GencfgBlock>(), kEmi4Registers,
                  blocks::kEmi4ImageWords) {
  buildPeripheralBanks();
}

std::unique_ptr<blocks::BankBlock> Emi4RegisterSet::makeBankBlock(blocks::BankType type, int bank) const {
  std::unique_ptr<blocks::BankBlock> block;
  switch (type) {
    case blocks::BankType::kSdram: block = std::make_unique<blocks::SdramBlock>(); break;
    case blocks::BankType::kPeripheral: block = std::make_unique<blocks::PeripheralBlock>(); break;
    case blocks::BankType::kMpx: block = std::make_unique<blocks::MpxBlock>(); break;
    default: return nullptr;  // DRAM and anything else have no EMI4 form
  }
  block->buildEmi4Items(bank);
  return block;
}

void Emi4RegisterSet::emit(std::FILE* stream, std::uint32_t base, int bankCount,
                           std::string_view pokeWord) const {
  blocks::RegisterImage image = newImage();
  encodeAll(image);
  auto prefix = [&](std::uint32_t tag) { reg(tag).writeLinePrefix(stream, base, pokeWord); };
  auto line = [&](std::uint32_t tag) {
    prefix(tag);
    std::fprintf(stream, "0x%08x\n", image[tag]);
  };
  auto bankLines = [&](int bank) {
    for (std::uint32_t tag = firstTagOf(bank); tag < firstTagOf(bank + 1); ++tag) line(tag);
    std::fputs("\n", stream);
  };

  // Line order: bank 5 first (six-bank chips; any count but 4 counts as six),
  // then banks 0 to 3 and bank 4, then lock, general configuration, the one
  // SDRAM mode line (bank 1's half above the others'), refresh interval and
  // the four clock registers, and the second initialisation register (0x40)
  // last, out of offset order, with the closing brace straight after it.
  const bool sixBanks = bankCount != 4;
  if (sixBanks) bankLines(5);
  for (int bank = 0; bank < 4; ++bank) bankLines(bank);
  if (sixBanks) bankLines(4);
  line(image_word::kEmi4Lock);
  line(image_word::kEmi4Gencfg);
  prefix(image_word::kEmi4Mode);
  std::fprintf(stream, "0x%04x%04x\n", image[image_word::kEmi4ModeBank1], image[image_word::kEmi4Mode]);
  for (std::uint32_t tag = image_word::kEmi4Refresh; tag <= image_word::kEmi4ClockEnable; ++tag) line(tag);
  prefix(image_word::kEmi4SecondInit);
  std::fprintf(stream, "0x%08x\n}\n", image[image_word::kEmi4SecondInit]);
}

std::uint32_t Emi4RegisterSet::populatedBankMask(int bankCount) const {
  blocks::RegisterImage image = newImage();
  encodeAll(image);
  std::uint32_t mask = 0;
  // Counts above six banks look at the six banks there are.
  for (int bank = 0; bank < std::min(bankCount, kBanks); ++bank) {
    const auto first = image.begin() + firstTagOf(bank);
    if (std::all_of(first, first + 4, [](std::uint32_t word) { return word != 0; })) mask |= 1u << bank;
  }
  return mask;
}

}  // namespace varda::regmodel
