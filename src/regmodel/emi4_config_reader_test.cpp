#include "regmodel/emi4_config_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

constexpr std::uint32_t kUnset = 0xb2d05e00;

class Emi4ReaderTest : public ::testing::Test {
 protected:
  Emi4ReaderTest() {
    registers.fill(kUnset);
    extras.fill(kUnset);
    reader.setBase(0x1000);
  }

  void read(const std::string& contents) {
    testing::TempFile file(contents);
    output = testing::captureStdout([&] { result = reader.readPokeFile(registers, extras, file.path()); });
  }

  Emi4ConfigReader reader{"varda"};
  std::array<std::uint32_t, 25> registers{};
  std::array<std::uint32_t, 13> extras{};
  bool result = false;
  std::string output;
};

TEST_F(Emi4ReaderTest, AddressesAreBaseRelativeAndValuesWholeWords) {
  read(
      "proc configEmi {\n"
      "poke 0x1100 0x11\n"  // bank 0, register 0
      "poke 0x1258 0x23\n"  // bank 5, register 3
      "poke 0x11c8 0x13\n"  // bank 3, register 1
      "poke 0x1038 0x00220033\n"
      "poke 0x1000 0x7\n"  // EMI4.VCR: read although never written
      "poke 0x1040 0x5\n"  // no value rule on the initialisation register
      "poke 0x1068 0xffffffff\n"
      "poke 0x1048 -1;\n"
      "}\n");
  EXPECT_TRUE(result) << output;
  EXPECT_EQ(registers[0], 0x11u);
  EXPECT_EQ(registers[23], 0x23u);
  EXPECT_EQ(registers[13], 0x13u);
  EXPECT_EQ(extras[6], 0x00220033u);
  EXPECT_EQ(extras[0], 7u);
  EXPECT_EQ(extras[7], 5u);
  EXPECT_EQ(extras[12], 0xffffffffu);
  EXPECT_EQ(extras[8], 0xffffffffu);
  EXPECT_EQ(registers[24], kUnset);  // the caller's 25th word is never written

  read("poke 0x100 0x11\n");
  EXPECT_FALSE(result);
  EXPECT_EQ(output, "varda: Error reading configuration file: wrong memory address at line:1\n");
  read("\n#\npoke 0x1100 0x100000000\n");
  EXPECT_EQ(output, "varda: Error reading configuration file: not a valid register value at line:3\n");

  // The sum of base and offset wraps at 32 bits.
  reader.setBase(0xffffff00);
  read("poke 0x0 1\npoke 0xffffff00 2\n");
  EXPECT_TRUE(result) << output;
  EXPECT_EQ(registers[0], 1u);
  EXPECT_EQ(extras[0], 2u);
}

TEST_F(Emi4ReaderTest, RepeatedRegisterIsAWrongAddress) {
  read("poke 0x1028 1\npoke 4136 2\npoke 0x1020 3\n");
  EXPECT_FALSE(result);
  EXPECT_EQ(output, "varda: Error reading configuration file: wrong memory address at line:2\n");
  EXPECT_EQ(extras[4], 1u);
  EXPECT_EQ(extras[3], kUnset);
}

}  // namespace
}  // namespace varda::regmodel
