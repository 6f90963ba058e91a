#include "regmodel/memory_register.h"

#include <gtest/gtest.h>

#include <string>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

// The line prefix adds the base modulo 2^32, returns the tag, and writes a
// poke word of any length whole.
TEST(MemoryRegister, LinePrefix) {
  MemoryRegister reg(35, 0x100);
  std::uint32_t tag = 0;
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { tag = reg.writeLinePrefix(s, 0x1000, "wr"); }),
            "  wr 0x00001100   ");
  EXPECT_EQ(tag, 35u);
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { reg.writeLinePrefix(s, 0xffffff00, "poke"); }),
            "  poke 0x00000000   ");
  const std::string word(200, 'w');
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { reg.writeLinePrefix(s, 0, word); }),
            "  " + word + " 0x00000100   ");
}

}  // namespace
}  // namespace varda::regmodel
