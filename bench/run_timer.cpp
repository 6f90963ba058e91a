// Whole-process timer: runs a program with the arguments of an argument list
// file many times, each run in a fresh scratch directory with its output sent
// to /dev/null, and reports the median wall time next to the median of a
// process that does nothing (/bin/true), and their ratio.
//
// Usage: run_timer [--runs N] PROGRAM ARGS_FILE
//   ARGS_FILE holds the arguments separated by white space; lines starting
//   with "#" are comments.

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

[[noreturn]] void die(const std::string& message) {
  std::fprintf(stderr, "run_timer: %s\n", message.c_str());
  std::exit(2);
}

std::vector<std::string> readArguments(const std::string& path) {
  std::ifstream in(path);
  if (!in) die("cannot read " + path);
  std::vector<std::string> args;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '#') continue;
    std::istringstream words(line);
    for (std::string word; words >> word;) args.push_back(word);
  }
  return args;
}

/// One run of `argv` in `directory`, standard output and error to /dev/null;
/// returns the wall time in microseconds.
double timeOneRun(const std::vector<std::string>& argv, const std::string& directory) {
  std::vector<char*> cargv;
  for (const std::string& arg : argv) cargv.push_back(const_cast<char*>(arg.c_str()));
  cargv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

  // The child starts in the scratch directory, so that its output file lands there.
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(directory);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ);
  int status = 0;
  if (spawned == 0) {
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  const auto end = std::chrono::steady_clock::now();
  std::filesystem::current_path(here);
  posix_spawn_file_actions_destroy(&actions);

  if (spawned != 0) die(std::string("cannot start ") + cargv[0] + ": " + std::strerror(spawned));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    die(std::string(cargv[0]) + " did not exit with status 0");
  return std::chrono::duration<double, std::micro>(end - start).count();
}

struct Summary {
  double median;
  double minimum;
};

Summary summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  return {median, times.front()};
}

/// Times `runs` runs of each command. The commands take turns, so that both
/// see the same load on a shared machine; a few unmeasured rounds come first,
/// so that the programs and their libraries are in the page cache.
std::vector<Summary> timeRuns(const std::vector<std::vector<std::string>>& commands, int runs) {
  const std::string scratch = (std::filesystem::temp_directory_path() / "varda_run_timer").string();
  std::vector<std::vector<double>> times(commands.size());
  constexpr int kWarmUp = 5;
  for (int i = 0; i < runs + kWarmUp; ++i) {
    for (std::size_t c = 0; c < commands.size(); ++c) {
      std::filesystem::remove_all(scratch);
      std::filesystem::create_directory(scratch);
      const double micros = timeOneRun(commands[c], scratch);
      if (i >= kWarmUp) times[c].push_back(micros);
    }
  }
  std::filesystem::remove_all(scratch);
  std::vector<Summary> summaries;
  for (auto& t : times) summaries.push_back(summarise(std::move(t)));
  return summaries;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 200;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
    runs = std::atoi(argv[2]);
    first = 3;
  }
  if (argc - first != 2 || runs < 1) die("usage: run_timer [--runs N] PROGRAM ARGS_FILE");

  // Absolute, since every run starts in a scratch directory.
  std::vector<std::string> program = {std::filesystem::absolute(argv[first]).string()};
  const std::vector<std::string> args = readArguments(argv[first + 1]);
  program.insert(program.end(), args.begin(), args.end());

  const std::vector<Summary> summaries = timeRuns({{"/bin/true"}, program}, runs);
  const Summary& idle = summaries[0];
  const Summary& work = summaries[1];
  std::printf("runs: %d each, arguments: %zu\n", runs, args.size());
  std::printf("%-12s median %9.1f us   min %9.1f us\n", "/bin/true", idle.median, idle.minimum);
  std::printf("%-12s median %9.1f us   min %9.1f us\n", "varda", work.median, work.minimum);
  std::printf("ratio of medians: %.2f   ratio of minima: %.2f\n", work.median / idle.median,
              work.minimum / idle.minimum);
  return 0;
}
