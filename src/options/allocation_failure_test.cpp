// Copies that fail inside the option library. This test program replaces the
// global operator new so that a test can make large allocations fail.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "options/option_parser.h"
#include "options/recording_table.h"
#include "options/usage_printer.h"

namespace {

// Allocations of at least this many bytes fail while it is below the maximum.
std::size_t failFrom = std::numeric_limits<std::size_t>::max();

}  // namespace

void* operator new(std::size_t size) {
  if (size >= failFrom) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return ::operator new(size, tag);
}
// g++ sees the replaced new and delete inlined into one another and cannot
// tell that this malloc/free pair is the replacement itself.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace varda::options {
namespace {

ParserState parser;  // the library state these tests share

using testing::calls;
using Args = std::vector<std::string>;

/// Makes allocations of `bytes` or more fail for the lifetime of the guard.
class FailLargeAllocations {
 public:
  explicit FailLargeAllocations(std::size_t bytes) { failFrom = bytes; }
  ~FailLargeAllocations() { failFrom = std::numeric_limits<std::size_t>::max(); }
  FailLargeAllocations(const FailLargeAllocations&) = delete;
  FailLargeAllocations& operator=(const FailLargeAllocations&) = delete;
};

// clang-format off
constexpr OptionRecord kWithOutOfMemory[] = {
    {"o", OptionKind::kValue, "o", testing::recordOption, 7, nullptr},
    {"v", OptionKind::kFlag, "v", testing::recordOption, 7, nullptr},
    {nullptr, OptionKind::kOutOfMemory, {}, testing::onOutOfMemory, 0, nullptr},
    {nullptr, OptionKind::kInvalidUse, {}, testing::onInvalidUse, 0, nullptr},
    {nullptr, OptionKind::kUsageHeader, &testing::kTestInfo, nullptr, 0, nullptr},
    {nullptr, OptionKind::kEnd, {}, nullptr, 0, nullptr},
};
// clang-format on

// clang-format off
constexpr OptionRecord kWithoutOutOfMemory[] = {
    {"o", OptionKind::kValue, "o", testing::recordOption, 7, nullptr},
    {"v", OptionKind::kFlag, "v", testing::recordOption, 7, nullptr},
    {nullptr, OptionKind::kInvalidUse, {}, testing::onInvalidUse, 0, nullptr},
    {nullptr, OptionKind::kEnd, {}, nullptr, 0, nullptr},
};
// clang-format on

class AllocationFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::resetRecorder();
    calls.reserve(16);
  }

  /// What `parse` returns while allocations of 4000 bytes or more fail.
  template <typename Parse>
  static int failingLarge(Parse&& parse) {
    const FailLargeAllocations failing(4000);
    return parse();
  }

  const std::string big_ = std::string(5000, 'x');
};

// A failed copy of a value or of an invalid argument goes to the out-of-memory
// row; without one the parse stops silently; a failed split dispatches nothing.
TEST_F(AllocationFailureTest, FailedCopiesStopTheParse) {
  const Args value{"-v", "-o", big_, "-v"};
  const Args invalid{"-" + big_};
  const Args valueFirst{"-o", big_, "-v"};
  const std::string line = "-v -o " + big_;
  EXPECT_EQ(
      failingLarge([&] { return dispatchArgs(parser, CaseMode::kExact, value, kWithOutOfMemory, false); }),
      1);
  EXPECT_EQ(testing::outOfMemoryCalls, 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"v(v,-)"}));

  testing::resetRecorder();
  EXPECT_EQ(
      failingLarge([&] { return dispatchArgs(parser, CaseMode::kExact, invalid, kWithOutOfMemory, false); }),
      1);
  EXPECT_EQ(testing::outOfMemoryCalls, 1);
  EXPECT_TRUE(calls.empty());

  testing::resetRecorder();
  EXPECT_EQ(failingLarge([&] {
              return dispatchArgs(parser, CaseMode::kExact, valueFirst, kWithoutOutOfMemory, false);
            }),
            1);
  EXPECT_EQ(
      failingLarge([&] { return parseOptionString(parser, CaseMode::kExact, line, kWithoutOutOfMemory); }),
      1);
  EXPECT_TRUE(calls.empty());
}

TEST_F(AllocationFailureTest, PageThatCannotBeSortedPrintsNothing) {
  ::testing::internal::CaptureStdout();
  {
    const FailLargeAllocations failing(1);
    printPage(testing::kTestInfo, kShortPage, kWithOutOfMemory);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::outOfMemoryCalls, 1);
}

TEST(AllocationFailureDeathTest, FailedEnvironmentCopyEndsTheProcess) {
  setenv("VARDA_OPTIONS_TEST_BIG", std::string(5000, 'y').c_str(), 1);
  // The message goes to standard output; it is sent to standard error here so
  // that the death test can see it.
  EXPECT_EXIT(
      {
        std::fflush(stdout);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        const FailLargeAllocations failing(4000);
        parseOptions(parser, CaseMode::kExact, Args{}, "VARDA_OPTIONS_TEST_BIG", kWithOutOfMemory);
      },
      ::testing::ExitedWithCode(1), "^Out of memeory1\n$");
  unsetenv("VARDA_OPTIONS_TEST_BIG");
}

}  // namespace
}  // namespace varda::options
