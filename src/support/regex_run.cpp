#include "support/regex_run.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "support/regex_fsm.h"

namespace varda::support {

namespace {

/// A link still to try, and the subject position to try it at.
struct Pending {
  const RxLink* link;
  std::uint32_t position;
};

/// Catches a search that would go round for ever. The search is deterministic: the state
/// it enters, the position and the pending links decide everything after. An expression
/// like "^+b" on "a" comes back to the same state at the same position with the same
/// pending links, and would repeat that for ever. Such a branch of the search fails as a
/// whole: the pending links it pushed are dropped and the search goes on with the links
/// that were pending before it. Detection is Brent's: the configuration at each state
/// entry is compared with one saved at the entries numbered by powers of two, restarting
/// the count there, which finds any cycle within a few of its lengths.
class CycleWatch {
 public:
  void reset() {
    power_ = 1;
    steps_ = 0;
    savedState_ = nullptr;
  }

  /// Called on entering `state` at `position` with `depth` links pending: true when this
  /// configuration was seen before, with *floor the fewest links pending since.
  bool repeats(const RxState* state, std::uint32_t position, const Pending* stack, int depth, int* floor) {
    if (state == savedState_ && position == savedPosition_ && depth == savedDepth_ &&
        std::memcmp(stack, saved_, sizeof(Pending) * static_cast<std::size_t>(depth)) == 0) {
      *floor = std::min(floor_, depth);
      reset();
      return true;
    }
    floor_ = std::min(floor_, depth);
    if (++steps_ == power_) {
      savedState_ = state;
      savedPosition_ = position;
      savedDepth_ = depth;
      std::memcpy(saved_, stack, sizeof(Pending) * static_cast<std::size_t>(depth));
      floor_ = depth;
      power_ *= 2;
      steps_ = 0;
    }
    return false;
  }

 private:
  std::uint64_t power_ = 1;
  std::uint64_t steps_ = 0;
  const RxState* savedState_ = nullptr;
  std::uint32_t savedPosition_ = 0;
  int savedDepth_ = 0;
  int floor_ = 0;
  Pending saved_[kRxMaxPending];
};

}  // namespace

// Start positions run from the first character to the last, never the end of the
// subject: an empty subject never matches. Entering a state puts its links on the stack
// in trial order (they are stored that way); the first is tried at once, and a failed
// test takes the next pending link.
const RxFailure* runRxFsm(const unsigned char* base, std::uint32_t start, std::string_view subject,
                          RxMatch* match) {
  const auto* text = reinterpret_cast<const unsigned char*>(subject.data());
  const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(subject.size(), INT_MAX));
  const auto* startState = reinterpret_cast<const RxState*>(base + start);
  Pending stack[kRxMaxPending];
  CycleWatch watch;
  for (std::uint32_t origin = 0; origin < size; ++origin) {
    const RxState* state = startState;
    std::uint32_t position = origin;
    int depth = 0;
    watch.reset();
    for (;;) {
      const RxLink* link = nullptr;
      std::uint32_t at = 0;
      int floor = 0;
      if (state != nullptr && watch.repeats(state, position, stack, depth, &floor)) {
        depth = floor;
        state = nullptr;
      }
      if (state != nullptr && state->count > 0) {
        const int count = static_cast<int>(state->count);
        if (depth + count > kRxMaxPending) return &kRxStackExceeded;
        for (int i = count - 1; i >= 1; --i) stack[depth++] = Pending{&state->links[i], position};
        link = &state->links[0];
        at = position;
      } else {
        if (depth == 0) break;
        --depth;
        link = stack[depth].link;
        at = stack[depth].position;
      }
      state = nullptr;
      const auto* target = reinterpret_cast<const RxState*>(base + link->target);
      switch (link->test) {
        case kRxAccept:
          match->start = static_cast<int>(origin);
          match->length = static_cast<int>(at - origin);
          return nullptr;
        case kRxEarlyEmpty:
        case kRxLateEmpty: state = target; break;
        case kRxChar:
          if (at < size && text[at] == link->ch) {
            state = target;
            ++at;
          }
          break;
        case kRxAnyChar:
          if (at < size && text[at] != '\n') {
            state = target;
            ++at;
          }
          break;
        case kRxSetTest:
          if (at < size && rxSetHas(base, link->data, text[at])) {
            state = target;
            ++at;
          }
          break;
        case kRxText:
          if (size - at >= link->length && std::memcmp(text + at, base + link->data, link->length) == 0) {
            state = target;
            at += link->length;
          }
          break;
        case kRxStartOfLine:
          if (at == 0 || text[at - 1] == '\n') state = target;
          break;
        case kRxEndOfLine:
          // The end of a line is the end of the subject, or a line feed, which it consumes,
          // or a carriage return with a line feed, consuming both.
          if (at == size || text[at] == '\n') {
            state = target;
            at += at == size ? 0 : 1;
          } else if (text[at] == '\r' && at + 1 < size && text[at + 1] == '\n') {
            state = target;
            at += 2;
          }
          break;
        default: return &kRxUnknownTest;
      }
      position = at;
    }
  }
  match->start = -1;
  match->length = 0;
  return nullptr;
}

}  // namespace varda::support
