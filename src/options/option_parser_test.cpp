#include "options/option_parser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "options/recording_table.h"

namespace varda::options {
namespace {

ParserState parser;  // the library state these tests share

using testing::calls;
using testing::kRecordingTable;
using Calls = std::vector<std::string>;
using Args = std::vector<std::string>;

constexpr const char* kEnv = "VARDA_OPTIONS_TEST_ARG";

class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::resetRecorder(); }

  int dispatch(const Args& args, CaseMode mode = CaseMode::kExact) {
    return dispatchArgs(parser, mode, args, kRecordingTable, false);
  }
};

// A value option takes the next argument whatever it looks like, or the text
// joined to its name; the first row in table order wins, so a name that is a
// prefix of another stands after it; "/" starts an option like "-".
TEST_F(DispatchTest, FindingTheRowAndItsValue) {
  EXPECT_EQ(dispatch({"-bank", "2", "-ofile.cfg", "-bank3", "-only", "x", "-o", "-v", "-type", "@file"}), 0);
  EXPECT_EQ(calls, (Calls{"bank(bank,2)", "o(o,file.cfg)", "bank(bank,3)", "only(-,x)", "o(o,-v)",
                          "type(type,@file)"}));
  testing::resetRecorder();
  EXPECT_EQ(dispatch({"-bank3subdecode", "1", "-io", "-bank3subdecodex", "/v", "/bank", "1"}), 0);
  EXPECT_EQ(calls, (Calls{"bank3subdecode(bank3subdecode,1)", "io(io,-)", "bank3subdecode(bank3subdecode,x)",
                          "v(v,-)", "bank(bank,1)"}));
}

// Unknown options, abbreviations, a missing value and text joined to a flag
// go to the invalid-use callback with the whole argument; its kStop (or a
// handler's) ends dispatch at once, anything else skips the argument.
TEST_F(DispatchTest, InvalidUseAndStopping) {
  for (const char* arg : {"-ch", "-chi", "-", "/", "-nosuch", "-ifoo"}) {
    testing::resetRecorder();
    EXPECT_EQ(dispatch({arg, "-v"}), 1) << arg;
    EXPECT_EQ(calls, (Calls{std::string("invalid(") + arg + ",-)"})) << arg;
  }
  testing::resetRecorder();
  EXPECT_EQ(dispatch({"-v", "-bank"}), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "invalid(-bank,-)"}));
  testing::resetRecorder();
  EXPECT_EQ(dispatch({"-stop", "-v"}), 1);
  EXPECT_EQ(calls, (Calls{"stop(stop,-)"}));

  testing::resetRecorder();
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"-nosuch", "-vx", "-i", "-bank"}), 0);
  EXPECT_EQ(calls, (Calls{"invalid(-nosuch,-)", "invalid(-vx,-)", "i(i,-)", "invalid(-bank,-)"}));
}

TEST_F(DispatchTest, BareWordsAndNoArguments) {
  EXPECT_EQ(dispatch({"script.tcl", "@", "", "-v"}), 0);
  EXPECT_EQ(calls, (Calls{"bare(script.tcl,-)", "bare(@,-)", "bare(,-)", "v(v,-)"}));
  testing::resetRecorder();
  EXPECT_EQ(dispatchArgs(parser, CaseMode::kExact, Args{}, kRecordingTable, true), 2);
  EXPECT_EQ(calls, (Calls{"noargs(-,-)"}));
  testing::resetRecorder();
  EXPECT_EQ(dispatchArgs(parser, CaseMode::kExact, Args{}, kRecordingTable, false), 0);
  EXPECT_EQ(dispatchArgs(parser, CaseMode::kExact, Args{"-v"}, kRecordingTable, true), 0);
  EXPECT_EQ(calls, (Calls{"v(v,-)"}));
}

// Mode 2 compares exactly; other modes fold only A to Z, and handlers get the
// row's own spelling of the name.
TEST_F(DispatchTest, CaseModes) {
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"-Chip", "7", "-emi-reqgnt", "1", "-emi-reqGnt", "2"}, CaseMode::kExact), 0);
  EXPECT_EQ(calls, (Calls{"invalid(-Chip,-)", "bare(7,-)", "invalid(-emi-reqgnt,-)", "bare(1,-)",
                          "emi-reqGnt(emi-reqGnt,2)"}));
  EXPECT_TRUE(parser.caseSensitive);
  testing::resetRecorder();
  testing::errorResult = kContinue;
  EXPECT_EQ(dispatch({"-CHIP", "7", "-EMI-REQGNT", "1", "-Bank2", "-x[", "-x{", "-V"}, CaseMode::kFolded), 0);
  EXPECT_EQ(calls, (Calls{"chip(chip,7)", "emi-reqGnt(emi-reqGnt,1)", "bank(bank,2)", "invalid(-x[,-)",
                          "x{(x{,-)", "v(v,-)"}));
  EXPECT_FALSE(parser.caseSensitive);
}

int secondRow(std::optional<std::string>, std::optional<std::string>, Selector) {
  calls.push_back("second");
  return kContinue;
}

// The first special row of a kind counts, rows after the end row do not; a
// missing row or handler stops, except no-arguments and end.
TEST_F(DispatchTest, SpecialRows) {
  // clang-format off
  constexpr OptionRecord firstHasNoHandler[] = {
      {"v", OptionKind::kFlag, "v", testing::recordOption, 7, nullptr},
      {nullptr, OptionKind::kInvalidUse, {}, nullptr, 0, nullptr},
      {nullptr, OptionKind::kInvalidUse, {}, secondRow, 0, nullptr},
      {nullptr, OptionKind::kEnd, {}, nullptr, 0, nullptr},
  };
  // clang-format on
  EXPECT_EQ(dispatchArgs(parser, CaseMode::kExact, Args{"-x", "-v"}, firstHasNoHandler, false), 1);
  EXPECT_TRUE(calls.empty());

  // clang-format off
  constexpr OptionRecord none[] = {
      {"v", OptionKind::kFlag, "v", testing::recordOption, 7, nullptr},
      {nullptr, OptionKind::kEnd, {}, nullptr, 0, nullptr},
      {nullptr, OptionKind::kBareWord, "after end", testing::recordOption, 0, nullptr},
  };
  // clang-format on
  EXPECT_EQ(dispatchArgs(parser, CaseMode::kExact, Args{"word"}, none, false), 1);
  EXPECT_EQ(dispatchArgs(parser, CaseMode::kExact, Args{"-x"}, none, false), 1);
  EXPECT_EQ(parseOptions(parser, CaseMode::kExact, Args{}, nullptr, none), kNothingParsed);
  EXPECT_EQ(parseOptions(parser, CaseMode::kExact, Args{"-v"}, nullptr, none), 0);
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, "\"open", none), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)"}));
}

// All arguments of a string are found before any is dispatched: bad quoting
// reports the text from the opening quote and dispatches nothing, even when
// the callback goes on.
TEST_F(DispatchTest, OptionStrings) {
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, "  -bank 2\t-o \"my file.cfg\" -type\tS\n",
                              kRecordingTable),
            0);
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, "-o \"a\"\"b\" -type x\"y", kRecordingTable), 0);
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, " \t\r\n", kRecordingTable), 0);
  EXPECT_EQ(calls,
            (Calls{"bank(bank,2)", "o(o,my file.cfg)", "type(type,S)", "o(o,a\"b)", "type(type,x\"y)"}));

  testing::resetRecorder();
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, "-v -bank", kRecordingTable), 1);
  EXPECT_EQ(calls, (Calls{"v(v,-)", "invalid(-bank,-)"}));
  testing::resetRecorder();
  testing::errorResult = kContinue;
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, "-v -o \"abc\"x -i", kRecordingTable), 1);
  EXPECT_EQ(parseOptionString(parser, CaseMode::kExact, "-v \"open", kRecordingTable), 1);
  EXPECT_EQ(calls, (Calls{"syntax(\"abc\"x -i,-)", "syntax(\"open,-)"}));
}

// The variable's text before an unquoted "|" (or "\|") is parsed before the
// arguments, the rest after them; only mode 2 splits. The end callback runs
// last, unless there were no arguments and the latest parse of the variable
// found nothing.
TEST_F(DispatchTest, MainEntryWithTheEnvironmentVariable) {
  // clang-format off
  const struct {
    const char* env;  // null: unset
    Args args;
    CaseMode mode;
    int result;
    Calls calls;
  } cases[] = {
      {nullptr, {"-bank", "1", "-v"}, CaseMode::kExact, 0, {"bank(bank,1)", "v(v,-)", "end(-,-)"}},
      {nullptr, {}, CaseMode::kExact, kNothingParsed, {"noargs(-,-)"}},
      {"  \t ", {}, CaseMode::kExact, kNothingParsed, {"noargs(-,-)"}},
      {"| -v", {}, CaseMode::kExact, kNothingParsed, {"noargs(-,-)"}},
      {"-v", {}, CaseMode::kExact, 0, {"v(v,-)", "end(-,-)"}},
      {"-v |", {}, CaseMode::kExact, 0, {"v(v,-)"}},
      {"-chip 7027 | -o out.cfg", {"-bank", "1"}, CaseMode::kExact, 0, {"chip(chip,7027)", "bank(bank,1)", "o(o,out.cfg)", "end(-,-)"}},
      {"-o a.cfg|-v", {"-i"}, CaseMode::kExact, 0, {"o(o,a.cfg)", "i(i,-)", "v(v,-)", "end(-,-)"}},
      {"-o a.cfg\\|-v", {"-i"}, CaseMode::kExact, 0, {"o(o,a.cfg)", "i(i,-)", "v(v,-)", "end(-,-)"}},
      {"-o \"a | b\" -v", {"-i"}, CaseMode::kExact, 0, {"o(o,a | b)", "v(v,-)", "i(i,-)", "end(-,-)"}},
      {"-o a|b", {"-i"}, CaseMode::kFolded, 0, {"o(o,a|b)", "i(i,-)", "end(-,-)"}},
      {"-V", {"-I"}, CaseMode::kFolded, 0, {"v(v,-)", "i(i,-)", "end(-,-)"}},
      {"-V", {"-I"}, CaseMode::kExact, 1, {"invalid(-V,-)"}},
      {"-v \"bad", {"-i"}, CaseMode::kExact, 1, {"syntax(\"bad,-)"}},
      {"-v | -i", {"-nosuch"}, CaseMode::kExact, 1, {"v(v,-)", "invalid(-nosuch,-)"}},
      {"-v | -bank", {"-i"}, CaseMode::kExact, 1, {"v(v,-)", "i(i,-)", "invalid(-bank,-)"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "env " << (c.env ? c.env : "unset") << ", mode " << static_cast<int>(c.mode));
    testing::resetRecorder();
    if (c.env != nullptr) {
      setenv(kEnv, c.env, 1);
    } else {
      unsetenv(kEnv);
    }
    EXPECT_EQ(parseOptions(parser, c.mode, c.args, kEnv, kRecordingTable), c.result);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(parser.caseSensitive, c.mode == CaseMode::kExact);
  }
  unsetenv(kEnv);

  testing::resetRecorder();
  testing::endResult = kStop;
  EXPECT_EQ(parseOptions(parser, CaseMode::kExact, Args{"-v"}, nullptr, kRecordingTable), 1);
}

}  // namespace
}  // namespace varda::options
