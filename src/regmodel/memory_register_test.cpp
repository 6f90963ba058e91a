#include "regmodel/memory_register.h"

#include <gtest/gtest.h>

#include <string>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

TEST(MemoryRegister, LinePrefixWithBaseZero) {
  MemoryRegister reg(1, 0x2004);
  std::uint32_t tag = 99;
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { tag = reg.writeLinePrefix(s, 0, "poke"); }),
            "  poke 0x00002004   ");
  EXPECT_EQ(tag, 1u);
}

TEST(MemoryRegister, LinePrefixAddsTheBaseModulo32Bits) {
  MemoryRegister reg(35, 0x100);
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { reg.writeLinePrefix(s, 0x1000, "wr"); }),
            "  wr 0x00001100   ");
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { reg.writeLinePrefix(s, 0xffffff00, "poke"); }),
            "  poke 0x00000000   ");
}

TEST(MemoryRegister, PokeWordOfAnyLength) {
  const std::string word(200, 'w');
  MemoryRegister reg(0, 0x2000);
  EXPECT_EQ(testing::captureStream([&](std::FILE* s) { reg.writeLinePrefix(s, 0, word); }),
            "  " + word + " 0x00002000   ");
}

TEST(MemoryRegister, Dump) {
  MemoryRegister reg(19, 0x2070);
  EXPECT_EQ(testing::captureStdout([&] { reg.dump(); }),
            "MemoryRegister start {\nTag = 19\nAddress = 0x2070\n} MemoryRegister end\n");
}

}  // namespace
}  // namespace varda::regmodel
