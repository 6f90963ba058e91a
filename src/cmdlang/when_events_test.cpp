#include "cmdlang/when_events.h"

#include <gtest/gtest.h>

#include <string>

#include "cmdlang/interp.h"
#include "cmdlang/scope.h"
#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

using testing::ScriptRun;
using testing::TestInterp;

/// Runs `script` on `t` (a line feed appended) and returns what it printed.
std::string out(TestInterp& t, const std::string& script) {
  const ScriptRun r = t.run(script + "\n");
  EXPECT_TRUE(r.ok) << script << "\n" << r.report;
  return r.output;
}

TEST(WhenEventsTest, NumberedFromZeroAndMatchedByEvent) {
  TestInterp t;
  EXPECT_EQ(out(t, "proc p { w = when (3) { write fired } }\np\nwrite (w)"), "0\n");
  EXPECT_EQ(out(t, "event 3"), "fired\n");
  EXPECT_EQ(out(t, "event 4"), "");
  EXPECT_EQ(out(t, "x = when (1 + 1) { write two }\nwrite (x)"), "1\n");
  EXPECT_EQ(out(t, "forcewhen 2"), "two\n");
  // Event -1 fires every record.
  EXPECT_EQ(out(t, "event (-1)"), "fired\ntwo\n");
}

TEST(WhenEventsTest, AnyEventRecordsAndOldestFirst) {
  TestInterp t;
  out(t, "when (5) { write first }\nwhen () { write any }\nwhen (5) { write third }");
  EXPECT_EQ(out(t, "event 5"), "first\nany\nthird\n");
  EXPECT_EQ(out(t, "event 77"), "any\n");
  EXPECT_EQ(t.run("event\n").report, "event error-argument(s) needed\n");
  EXPECT_EQ(t.run("event five\n").report, "event error-argument(s) needed\n");
  EXPECT_EQ(t.run("forcewhen 1 2\n").report, "forcewhen error-argument(s) needed\n");
}

TEST(WhenEventsTest, BodiesKeepTheirOwnTables) {
  TestInterp t;
  // Declared variables live in the record's table and keep their values.
  out(t, "when (1) n = 10 { n++; write (n) }");
  EXPECT_EQ(out(t, "event 1\nevent 1"), "11\n12\n");
  EXPECT_EQ(t.in.globals.find("n"), nullptr);
  // The creator's locals are copied: they outlive the procedure's call.
  out(t, "proc p a { a = $1 + \"!\"; when (2) { write (a) ($1) } }\np hello");
  EXPECT_EQ(out(t, "event 2"), "hello! hello\n");
  EXPECT_EQ(t.in.globals.find("a"), nullptr);
}

TEST(WhenEventsTest, RecordsCreatedWhileSignallingWaitForTheNextSignal) {
  TestInterp t;
  out(t, "when (1) { write outer; when (1) { write inner } }");
  EXPECT_EQ(out(t, "event 1"), "outer\n");
  EXPECT_EQ(out(t, "event 1"), "outer\ninner\n");
}

TEST(WhenEventsTest, RemoveInsideTakesEffectAfterTheBody) {
  TestInterp t;
  out(t, "when (1) { remove; write once }\nwhen (1) { write always }");
  EXPECT_EQ(out(t, "event 1"), "once\nalways\n");
  EXPECT_EQ(out(t, "event 1"), "always\n");
  EXPECT_EQ(t.in.whens->records.size(), 1U);
  EXPECT_EQ(t.run("remove\n").report, "remove error-argument(s) needed\n");
}

TEST(WhenEventsTest, RemoveByNumber) {
  TestInterp t;
  out(t, "a = when (1) { write a }\nb = when (1) { write b }");
  EXPECT_EQ(out(t, "remove (b)"), "when 1 removed\n");
  EXPECT_EQ(out(t, "event 1"), "a\n");
  EXPECT_EQ(out(t, "remove 7"), "");  // no such record: nothing happens
  // A running record cannot be removed by its number.
  out(t, "c = when (2) { remove (c); write unreached }");
  EXPECT_EQ(out(t, "event 2"), "executing when 2 remove error-invalid command when is active\n");
  EXPECT_EQ(out(t, "remove (c)"), "when 2 removed\n");
  EXPECT_TRUE(t.in.whens->active.empty());
}

TEST(WhenEventsTest, ErrorsEndOnlyTheirFiring) {
  TestInterp t;
  out(t, "when (1) { x = 1 / 0 }\nwhen (1) { write still }\nwhen (1) { y = z }");
  const ScriptRun r = t.run("event 1\nwrite after\n");
  ASSERT_TRUE(r.ok) << r.report;
  // One report, of the last failure, after every record fired.
  EXPECT_EQ(r.output,
            "still\nexecuting when 1 event error-Reference to an uninitialised variable \"z\"\nafter\n");
  EXPECT_TRUE(t.in.whens->active.empty());
  EXPECT_EQ(t.in.whens->records.front()->active, 0);
  EXPECT_FALSE(hasLocalScope(t.in));
}

TEST(WhenEventsTest, ErrorsInTheConditionOrParametersCreateNoRecord) {
  TestInterp t;
  EXPECT_EQ(t.run("when (q) { write x }\n").report, "error-Reference to an uninitialised variable \"q\"\n");
  EXPECT_EQ(t.run("when (1) k = 1 / 0 { write x }\n").report, "error-division by zero\n");
  EXPECT_TRUE(t.in.whens->records.empty());
  EXPECT_FALSE(hasLocalScope(t.in));
  // The counter only moves for records made.
  EXPECT_EQ(t.run("w = when (1) { }\n").result, 0);
}

}  // namespace
}  // namespace varda::cmdlang
