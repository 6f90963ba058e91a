#pragma once

#include <cstdint>
#include <optional>

namespace varda::blocks {

/// The report of a failed check: which item failed, and how. A failed timing
/// rule also names its rule; the block layer prints nothing, so the caller
/// prints "<program>: Error: <group> <rule>" for it.
struct CheckResult {
  std::uint32_t kind = 1;       ///< every check of the blocks reports kind 1
  std::uint32_t tag = 0;        ///< tag of the item whose range or rule failed
  const char* group = nullptr;  ///< the failed rule's group ("DRAM", "Peripheral"); null for a range
  const char* rule = nullptr;   ///< the failed rule's text; null for a range
};

/// What every check returns: no value when the checked value passes.
/// Callers test only whether a result came back.
using CheckOutcome = std::optional<CheckResult>;

/// Results of setting one parameter, printed by the front end as the warning
/// type: keep the numbers.
enum class SetResult : int {
  kAccepted = 0,             ///< the new value stands
  kOwnCheckFailed = 1,       ///< the item's range or rule failed; old value restored
  kConfigurationFailed = 2,  ///< the item passed, another item then failed; old value restored
};

/// What setting an item or storing a register word came to, with the failed
/// check behind it (if any) so that the caller can print its rule message.
/// An item kept in spite of its own check (the SDRAM latencies) is accepted
/// and still carries the check.
struct SetOutcome {
  SetResult result = SetResult::kAccepted;
  CheckOutcome check;

  bool accepted() const { return result == SetResult::kAccepted; }
};

}  // namespace varda::blocks
