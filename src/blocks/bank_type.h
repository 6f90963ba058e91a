#pragma once

namespace varda::blocks {

/// The type of a memory bank. The numbers are the type codes that the register
/// model, the read-back decoding and the front end share: keep them as they are.
enum class BankType : int {
  kDram = 0,
  kSdram = 1,
  kPeripheral = 2,
  kMpx = 3,
  kNone = 4,  ///< what a register set answers for a bank without a block
};

}  // namespace varda::blocks
