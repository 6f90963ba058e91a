#include "front/read_mode.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "front/option_run_test_util.h"
#include "front/read_back_state.h"
#include "front/read_test_util.h"

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
    resetReadBackState();
    gLog = {};
    setReadFileRunner(fakeRunner);
  }
  void TearDown() override {
    setReadFileRunner(nullptr);
    resetReadBackState();
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

  const std::string file_ = ::testing::TempDir() + "read_mode_test.cfg";
};

TEST_F(ReadMode, DecodeFillsTheEmi23WordsAndMarksTheRestUnset) {
  ReadBackState state;
  EXPECT_EQ(decode(state, "proc p {\npoke 0x2000 0x1\npoke 0x2060 1\npoke 0x2058 0x22\npoke 0x2064 5\n}\n"), "");
  EXPECT_EQ(state.bankWords[0], 1u);
  EXPECT_EQ(state.bankWords[1], kUnset);
  EXPECT_EQ(state.bankWords[16], 1u);
  EXPECT_EQ(state.chipWords[kEmi23ModeWord], 0x22u);
  EXPECT_EQ(state.chipWords[kEmi23Word2064], 5u);
  // A second read starts from unset words.
  EXPECT_EQ(decode(state, "poke 0x2004 0x7\n"), "");
  EXPECT_EQ(state.bankWords[0], kUnset);
  EXPECT_EQ(state.bankWords[1], 7u);
  EXPECT_EQ(state.chipWords[kEmi23ModeWord], kUnset);
}

TEST_F(ReadMode, DecodeOnEmi4UsesAndRecordsTheBaseAddress) {
  run("-chip 7027 -base-address 1000");
  ReadBackState state;
  EXPECT_EQ(decode(state, "poke 0x1100 0x7\npoke 0x1038 0x00220033\npoke 0x1258 0xffffffff\n"), "");
  EXPECT_EQ(state.emi4Base, 0x1000u);
  EXPECT_EQ(state.bankWords[0], 7u);
  EXPECT_EQ(state.bankWords[23], 0xffffffffu);
  EXPECT_EQ(state.chipWords[kEmi4ModeWord], 0x00220033u);
  EXPECT_EQ(state.chipWords[kEmi4LockWord], kUnset);
}

TEST_F(ReadMode, FailedDecodeKeepsTheWordsReadBeforeAndSaysSo) {
  ReadBackState state;
  EXPECT_EQ(decode(state, "poke 0x2000 0x1\npoke 0x2004 0x10000\n", false),
            "varda: Error reading configuration file: not a valid register value at line:2\n"
            "varda: Error: read option file failure\n");
  EXPECT_EQ(state.bankWords[0], 1u);
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

TEST_F(ReadMode, ReadFileRunsTheNamedProcedureWithoutLookingForOne) {
  settings().readFile = "no-such-file.cfg";
  settings().readProcName = "init";
  ::testing::internal::CaptureStdout();
  runReadFile();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(gLog.procName, "init");
  EXPECT_EQ(readBackState().procName, "init");
}

TEST_F(ReadMode, ReadFileWithoutAProcedureEndsTheRun) {
  writeFile(file_, "poke 0x2000 0x1\n");
  settings().readFile = file_;
  EXPECT_EXIT(runReadFile(), ::testing::ExitedWithCode(1), "");
}

TEST_F(ReadMode, ReadFileWithoutAnInterpreterEndsTheRun) {
  writeFile(file_, "proc setup {\n}\n");
  settings().readFile = file_;
  setReadFileRunner(nullptr);
  EXPECT_EXIT(runReadFile(), ::testing::ExitedWithCode(1), "");
}

TEST_F(ReadMode, CurrentParametersComeFromTheWrittenProcedure) {
  run("-chip 7021 -bank 2 -type D -bank 1 -type D -castime 4 -padlogic-off");
  const std::string lines = testing::streamText([](std::FILE* stream) { showCurrentParameters(stream); });
  EXPECT_NE(lines.find("\n\nemi  -bank 1 -type DRAM\n"), std::string::npos) << lines;
  EXPECT_NE(lines.find("emi  -rastime 1 -castime 4 -rase1time 1 -rase2time 0 \n"), std::string::npos) << lines;
  EXPECT_EQ(lines.find("mpeg"), std::string::npos);
  // The run's own read-back state is not touched.
  EXPECT_EQ(readBackState().bankWords[0], kUnset);
}

TEST_F(ReadMode, DumpListsTheWordsTheReadWrote) {
  ::testing::internal::CaptureStdout();
  dumpReadBackWords();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  writeFile(file_, "poke 0x2004 0x12\npoke 0x2070 0xc00\n");
  readBackState().decodePokes(file_);
  ::testing::internal::CaptureStdout();
  dumpReadBackWords();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "i =  1, which contains 0x12\n"
            "j =  2, which contains 0xc00\n");
}

// ---------------------------------------------------------------------------
// The options.

TEST_F(ReadMode, SecondReadOptionIsRefused) {
  EXPECT_EQ(run("-read a.cfg -read b.cfg"), "varda: Error: invalid use of the read option\n");
  EXPECT_EQ(settings().readMode, 1);
  EXPECT_EQ(settings().readFile, "a.cfg");
}

TEST_F(ReadMode, InteractiveOptionsAreRefusedOutsideInteractiveMode) {
  EXPECT_EQ(run("-io out.cfg -icfg -iro p.dat -iparameters"),
            "varda: Error: -io out.cfg not valid as not in interactive mode\n"
            "varda: Error: -icfg not valid as not in interactive mode\n"
            "varda: Error: -iro p.dat not valid as not in interactive mode\n"
            "varda: Error: -iparameters not valid as not in interactive mode\n");
  EXPECT_FALSE(std::filesystem::exists("out.cfg"));
}

TEST_F(ReadMode, ParametersAreNotShownInReadMode) {
  settings().interactive = 1;
  EXPECT_EQ(run("-read a.cfg -iparameters"), "varda: Error: invalid use of the read/parameters option\n");
  EXPECT_EQ(settings().readMode, 1);
}

TEST_F(ReadMode, InteractiveReadRunsThePendingFileOnceAndWritesTheParameters) {
  settings().interactive = 1;
  writeFile(file_, "proc setup {\n}\n");
  gLog.pokes = "poke 0x2000 0x2418\n";
  const std::string dat = ::testing::TempDir() + "read_mode_test.dat";
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

TEST_F(ReadMode, InteractiveProcedureIsWrittenOrShownNow) {
  settings().interactive = 1;
  const std::string cfg = ::testing::TempDir() + "read_mode_test_io.cfg";
  EXPECT_EQ(run("-io " + cfg), "");
  EXPECT_TRUE(fileText(cfg).ends_with("  poke 0x00002060   0x0000\n\n}\n"));
  std::remove(cfg.c_str());
  const std::string shown = run("-icfg");
  EXPECT_EQ(shown.substr(0, 2), "\n#");
  EXPECT_TRUE(shown.ends_with("  poke 0x00002060   0x0000\n\n}\n"));
}

TEST_F(ReadMode, InteractiveParametersGoToStandardOutput) {
  settings().interactive = 1;
  const std::string shown = run("-chip 7021 -mpeg 1 -iparameters");
  EXPECT_TRUE(shown.starts_with("varda: Warning: option -mpeg not supported by chip 7021\n"
                                "\nemi  -chip 7021\n\n\nemi  -bank 0 -type Peripheral\n"))
      << shown;
  EXPECT_TRUE(shown.ends_with("\n\n"
                              "emi  -bank3subdecode 0 -clockenable 0 -clocktristate 1 -subbanksize-padlogic 4\n"
                              "emi  -mpeg 1 -mwait 0 -mshift0 0 -mshift1 0\n"
                              "emi  -mshift2 0 -mshift3 0\n"))
      << shown;
}

}  // namespace
}  // namespace varda::front
