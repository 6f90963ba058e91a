#pragma once

#include <cstdint>
#include <optional>

namespace varda::blocks {

/// The report of a failed check: which item failed, and how.
struct CheckResult {
  std::uint32_t kind = 1;  ///< every check of the blocks reports kind 1
  std::uint32_t tag = 0;   ///< tag of the item whose range or rule failed
};

/// What every check returns: no value when the checked value passes.
/// Callers test only whether a result came back.
using CheckOutcome = std::optional<CheckResult>;

/// Results of setting one parameter, printed by the front end as the warning type.
enum SetResult : int {
  kSetAccepted = 0,             ///< the new value stands
  kSetOwnCheckFailed = 1,       ///< the item's range or rule failed; old value restored
  kSetConfigurationFailed = 2,  ///< the item passed, another item then failed; old value restored
};

}  // namespace varda::blocks
