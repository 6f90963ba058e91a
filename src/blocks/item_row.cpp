#include "blocks/item_row.h"

namespace varda::blocks::catalogue {

namespace {

std::uint32_t wordOf(const BitRun& run, BankWords words) {
  switch (run.kind) {
    case WordKind::kBank: return words.r0 + run.word;
    case WordKind::kMode: return words.mode;
    case WordKind::kChip: return run.word;
  }
  return run.word;
}

}  // namespace

std::vector<MemoryTransfer> transfersFor(const Placement& bits, BankWords words) {
  std::vector<MemoryTransfer> transfers;
  transfers.reserve(bits.count);
  // Each run takes the next field bits: the first from field bit 0, a second
  // one from where the first ends.
  std::uint32_t fieldBit = 0;
  for (std::uint32_t i = 0; i < bits.count; ++i) {
    const BitRun& run = bits.runs[i];
    const std::uint32_t width = run.high - run.low + 1;
    transfers.emplace_back(wordOf(run, words), width, fieldBit, run.low);
    fieldBit += width;
  }
  return transfers;
}

}  // namespace varda::blocks::catalogue
