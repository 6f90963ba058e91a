#include "support/regex_arena.h"

#include <gtest/gtest.h>

#include <cstring>

namespace varda::support {
namespace {

int failAfter = 0;  // allocations and reallocations still allowed
const RxAllocHooks* library = nullptr;

void* countedAllocate(std::size_t size) { return failAfter-- > 0 ? library->allocate(size) : nullptr; }
void* countedReallocate(void* block, std::size_t size) {
  return failAfter-- > 0 ? library->reallocate(block, size) : nullptr;
}
void libraryRelease(void* block) { library->release(block); }
constexpr RxAllocHooks kCountedHooks{&countedAllocate, &countedReallocate, &libraryRelease};

class RxArenaTest : public ::testing::Test {
 protected:
  void TearDown() override { setRxAllocHooks(nullptr); }
};
// Suites are named regex_* so that "ctest -R regex" picks them out.
using regex_arena = RxArenaTest;

TEST_F(regex_arena, ReserveAllocRelease) {
  RxArena arena;
  std::uint32_t offset = 0;
  EXPECT_EQ(arena.alloc(4, &offset), &kRxNotReserved);
  const int before = RxArena::reservedCount();
  ASSERT_EQ(arena.reserve(), nullptr);
  EXPECT_EQ(RxArena::reservedCount(), before + 1);
  EXPECT_EQ(arena.capacity(), 1500u);
  EXPECT_EQ(arena.reserve(), &kRxNotReleased);
  arena.release();
  EXPECT_EQ(RxArena::reservedCount(), before);
  EXPECT_FALSE(arena.reserved());
  EXPECT_EQ(arena.alloc(4, &offset), &kRxNotReserved);
  ASSERT_EQ(arena.reserve(), nullptr);
}

// Every size is rounded down to a multiple of 4, plus 4.
TEST_F(regex_arena, Rounding) {
  RxArena arena;
  ASSERT_EQ(arena.reserve(), nullptr);
  std::uint32_t offset = 0;
  const std::size_t sizes[] = {0, 1, 3, 4, 5, 8, 101};
  const std::uint32_t offsets[] = {0, 4, 8, 12, 20, 28, 40};
  for (std::size_t i = 0; i < std::size(sizes); ++i) {
    ASSERT_EQ(arena.alloc(sizes[i], &offset), nullptr);
    EXPECT_EQ(offset, offsets[i]) << "size " << sizes[i];
  }
  EXPECT_EQ(arena.used(), 144u);
}

// Growing goes in steps of 1500 bytes, as many as the allocation needs, and keeps the
// contents at their offsets.
TEST_F(regex_arena, GrowsInStepsKeepingOffsets) {
  RxArena arena;
  ASSERT_EQ(arena.reserve(), nullptr);
  std::uint32_t first = 0;
  ASSERT_EQ(arena.alloc(1490, &first), nullptr);  // 1492 bytes
  std::memcpy(arena.at<char>(first), "kept", 5);
  std::uint32_t second = 0;
  ASSERT_EQ(arena.alloc(4, &second), nullptr);  // 1500 bytes: still fits
  EXPECT_EQ(arena.capacity(), 1500u);
  ASSERT_EQ(arena.alloc(0, &second), nullptr);
  EXPECT_EQ(second, 1500u);
  EXPECT_EQ(arena.capacity(), 3000u);
  ASSERT_EQ(arena.alloc(4000, &second), nullptr);  // 4004 bytes from 1504: up to 6000
  EXPECT_EQ(arena.capacity(), 6000u);
  EXPECT_STREQ(arena.at<char>(first), "kept");
}

TEST_F(regex_arena, AllocationFailures) {
  library = setRxAllocHooks(&kCountedHooks);
  failAfter = 0;
  RxArena arena;
  EXPECT_EQ(arena.reserve(), &kRxAllocFailed);
  EXPECT_FALSE(arena.reserved());
  failAfter = 1;
  ASSERT_EQ(arena.reserve(), nullptr);
  std::uint32_t offset = 0;
  EXPECT_EQ(arena.alloc(1000, &offset), nullptr);
  EXPECT_EQ(arena.alloc(1000, &offset), &kRxAllocFailed);
  EXPECT_EQ(arena.capacity(), 1500u);
}

}  // namespace
}  // namespace varda::support
