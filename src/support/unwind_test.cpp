#include "support/unwind.h"

#include <gtest/gtest.h>

#include <string>

namespace varda::support {
namespace {

std::string lastFatal;
void recordFatal(const char* message) { lastFatal = message; }

struct FatalRecorder {
  FatalHook previous = setFatalHook(recordFatal);
  FatalRecorder() { lastFatal.clear(); }
  ~FatalRecorder() { setFatalHook(previous); }
};

TEST(UnwindTest, InnerHandlerSeesTheCodeAndPassesItToTheOuter) {
  int inner = 0;
  int outer = 0;
  try {
    HandlerScope o;
    try {
      HandlerScope i;
      EXPECT_EQ(handlerCount(), 2);
      raise(kInterpreterError);
    } catch (const Raised& r) {
      inner = r.code;
      EXPECT_EQ(handlerCount(), 1);  // the inner handler is already removed
      throw;
    }
  } catch (const Raised& r) {
    outer = r.code;
  }
  EXPECT_EQ(inner, kInterpreterError);
  EXPECT_EQ(outer, kInterpreterError);
  EXPECT_EQ(handlerCount(), 0);
}

void nest(int levels) {
  HandlerScope h;
  if (levels > 1) nest(levels - 1);
}

TEST(UnwindTest, TheInstallAfter1024ReportsDepthExceeded) {
  FatalRecorder recorder;
  nest(1024);
  EXPECT_EQ(lastFatal, "");
  nest(1025);
  EXPECT_EQ(lastFatal, "Exception Depth exceeded\n");
  EXPECT_EQ(handlerCount(), 0);
}

TEST(UnwindTest, RaisingWithNoHandlerAndRunningOutOfMemoryAreFatal) {
  FatalRecorder recorder;
  EXPECT_THROW(raise(7), Raised);
  EXPECT_EQ(lastFatal, "No exception handler installed\n");
  EXPECT_THROW(outOfMemory(), std::bad_alloc);
  EXPECT_EQ(lastFatal, "ran out of memory");
}

TEST(UnwindTest, FatalWithoutHookPrintsAndAborts) {
  EXPECT_DEATH(fatal("%s", "ran out of memory"), "^ran out of memory\n$");
}

}  // namespace
}  // namespace varda::support
