#include "front/value_conversions.h"

namespace varda::front {
namespace {

/// One pair of a mapping: option value and item code.
struct Pair {
  std::uint32_t value;
  std::uint32_t code;
};

// The mappings as tables, so both directions read the same rows.
constexpr Pair kPortSize[] = {{32, 1}, {16, 2}, {8, 3}};
constexpr Pair kOneTwo[] = {{1, 0}, {2, 1}};
constexpr Pair kSubBanks[] = {{1, 0}, {2, 1}, {4, 2}};
constexpr Pair kDramSubBankSize[] = {{256, 0}, {4, 2}, {16, 3}};
constexpr Pair kSdramSubBankSize[] = {{16, 0}, {32, 1}, {64, 2}, {128, 3}, {256, 4}};
constexpr Pair kSubDecodeSize[] = {{4, 0}, {8, 1}, {16, 2}, {32, 3}, {64, 4}, {1000, 5}};
constexpr Pair kPlusOne[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}};
constexpr Pair kBurstSize[] = {{2, 0}, {4, 1}, {8, 2}, {16, 3}, {32, 4}, {64, 5}, {128, 6}};

struct Pairs {
  const Pair* begin;
  const Pair* end;
};

template <std::size_t N>
constexpr Pairs pairs(const Pair (&table)[N]) {
  return {table, table + N};
}

Pairs mapping(Conversion conversion) {
  switch (conversion) {
    case Conversion::kPortSize: return pairs(kPortSize);
    case Conversion::kOneTwo: return pairs(kOneTwo);
    case Conversion::kSubBanks: return pairs(kSubBanks);
    case Conversion::kDramSubBankSize: return pairs(kDramSubBankSize);
    case Conversion::kSdramSubBankSize: return pairs(kSdramSubBankSize);
    case Conversion::kSubDecodeSize: return pairs(kSubDecodeSize);
    case Conversion::kPlusOne: return pairs(kPlusOne);
    case Conversion::kBurstSize: return pairs(kBurstSize);
    case Conversion::kNone:
    case Conversion::kRetimeStages: break;
  }
  return {nullptr, nullptr};
}

}  // namespace

std::uint32_t toCode(Conversion conversion, std::uint32_t value) {
  if (conversion == Conversion::kRetimeStages) return value == 0 ? 0 : value + 1;
  const Pairs table = mapping(conversion);
  for (const Pair* p = table.begin; p != table.end; ++p) {
    if (p->value == value) return p->code;
  }
  return value;
}

std::uint32_t fromCode(Conversion conversion, std::uint32_t code) {
  // Retime-stage codes 0 and 1 both read back as 0 stages.
  if (conversion == Conversion::kRetimeStages) return code <= 1 ? 0 : code - 1;
  const Pairs table = mapping(conversion);
  for (const Pair* p = table.begin; p != table.end; ++p) {
    if (p->code == code) return p->value;
  }
  return code;
}

}  // namespace varda::front
