#include "support/regex.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/regex_arena.h"
#include "support/regex_fsm.h"
#include "support/regex_pp.h"
#include "support/regex_run.h"

namespace varda::support {
namespace {

/// What the reporter received.
struct Report {
  std::string message;
  int code;
  int arenasHeld;  // arenas holding a block while the reporter ran
};
std::vector<Report> reports;

void recordingReporter(const char* message, int code) {
  reports.push_back(Report{message, code, RxArena::reservedCount()});
}

struct ReportThrown : std::runtime_error {
  using std::runtime_error::runtime_error;
};
void throwingReporter(const char* message, int /*code*/) { throw ReportThrown(message); }

class RxMatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reports.clear();
    previous_ = setRxReporter(&recordingReporter);
  }
  void TearDown() override {
    setRxReporter(previous_);
    setRxAllocHooks(nullptr);
  }

  /// "start,length" of the match, "none" when nothing matched, "error N" after an error
  /// (with the length checked to be -1).
  static std::string match(std::string_view expression, std::string_view subject) {
    const std::size_t before = reports.size();
    int length = 12345;
    const int start = rxmatch(expression, subject, &length);
    if (reports.size() != before) {
      EXPECT_EQ(start, -1);
      EXPECT_EQ(length, -1);
      return "error " + std::to_string(reports.back().code);
    }
    if (start < 0) {
      EXPECT_EQ(length, 0);
      return "none";
    }
    return std::to_string(start) + "," + std::to_string(length);
  }

  RxReporter previous_ = nullptr;
};

// Suites are named regex_* so that "ctest -R regex" picks them out.
using regex_match = RxMatchTest;

struct Case {
  const char* expression;
  const char* subject;
  const char* expected;  // "start,length", "none" or "error N"
};

void expectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    // The second pass uses the kept automaton, the third records failed entries from the start.
    for (int pass = 0; pass < 3; ++pass) {
      const std::uint64_t memoAfter = setRxMemoAfter(pass == 2 ? 0 : 4096);
      int length = 12345;
      const std::size_t before = reports.size();
      const int start = rxmatch(c.expression, c.subject, &length);
      setRxMemoAfter(memoAfter);
      std::string got;
      if (reports.size() != before) {
        got = "error " + std::to_string(reports.back().code) +
              (start == -1 && length == -1 ? "" : " (bad result)");
      } else if (start < 0) {
        got = length == 0 ? "none" : "none (bad length)";
      } else {
        got = std::to_string(start) + "," + std::to_string(length);
      }
      EXPECT_EQ(got, c.expected) << "expression \"" << c.expression << "\" subject \"" << c.subject << "\""
                                 << (pass == 1   ? " (kept automaton)"
                                     : pass == 2 ? " (recording)"
                                                 : "");
    }
  }
}

// The cases every reading must agree on.
TEST_F(regex_match, BasicCases) {
  expectCases({
      {"b.", "abc", "1,2"},
      {"a*", "aaa", "0,0"},
      {"abc$", "abc\ndef", "0,4"},
      {"*a", "x*a", "1,2"},  // a leading quantifier is a literal
      {"+1", "a+1", "1,2"},
      {"?", "what?", "4,1"},
      {"abc", "xxabcabc", "2,3"},
      {"abc", "ab", "none"},
      {"", "abc", "0,0"},
      {"a", "", "none"},  // an empty subject never matches
      {"a*", "", "none"},
      {"$", "", "none"},
      {"a.c", "a\nc abc", "4,3"},  // "." is not a line feed
      {"[0-9]+ j", "the quick brown fox 12345 jumps over", "20,7"},
  });
}

// Fewer repetitions first; the leftmost start wins over everything.
TEST_F(regex_match, RepetitionPreference) {
  expectCases({
      {"a+", "aaa", "0,1"},
      {"a+b", "aaab", "0,4"},
      {"a?", "b", "0,0"},
      {"ba?", "bab", "0,1"},
      {"ba?b", "bab", "0,3"},
      {"a*b", "xaab", "1,3"},
      {"ab*", "abbb", "0,1"},  // the quantifier takes only the run's last character
      {"ab+c", "abbc abc", "0,4"},
      {"x.*y", "xaybyc", "0,3"},
      {"a**", "aa", "0,0"},  // a repeated repetition
      {"a+*b", "aab", "0,3"},
  });
}

// Alternatives are tried by the test of their first link (accept, early empty move, one
// character, any character, start of line, end of line, text, set, late empty move) and,
// for equal tests, the later alternative first. A single character before an operator is
// a one-character test; at the end of the expression it is a text.
TEST_F(regex_match, AlternativePreference) {
  expectCases({
      {"abc|ab", "abc", "0,2"},  // two texts: the later one first
      {"ab|abc", "abc", "0,3"},
      {"(abc|ab)", "abc", "0,2"},
      {"(ab|abc)", "abc", "0,3"},
      {"(ab|abc|abcd)x", "abcdx", "0,5"},
      {"(abc|.)", "abc", "0,1"},  // any character before text
      {"(.|abc)", "abc", "0,1"},
      {"(abc|[a-z])", "abc", "0,3"},  // text before set
      {"([a-z]|abc)", "abc", "0,3"},
      {"(a|abc)", "abc", "0,1"},  // one character before text
      {"(abc|a)", "abc", "0,1"},
      {"a|.b", "ab", "0,1"},  // "a" before "|": one character, tried before any character
      {".b|a", "ab", "0,2"},  // "a" at the end: a text, tried after any character
      {"(a|b)*", "ab", "0,0"},
      {"(a|b)+", "ab", "0,1"},
      {"(a|b)+c", "abbac", "0,5"},
      {"x(|y)", "xy", "0,1"},  // the empty alternative's early move comes first
      {"x(y|)", "xy", "0,1"},
      {"(a|b|c|d|e|f)", "xf", "1,1"},  // six links on the group's start state
      {"a|b|c|d|e|f", "xyzf", "3,1"},
      {"(a|b|c|d|e)*z", "abez", "0,4"},
  });
}

// A repetition returns to its start state, which it may share with the alternatives of
// its group: in "(a*|b)c" the loop after "a" reaches the "b" alternative.
TEST_F(regex_match, NestedGroups) {
  expectCases({
      {"(ab)*c", "ababc", "0,5"},
      {"(ab)+", "ababab", "0,2"},
      {"(ab)?b", "abb", "0,3"},
      {"(a+)+b", "aab", "0,3"},
      {"(a(b)*)*", "ab", "0,0"},
      {"(a(b)*)+", "abb", "0,1"},
      {"(a(b)*)+c", "abbabc", "0,6"},
      {"((a|b)c)*d", "acbcd", "0,5"},
      {"(a*|b)c", "abc", "0,3"},
      {"(a*|b)c", "bc", "0,2"},
      {"((((((((((a))))))))))", "a", "error 6"},
      {"(((((((((a)))))))))", "ba", "1,1"},  // nine open groups are allowed
      {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "abcdefghij", "0,10"},
  });
}

// Start of line: the subject's start or after a line feed. End of line: the end of the
// subject, a line feed or a carriage return with a line feed, consumed with the match.
TEST_F(regex_match, LineAnchors) {
  expectCases({
      {"abc$", "abc\r\nx", "0,5"},
      {"c$", "abc", "2,1"},
      {"c$", "abc\r", "none"},
      {"c$", "abc\rd", "none"},
      {"$", "\r\n", "0,2"},
      {"$", "ab", "none"},  // never tried at the end of the subject
      {"$", "ab\n", "2,1"},
      {".$", "a\nb", "0,2"},
      {"^b", "a\nb", "2,1"},
      {"^b", "a\r\nb", "3,1"},
      {"^b", "a\rb", "none"},
      {"^", "abc", "0,0"},
      {"^$", "\nx", "0,1"},
      {"x^", "ax^", "1,2"},  // "^" not first and "$" not last are literals
      {"$x", "a$x", "1,2"},
      {"a\\$", "a$", "0,2"},
      {"(a|b$)", "b$", "0,2"},  // "$" before ")" is not the last character
  });
}

TEST_F(regex_match, SetsAndEscapes) {
  expectCases({
      {"[^a-z]", "abc1", "3,1"},
      {"[^a-z]", "abc\n", "3,1"},  // a negated set holds the line feed
      {"[]a]", "x]", "1,1"},
      {"[a-]", "x-", "1,1"},
      {"[-a]", "x-", "1,1"},
      {"[^]]", "]]a", "2,1"},
      {"[z-a]", "a z", "2,1"},  // a reversed range keeps only its first character
      {"[\\]]", "a]", "1,1"},
      {"[a\\-c]", "b-", "1,1"},
      {"[a-c-e]x", "dx", "0,2"},
      {"[abc", "xb", "1,1"},  // an unclosed set takes the rest of the expression
      {"[\\t-\\r]", "a\x0b", "1,1"},
      {"\\n", "a\nb", "1,1"},
      {"\\a\\b", "x\x08\x08", "1,2"},
      {"\\t\\v\\f\\r", "\t\v\f\r", "0,4"},
      {"a\\.b", "axb a.b", "4,3"},
      {"\\*", "a*", "1,1"},
      {"a\\", "xa\\", "1,2"},  // a final backslash is itself
      {"\\(a\\)", "(a)", "0,3"},
  });
}

// The 75th pending position is error 7. Each "a?" leaves its "a" pending when its early
// move is tried; the state after 73 of them holds one link, after 74 two.
TEST_F(regex_match, BacktrackLimit) {
  std::string pending73;
  for (int i = 0; i < 73; ++i) pending73 += "a?";
  const std::string pending74 = pending73 + "a?";
  EXPECT_EQ(match(pending73 + "b", "c"), "none");
  EXPECT_EQ(match(pending73 + "b", "b"), "0,1");
  EXPECT_EQ(match(pending74 + "b", "c"), "error 7");
  EXPECT_EQ(match(pending74 + "b", "c"), "error 7");  // reported again with the kept automaton
  EXPECT_EQ(match(pending74, "c"), "error 7");
  // Each round of the loop leaves the "a" of "a?" pending.
  EXPECT_EQ(match("(a?)+b", "c"), "error 7");
  EXPECT_EQ(match("(a?)*b", "c"), "error 7");
}

// Searches long enough to record the entries whose branches failed: twenty optional
// characters give 2^20 ways through a run of "a" that is too long.
TEST_F(regex_match, LongSearches) {
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "a?";
  const std::string as30(30, 'a');
  EXPECT_EQ(match(twenty + "b", as30 + "b"), "10,21");
  EXPECT_EQ(match(twenty + "b", as30), "none");
  EXPECT_EQ(match("()*" + twenty + "b", as30 + "b"), "10,21");  // watched, with an empty cycle
  EXPECT_EQ(match("(a|.|.)+b", as30 + "c"), "none");
  EXPECT_EQ(match("(a|.|.)+b", as30 + "b"), "0,31");
  // Each "(a|a)" leaves one link pending: 73 of them fail on 72 "a" and a "b" after 2^72
  // ways through; the 74th group's start would need 75 pending positions.
  std::string pairs;
  for (int i = 0; i < 73; ++i) pairs += "(a|a)";
  EXPECT_EQ(match(pairs, std::string(72, 'a') + "b"), "none");
  EXPECT_EQ(match(pairs + "(a|a)", std::string(73, 'a')), "error 7");
}

// A search that recorded failed entries and matched leaves nothing for the next one.
TEST_F(regex_match, RecordingStartsAfresh) {
  const std::uint64_t memoAfter = setRxMemoAfter(0);
  EXPECT_EQ(match("$", "a\r\n"), "1,2");
  EXPECT_EQ(match("$", "a\r\n"), "1,2");
  EXPECT_EQ(match("$", "a\n"), "1,1");
  setRxMemoAfter(memoAfter);
}

// A branch of the search that would come back to the same state at the same position
// with the same pending links for ever fails, and the search goes on.
TEST_F(regex_match, EndlessBranchesFail) {
  expectCases({
      {"^+b", "ab", "none"},
      {"^+b", "b", "0,1"},
      {"()*a", "ba", "1,1"},
      {"^*b", "ab", "1,1"},
      {"()+b", "ab", "1,1"},
      {"(x|()+)b", "ab", "1,1"},
      {"(x|()+)b", "xb", "0,2"},
  });
}

TEST_F(regex_match, BuildErrors) {
  expectCases({
      {"a)", "a", "error 2"},
      {")", "a", "error 2"},
      {"(a))", "a", "error 2"},
      {"(a", "a", "error 3"},
      {"((a)", "a", "error 3"},
      {"a|b|c|d|e|f|g", "a", "error 4"},
      {"(a|b|c|d|e|f|g)", "a", "error 4"},
      {"(a|b|c|d|e|f)*", "a", "error 4"},  // the skip move is the seventh link
      {"(*a)", "a", "error 5"},
      {"a|+b", "a", "error 5"},
      {"(?)", "a", "error 5"},
      {"((((((((((", "a", "error 6"},
      {"a|b|c|d|e|f|g)", "a", "error 4"},  // the first error met wins
      {"((((((((((a)))", "a", "error 6"},
      {"a\t)", "a", "error 8"},  // preprocessing comes first
  });
}

TEST_F(regex_match, ErrorMessages) {
  const struct {
    const char* expression;
    const char* message;
  } cases[] = {
      {"a)", "MAKEFSM: close brace with no matching open brace"},
      {"(a", "MAKEFSM: extra '(' in regexp"},
      {"a|b|c|d|e|f|g", "MAKEFSM: internal error - MAXLINKS exceeded"},
      {"(*)", "MAKEFSM: operator used without operand (*)"},
      {"(+)", "MAKEFSM: operator used without operand (+)"},
      {"(?)", "MAKEFSM: operator used without operand (?)"},
      {"((((((((((a))))))))))", "MAKEFSM: maximum nesting level exceeded"},
      {"a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?"
       "a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?",
       "RUNFSM: number of backtrack positions exceeded STACKSIZE"},
      {"\x01", "RXPP: unprintable character in regular expression"},
  };
  for (const auto& c : cases) {
    reports.clear();
    int length = 0;
    EXPECT_EQ(rxmatch(c.expression, "b", &length), -1);
    EXPECT_EQ(length, -1);
    ASSERT_EQ(reports.size(), 1u) << c.expression;
    EXPECT_EQ(reports[0].message, c.message);
  }
}

int failingAllocations = 0;
const RxAllocHooks* library = nullptr;
void* failingAllocate(std::size_t size) {
  return failingAllocations-- > 0 ? library->allocate(size) : nullptr;
}
void* failingReallocate(void* block, std::size_t size) {
  return failingAllocations-- > 0 ? library->reallocate(block, size) : nullptr;
}
void libraryRelease(void* block) { library->release(block); }
constexpr RxAllocHooks kFailingHooks{&failingAllocate, &failingReallocate, &libraryRelease};

TEST_F(regex_match, AllocationFailure) {
  clearRxCache();
  library = setRxAllocHooks(&kFailingHooks);
  failingAllocations = 0;
  EXPECT_EQ(match("abc", "abc"), "error 1");
  EXPECT_EQ(reports.back().message, "RXALLOC: allocation failed");
  EXPECT_EQ(reports.back().arenasHeld, 0);
  // Growing fails: 20 states do not fit in the first 1500 bytes.
  failingAllocations = 1;
  EXPECT_EQ(match("a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?a?", "a"), "error 1");
  EXPECT_EQ(reports.back().arenasHeld, 0);
  setRxAllocHooks(nullptr);
  EXPECT_EQ(match("abc", "abc"), "0,3");
}

// The reporter runs after everything the match held is released, so one that throws
// leaves nothing behind; errors are reported on every call.
TEST_F(regex_match, ReporterRunsAfterRelease) {
  clearRxCache();
  EXPECT_EQ(match("(a", "a"), "error 3");
  EXPECT_EQ(match("(a", "a"), "error 3");
  EXPECT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].arenasHeld, 0);
  EXPECT_EQ(reports[1].arenasHeld, 0);
  setRxReporter(&throwingReporter);
  int length = 0;
  EXPECT_THROW(rxmatch("a|b|c|d|e|f|g", "a", &length), ReportThrown);
  EXPECT_EQ(length, -1);
  EXPECT_EQ(RxArena::reservedCount(), 0);
  EXPECT_EQ(rxmatch("x", "ax", &length), 1);
  EXPECT_EQ(RxArena::reservedCount(), 1);  // the kept automaton
  clearRxCache();
  EXPECT_EQ(RxArena::reservedCount(), 0);
}

TEST_F(regex_match, ReporterReplacement) {
  EXPECT_EQ(setRxReporter(nullptr), &recordingReporter);
  EXPECT_EQ(setRxReporter(&recordingReporter), &rxreport);
  ::testing::internal::CaptureStdout();
  rxreport("MAKEFSM: extra '(' in regexp", 3);
  setRxReporter(nullptr);
  int length = 0;
  EXPECT_EQ(rxmatch("a\x7f", "a", &length), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "MAKEFSM: extra '(' in regexp. (Error Code 3)\n"
            "RXPP: unprintable character in regular expression. (Error Code 8)\n");
}

// More expressions than the cache keeps, in turn: every call still sees its own automaton.
TEST_F(regex_match, ManyExpressions) {
  for (int round = 0; round < 3; ++round) {
    for (char c = 'a'; c <= 'p'; ++c) {
      const std::string expression = std::string(1, c) + "+";
      const std::string subject = "0" + std::string(1, c);
      EXPECT_EQ(match(expression, subject), "1,1") << expression;
    }
  }
}

// The start state of "(a*|b)": the skip move first, then the two one-character links,
// the one added last first.
TEST(regex_build, LinksInTrialOrder) {
  std::string codes;
  ASSERT_EQ(preprocessRx("(a*|b)", codes), nullptr);
  RxArena arena;
  RxFsm fsm;
  ASSERT_EQ(makeRxFsm(codes, arena, &fsm), nullptr);
  EXPECT_FALSE(fsm.emptyCycles);
  const RxState& state = *arena.at<RxState>(fsm.start);
  ASSERT_EQ(state.count, 3u);
  EXPECT_EQ(state.links[0].test, kRxEarlyEmpty);
  EXPECT_EQ(state.links[1].test, kRxChar);
  EXPECT_EQ(state.links[1].ch, 'b');
  EXPECT_EQ(state.links[2].test, kRxChar);
  EXPECT_EQ(state.links[2].ch, 'a');
  EXPECT_EQ(makeRxFsm(codes, arena, &fsm), &kRxNotReleased);
}

// Only cycles of links that may consume nothing count. The characters a match begins
// with are known when every link of the start state consumes one.
TEST(regex_build, SearchHints) {
  const struct {
    const char* expression;
    bool emptyCycles;
    const char* first;  // nullptr: not known
    const char* notFirst;
  } cases[] = {
      {"[0-9]+ j", false, "0369", "a j"}, {"(ab|c)*d", false, nullptr, ""}, {"(ab|c)d", false, "ac", "bd"},
      {"a?+", true, nullptr, ""},         {"^+", true, nullptr, ""},        {"()*", true, nullptr, ""},
      {"(a|b?)*", true, nullptr, ""},     {"x$", false, "x", "$\n"},        {"a*", false, nullptr, ""},
      {"[^a-y]", false, "z\n", "ay"},     {".", false, "a.\r", "\n"},       {"$", false, nullptr, ""},
  };
  for (const auto& c : cases) {
    std::string codes;
    ASSERT_EQ(preprocessRx(c.expression, codes), nullptr);
    RxArena arena;
    RxFsm fsm;
    ASSERT_EQ(makeRxFsm(codes, arena, &fsm), nullptr);
    EXPECT_EQ(fsm.emptyCycles, c.emptyCycles) << c.expression;
    EXPECT_EQ(fsm.firstKnown, c.first != nullptr) << c.expression;
    if (c.first == nullptr) continue;
    for (const char ch : std::string_view(c.first))
      EXPECT_TRUE(rxSetHas(fsm.first, 0, static_cast<unsigned char>(ch))) << ch;
    for (const char ch : std::string_view(c.notFirst))
      EXPECT_FALSE(rxSetHas(fsm.first, 0, static_cast<unsigned char>(ch))) << ch;
  }
}

TEST(regex_run, UnknownTest) {
  RxArena arena;
  ASSERT_EQ(arena.reserve(), nullptr);
  std::uint32_t state = 0;
  ASSERT_EQ(arena.alloc(sizeof(RxState), &state), nullptr);
  RxState& s = *arena.at<RxState>(state);
  s.count = 1;
  s.links[0] = RxLink{state, 0, 0, 9, 0};
  RxMatch match{};
  EXPECT_EQ(runRxFsm(arena.base(), RxFsm{state, false}, "a", &match), &kRxUnknownTest);
  EXPECT_EQ(runRxFsm(arena.base(), RxFsm{state, true}, "a", &match), &kRxUnknownTest);
}

}  // namespace
}  // namespace varda::support
