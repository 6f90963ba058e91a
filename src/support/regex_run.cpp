#include "support/regex_run.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

namespace varda::support {

namespace {

/// A link still to try, the subject position to try it at, and the entry on the path
/// that pushed it (kNoOwner when the path was not kept then).
struct Pending {
  const RxLink* link;
  std::uint32_t position;
  std::uint32_t owner;
};

constexpr std::uint32_t kNoOwner = 0xffffffff;

/// One entry into a state on the current path of the search.
struct Entry {
  const RxState* state;
  std::uint32_t position;
  int depth;     // pending links when the state was entered
  bool tainted;  // its branch cut an entry outside it (see below)
};

// An endless search. The search is deterministic: the state it enters, the position and
// the pending links decide everything after. It can only come back to all three inside
// the branch of the earlier entry, that is with that entry on its current path, and
// (positions never decreasing along a path) by a cycle of links that consume nothing, like
// "^+b" on "a". It would then repeat for ever; instead the entry fails like a failed test,
// and the search goes on with the pending links. Automata without such a cycle (known when
// they are built) are not watched. Returns the index of the repeated entry, or -1.
std::ptrdiff_t repeatedEntry(const std::vector<Entry>& path, const RxState* state, std::uint32_t position,
                             int depth) {
  for (auto i = static_cast<std::ptrdiff_t>(path.size()) - 1; i >= 0 && path[i].position == position; --i) {
    if (path[i].state == state && path[i].depth == depth) return i;
  }
  return -1;
}

// A long search. What follows an entry into a state depends only on the state, the
// position and the number of pending links below it (the links it pushes are tried in a
// fixed order, and the links below are not touched until its branch is done); with fewer
// links below it runs the same way, only further from the limit of error 7. So an entry
// whose branch failed fails again at that position with as many links pending or fewer,
// and the search can pass over it at once. Tests ordered like that can take a time
// exponential in the subject's length ("a?a?a?...b", "(a|.|.)+x"); once a search has
// entered states memoAfter times, it records the entries whose branches failed and passes
// over them. In a watched search an entry's branch may also have failed because it came
// back to an entry outside it: such an entry (tainted) depends on where it stands and is
// not recorded.
std::uint64_t memoAfter = 4096;

/// Entries whose branch failed, in a table of fixed size: a newer entry may push out an
/// older one, which only costs time.
class FailedEntries {
 public:
  /// Forgets every recorded entry (the next search has another automaton or subject).
  void forget() {
    if (++stamp_ == 0) {  // after 2^32 searches old stamps could match again
      for (Slot& slot : slots_) slot.stamp = 0;
      stamp_ = 1;
    }
  }
  bool failed(std::uint32_t state, std::uint32_t position, int depth) const {
    const Slot& slot = slots_[index(state, position)];
    return slot.stamp == stamp_ && slot.state == state && slot.position == position && depth <= slot.depth;
  }
  void record(std::uint32_t state, std::uint32_t position, int depth) {
    Slot& slot = slots_[index(state, position)];
    if (slot.stamp == stamp_ && slot.state == state && slot.position == position && slot.depth >= depth)
      return;
    slot = Slot{state, position, stamp_, depth};
  }

 private:
  static constexpr int kBits = 13;
  struct Slot {
    std::uint32_t state;  // offset in the arena
    std::uint32_t position;
    std::uint32_t stamp;  // the search that recorded it
    int depth;            // the most pending links it failed with
  };
  static std::size_t index(std::uint32_t state, std::uint32_t position) {
    return ((state * 0x9e3779b1u) ^ (position * 0x85ebca77u)) >> (32 - kBits);
  }
  Slot slots_[std::size_t{1} << kBits] = {};
  std::uint32_t stamp_ = 0;
};

FailedEntries failedEntries;

// The entries of the current path: its last one pushed the link being tried. A watched
// search keeps all of them; an unwatched one those since it began recording. Kept between
// searches, so that its memory is reused.
std::vector<Entry> path;

// Start positions run from the first character to the last, never the end of the
// subject: an empty subject never matches. Entering a state puts its links on the stack
// in trial order (they are stored that way); the first is tried at once, and a failed
// test takes the next pending link.
template <bool kWatch>
const RxFailure* search(const unsigned char* base, const RxFsm& fsm, const unsigned char* text,
                        std::uint32_t size, RxMatch* match) {
  Pending stack[kRxMaxPending];
  path.clear();
  bool recording = memoAfter == 0;
  if (recording) failedEntries.forget();
  std::uint64_t entries = 0;
  auto offsetOf = [base](const RxState* state) {
    return static_cast<std::uint32_t>(reinterpret_cast<const unsigned char*>(state) - base);
  };
  // The branches of the path's entries after `owner` are done, and failed.
  auto settle = [&](std::uint32_t owner) {
    const std::size_t keep = owner == kNoOwner ? 0 : owner + 1;
    if (recording) {
      for (std::size_t i = keep; i < path.size(); ++i) {
        if (!path[i].tainted) failedEntries.record(offsetOf(path[i].state), path[i].position, path[i].depth);
      }
    }
    path.resize(keep);
  };
  const auto* startState = reinterpret_cast<const RxState*>(base + fsm.start);
  for (std::uint32_t origin = 0; origin < size; ++origin) {
    if (fsm.firstKnown) {
      while (origin < size && !rxSetHas(fsm.first, 0, text[origin])) ++origin;
      if (origin == size) break;
    }
    const RxState* state = startState;
    std::uint32_t position = origin;
    int depth = 0;
    for (;;) {
      const RxLink* link = nullptr;
      std::uint32_t at = 0;
      if (state != nullptr && recording && failedEntries.failed(offsetOf(state), position, depth))
        state = nullptr;
      if constexpr (kWatch) {
        if (state != nullptr) {
          const std::ptrdiff_t repeated = repeatedEntry(path, state, position, depth);
          if (repeated >= 0) {
            for (auto i = static_cast<std::size_t>(repeated) + 1; i < path.size(); ++i)
              path[i].tainted = true;
            state = nullptr;
          }
        }
      }
      if (state != nullptr && state->count > 0) {
        const int count = static_cast<int>(state->count);
        if (depth + count > kRxMaxPending) return &kRxStackExceeded;
        std::uint32_t owner = kNoOwner;
        if (kWatch || recording) {
          path.push_back(Entry{state, position, depth, false});
          owner = static_cast<std::uint32_t>(path.size() - 1);
        }
        if (!recording && ++entries == memoAfter) {
          recording = true;
          failedEntries.forget();
        }
        for (int i = count - 1; i >= 1; --i) stack[depth++] = Pending{&state->links[i], position, owner};
        link = &state->links[0];
        at = position;
      } else {
        if (depth == 0) {
          if (kWatch || recording) settle(kNoOwner);
          break;
        }
        --depth;
        link = stack[depth].link;
        at = stack[depth].position;
        if (kWatch || recording) settle(stack[depth].owner);
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

std::uint64_t setRxMemoAfter(std::uint64_t entries) { return std::exchange(memoAfter, entries); }

const RxFailure* runRxFsm(const unsigned char* base, const RxFsm& fsm, std::string_view subject,
                          RxMatch* match) {
  const auto* text = reinterpret_cast<const unsigned char*>(subject.data());
  // Offsets are ints at the interface: a longer subject is searched in its first INT_MAX bytes.
  const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(subject.size(), INT_MAX));
  return fsm.emptyCycles ? search<true>(base, fsm, text, size, match)
                         : search<false>(base, fsm, text, size, match);
}

}  // namespace varda::support
