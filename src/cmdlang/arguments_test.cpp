#include "cmdlang/arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdlang/command_test_util.h"

namespace varda::cmdlang {
namespace {

using testing::arg;
using testing::callCommand;
using testing::probeBody;

class ArgumentsTest : public ::testing::Test {
 protected:
  ArgumentsTest() { testing::registerProbe(t); }
  testing::CommandRun probe(std::initializer_list<Value> args) { return callCommand(t, "probe", args); }
  testing::TestInterp t;
};

TEST_F(ArgumentsTest, ConversionsAreKept) {
  std::vector<Type> after;
  probeBody() = [&](Interp& in) {
    EXPECT_EQ(in.argumentcount(), 2);
    EXPECT_EQ(in.argumentstring(1), "-5");
    EXPECT_EQ(in.argumentint(2), 16);
    after = {in.argumentvalue(1).type(), in.argumentvalue(2).type()};
    in.setresultstring("done");
  };
  const testing::CommandRun r = probe({arg(-5), arg(" 0x10 ")});
  ASSERT_TRUE(r.ok) << r.report;
  EXPECT_EQ(after, (std::vector<Type>{Type::Text, Type::Int}));
  ASSERT_TRUE(r.hasResult);
  EXPECT_EQ(r.result.textView(), "done");
}

TEST_F(ArgumentsTest, ContractErrors) {
  probeBody() = [](Interp& in) { in.argumentint(1); };
  EXPECT_EQ(probe({arg("12z")}).report, "probe error-expected integer\n");
  probeBody() = [](Interp& in) { in.argumentstring(2); };
  EXPECT_EQ(probe({arg("x")}).report, "probe error-argument(s) needed\n");
  probeBody() = [](Interp& in) { in.setresultint(in.argumentcount()); };
  const testing::CommandRun none = probe({});
  ASSERT_TRUE(none.hasResult);
  EXPECT_EQ(none.result.asInt(), 0);
}

TEST_F(ArgumentsTest, NoResultUnlessSet) {
  probeBody() = [](Interp&) {};
  const testing::CommandRun r = probe({arg(1)});
  EXPECT_TRUE(r.ok);
  EXPECT_FALSE(r.hasResult);
}

/// An argument list like clerror's: no argument or one text; -i/-ignore and
/// -s/-stop flags.
struct FlagMatch {
  int form = -1;
  std::string text;
  std::int32_t ignore = 7;  // cleared by matching
  std::int32_t stop = 7;
};

TEST_F(ArgumentsTest, OptionsWhereverTheyStandAndFormsByCount) {
  FlagMatch m;
  probeBody() = [&](Interp& in) {
    const ArgItem one[] = {ArgItem::string(&m.text)};
    const ArgForm forms[] = {ArgForm{}, ArgForm{one}};
    const ArgOption options[] = {{"i", &m.ignore}, {"ignore", &m.ignore}, {"s", &m.stop}, {"stop", &m.stop}};
    m.form = matcharguments(in, forms, options);
  };
  ASSERT_TRUE(probe({arg("-ignore")}).ok);
  EXPECT_EQ(m.form, 0);
  EXPECT_EQ(m.ignore, 1);
  EXPECT_EQ(m.stop, 0);
  ASSERT_TRUE(probe({arg("-s"), arg("oops"), arg("-i")}).ok);
  EXPECT_EQ(m.form, 1);
  EXPECT_EQ(m.text, "oops");
  EXPECT_EQ(m.ignore, 1);
  EXPECT_EQ(m.stop, 1);
  // "-ign" names no option: it is an ordinary argument.
  ASSERT_TRUE(probe({arg("-ign")}).ok);
  EXPECT_EQ(m.text, "-ign");
  EXPECT_EQ(probe({arg("a"), arg("b")}).report,
            "probe error-invalid command incorrect number of arguments\n");
}

TEST_F(ArgumentsTest, FirstFormWhoseItemsConvert) {
  int form = -1;
  std::int32_t n = 0;
  std::string text;
  probeBody() = [&](Interp& in) {
    const ArgItem number[] = {ArgItem::integer(&n)};
    const ArgItem word[] = {ArgItem::string(&text)};
    const ArgForm forms[] = {ArgForm{number}, ArgForm{word}};
    form = matcharguments(in, forms);
  };
  ASSERT_TRUE(probe({arg("0b101")}).ok);
  EXPECT_EQ(form, 0);
  EXPECT_EQ(n, 5);
  ASSERT_TRUE(probe({arg("five")}).ok);
  EXPECT_EQ(form, 1);
  EXPECT_EQ(text, "five");
}

TEST_F(ArgumentsTest, OptionValuesAndRest) {
  std::int32_t width = 0;
  std::int32_t hasWidth = 0;
  std::int32_t hasRest = 0;
  std::string name;
  std::string rest;
  std::string tail;
  int form = -1;
  probeBody() = [&](Interp& in) {
    const ArgItem one[] = {ArgItem::string(&name)};
    const ArgItem many[] = {ArgItem::string(&name), ArgItem::rest(&tail)};
    const ArgForm forms[] = {ArgForm{one}, ArgForm{many}};
    const ArgOption options[] = {
        {"w", &hasWidth, ArgKind::Integer, ArgItem::integer(&width)},
        {"-", &hasRest, ArgKind::Rest, ArgItem::rest(&rest)},
    };
    form = matcharguments(in, forms, options);
  };
  // The kind-4 option goes first: "-w" after it is part of its text.
  ASSERT_TRUE(probe({arg("x"), arg("-w"), arg("0x10"), arg("--"), arg("-w"), arg(3)}).ok);
  EXPECT_EQ(form, 0);
  EXPECT_EQ(name, "x");
  EXPECT_EQ(width, 16);
  EXPECT_EQ(hasWidth, 1);
  EXPECT_EQ(rest, "-w 3");
  EXPECT_EQ(hasRest, 1);
  ASSERT_TRUE(probe({arg("a"), arg("b"), arg(2), arg("c")}).ok);
  EXPECT_EQ(form, 1);
  EXPECT_EQ(tail, "b 2 c");
  EXPECT_EQ(hasWidth, 0);
  EXPECT_EQ(probe({arg("x"), arg("-w"), arg("wide")}).report, "probe error-invalid number\n");
  EXPECT_EQ(probe({arg("x"), arg("-w")}).report, "probe error-argument(s) needed\n");
}

TEST_F(ArgumentsTest, MatchOptionsCallsBackAfterTheValue) {
  struct Seen {
    std::vector<std::string> names;
    std::vector<std::int32_t> values;
  };
  static Seen seen;
  seen = {};
  std::int32_t value = 0;
  probeBody() = [&](Interp& in) {
    const ArgForm forms[] = {ArgForm{}};
    const OptionCallback note = [](Interp&, const ArgOption& o) {
      seen.names.emplace_back(o.name);
      seen.values.push_back(*o.value.number);
    };
    const ArgOption options[] = {
        {"cas", nullptr, ArgKind::Integer, ArgItem::integer(&value), note},
        {"ras", nullptr, ArgKind::Integer, ArgItem::integer(&value), note},
    };
    matchoptions(in, forms, options);
  };
  ASSERT_TRUE(probe({arg("-ras"), arg(2), arg("-cas"), arg("3")}).ok);
  EXPECT_EQ(seen.names, (std::vector<std::string>{"ras", "cas"}));
  EXPECT_EQ(seen.values, (std::vector<std::int32_t>{2, 3}));
}

}  // namespace
}  // namespace varda::cmdlang
