#pragma once

#include <cstdint>

namespace varda::front {

/// The mappings between an option's value and the code its item holds. Each
/// works in both directions: the parameter options map values to codes, the
/// parameters file maps codes back to values. A value outside a mapping
/// passes unchanged (the item's range check then judges it).
enum class Conversion {
  kNone,
  kPortSize,          // 32, 16, 8 <-> 1, 2, 3
  kOneTwo,            // 1, 2 <-> 0, 1
  kSubBanks,          // 1, 2, 4 <-> 0, 1, 2
  kDramSubBankSize,   // 256, (1), 4, 16 <-> 0, 1, 2, 3
  kSdramSubBankSize,  // 16, 32, 64, 128, 256 <-> 0..4
  kSubDecodeSize,     // 4, 8, 16, 32, 64, 1000 <-> 0..5
  kPlusOne,           // 1..4 <-> 0..3
  kBurstSize,         // 2, 4, ..., 128 <-> 0..6
  kRetimeStages,      // 0 <-> 0; n <-> n+1 (EMIAckReq, EMIReqGnt)
};

/// Option value to item code.
std::uint32_t toCode(Conversion conversion, std::uint32_t value);
/// Item code to option value.
std::uint32_t fromCode(Conversion conversion, std::uint32_t code);

}  // namespace varda::front
