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
#include <signal.h>
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
// The stack of the runs: the usual default of a process.
constexpr rlim_t kStackBytes = 8 * kMiB;

/// What one run of varda came to.
struct RunResult {
  int status = -1;          // exit status, or -1 when killed by a signal
  int signal = 0;           // the signal that ended it, or 0
  std::string out;          // standard output
  std::string err;          // standard error
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
      const int err = open(".stderr", O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (in < 0 || out < 0 || err < 0) _exit(126);
      dup2(in, 0);
      dup2(out, 1);
      dup2(err, 2);
      // The default stack of a process: deep recursion must end within it.
      rlimit stack{};
      getrlimit(RLIMIT_STACK, &stack);
      stack.rlim_cur = kStackBytes;
      if (stack.rlim_max != RLIM_INFINITY && stack.rlim_max < kStackBytes) stack.rlim_cur = stack.rlim_max;
      setrlimit(RLIMIT_STACK, &stack);
      if (files_ != 0) {
        const rlimit files{files_, files_};
        setrlimit(RLIMIT_NOFILE, &files);
      }
      // A small quarantine, so that the peak memory of a sanitizer build
      // shows what the run keeps rather than what it freed lately.
      const char* asan = std::getenv("ASAN_OPTIONS");
      const std::string options = std::string(asan != nullptr ? asan : "") + ":quarantine_size_mb=16";
      setenv("ASAN_OPTIONS", options.c_str(), 1);
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
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.peakRss = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    result.out = read(".stdout");
    result.err = read(".stderr");
    fs::remove(dir_ / ".stdin");
    fs::remove(dir_ / ".stdout");
    fs::remove(dir_ / ".stderr");
    return result;
  }

  // The run stayed within the bounds for an input of `inputBytes`.
  static void expectBounded(const RunResult& r, std::size_t inputBytes) {
    EXPECT_LE(r.peakRss, kBaseAllowance + kPerInputByte * inputBytes)
        << "peak memory " << r.peakRss / kMiB << " MiB";
    EXPECT_LT(r.seconds, kMaxSeconds);
  }

  fs::path dir_;
  rlim_t files_ = 0;  // the descriptor limit of the runs, when not 0
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

// --- scripts ------------------------------------------------------------------

// Recursion ends with the fatal abort of the 1024-deep handler rule, however
// the script recurses and however deep its blocks nest on each level: never
// by running out of the 8 MiB stack (a crash would be SIGSEGV).
TEST_F(ResourceBoundsTest, UnboundedRecursionEndsWithExceptionDepth) {
  // Blocks nested on every level of the recursion: 500 reach the limit of
  // nested code walks after a few levels; 6 reach the handler limit and
  // nearly the walk limit together (8 walks and 2 handler regions a level).
  auto nested = [](const std::string& call, int blocks) {
    std::string text = "proc n {\n";
    for (int i = 0; i < blocks; ++i) text += "if (1) {\n";
    return text + call + "\n" + std::string(blocks, '}') + "\n}\nn\n";
  };
  const std::string scripts[] = {
      "proc f { f }\nf\n",                                  // a call in a call
      "proc g { x = g() }\ng\n",                            // a call in an expression
      "proc h { parse h }\nh\n",                            // a text parsed and run in each call
      "proc e { eval e }\ne\n",                             // a command calling back
      "proc w { when (1) { w; event 1 } ; event 1 }\nw\n",  // events firing events
      nested("n", 500),
      nested("n", 6),
      nested("parse n", 6),
  };
  for (const std::string& script : scripts) {
    file("t.cl", script);
    const RunResult r = run({"t.cl"});
    EXPECT_EQ(r.signal, SIGABRT) << script.substr(0, 40);
    EXPECT_NE(r.err.find("Exception Depth exceeded\n"), std::string::npos) << r.err.substr(0, 200);
    expectBounded(r, script.size());
  }
}

// The parser's stacks hold 10000 entries: deeper nesting is a syntax error
// (the source line and a caret), whatever the depth.
TEST_F(ResourceBoundsTest, DeepNestingInTheSourceIsASyntaxError) {
  const std::string parens = "x = " + std::string(200000, '(') + "1" + std::string(200000, ')') + "\n";
  std::string blocks;
  for (int i = 0; i < 50000; ++i) blocks += "if (1) {\n";
  blocks += "write deep\n" + std::string(50000, '}') + "\n";
  for (const std::string& script : {parens, blocks}) {
    file("t.cl", script);
    const RunResult r = run({"t.cl"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("varda: Error: file t.cl at line ", 0), 0u) << r.out.substr(0, 100);
    EXPECT_EQ(r.err, "");
    expectBounded(r, script.size());
  }
}

TEST_F(ResourceBoundsTest, ScriptsIncludingThemselves) {
  file("self.cl", "include self.cl\n");
  file("a.cl", "write a\ninclude b.cl\n");
  file("b.cl", "include a.cl\n");
  RunResult r = run({"self.cl"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.out,
      "varda: Error: file self.cl at line 1, file I/O error - cannot include \"self.cl\": includes nested "
      "more than 64 deep\n");
  expectBounded(r, 0);
  r = run({"a.cl"});
  EXPECT_EQ(r.status, 1);
  // The first include is the command line's: b.cl is the 64th file read.
  EXPECT_EQ(r.out,
            "varda: Error: file b.cl at line 1, file I/O error - cannot include \"a.cl\": includes nested "
            "more than 64 deep\n");
  EXPECT_EQ(r.err, "");
  expectBounded(r, 0);
}

// Texts: one of 8 Mi characters built by doubling, written to a file; a
// script of one 1 MiB line; a regular expression that backtracks without end
// stops at the 74-position rule.
TEST_F(ResourceBoundsTest, LargeTextsAndBacktracking) {
  file("double.cl",
       "s = \"ab\"\nfor (i = 0; i < 22; i++) s = s + s\nfopen big.txt w\nfputs big.txt (s)\nfclose big.txt\n"
       "write (s >> 3)\n");
  RunResult r = run({"double.cl"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "bab\n");
  EXPECT_EQ(fs::file_size(dir_ / "big.txt"), 8 * kMiB);
  expectBounded(r, 8 * kMiB);

  std::string line = "x = 0";
  while (line.size() < kMiB) line += " + 1";
  file("line.cl", line + "\nwrite (x)\n");
  r = run({"line.cl"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, std::to_string((line.size() - 5) / 4) + "\n");
  expectBounded(r, line.size());

  file("rx.cl", "x = \"" + std::string(5000, 'a') + "\" * \"(a|aa)*(a*)*b\"\n");
  r = run({"rx.cl"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "varda: Error: file rx.cl at line 1, internal command language error RUNFSM: number of backtrack "
            "positions exceeded STACKSIZE\n");
  expectBounded(r, 5000);
}

// Random bytes as a script: an error report or a run to the end, never a crash.
TEST_F(ResourceBoundsTest, RandomBytesAsAScript) {
  std::uint32_t state = 12345;
  for (int round = 0; round < 4; ++round) {
    std::string bytes(256 * 1024, '\0');
    for (char& c : bytes) {
      state = state * 1103515245u + 12345u;
      c = static_cast<char>(state >> 23);
      // Half of the rounds printable: the parser gets further.
      if (round % 2 == 1) c = static_cast<char>(' ' + static_cast<unsigned char>(c) % 95);
    }
    file("r.cl", bytes);
    const RunResult r = run({"r.cl"});
    EXPECT_EQ(r.signal, 0) << round;
    EXPECT_TRUE(r.status == 0 || r.status == 1) << round;
    expectBounded(r, bytes.size());
  }
}

// An array nested 100000 deep: copied, compared, copied into its own
// element (refused), and destroyed at the end of the run, all without
// recursion deep enough to overflow the stack.
TEST_F(ResourceBoundsTest, DeeplyNestedArrays) {
  std::string path = "a";
  for (int i = 0; i < 100000; ++i) path += "[0]";
  file("deep.cl", path + " = 1\nb = a\nwrite (a == b)\nc[1] = b\nremove b\nwrite copied\na[0] = a\n");
  const RunResult r = run({"deep.cl"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "1\ncopied\n");
  EXPECT_EQ(
      r.out.rfind("varda: Error: file deep.cl at line 7, arrays cannot be assigned to their parents/children",
                  0),
      0u)
      << r.out.substr(0, 200);
  expectBounded(r, 200 * path.size());
}

// Files opened and never closed: past the descriptor limit fopen fails
// like any open that fails (result -1), and the run goes on.
TEST_F(ResourceBoundsTest, FilesNeverClosed) {
  files_ = 64;
  file("open.cl",
       "n = 0\nfor (i = 0; i < 200; i++) {\n  name = mkstr (i)\n  r = fopen (name) w\n  if (r == 0) n++\n}\n"
       "write (n)\nparse \"include open.cl\"\nwrite after\nx = fopen other r\nwrite (x)\n");
  const RunResult r = run({"open.cl"});
  EXPECT_EQ(r.signal, 0);
  // 64 descriptors less the three standard streams and what the runtime holds.
  const int opened = std::atoi(r.err.c_str());
  EXPECT_GT(opened, 32);
  EXPECT_LT(opened, 62);
  EXPECT_EQ(r.err.substr(r.err.find('\n') + 1),
            "parse error-file I/O error - cannot open \"open.cl\" for reading\nafter\n-1\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "varda: Error: no output file given\n");
  expectBounded(r, 0);
}

// Temporaries made in a long loop of procedure calls are released: each
// call makes texts of 16 KiB and more, and ten times the calls take hardly
// more memory. (Each statement at the outermost level leaves its value on
// the operand stack until the run ends: a few bytes per iteration.)
TEST_F(ResourceBoundsTest, TemporariesOfCallsKeepMemoryFlat) {
  auto peak = [&](int calls) {
    file("loop.cl",
         "big = \"0123456789abcdef\"\nfor (i = 0; i < 10; i++) big = big + big\n"
         "proc p {\n  s = $1 + big\n  t = s + s\n  $$ = (t >> 3) + $2\n}\n"
         "for (i = 0; i < " +
             std::to_string(calls) + "; i++) x = p(\"t\", mkstr (i))\nwrite (x)\n");
    const RunResult r = run({"loop.cl"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "def" + std::to_string(calls - 1) + "\n");
    expectBounded(r, 0);
    return r.peakRss;
  };
  const std::size_t small = peak(2000);
  const std::size_t large = peak(20000);
  // Kept, 18000 temporaries would be 18000 * 48 KiB.
  EXPECT_LT(large, small + 16 * kMiB) << small / kMiB << " MiB, then " << large / kMiB << " MiB";
}

}  // namespace
