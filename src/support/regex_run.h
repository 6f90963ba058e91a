#pragma once
// RUNFSM: the third stage of the regular-expression engine. It searches a subject with
// an automaton built by makeRxFsm, depth first with a bounded stack of pending links.

#include <cstdint>
#include <string_view>

#include "support/regex_failure.h"
#include "support/regex_fsm.h"

namespace varda::support {

/// The most pending positions (links still to try, with the position to try them at).
inline constexpr int kRxMaxPending = 74;

/// Where a search ended.
struct RxMatch {
  int start;   // offset of the match, -1 for none
  int length;  // its length; 0 for none
};

/// Searches `subject` with the automaton `fsm` whose arena block is `base`. Returns nullptr
/// and the match (or none), or the error (7 or 10).
const RxFailure* runRxFsm(const unsigned char* base, const RxFsm& fsm, std::string_view subject,
                          RxMatch* match);

/// After how many state entries a search starts to record the entries whose branches
/// failed, to pass over them when they come again (4096; 0 records from the start).
/// Returns the previous setting. The results are the same either way; tests compare them.
std::uint64_t setRxMemoAfter(std::uint64_t entries);

}  // namespace varda::support
