#include "regmodel/emi23_config_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

constexpr std::uint32_t kUnset = 0xb2d05e00;

// The read form of a complete EMI2/3 procedure: every bank register, then the
// DRAM initialisation register.
const char* const kFullReadForm =
    "proc configEmi {\n"
    "poke 0x2000 0x1\npoke 0x2004 0x2\npoke 0x2008 0x3\npoke 0x200c 0x4\n"
    "poke 0x2010 0x5\npoke 0x2014 0x6\npoke 0x2018 0x7\npoke 0x201c 0x8\n"
    "poke 0x2020 0x9\npoke 0x2024 0xa\npoke 0x2028 0xb\npoke 0x202c 0xc\n"
    "poke 0x2030 0xd\npoke 0x2034 0xe\npoke 0x2038 0xf\npoke 0x203c 0x10\n"
    "poke 0x2060 0x1\n"
    "}\n";

class Emi23ReaderTest : public ::testing::Test {
 protected:
  Emi23ReaderTest() { clear(); }

  void clear() {
    registers.fill(kUnset);
    extras.fill(kUnset);
  }

  // Reads contents as a file; result and printed text are kept.
  void read(const std::string& contents) {
    testing::TempFile file(contents);
    output = testing::captureStdout([&] { result = reader.readPokeFile(registers, extras, file.path()); });
  }

  // The one message a read of contents prints: "varda: Error reading configuration file: <text>".
  std::string messageOf(const std::string& contents) {
    read(contents);
    EXPECT_EQ(result, 0);
    return output;
  }

  Emi23ConfigReader reader{"varda"};
  std::array<std::uint32_t, 17> registers{};
  std::array<std::uint32_t, 4> extras{};
  int result = -1;
  std::string output;
};

TEST_F(Emi23ReaderTest, FullReadFormFillsEveryRegister) {
  read(kFullReadForm);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(output, "");
  for (std::uint32_t i = 0; i < 16; ++i) EXPECT_EQ(registers[i], i + 1) << i;
  EXPECT_EQ(registers[16], 1u);
  for (std::uint32_t word : extras) EXPECT_EQ(word, kUnset);
  EXPECT_FALSE(reader.errorSeen());
  EXPECT_EQ(reader.lineNumber(), 0);
}

TEST_F(Emi23ReaderTest, SameReaderReadsTwice) {
  read(kFullReadForm);
  ASSERT_EQ(result, 1);
  clear();
  read(kFullReadForm);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(registers[15], 0x10u);
}

TEST_F(Emi23ReaderTest, ChipWideAddressesGoToExtras) {
  read("poke 0x2058 0x22\npoke 0x205c 0x33\npoke 0x2070 0x44\npoke 0x2064 0x1\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(extras, (std::array<std::uint32_t, 4>{0x22, 0x33, 0x44, 0x1}));
  EXPECT_EQ(registers[0], kUnset);
}

TEST_F(Emi23ReaderTest, AddressesCompareAsNumbers) {
  read("poke 8192 1\npoke 0x00002004 2\npoke 020010 3\npoke 0X200C 4\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(registers[0], 1u);
  EXPECT_EQ(registers[1], 2u);
  EXPECT_EQ(registers[2], 3u);
  EXPECT_EQ(registers[3], 4u);
}

TEST_F(Emi23ReaderTest, RepeatedAddressIsAWrongAddressAndStops) {
  EXPECT_EQ(messageOf("poke 0x2004 1\npoke 0x2000 2\npoke 8196 3\npoke 0x2008 4\n"),
            "varda: Error reading configuration file: wrong memory address at line:3\n");
  EXPECT_EQ(registers[1], 1u);       // the first poke stands
  EXPECT_EQ(registers[0], 2u);       // stored before the error
  EXPECT_EQ(registers[2], kUnset);   // not read after it
  EXPECT_TRUE(reader.errorSeen());
}

TEST_F(Emi23ReaderTest, UnknownOrNonNumericAddressIsAWrongAddress) {
  EXPECT_EQ(messageOf("poke 0x2068 1\n"),
            "varda: Error reading configuration file: wrong memory address at line:1\n");
  EXPECT_EQ(messageOf("poke 0x2002 1\n"),
            "varda: Error reading configuration file: wrong memory address at line:1\n");
  EXPECT_EQ(messageOf("poke addr 1\n"),
            "varda: Error reading configuration file: wrong memory address at line:1\n");
  EXPECT_EQ(messageOf("poke 0x100002000 1\n"),
            "varda: Error reading configuration file: wrong memory address at line:1\n");
}

TEST_F(Emi23ReaderTest, ValueChecksComeBeforeTheAddress) {
  EXPECT_EQ(messageOf("poke addr\n"),
            "varda: Error reading configuration file: missing register value at line:1\n");
  EXPECT_EQ(messageOf("poke addr x\n"),
            "varda: Error reading configuration file: not a valid register value at line:1\n");
}

TEST_F(Emi23ReaderTest, DramInitValueIsReportedAndTheReadGoesOn) {
  EXPECT_EQ(messageOf("poke 0x2060 2\npoke 0x2000 5\n"),
            "varda: Error reading configuration file: wrong DRAM init reg value at line: 1\n");
  EXPECT_EQ(registers[16], kUnset);
  EXPECT_EQ(registers[0], 5u);
}

TEST_F(Emi23ReaderTest, RefusedDramInitValueStillMarksTheAddressSeen) {
  EXPECT_EQ(messageOf("poke 0x2060 7\npoke 0x2060 1\n"),
            "varda: Error reading configuration file: wrong DRAM init reg value at line: 1\n"
            "varda: Error reading configuration file: wrong memory address at line:2\n");
  EXPECT_EQ(registers[16], kUnset);
}

TEST_F(Emi23ReaderTest, RefusedDramInitValueStillGetsTheTrailingTest) {
  EXPECT_EQ(messageOf("poke 0x2060 2 x\npoke 0x2000 5\n"),
            "varda: Error reading configuration file: wrong DRAM init reg value at line: 1\n"
            "varda: Error reading configuration file: extra characters at line: 1\n");
  EXPECT_EQ(registers[0], kUnset);
}

TEST_F(Emi23ReaderTest, ValueLimitIs16Bits) {
  EXPECT_EQ(messageOf("poke 0x2000 0x10000\n"),
            "varda: Error reading configuration file: not a valid register value at line:1\n");
  EXPECT_EQ(registers[0], kUnset);
  EXPECT_EQ(messageOf("poke 0x2000 -1\n"),
            "varda: Error reading configuration file: not a valid register value at line:1\n");
  clear();
  read("poke 0x2000 0xffff\npoke 0x2004 65535\npoke 0x2008 0b11\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(registers[0], 0xffffu);
  EXPECT_EQ(registers[1], 0xffffu);
  EXPECT_EQ(registers[2], 0u);  // "0b11" reads as 0
}

TEST_F(Emi23ReaderTest, SemicolonForms) {
  read("poke 0x2000 0x12;\npoke 0x2004 0x13;;;\npoke 0x2008 0x14 ;\npoke 0x200c 0x15 ; ;\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(registers[0], 0x12u);
  EXPECT_EQ(registers[1], 0x13u);
  EXPECT_EQ(registers[2], 0x14u);
  EXPECT_EQ(registers[3], 0x15u);

  clear();
  EXPECT_EQ(messageOf("poke 0x2000 0x12;a\n"),
            "varda: Error reading configuration file: not a valid register value at line:1\n");
  EXPECT_EQ(registers[0], kUnset);

  clear();
  EXPECT_EQ(messageOf("poke 0x2000 0x12 ; x\npoke 0x2004 1\n"),
            "varda: Error reading configuration file: extra characters at line: 1\n");
  EXPECT_EQ(registers[0], 0x12u);  // stored before the trailing test
  EXPECT_EQ(registers[1], kUnset);
}

TEST_F(Emi23ReaderTest, ProcCommentBraceAndEmptyLinesAreSkipped) {
  read("\n"
       "##############\n"
       "   #indented comment\n"
       "#poke 0x2000 7\n"
       "proc configEmi {\n"
       "\t\n"
       "  poke 0x00002000   0x00b2\n"
       "}\n"
       "{ }\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(registers[0], 0xb2u);
}

TEST_F(Emi23ReaderTest, EveryStoppingMessageWithItsLineNumber) {
  // Each error line follows two lines (a comment and an empty line) that count.
  const std::string head = "# head\n\n";
  EXPECT_EQ(messageOf(head + "proc {\npoke 0x2000 1\n"),
            "varda: Error reading configuration file: missing procedure name at line: 3\n");
  EXPECT_EQ(messageOf(head + "peek 0x2000 1\n"),
            "varda: Error reading configuration file: unrecognized token at line:3\n");
  EXPECT_EQ(messageOf(head + "Poke 0x2000 1\n"),
            "varda: Error reading configuration file: unrecognized token at line:3\n");
  EXPECT_EQ(messageOf(head + "poke\n"),
            "varda: Error reading configuration file: missing register address at line:3\n");
  EXPECT_EQ(messageOf(head + "poke 0x2000\n"),
            "varda: Error reading configuration file: missing register value at line:3\n");
  EXPECT_EQ(messageOf(head + "poke 0x2000 zz\n"),
            "varda: Error reading configuration file: not a valid register value at line:3\n");
  EXPECT_EQ(messageOf(head + "poke 0x2000 1 2\n"),
            "varda: Error reading configuration file: extra characters at line: 3\n");
  EXPECT_EQ(messageOf(head + "poke 0x3000 1\n"),
            "varda: Error reading configuration file: wrong memory address at line:3\n");
  EXPECT_EQ(reader.lineNumber(), 0);
}

TEST_F(Emi23ReaderTest, EveryStoppingErrorEndsTheRead) {
  for (const char* bad : {"proc\n", "x\n", "poke\n", "poke 0x2004\n", "poke 0x2004 q\n",
                          "poke 0x2008 1 1\n", "poke 0x9999 1\n"}) {
    clear();
    messageOf(std::string(bad) + "poke 0x200c 9\n");
    EXPECT_EQ(registers[3], kUnset) << bad;
  }
}

TEST_F(Emi23ReaderTest, LongLinesCountAsSeveralLines) {
  // A 300-character comment: its second piece begins with "x", not "#".
  EXPECT_EQ(messageOf("#" + std::string(299, 'x') + "\npoke 0x2000 1\n"),
            "varda: Error reading configuration file: unrecognized token at line:2\n");
  // The value is pushed into the second piece.
  EXPECT_EQ(messageOf("poke 0x2000" + std::string(260, ' ') + "0x1\n"),
            "varda: Error reading configuration file: missing register value at line:1\n");
  // A 255-character line leaves its line feed as an empty second piece.
  EXPECT_EQ(messageOf("#" + std::string(254, 'x') + "\n\npoke\n"),
            "varda: Error reading configuration file: missing register address at line:4\n");
}

TEST_F(Emi23ReaderTest, CarriageReturnLineFeedAndNoFinalLineFeed) {
  read("proc configEmi {\r\n  poke 0x00002000   0x00b2\r\n\r\n}\r\npoke 0x2004 0x5");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(registers[0], 0xb2u);
  EXPECT_EQ(registers[1], 5u);
  EXPECT_EQ(messageOf("\r\n\r\npoke 0x2000\r\n"),
            "varda: Error reading configuration file: missing register value at line:3\n");
}

TEST_F(Emi23ReaderTest, EmptyFileReadsWithoutError) {
  read("");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(output, "");
}

TEST_F(Emi23ReaderTest, MissingFile) {
  output = testing::captureStdout(
      [&] { result = reader.readPokeFile(registers, extras, "/nonexistent/dir/file.cfg"); });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(output, "varda: Error: cannot open read file\n");
  EXPECT_TRUE(reader.errorSeen());
}

TEST_F(Emi23ReaderTest, ErrorFlagIsClearedByTheNextRead) {
  messageOf("poke 0x3000 1\n");
  read("poke 0x2000 1\n");
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(reader.errorSeen());
}

class ProcedureNameTest : public ::testing::Test {
 protected:
  std::string find(const std::string& contents) {
    testing::TempFile file(contents);
    name.clear();
    return testing::captureStdout([&] { result = reader.readProcedureName(file.path(), name); });
  }

  Emi23ConfigReader reader{"varda"};
  std::string name;
  int result = -1;
};

TEST_F(ProcedureNameTest, FindsTheNameInAWrittenFile) {
  EXPECT_EQ(find("\n####\n## EMI configuration file \n\nproc configEmi {\n\n  poke 0x00002000   0x0001\n}\n"),
            "");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(name, "configEmi");
  EXPECT_EQ(reader.lineNumber(), 0);
}

TEST_F(ProcedureNameTest, OtherLinesArePassedOver) {
  EXPECT_EQ(find("set a 1\r\nwhile {$a} { poke 1 2 3 4 }\r\n{proc}init{\r\nprocs x\r\n"), "");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(name, "init");
}

TEST_F(ProcedureNameTest, SecondProcedureName) {
  EXPECT_EQ(find("proc a {\n}\n\nproc b {\n}\n"),
            "varda: Error reading configuration file: unexpected second procedure name at line: 4\n");
  EXPECT_EQ(result, 0);
}

TEST_F(ProcedureNameTest, MissingProcedureName) {
  EXPECT_EQ(find("# x\nproc {\n"),
            "varda: Error reading configuration file: missing procedure name at line: 2\n");
  EXPECT_EQ(result, 0);
}

TEST_F(ProcedureNameTest, NoProcLineIsSilent) {
  EXPECT_EQ(find("poke 0x2000 1\n"), "");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(name, "");
}

TEST_F(ProcedureNameTest, MissingFile) {
  std::string text =
      testing::captureStdout([&] { result = reader.readProcedureName("/nonexistent/p.cfg", name); });
  EXPECT_EQ(text, "varda: Error: cannot open read file /nonexistent/p.cfg\n");
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace varda::regmodel
