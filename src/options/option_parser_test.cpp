#include "options/option_parser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "options/recording_table.h"

namespace varda::options {
namespace {

using testing::calls;
using testing::kRecordingTable;
using Calls = std::vector<std::string>;
using Args = std::vector<std::string>;

constexpr const char* kEnv = "VARDA_OPTIONS_TEST_ARG";

class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::resetRecorder(); }

  int dispatch(const Args& args, int mode = 2) { return dispatchArgs(mode, args, kRecordingTable, false); }
};

TEST_F(DispatchTest, ValueOptionsTakeTheNextArgumentOrTheJoinedText) {
  EXPECT_EQ(dispatch({"-bank", "2", "-ofile.cfg", "-bank3", "-only", "x", "-type", "S"}), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,2)", "o(o,file.cfg)", "bank(bank,3)", "only(-,x)", "type(type,S)"}));
}

TEST_F(DispatchTest, FirstRowInTableOrderWins) {
  // bank3subdecode stands before bank, io before i.
  EXPECT_EQ(dispatch({"-bank3subdecode", "1", "-io", "-bank3subdecodex"}), 0);
  EXPECT_EQ(calls, (Calls{"bank3subdecode(bank3subdecode,1)", "io(io,-)", "bank3subdecode(bank3subdecode,x)"}));
}

TEST_F(DispatchTest, NextArgumentIsTheValueWhateverItLooksLike) {
  EXPECT_EQ(dispatch({"-o", "-v", "-type", "@file"}), 0);
  EXPECT_EQ(calls, (Calls{"o(o,-v)", "type(type,@file)"}));
}

TEST_F(DispatchTest, SlashStartsAnOptionToo) {
  EXPECT_EQ(dispatch({"/v", "/bank", "1"}), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "bank(bank,1)"}));
}

TEST_F(DispatchTest, MissingValueIsInvalidUseAndStops) {
  EXPECT_EQ(dispatch({"-v", "-bank"}), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "invalid(-bank,-)"}));
}

TEST_F(DispatchTest, TextJoinedToAFlagIsInvalidUse) {
  EXPECT_EQ(dispatch({"-ifoo", "-v"}), 1);
  EXPECT_EQ(calls, (Calls{"invalid(-ifoo,-)"}));
}

TEST_F(DispatchTest, UnknownOptionsAndAbbreviationsAreInvalidUse) {
  for (const char* arg : {"-ch", "-chi", "-", "/", "-nosuch"}) {
    testing::resetRecorder();
    EXPECT_EQ(dispatch({arg, "-v"}), 1) << arg;
    EXPECT_EQ(calls, (Calls{std::string("invalid(") + arg + ",-)"})) << arg;
  }
}

TEST_F(DispatchTest, ACallbackThatGoesOnSkipsTheArgument) {
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"-nosuch", "-vx", "-i", "-bank"}), 0);
  EXPECT_EQ(calls, (Calls{"invalid(-nosuch,-)", "invalid(-vx,-)", "i(i,-)", "invalid(-bank,-)"}));
}

TEST_F(DispatchTest, HandlerThatStopsEndsDispatchAtOnce) {
  EXPECT_EQ(dispatch({"-stop", "-v"}), 1);
  EXPECT_EQ(calls, (Calls{"stop(stop,-)"}));
}

TEST_F(DispatchTest, BareWordsGoToTheBareWordRowWithItsSelector) {
  EXPECT_EQ(dispatch({"script.tcl", "@", "", "-v"}), 0);
  EXPECT_EQ(calls, (Calls{"bare(script.tcl,-)", "bare(@,-)", "bare(,-)", "v(v,-)"}));
}

TEST_F(DispatchTest, CheckEmptyCallsNoArgumentsOnlyWhenThereAreNone) {
  EXPECT_EQ(dispatchArgs(2, Args{}, kRecordingTable, true), 2);
  EXPECT_EQ(calls, (Calls{"noargs(-,-)"}));
  testing::resetRecorder();
  EXPECT_EQ(dispatchArgs(2, Args{}, kRecordingTable, false), 0);
  EXPECT_EQ(dispatchArgs(2, Args{"-v"}, kRecordingTable, true), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)"}));
}

TEST_F(DispatchTest, CaseSensitiveModeComparesExactly) {
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"-Chip", "7", "-emi-reqgnt", "1", "-emi-reqGnt", "2"}, 2), 0);
  EXPECT_EQ(calls, (Calls{"invalid(-Chip,-)", "bare(7,-)", "invalid(-emi-reqgnt,-)", "bare(1,-)",
                          "emi-reqGnt(emi-reqGnt,2)"}));
  EXPECT_TRUE(caseSensitive);
}

TEST_F(DispatchTest, OtherModesFoldOnlyAToZ) {
  testing::errorResult = kContinue;
  // Handlers get the row's own spelling of the name.
  EXPECT_EQ(dispatch({"-CHIP", "7", "-EMI-REQGNT", "1", "-Bank2", "-x[", "-x{"}, 0), 0);
  EXPECT_EQ(calls, (Calls{"chip(chip,7)", "emi-reqGnt(emi-reqGnt,1)", "bank(bank,2)", "invalid(-x[,-)", "x{(x{,-)"}));
  EXPECT_FALSE(caseSensitive);
  testing::resetRecorder();
  EXPECT_EQ(dispatch({"-V"}, 1), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)"}));
}

// Special rows: the first of a kind counts; missing rows stop, except
// no-arguments and end.
int countCalls(std::optional<std::string>, std::optional<std::string>, const void*) {
  calls.push_back("second");
  return kContinue;
}

TEST_F(DispatchTest, OnlyTheFirstSpecialRowOfAKindIsAsked) {
  constexpr OptionRecord table[] = {
      {"v", OptionKind::Flag, "v", testing::recordOption, 7, nullptr},
      {nullptr, OptionKind::InvalidUse, nullptr, nullptr, 0, nullptr},
      {nullptr, OptionKind::InvalidUse, nullptr, countCalls, 0, nullptr},
      {nullptr, OptionKind::End, nullptr, nullptr, 0, nullptr},
  };
  EXPECT_EQ(dispatchArgs(2, Args{"-x", "-v"}, table, false), 1);
  EXPECT_TRUE(calls.empty());
}

TEST_F(DispatchTest, TableWithoutSpecialRows) {
  constexpr OptionRecord table[] = {
      {"v", OptionKind::Flag, "v", testing::recordOption, 7, nullptr},
      {nullptr, OptionKind::End, nullptr, nullptr, 0, nullptr},
      {nullptr, OptionKind::BareWord, "after end", testing::recordOption, 0, nullptr},
  };
  EXPECT_EQ(dispatchArgs(2, Args{"word"}, table, false), 1);  // rows after the end row do not count
  EXPECT_EQ(dispatchArgs(2, Args{"-x"}, table, false), 1);
  EXPECT_EQ(parseOptions(2, Args{}, nullptr, table), kNothingParsed);
  EXPECT_EQ(parseOptions(2, Args{"-v"}, nullptr, table), 0);
  EXPECT_EQ(parseOptionString(2, "\"open", table), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)"}));
}

class OptionStringTest : public DispatchTest {};

TEST_F(OptionStringTest, SplitsAndDispatches) {
  EXPECT_EQ(parseOptionString(2, "  -bank 2\t-o \"my file.cfg\" -type\tS\n", kRecordingTable), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,2)", "o(o,my file.cfg)", "type(type,S)"}));
}

TEST_F(OptionStringTest, EmptyOrBlankTextDispatchesNothing) {
  EXPECT_EQ(parseOptionString(2, "", kRecordingTable), 0);
  EXPECT_EQ(parseOptionString(2, " \t\r\n", kRecordingTable), 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(OptionStringTest, QuotingRulesReachTheHandler) {
  EXPECT_EQ(parseOptionString(2, "-o \"a\"\"b\" -type x\"y", kRecordingTable), 0);
  EXPECT_EQ(calls, (Calls{"o(o,a\"b)", "type(type,x\"y)"}));
}

TEST_F(OptionStringTest, SyntaxErrorReportsFromTheQuoteAndDispatchesNothing) {
  testing::errorResult = kContinue;  // even a callback that goes on fails the string
  EXPECT_EQ(parseOptionString(2, "-v -o \"abc\"x -i", kRecordingTable), 1);
  EXPECT_EQ(calls, (Calls{"syntax(\"abc\"x -i,-)"}));
  testing::resetRecorder();
  EXPECT_EQ(parseOptionString(2, "-v \"open", kRecordingTable), 1);
  EXPECT_EQ(calls, (Calls{"syntax(\"open,-)"}));
}

TEST_F(OptionStringTest, DispatchErrorGivesOne) {
  EXPECT_EQ(parseOptionString(2, "-v -bank", kRecordingTable), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "invalid(-bank,-)"}));
}

class ParseOptionsTest : public DispatchTest {
 protected:
  void SetUp() override {
    DispatchTest::SetUp();
    unsetenv(kEnv);
  }
  void TearDown() override { unsetenv(kEnv); }

  int parse(const Args& args, int mode = 2) { return parseOptions(mode, args, kEnv, kRecordingTable); }
  static void setEnv(const char* text) { setenv(kEnv, text, 1); }
};

TEST_F(ParseOptionsTest, ArgumentsThenEndCallback) {
  EXPECT_EQ(parse({"-bank", "1", "-v"}), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,1)", "v(v,-)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, EndCallbackThatStopsGivesOne) {
  testing::endResult = kStop;
  EXPECT_EQ(parse({"-v"}), 1);
}

TEST_F(ParseOptionsTest, NothingToParse) {
  EXPECT_EQ(parse({}), kNothingParsed);
  EXPECT_EQ(calls, (Calls{"noargs(-,-)"}));
  testing::resetRecorder();
  setEnv("");
  EXPECT_EQ(parse({}), kNothingParsed);
  testing::resetRecorder();
  setEnv("  \t ");
  EXPECT_EQ(parse({}), kNothingParsed);
  EXPECT_EQ(calls, (Calls{"noargs(-,-)"}));
  EXPECT_EQ(parseOptions(2, Args{}, nullptr, kRecordingTable), kNothingParsed);
}

TEST_F(ParseOptionsTest, EnvironmentAloneIsEnough) {
  setEnv("-v");
  EXPECT_EQ(parse({}), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, HeadBeforeArgumentsTailAfter) {
  setEnv("-chip 7027 | -o out.cfg");
  EXPECT_EQ(parse({"-bank", "1"}), 0);
  EXPECT_EQ(calls, (Calls{"chip(chip,7027)", "bank(bank,1)", "o(o,out.cfg)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, SeparatorNeedsNoSpaces) {
  setEnv("-o a.cfg|-v");
  EXPECT_EQ(parse({"-i"}), 0);
  EXPECT_EQ(calls, (Calls{"o(o,a.cfg)", "i(i,-)", "v(v,-)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, EscapedSeparatorLosesItsBackslash) {
  setEnv("-o a.cfg\\|-v");
  EXPECT_EQ(parse({"-i"}), 0);
  EXPECT_EQ(calls, (Calls{"o(o,a.cfg)", "i(i,-)", "v(v,-)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, QuotedBarDoesNotSplit) {
  setEnv("-o \"a | b\" -v");
  EXPECT_EQ(parse({"-i"}), 0);
  EXPECT_EQ(calls, (Calls{"o(o,a | b)", "v(v,-)", "i(i,-)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, OnlyModeTwoSplits) {
  setEnv("-o a|b");
  EXPECT_EQ(parse({"-i"}, 0), 0);
  EXPECT_EQ(calls, (Calls{"o(o,a|b)", "i(i,-)", "end(-,-)"}));
}

TEST_F(ParseOptionsTest, ErrorInHeadStopsBeforeArguments) {
  setEnv("-v \"bad");
  EXPECT_EQ(parse({"-i"}), 1);
  EXPECT_EQ(calls, (Calls{"syntax(\"bad,-)"}));
}

TEST_F(ParseOptionsTest, ErrorInArgumentsSkipsTheTail) {
  setEnv("-v | -i");
  EXPECT_EQ(parse({"-nosuch"}), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "invalid(-nosuch,-)"}));
}

TEST_F(ParseOptionsTest, ErrorInTailSkipsTheEndCallback) {
  setEnv("-v | -bank");
  EXPECT_EQ(parse({"-i"}), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "i(i,-)", "invalid(-bank,-)"}));
}

TEST_F(ParseOptionsTest, HeadWithoutOptionsStillAsksForArguments) {
  setEnv("| -v");
  EXPECT_EQ(parse({}), kNothingParsed);
  EXPECT_EQ(calls, (Calls{"noargs(-,-)"}));
}

TEST_F(ParseOptionsTest, EmptyTailWithoutArgumentsSkipsTheEndCallback) {
  // The latest parse of the variable (its tail) found nothing and there were
  // no arguments: the run ends quietly.
  setEnv("-v |");
  EXPECT_EQ(parse({}), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)"}));
}

TEST_F(ParseOptionsTest, EntrySetsCaseMode) {
  setEnv("-V");
  EXPECT_EQ(parse({"-I"}, 0), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "i(i,-)", "end(-,-)"}));
  EXPECT_FALSE(caseSensitive);
  EXPECT_EQ(parse({"-I"}, 2), 1);
  EXPECT_TRUE(caseSensitive);
}

}  // namespace
}  // namespace varda::options
