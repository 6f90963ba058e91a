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

class ReadMode : public testing::OptionRunTest {
 protected:
  void SetUp() override { OptionRunTest::SetUp(); }
  void TearDown() override {
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

/// The temporary files of this process ("t<pid>_...") in the temporary directory.
int temporaryFiles() {
  const std::string prefix = "t" + std::to_string(::getpid()) + "_";
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
    if (entry.path().filename().string().rfind(prefix, 0) == 0) ++n;
  return n;
}

TEST_F(ReadMode, ReadFileCapturesThePokesItsProcedurePerforms) {
  // The words are those the procedure poked as it ran, not text of the file.
  writeFile(file_,
            "## a procedure\nproc setup {\n"
            "  for (i = 0; i < 2; i++) poke (0x2000 + i * 4) (0x1234 + i)\n"
            "  poke -d 0x2060 1\n}\n");
  settings().readFile = file_;
  ::testing::internal::CaptureStdout();
  runReadFile();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(settings().readProcName, "setup");
  const ReadBackState& state = readBackState();
  EXPECT_EQ(state.procName, "setup");
  EXPECT_EQ(state.sourceFile, file_);
  EXPECT_EQ(state.bankWords[0], 0x1234u);
  EXPECT_EQ(state.bankWords[1], 0x1235u);
  EXPECT_EQ(state.bankWords[2], kUnset);
  EXPECT_EQ(state.bankWords[16], 1u);
  EXPECT_EQ(temporaryFiles(), 0);
}

// A procedure named by option is run; the file may hold others.
TEST_F(ReadMode, ReadFileRunsTheNamedProcedure) {
  writeFile(file_, "proc a {\n  poke 0x2000 1\n}\nproc b {\n  poke 0x2000 2\n}\n");
  settings().readFile = file_;
  settings().readProcName = "b";
  ::testing::internal::CaptureStdout();
  runReadFile();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(readBackState().procName, "b");
  EXPECT_EQ(readBackState().bankWords[0], 2u);
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
  writeFile(file_, "proc setup {\n  poke 0x2000 0x2418\n}\n");
  const std::string dat = file_ + ".dat";
  EXPECT_EQ(run("-read " + file_ + " -iro " + dat), "");
  EXPECT_FALSE(settings().readFile);
  EXPECT_EQ(settings().readMode, 0);
  EXPECT_NE(fileText(dat).find("emi  -proc-name setup \nemi  -chip EMI2\n\n\nemi  -bank 0 -type DRAM\n"),
            std::string::npos);
  // Nothing pending now: the same words are written again, without a read.
  std::remove(file_.c_str());
  EXPECT_EQ(run("-iro " + dat), "");
  EXPECT_NE(fileText(dat).find("-type DRAM"), std::string::npos);
  std::remove(dat.c_str());
}

}  // namespace
}  // namespace varda::front
