#include "support/regex_run.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace varda::support {

namespace {

/// A link still to try, the subject position to try it at, and (when entries are
/// watched) the entry that pushed it.
struct Pending {
  const RxLink* link;
  std::uint32_t position;
  std::uint32_t owner;
};

/// One entry into a state on the current path of the search.
struct Entry {
  const RxState* state;
  std::uint32_t position;
  int depth;  // pending links when the state was entered
};

// An endless search. The search is deterministic: the state it enters, the position and
// the pending links decide everything after. It can only come back to all three inside
// the branch of the earlier entry, that is with that entry on its current path, and
// (positions never decreasing along a path) by a cycle of links that consume nothing, like
// "^+b" on "a". It would then repeat for ever; instead the entry fails like a failed test,
// and the search goes on with the pending links. Automata without such a cycle (known when
// they are built) skip the watch.
bool repeatsAncestor(const std::vector<Entry>& path, const RxState* state, std::uint32_t position,
                     int depth) {
  for (auto it = path.rbegin(); it != path.rend() && it->position == position; ++it) {
    if (it->state == state && it->depth == depth) return true;
  }
  return false;
}

// The entries of the current path of a watched search: its last one pushed the link being
// tried. Kept between searches, so that its memory is reused.
std::vector<Entry> watchedPath;

// Start positions run from the first character to the last, never the end of the
// subject: an empty subject never matches. Entering a state puts its links on the stack
// in trial order (they are stored that way); the first is tried at once, and a failed
// test takes the next pending link.
template <bool kWatch>
const RxFailure* search(const unsigned char* base, const RxFsm& fsm, const unsigned char* text,
                        std::uint32_t size, RxMatch* match) {
  Pending stack[kRxMaxPending];
  std::vector<Entry>& path = watchedPath;
  const auto* startState = reinterpret_cast<const RxState*>(base + fsm.start);
  for (std::uint32_t origin = 0; origin < size; ++origin) {
    if (fsm.firstKnown) {
      while (origin < size && !rxSetHas(fsm.first, 0, text[origin])) ++origin;
      if (origin == size) break;
    }
    const RxState* state = startState;
    std::uint32_t position = origin;
    int depth = 0;
    if constexpr (kWatch) path.clear();
    for (;;) {
      const RxLink* link = nullptr;
      std::uint32_t at = 0;
      if constexpr (kWatch) {
        if (state != nullptr && repeatsAncestor(path, state, position, depth)) state = nullptr;
      }
      if (state != nullptr && state->count > 0) {
        const int count = static_cast<int>(state->count);
        if (depth + count > kRxMaxPending) return &kRxStackExceeded;
        std::uint32_t owner = 0;
        if constexpr (kWatch) {
          path.push_back(Entry{state, position, depth});
          owner = static_cast<std::uint32_t>(path.size() - 1);
        }
        for (int i = count - 1; i >= 1; --i) stack[depth++] = Pending{&state->links[i], position, owner};
        link = &state->links[0];
        at = position;
      } else {
        if (depth == 0) break;
        --depth;
        link = stack[depth].link;
        at = stack[depth].position;
        if constexpr (kWatch) path.resize(stack[depth].owner + 1);
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

}  // namespace

const RxFailure* runRxFsm(const unsigned char* base, const RxFsm& fsm, std::string_view subject,
                          RxMatch* match) {
  const auto* text = reinterpret_cast<const unsigned char*>(subject.data());
  // Offsets are ints at the interface: a longer subject is searched in its first INT_MAX bytes.
  const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(subject.size(), INT_MAX));
  return fsm.emptyCycles ? search<true>(base, fsm, text, size, match)
                         : search<false>(base, fsm, text, size, match);
}

}  // namespace varda::support
