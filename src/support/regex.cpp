#include "support/regex.h"

#include <array>
#include <cstdint>
#include <string>

#include "support/format.h"
#include "support/regex_arena.h"
#include "support/regex_fsm.h"
#include "support/regex_pp.h"
#include "support/regex_run.h"

namespace varda::support {

namespace {

RxReporter reporter = &rxreport;

/// A built automaton kept for the next match with the same expression. Only expressions
/// that built without error are kept, so errors are reported again on every call.
struct CachedFsm {
  std::string expression;
  RxArena arena;
  RxFsm fsm;
};

constexpr std::size_t kCachedFsms = 8;
std::array<CachedFsm, kCachedFsms> cache;
std::size_t nextSlot = 0;  // slots are reused round-robin
std::string codes;         // preprocessed expression, reused between builds

/// The automaton of `expression`, from the cache or newly built. A failed build releases
/// its arena on the way out.
const RxFailure* automaton(std::string_view expression, const CachedFsm** found) {
  for (const CachedFsm& entry : cache) {
    if (entry.arena.reserved() && entry.expression == expression) {
      *found = &entry;
      return nullptr;
    }
  }
  if (const RxFailure* failure = preprocessRx(expression, codes)) return failure;
  RxArena arena;
  RxFsm fsm;
  if (const RxFailure* failure = makeRxFsm(codes, arena, &fsm)) return failure;
  CachedFsm& slot = cache[nextSlot];
  nextSlot = (nextSlot + 1) % kCachedFsms;
  slot.arena = std::move(arena);
  slot.expression.assign(expression);
  slot.fsm = fsm;
  *found = &slot;
  return nullptr;
}

}  // namespace

RxReporter setRxReporter(RxReporter newReporter) {
  const RxReporter previous = reporter;
  reporter = newReporter != nullptr ? newReporter : &rxreport;
  return previous;
}

void rxreport(const char* message, int code) { out("%s. (Error Code %d)\n", message, code); }

void clearRxCache() {
  for (CachedFsm& entry : cache) {
    entry.arena.release();
    entry.expression.clear();
  }
  nextSlot = 0;
}

int rxmatch(std::string_view expression, std::string_view subject, int* length) {
  const CachedFsm* cached = nullptr;
  RxMatch match{-1, 0};
  const RxFailure* failure = automaton(expression, &cached);
  if (failure == nullptr) failure = runRxFsm(cached->arena.base(), cached->fsm, subject, &match);
  if (failure != nullptr) {
    // Nothing of the match is held any more: the reporter may leave by an exception.
    *length = -1;
    reporter(failure->message, failure->code);
    return -1;
  }
  *length = match.length;
  return match.start;
}

}  // namespace varda::support
