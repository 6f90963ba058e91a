#pragma once

// Helpers shared by the blocks' unit tests.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "blocks/check_result.h"
#include "blocks/item_block.h"
#include "blocks/register_image.h"

namespace varda::blocks::testing {

/// A cleared image of `words` words with `block` encoded into it.
inline RegisterImage encoded(const ItemBlock& block, std::size_t words) {
  RegisterImage image(words, 0);
  block.encode(image);
  return image;
}

/// Sets the value of the first item with `tag`; the tag must exist.
inline void set(ItemBlock& block, std::uint32_t tag, std::uint32_t value) {
  MemoryItem* item = block.findItem(tag);
  ASSERT_NE(item, nullptr) << "tag " << tag;
  item->setValue(value);
}

/// The value of the first item with `tag`, or a sentinel when it is missing.
inline std::uint32_t valueOf(const ItemBlock& block, std::uint32_t tag) {
  const MemoryItem* item = block.findItem(tag);
  return item == nullptr ? 0xDEAD0000u : item->value();
}

/// What `action` prints to standard output.
template <typename Action>
std::string printed(Action&& action) {
  ::testing::internal::CaptureStdout();
  action();
  return ::testing::internal::GetCapturedStdout();
}

/// One timing-rule case: the items in `given` are set first, then `value` is
/// checked for `tag`; an empty message means the value passes.
struct RuleCase {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> given;
  std::uint32_t tag;
  std::uint32_t value;
  const char* message;
};

/// Runs every case on a fresh EMI2/3 bank-0 Block through `check`: a failing
/// case gives a result for the tag that names `group` and the rule's message;
/// a passing case gives none. Neither prints anything.
template <typename Block, typename Check>
void expectRuleCases(std::span<const RuleCase> cases, const char* group, Check check) {
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "tag " << c.tag << " value " << c.value);
    Block block;
    block.buildEmi23Items(0);
    for (const auto& [tag, value] : c.given) set(block, tag, value);
    CheckOutcome result;
    const std::string out = printed([&] { result = check(block, c.tag, c.value); });
    if (*c.message == '\0') {
      EXPECT_EQ(out, "");
      EXPECT_FALSE(result);
    } else {
      EXPECT_EQ(out, "");
      ASSERT_TRUE(result);
      EXPECT_EQ(result->tag, c.tag);
      EXPECT_STREQ(result->group, group);
      EXPECT_STREQ(result->rule, c.message);
    }
  }
}

}  // namespace varda::blocks::testing
