// Resource bounds: no input makes varda use memory or time out of proportion
// to its size. Each test builds a large or odd input (long lines, many lines,
// NUL bytes, argument files naming one another, a long VARDAARG, a long
// interactive line), runs the varda binary on it in a scratch directory and
// checks the exit status, the output that matters, and that the peak resident
// memory stays within a fixed allowance plus a small multiple of the input's
// size. The poke-file readers are checked in process on the same kinds of file.
//
// VARDA_BINARY is the path of the binary under test (set by CMake).

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "regmodel/emi23_config_reader.h"
#include "regmodel/emi4_config_reader.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMiB = 1024 * 1024;
// Memory a run may use whatever its input: the program and, in a sanitizer
// build, the sanitizer's own tables and quarantine.
constexpr std::size_t kBaseAllowance = 400 * kMiB;
// Memory a run may use per byte of input: a line is held, split into
// arguments and copied for its handler a few times over.
constexpr std::size_t kPerInputByte = 16;
// Wall time a run may take; generous, the machine is shared and the
// sanitizer build is slow. A run that loops takes for ever, not 60 seconds.
constexpr double kMaxSeconds = 60.0;

/// What one run of varda came to.
struct RunResult {
  int status = -1;          // exit status, or -1 when killed by a signal
  std::string out;          // standard output
  std::size_t peakRss = 0;  // bytes
  double seconds = 0;
};

class ResourceBoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "varda_bounds_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  void file(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Runs varda in the scratch directory with `args`, VARDAARG set to `env`
  // (unset when empty) and `input` on standard input.
  RunResult run(const std::vector<std::string>& args, const std::string& env = "",
                const std::string& input = "") {
    file(".stdin", input);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(dir_.c_str()) != 0) _exit(126);
      const int in = open(".stdin", O_RDONLY);
      const int out = open(".stdout", O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (in < 0 || out < 0) _exit(126);
      dup2(in, 0);
      dup2(out, 1);
      if (env.empty()) {
        unsetenv("VARDAARG");
      } else {
        setenv("VARDAARG", env.c_str(), 1);
      }
      alarm(static_cast<unsigned>(kMaxSeconds) * 2);  // a hang fails the test instead of stalling it
      std::vector<std::string> texts = args;
      texts.insert(texts.begin(), VARDA_BINARY);
      std::vector<char*> argv;
      for (std::string& text : texts) argv.push_back(text.data());
      argv.push_back(nullptr);
      execv(VARDA_BINARY, argv.data());
      _exit(127);
    }
    RunResult result;
    int status = 0;
    rusage usage{};
    EXPECT_EQ(wait4(child, &status, 0, &usage), child);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakRss = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    result.out = read(".stdout");
    fs::remove(dir_ / ".stdin");
    fs::remove(dir_ / ".stdout");
    return result;
  }

  // The run stayed within the bounds for an input of `inputBytes`.
  static void expectBounded(const RunResult& r, std::size_t inputBytes) {
    EXPECT_LE(r.peakRss, kBaseAllowance + kPerInputByte * inputBytes)
        << "peak memory " << r.peakRss / kMiB << " MiB";
    EXPECT_LT(r.seconds, kMaxSeconds);
  }

  fs::path dir_;
};

TEST_F(ResourceBoundsTest, ArgumentFileWithAVeryLongLine) {
  const std::string name(16 * kMiB, 'n');
  file("args.txt", "-proc-name " + name + "\n-o out.cfg");  // no final line feed
  const RunResult r = run({"@args.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(read("out.cfg").find("\nproc " + name + " {\n"), std::string::npos);
  expectBounded(r, name.size());
}

TEST_F(ResourceBoundsTest, ArgumentFileWithManyLines) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += (i % 2 == 0) ? "-bank 1\r\n" : "# comment\n";
  file("args.txt", text + "-bank 9\r\n");
  const RunResult r = run({"@args.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "varda: Error: unsupported bank number = 9\n"
            "varda: Error: no output file given\n");
  expectBounded(r, text.size());
}

TEST_F(ResourceBoundsTest, ArgumentFileOfNulBytes) {
  // Text after a NUL byte is not seen; a file of NUL bytes holds no options.
  const std::string nuls(8 * kMiB, '\0');
  file("args.txt", nuls);
  file("mixed.txt", "-proc-name a\0b c\n" + nuls + "\n-bank 7\n");
  const RunResult r = run({"@args.txt", "@mixed.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "varda: Error: unsupported bank number = 7\n"
            "varda: Error: no output file given\n");
  expectBounded(r, 2 * nuls.size());
}

TEST_F(ResourceBoundsTest, ArgumentFilesNamingThemselvesAndEachOther) {
  file("self.txt", "-v @self.txt @self.txt\n");
  RunResult r = run({"@self.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("varda: Error: found in file = self.txt\n"), std::string::npos);
  expectBounded(r, 0);

  // Sixteen files, each naming the next one twice: 2^16 reads without a limit.
  for (int i = 0; i < 16; ++i) {
    const std::string number = std::to_string(i);
    const std::string nextNumber = std::to_string(i + 1);
    const std::string next = "@f" + nextNumber;
    file("f" + number, next + " " + next + "\n");
  }
  file("f16", "-proc-name x\n");
  r = run({"@f0", "-o", "never.cfg"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.rfind("varda: Error: found in file = f", 0), 0u);
  EXPECT_FALSE(fs::exists(dir_ / "never.cfg"));
  expectBounded(r, 0);
}

TEST_F(ResourceBoundsTest, LongVardaargAndManyArguments) {
  const std::string name(100000, 'p');  // a single environment string is limited to 128 KiB
  std::vector<std::string> args;
  for (int i = 0; i < 20000; ++i) args.push_back(i % 2 == 0 ? "-bank" : "2");
  args.push_back("-o");
  args.push_back("out.cfg");
  const RunResult r = run(args, "-proc-name " + name + " | -bank 3");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(read("out.cfg").find("\nproc " + name + " {\n"), std::string::npos);
  expectBounded(r, name.size() + 20000 * 6);
}

TEST_F(ResourceBoundsTest, HugeNumbers) {
  const std::string digits(100000, '9');
  const RunResult r = run({"-chip", "7021" + digits, "-bank", "1" + digits, "-regnum", digits, "-padlogic",
                           "f" + digits, "-o", "out.cfg"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("varda: Error: unsupported bank register number = " + digits + "\n"),
            std::string::npos);
  expectBounded(r, 4 * digits.size());
}

TEST_F(ResourceBoundsTest, InteractiveLineOfManyPieces) {
  // Read in pieces of 99 characters, each parsed on its own: a long line of
  // spaces is many empty lines, then the option at its end applies.
  const std::string spaces(4 * kMiB, ' ');
  const RunResult r = run({"-i", "-o", "out.cfg"}, "", spaces + "-proc-name late\nq\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(read("out.cfg").find("\nproc late {\n"), std::string::npos);
  expectBounded(r, spaces.size());
}

TEST_F(ResourceBoundsTest, InteractiveInputOfNulBytesWithoutFinalLineFeed) {
  const std::string nuls(4 * kMiB, '\0');
  const RunResult r = run({"-i"}, "", nuls + "-bank 8\n" + nuls);
  EXPECT_EQ(r.status, 0);
  expectBounded(r, 2 * nuls.size());
}

// Each "-i" line starts a nested interactive loop on the same input; past
// the nesting limit "-i" is refused, so 200000 such lines (600 KB) neither
// exhaust the stack nor use memory beyond the bound.
TEST_F(ResourceBoundsTest, InteractiveLoopsNestedByManyLines) {
  std::string lines;
  for (int i = 0; i < 200000; ++i) lines += "-i\n";
  const RunResult r = run({"-i"}, "", lines);
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("varda: Error: interactive mode nested more than 64 levels deep\n"),
            std::string::npos);
  expectBounded(r, lines.size());
}

// The poke-file readers read any file in pieces of 255 characters with a
// fixed amount of memory.
TEST_F(ResourceBoundsTest, PokeReadersOnLargeFiles) {
  std::string longLine = "# " + std::string(8 * kMiB, '#') + "\n";
  std::string manyLines;
  for (int i = 0; i < 200000; ++i) manyLines += "  # comment {}\r\n";
  const std::string nuls(8 * kMiB, '\0');
  file("long.cfg", "proc p {\n" + longLine + "poke 0x2000 0x1\n}");
  file("many.cfg", "proc p {\n" + manyLines + "poke 0x2000 0x1;;\n}\n");
  file("nuls.cfg", nuls + "\npoke 0x2000 0x1\n");

  varda::regmodel::Emi23ConfigReader reader("varda");
  for (const char* name : {"long.cfg", "many.cfg", "nuls.cfg"}) {
    std::vector<std::uint32_t> registers(17, 0);
    std::vector<std::uint32_t> extras(4, 0);
    const auto start = std::chrono::steady_clock::now();
    // The 8 MiB line is many pieces of 255 characters, each a comment line of its own.
    EXPECT_TRUE(reader.readPokeFile(registers, extras, (dir_ / name).string())) << name;
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), kMaxSeconds);
    EXPECT_EQ(registers[0], 1u) << name;
    std::string procedure;
    EXPECT_EQ(reader.readProcedureName((dir_ / name).string(), procedure), std::string(name) != "nuls.cfg");
  }
}

}  // namespace
