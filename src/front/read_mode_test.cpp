#include "front/read_mode.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "front/option_run_test_util.h"
#include "front/read_back_state.h"
#include "front/read_test_util.h"
#include "front/run_state.h"

namespace varda::front {
namespace {

using testing::fileText;
using testing::writeFile;

constexpr std::uint32_t kUnset = ReadBackState::kUnset;

/// What the fake interpreter was asked to run, and the pokes it performs.
struct RunnerLog {
  std::string readFile;
  std::string procName;
  std::string sinkPath;
  std::string pokes;
};
RunnerLog gLog;

bool fakeRunner(std::FILE* sink, const std::string& readFile, const std::string& procName) {
  gLog.readFile = readFile;
  gLog.procName = procName;
  gLog.sinkPath = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(::fileno(sink))).string();
  std::fputs(gLog.pokes.c_str(), sink);
  return true;
}

class ReadMode : public testing::OptionRunTest {
 protected:
  void SetUp() override {
    OptionRunTest::SetUp();
    gLog = {};
    setReadFileRunner(fakeRunner);
  }
  void TearDown() override {
    setReadFileRunner(nullptr);
    std::remove(file_.c_str());
    OptionRunTest::TearDown();
  }

  /// Decodes `text` as a poke file into `state`; returns what was printed.
  std::string decode(ReadBackState& state, const std::string& text, bool expected = true) {
    writeFile(file_, text);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(state.decodePokes(file_), expected);
    return ::testing::internal::GetCapturedStdout();
  }

  // Named after the process: test processes may run side by side.
  const std::string file_ = ::testing::TempDir() + "read_mode_test_" + std::to_string(::getpid()) + ".cfg";
};

TEST_F(ReadMode, DecodeFillsTheEmi23WordsAndMarksTheRestUnset) {
  ReadBackState state;
  EXPECT_EQ(decode(state, "proc p {\npoke 0x2000 0x1\npoke 0x2060 1\npoke 0x2058 0x22\npoke 0x2064 5\n}\n"),
            "");
  EXPECT_EQ(state.bankWords[0], 1u);
  EXPECT_EQ(state.bankWords[1], kUnset);
  EXPECT_EQ(state.bankWords[16], 1u);
  EXPECT_EQ(state.chipWords[chip_word::kEmi23Mode], 0x22u);
  EXPECT_EQ(state.chipWords[chip_word::kEmi23Withdrawn], 5u);
  // A second read starts from unset words.
  EXPECT_EQ(decode(state, "poke 0x2004 0x7\n"), "");
  EXPECT_EQ(state.bankWords[0], kUnset);
  EXPECT_EQ(state.bankWords[1], 7u);
  EXPECT_EQ(state.chipWords[chip_word::kEmi23Mode], kUnset);
  // A failed read keeps the words read before the failing line, and says so.
  EXPECT_EQ(decode(state, "poke 0x2000 0x1\npoke 0x2004 0x10000\n", false),
            "varda: Error reading configuration file: not a valid register value at line:2\n"
            "varda: Error: read option file failure\n");
  EXPECT_EQ(state.bankWords[0], 1u);
}

TEST_F(ReadMode, DecodeOnEmi4UsesAndRecordsTheBaseAddress) {
  run("-chip 7027 -base-address 1000");
  ReadBackState state;
  EXPECT_EQ(decode(state, "poke 0x1100 0x7\npoke 0x1038 0x00220033\npoke 0x1258 0xffffffff\n"), "");
  EXPECT_EQ(state.emi4Base, 0x1000u);
  EXPECT_EQ(state.bankWords[0], 7u);
  EXPECT_EQ(state.bankWords[23], 0xffffffffu);
  EXPECT_EQ(state.chipWords[chip_word::kEmi4Mode], 0x00220033u);
  EXPECT_EQ(state.chipWords[chip_word::kEmi4Lock], kUnset);
}

TEST_F(ReadMode, ReadFileRunsTheFilesOneProcedureIntoATemporaryFile) {
  writeFile(file_, "# a procedure\nproc setup {\n  poke 0x2000 0x1234\n}\n");
  settings().readFile = file_;
  gLog.pokes = "poke 0x2000 0xb289\npoke 0x2060 0x1\n";
  ::testing::internal::CaptureStdout();
  runReadFile();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(gLog.readFile, file_);
  EXPECT_EQ(gLog.procName, "setup");
  EXPECT_EQ(settings().readProcName, "setup");
  const ReadBackState& state = readBackState();
  EXPECT_EQ(state.procName, "setup");
  EXPECT_EQ(state.sourceFile, file_);
  // The words are those the procedure poked, not those written in the file.
  EXPECT_EQ(state.bankWords[0], 0xb289u);
  EXPECT_EQ(state.bankWords[16], 1u);
  const std::string tempName = std::filesystem::path(gLog.sinkPath).filename().string();
  EXPECT_EQ(tempName.rfind("t" + std::to_string(::getpid()) + "_", 0), 0u) << tempName;
  EXPECT_FALSE(std::filesystem::exists(gLog.sinkPath));
}

// A procedure named by option is run without looking for one in the file.
TEST_F(ReadMode, ReadFileRunsTheNamedProcedureWithoutLookingForOne) {
  settings().readFile = "no-such-file.cfg";
  settings().readProcName = "init";
  ::testing::internal::CaptureStdout();
  runReadFile();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(gLog.procName, "init");
  EXPECT_EQ(readBackState().procName, "init");
}

// -zdump-r lists the words the last read wrote; showing the current
// parameters leaves them alone.
TEST_F(ReadMode, DumpListsTheWordsTheReadWrote) {
  ::testing::internal::CaptureStdout();
  dumpReadBackWords();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  writeFile(file_, "poke 0x2004 0x12\npoke 0x2070 0xc00\n");
  readBackState().decodePokes(file_);
  testing::captureStream([](std::FILE* stream) { showCurrentParameters(stream); });
  ::testing::internal::CaptureStdout();
  dumpReadBackWords();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "i =  1, which contains 0x12\n"
            "j =  2, which contains 0xc00\n");
}

TEST_F(ReadMode, InteractiveReadRunsThePendingFileOnceAndWritesTheParameters) {
  settings().interactive = true;
  writeFile(file_, "proc setup {\n}\n");
  gLog.pokes = "poke 0x2000 0x2418\n";
  const std::string dat = file_ + ".dat";
  EXPECT_EQ(run("-read " + file_ + " -iro " + dat), "");
  EXPECT_FALSE(settings().readFile);
  EXPECT_EQ(settings().readMode, 0);
  EXPECT_NE(fileText(dat).find("emi  -proc-name setup \nemi  -chip EMI2\n\n\nemi  -bank 0 -type DRAM\n"),
            std::string::npos);
  // Nothing pending now: the same words are written again.
  gLog = {};
  EXPECT_EQ(run("-iro " + dat), "");
  EXPECT_EQ(gLog.procName, "");
  EXPECT_NE(fileText(dat).find("-type DRAM"), std::string::npos);
  std::remove(dat.c_str());
}

}  // namespace
}  // namespace varda::front
