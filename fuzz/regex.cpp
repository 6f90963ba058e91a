// Fuzz target: one regular expression and one subject, cut at the first NUL byte (the
// subject ends at the next one, since neither may hold one). Checks that
//  - a match lies inside the subject, and "no match" comes with length 0;
//  - an error reaches the reporter exactly once and leaves start -1, length -1;
//  - the automaton kept between calls gives what a new build gives;
//  - a search that records failed entries from the start gives what the normal one gives;
//  - no arena is left behind, also when the reporter leaves by an exception.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "support/regex.h"
#include "support/regex_arena.h"
#include "support/regex_run.h"

namespace {

using varda::support::RxArena;
using varda::support::rxmatch;

int reportCount = 0;
int reportedCode = 0;

void countingReporter(const char* /*message*/, int code) {
  ++reportCount;
  reportedCode = code;
}

struct Thrown {
  int code;
};
void throwingReporter(const char* /*message*/, int code) { throw Thrown{code}; }

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "regex fuzz: %s\n", what);
  std::abort();
}

struct Result {
  int start;
  int length;
  int code;  // 0 without error
};

Result matchOnce(std::string_view expression, std::string_view subject) {
  reportCount = 0;
  int length = 12345;
  const int start = rxmatch(expression, subject, &length);
  if (reportCount > 1) fail("more than one report");
  if (reportCount == 1) {
    if (start != -1 || length != -1) fail("error without start -1 and length -1");
    return Result{start, length, reportedCode};
  }
  if (start == -1) {
    if (length != 0) fail("no match with a length other than 0");
  } else if (start < 0 || length < 0 || static_cast<std::size_t>(start) >= subject.size() ||
             static_cast<std::size_t>(length) > subject.size() - static_cast<std::size_t>(start)) {
    fail("match outside the subject");
  }
  return Result{start, length, 0};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  varda::support::setRxReporter(&countingReporter);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string_view expression = input.substr(0, cut);
  std::string_view subject = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  subject = subject.substr(0, subject.find('\0'));

  varda::support::clearRxCache();
  if (RxArena::reservedCount() != 0) fail("arena held after clearing the cache");
  const Result built = matchOnce(expression, subject);
  if (RxArena::reservedCount() > 1) fail("arena left behind");
  const Result kept = matchOnce(expression, subject);
  if (kept.start != built.start || kept.length != built.length || kept.code != built.code)
    fail("kept automaton matches differently");
  const std::uint64_t memoAfter = varda::support::setRxMemoAfter(0);
  const Result recorded = matchOnce(expression, subject);
  varda::support::setRxMemoAfter(memoAfter);
  if (recorded.start != built.start || recorded.length != built.length || recorded.code != built.code)
    fail("recording failed entries matches differently");
  if (built.code != 0) {
    const int held = RxArena::reservedCount();
    varda::support::setRxReporter(&throwingReporter);
    int length = 0;
    bool thrown = false;
    try {
      rxmatch(expression, subject, &length);
    } catch (const Thrown& error) {
      thrown = error.code == built.code;
    }
    varda::support::setRxReporter(&countingReporter);
    if (!thrown || length != -1) fail("throwing reporter not reached with the same error");
    if (RxArena::reservedCount() != held) fail("arena left behind by a throwing reporter");
  }
  varda::support::clearRxCache();
  if (RxArena::reservedCount() != 0) fail("arena left behind");
  return 0;
}
