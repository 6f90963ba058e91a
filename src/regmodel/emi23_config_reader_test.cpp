#include "regmodel/emi23_config_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "regmodel/test_files.h"

namespace varda::regmodel {
namespace {

constexpr std::uint32_t kUnset = 0xb2d05e00;

std::string error(const char* text) {
  return std::string("varda: Error reading configuration file: ") + text + "\n";
}

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

  // What a failing read of contents prints.
  std::string messageOf(const std::string& contents) {
    clear();
    read(contents);
    EXPECT_FALSE(result) << contents;
    EXPECT_TRUE(reader.errorSeen());
    return output;
  }

  Emi23ConfigReader reader{"varda"};
  std::array<std::uint32_t, 17> registers{};
  std::array<std::uint32_t, 4> extras{};
  bool result = false;
  std::string output;
};

TEST_F(Emi23ReaderTest, WhereEachAddressGoes) {
  const std::string full =
      "proc configEmi {\n"
      "poke 0x2000 0x1\npoke 0x2004 0x2\npoke 0x2008 0x3\npoke 0x200c 0x4\n"
      "poke 0x2010 0x5\npoke 0x2014 0x6\npoke 0x2018 0x7\npoke 0x201c 0x8\n"
      "poke 0x2020 0x9\npoke 0x2024 0xa\npoke 0x2028 0xb\npoke 0x202c 0xc\n"
      "poke 0x2030 0xd\npoke 0x2034 0xe\npoke 0x2038 0xf\npoke 0x203c 0x10\n"
      "poke 0x2060 0x1\n"
      "}\n";
  messageOf("poke 0x3000 1\n");           // an error before: the next read clears it
  for (int pass = 0; pass < 2; ++pass) {  // one reader reads twice
    clear();
    read(full);
    EXPECT_TRUE(result);
    EXPECT_EQ(output, "");
    for (std::uint32_t i = 0; i < 16; ++i) EXPECT_EQ(registers[i], i + 1) << i;
    EXPECT_EQ(registers[16], 1u);
    for (std::uint32_t word : extras) EXPECT_EQ(word, kUnset);
    EXPECT_FALSE(reader.errorSeen());
    EXPECT_EQ(reader.lineNumber(), 0);
  }

  clear();
  read(
      "poke 0x2058 0x22\npoke 0x205c 0x33\npoke 0x2070 0x44\npoke 0x2064 0x1\n"
      "poke 8192 1\npoke 0x00002004 2\npoke 020010 3\npoke 0X200C 0xffff\n");
  EXPECT_TRUE(result);
  EXPECT_EQ(extras, (std::array<std::uint32_t, 4>{0x22, 0x33, 0x44, 0x1}));
  EXPECT_EQ(registers[0], 1u);  // addresses compare as numbers
  EXPECT_EQ(registers[1], 2u);
  EXPECT_EQ(registers[2], 3u);
  EXPECT_EQ(registers[3], 0xffffu);
}

TEST_F(Emi23ReaderTest, ValueForms) {
  read(
      "poke 0x2000 0x12;\npoke 0x2004 0x13;;;\npoke 0x2008 0x14 ;\npoke 0x200c 0x15 ; ;\n"
      "poke 0x2010 65535\npoke 0x2014 0b11\n");
  EXPECT_TRUE(result) << output;
  EXPECT_EQ(registers[0], 0x12u);
  EXPECT_EQ(registers[1], 0x13u);
  EXPECT_EQ(registers[2], 0x14u);
  EXPECT_EQ(registers[3], 0x15u);
  EXPECT_EQ(registers[4], 0xffffu);
  EXPECT_EQ(registers[5], 0u);  // "0b11" reads as 0

  read(
      "\n##############\n   #indented comment\n#poke 0x2000 7\nproc configEmi {\n\t\n"
      "  poke 0x00002018   0x00b2\n}\n{ }\n");
  EXPECT_TRUE(result);
  EXPECT_EQ(registers[6], 0xb2u);

  // Carriage return line feeds, and no line feed at the end.
  read("proc configEmi {\r\n  poke 0x00002020   0x00b2\r\n\r\n}\r\npoke 0x2024 0x5");
  EXPECT_TRUE(result);
  EXPECT_EQ(registers[8], 0xb2u);
  EXPECT_EQ(registers[9], 5u);

  read("");
  EXPECT_TRUE(result);
  EXPECT_EQ(output, "");
}

// Each error line follows two lines (a comment and an empty line) that count.
// The read stops there: the poke on the next line is not stored.
TEST_F(Emi23ReaderTest, EveryStoppingMessageWithItsLineNumber) {
  // clang-format off
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"proc {", "missing procedure name at line: 3"},
      {"peek 0x2000 1", "unrecognized token at line:3"},
      {"Poke 0x2000 1", "unrecognized token at line:3"},
      {"poke", "missing register address at line:3"},
      {"poke 0x2000", "missing register value at line:3"},
      {"poke addr", "missing register value at line:3"},  // value checks come first
      {"poke 0x2000 zz", "not a valid register value at line:3"},
      {"poke addr x", "not a valid register value at line:3"},
      {"poke 0x2000 0x12;a", "not a valid register value at line:3"},
      {"poke 0x2000 0x10000", "not a valid register value at line:3"},
      {"poke 0x2000 -1", "not a valid register value at line:3"},
      {"poke 0x2000 1 2", "extra characters at line: 3"},
      {"poke 0x3000 1", "wrong memory address at line:3"},
      {"poke 0x2068 1", "wrong memory address at line:3"},
      {"poke 0x2002 1", "wrong memory address at line:3"},
      {"poke addr 1", "wrong memory address at line:3"},
      {"poke 0x100002000 1", "wrong memory address at line:3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(messageOf(std::string("# head\n\n") + c.line + "\npoke 0x200c 9\n"), error(c.message));
    EXPECT_EQ(registers[3], kUnset) << c.line;
    EXPECT_EQ(reader.lineNumber(), 0);
  }

  // The value of a line with extra characters is stored before the test.
  EXPECT_EQ(messageOf("poke 0x2000 0x12 ; x\npoke 0x2004 1\n"), error("extra characters at line: 1"));
  EXPECT_EQ(registers[0], 0x12u);
  EXPECT_EQ(registers[1], kUnset);

  // A repeated address is a wrong address; what came before it stays.
  EXPECT_EQ(messageOf("poke 0x2004 1\npoke 0x2000 2\npoke 8196 3\npoke 0x2008 4\n"),
            error("wrong memory address at line:3"));
  EXPECT_EQ(registers[1], 1u);
  EXPECT_EQ(registers[0], 2u);
  EXPECT_EQ(registers[2], kUnset);

  EXPECT_EQ(messageOf("\r\n\r\npoke 0x2000\r\n"), error("missing register value at line:3"));
}
// clang-format on

// A DRAM initialisation value other than 0 or 1 is reported and the read goes
// on (returning 0); the address counts as seen, and the line still gets its
// trailing test.
TEST_F(Emi23ReaderTest, DramInitValueIsReportedAndTheReadGoesOn) {
  EXPECT_EQ(messageOf("poke 0x2060 2\npoke 0x2000 5\n"), error("wrong DRAM init reg value at line: 1"));
  EXPECT_EQ(registers[16], kUnset);
  EXPECT_EQ(registers[0], 5u);
  EXPECT_EQ(messageOf("poke 0x2060 7\npoke 0x2060 1\n"),
            error("wrong DRAM init reg value at line: 1") + error("wrong memory address at line:2"));
  EXPECT_EQ(registers[16], kUnset);
  EXPECT_EQ(messageOf("poke 0x2060 2 x\npoke 0x2000 5\n"),
            error("wrong DRAM init reg value at line: 1") + error("extra characters at line: 1"));
  EXPECT_EQ(registers[0], kUnset);
}

// A line longer than 255 characters is read in pieces, each counted as a line.
TEST_F(Emi23ReaderTest, LongLinesCountAsSeveralLines) {
  // A 300-character comment: its second piece begins with "x", not "#".
  EXPECT_EQ(messageOf("#" + std::string(299, 'x') + "\npoke 0x2000 1\n"),
            error("unrecognized token at line:2"));
  // The value is pushed into the second piece.
  EXPECT_EQ(messageOf("poke 0x2000" + std::string(260, ' ') + "0x1\n"),
            error("missing register value at line:1"));
  // A 255-character line leaves its line feed as an empty second piece.
  EXPECT_EQ(messageOf("#" + std::string(254, 'x') + "\n\npoke\n"),
            error("missing register address at line:4"));
  read("#" + std::string(253, 'x') + "\npoke\n");
  EXPECT_EQ(output, error("missing register address at line:2"));
}

TEST_F(Emi23ReaderTest, MissingFile) {
  output = testing::captureStdout(
      [&] { result = reader.readPokeFile(registers, extras, "/nonexistent/dir/file.cfg"); });
  EXPECT_FALSE(result);
  EXPECT_EQ(output, "varda: Error: cannot open read file\n");
  EXPECT_TRUE(reader.errorSeen());
}

TEST(ProcedureName, FindsTheOneProcLine) {
  Emi23ConfigReader reader{"varda"};
  const auto find = [&](const std::string& contents, std::string& name, bool& result) {
    testing::TempFile file(contents);
    name.clear();
    return testing::captureStdout([&] { result = reader.readProcedureName(file.path(), name); });
  };
  std::string name;
  bool result = false;
  EXPECT_EQ(find("\n####\n## EMI configuration file \n\nproc configEmi {\n\n  poke 0x00002000   0x0001\n}\n",
                 name, result),
            "");
  EXPECT_TRUE(result);
  EXPECT_EQ(name, "configEmi");
  EXPECT_EQ(reader.lineNumber(), 0);

  // Only lines whose first token is "proc" matter.
  EXPECT_EQ(find("set a 1\r\nwhile {$a} { poke 1 2 3 4 }\r\n{proc}init{\r\nprocs x\r\n", name, result), "");
  EXPECT_TRUE(result);
  EXPECT_EQ(name, "init");

  EXPECT_EQ(find("poke 0x2000 1\n", name, result), "");
  EXPECT_FALSE(result);
  EXPECT_EQ(name, "");

  EXPECT_EQ(find("proc a {\n}\n\nproc b {\n}\n", name, result),
            error("unexpected second procedure name at line: 4"));
  EXPECT_FALSE(result);
  EXPECT_EQ(find("# x\nproc {\n", name, result), error("missing procedure name at line: 2"));
  EXPECT_FALSE(result);

  EXPECT_EQ(testing::captureStdout([&] { result = reader.readProcedureName("/nonexistent/p.cfg", name); }),
            "varda: Error: cannot open read file /nonexistent/p.cfg\n");
  EXPECT_FALSE(result);
}

}  // namespace
}  // namespace varda::regmodel
