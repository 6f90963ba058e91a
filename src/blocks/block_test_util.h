#pragma once

// Helpers shared by the blocks' unit tests.

#include <cstddef>
#include <string>

#include <gtest/gtest.h>

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

}  // namespace varda::blocks::testing
