#include "front/command_bridge.h"

#include <gtest/gtest.h>

#include <string>

#include "blocks/item_tags.h"
#include "blocks/register_image.h"
#include "front/option_run_test_util.h"
#include "front/run_state.h"

namespace varda::front {
namespace {

class CommandBridgeTest : public testing::OptionRunTest {
 protected:
  /// Runs `text` in the run's interpreter; returns standard output.
  static std::string statement(const std::string& text, bool expectOk = true) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(tryStatement(text), expectOk) << text;
    return ::testing::internal::GetCapturedStdout();
  }
};

TEST_F(CommandBridgeTest, StartUpDefinesTheHelpAndKindVariables) {
  cmdlang::Interp& in = interpreter();
  const std::pair<const char*, int> expected[] = {
      {"help_all", 7}, {"help_long_and_ext", 6}, {"help_extended", 4}, {"no_args", 2}, {"args", 3}};
  for (const auto& [name, value] : expected) {
    const cmdlang::Variable* v = in.globals.find(name);
    ASSERT_NE(v, nullptr) << name;
    EXPECT_EQ(v->intValue, value) << name;
  }
  EXPECT_EQ(in.commands.find("emi")->help, "vardacc options\n");
  EXPECT_EQ(in.commands.find("poke")->help, "handle poke command\n");
}

// Numbers reach the option line in the option's own base: a hexadecimal
// option written in decimal would be read as another number.
TEST_F(CommandBridgeTest, EmiRewritesNumbersInEachOptionsBase) {
  EXPECT_EQ(statement("emi -chip 7027 -lock 20 -gencfg 31\n"), "");
  EXPECT_EQ(settings().lockedBanks, 20u);  // banks 2 and 4
  EXPECT_EQ(word(blocks::image_word::kEmi4Gencfg) & 0x1f, 0x1fu);
  resetRunState();
  EXPECT_EQ(statement("emi -chip 7021 -bank 2 -type P -accesstimeread 5\n"), "");
  EXPECT_EQ(settings().currentBank, 2);
  EXPECT_EQ(item(2, blocks::tag::kAccessTimeRead), 5u);
}

TEST_F(CommandBridgeTest, EmiRefusesOptionsMeantForTheCommandLine) {
  EXPECT_EQ(statement("emi -i -p name -bank 1\n"),
            "option not supported in command file\noption not supported in command file\n");
  EXPECT_EQ(settings().currentBank, 1);
  EXPECT_FALSE(settings().interactive);
  // The result of the last option line, also when a call has none of its own.
  cmdlang::Interp& in = interpreter();
  ASSERT_TRUE(in.parseandexecute("r = emi -i\n"));
  EXPECT_EQ(in.globals.find("r")->intValue, settings().lastParseResult);
}

TEST_F(CommandBridgeTest, PokeWritesToTheSinkOnlyWhileOneIsSet) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(statement("poke 0x2000 5\n"), "");
  setPokeSink(sink);
  EXPECT_EQ(statement("poke -device 0x2004 0x1f\npoke 16 -d 0xffffffff\n"), "");
  setPokeSink(nullptr);
  std::rewind(sink);
  char buffer[128] = {};
  const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, sink);
  std::fclose(sink);
  EXPECT_EQ(std::string(buffer, n), "poke 0x2004 0x1f\npoke 0x10 0xffffffff\n");
  EXPECT_EQ(statement("poke 1\n", false), "varda: Error: invalid command incorrect number of arguments\n");
}

}  // namespace
}  // namespace varda::front
