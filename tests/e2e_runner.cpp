// Runs one end-to-end case file against the varda binary and compares, byte
// for byte, the exit status, standard output, standard error (when the case
// gives it) and every file the run leaves in its working directory.
//
// Case file format (see tests/README.md):
//   # comment lines and blank lines between sections are ignored
//   args: -chip 7021 -o out.cfg     arguments split at white space
//   arg: one argument with spaces    one argument, taken verbatim
//   env: NAME=value                  environment entry (the run starts from an empty environment)
//   status: 0                        expected exit status (default 0)
//   --- stdin                        text fed to standard input
//   --- stdout                       expected standard output
//   --- stderr                       expected standard error (unchecked when absent)
//   --- input NAME                   file created in the working directory before the run
//   --- file NAME                    file the run must leave with exactly this text
// A section runs to the next line starting with "--- "; each of its lines ends
// with a line feed. "--- stdout noeol" (any section) drops the final line feed.
// Every file present after the run must be an input or an expected file.
//
// Usage: e2e_runner VARDA CASE [--subst KEY=VALUE]...

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Case {
  std::vector<std::string> args;
  std::vector<std::string> env;
  int status = 0;
  std::string stdinText;
  std::string stdoutText;
  bool checkStderr = false;
  std::string stderrText;
  std::vector<std::pair<std::string, std::string>> inputs;
  std::vector<std::pair<std::string, std::string>> files;
};

[[noreturn]] void die(const std::string& message) {
  std::cerr << "e2e_runner: " << message << "\n";
  std::exit(2);
}

std::string readFile(const std::string& path, bool* ok = nullptr) {
  std::ifstream in(path, std::ios::binary);
  if (ok) *ok = static_cast<bool>(in);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream outFile(path, std::ios::binary);
  outFile << text;
  if (!outFile) die("cannot write " + path);
}

std::string substitute(std::string text, const std::map<std::string, std::string>& substs) {
  for (const auto& [key, value] : substs) {
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
      text.replace(at, key.size(), value);
    }
  }
  return text;
}

Case parseCase(const std::string& path, const std::map<std::string, std::string>& substs) {
  bool ok = false;
  std::string text = readFile(path, &ok);
  if (!ok) die("cannot read case " + path);
  text = substitute(text, substs);
  Case c;
  std::istringstream lines(text);
  std::string line;
  std::string* section = nullptr;
  bool noeol = false;
  auto endSection = [&] {
    if (section && noeol && !section->empty() && section->back() == '\n') section->pop_back();
    section = nullptr;
    noeol = false;
  };
  while (std::getline(lines, line)) {
    if (line.rfind("--- ", 0) == 0) {
      endSection();
      std::istringstream words(line.substr(4));
      std::string kind;
      std::string name;
      words >> kind;
      if (kind == "input" || kind == "file") {
        words >> name;
        if (name.empty()) die(path + ": section '" + kind + "' needs a file name");
        auto& list = kind == "input" ? c.inputs : c.files;
        list.emplace_back(name, std::string());
        section = &list.back().second;
      } else if (kind == "stdin") {
        section = &c.stdinText;
      } else if (kind == "stdout") {
        section = &c.stdoutText;
      } else if (kind == "stderr") {
        c.checkStderr = true;
        section = &c.stderrText;
      } else {
        die(path + ": unknown section '" + kind + "'");
      }
      std::string flag;
      while (words >> flag) {
        if (flag == "noeol") {
          noeol = true;
        } else {
          die(path + ": unknown section flag '" + flag + "'");
        }
      }
      continue;
    }
    if (section) {
      *section += line;
      *section += '\n';
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    const auto colon = line.find(':');
    if (colon == std::string::npos) die(path + ": unexpected line '" + line + "'");
    const std::string key = line.substr(0, colon);
    std::string value = line.substr(colon + 1);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    if (key == "args") {
      std::istringstream words(value);
      std::string word;
      while (words >> word) c.args.push_back(word);
    } else if (key == "arg") {
      c.args.push_back(value);
    } else if (key == "env") {
      c.env.push_back(value);
    } else if (key == "status") {
      c.status = std::atoi(value.c_str());
    } else {
      die(path + ": unknown key '" + key + "'");
    }
  }
  endSection();
  return c;
}

std::set<std::string> listDirectory(const std::string& dir) {
  std::set<std::string> names;
  DIR* d = opendir(dir.c_str());
  if (!d) die("cannot list " + dir);
  while (dirent* entry = readdir(d)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.insert(name);
  }
  closedir(d);
  return names;
}

void removeTree(const std::string& dir) {
  for (const auto& name : listDirectory(dir)) {
    const std::string path = dir + "/" + name;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      removeTree(path);
    } else {
      unlink(path.c_str());
    }
  }
  rmdir(dir.c_str());
}

std::string showDiff(const std::string& scratch, const std::string& what, const std::string& expected,
                     const std::string& actual) {
  const std::string e = scratch + "/expected." + what;
  const std::string a = scratch + "/actual." + what;
  writeFile(e, expected);
  writeFile(a, actual);
  const std::string command = "diff -u --label expected --label actual '" + e + "' '" + a + "' 2>&1";
  std::string result;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.append(buffer, n);
    pclose(pipe);
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) die("usage: e2e_runner VARDA CASE [--subst KEY=VALUE]...");
  const std::string varda = argv[1];
  const std::string casePath = argv[2];
  std::map<std::string, std::string> substs;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--subst") == 0 && i + 1 < argc) {
      const std::string kv = argv[++i];
      const auto eq = kv.find('=');
      if (eq == std::string::npos) die("bad --subst " + kv);
      substs[kv.substr(0, eq)] = kv.substr(eq + 1);
    } else {
      die(std::string("unknown argument ") + argv[i]);
    }
  }
  const Case c = parseCase(casePath, substs);

  char scratchTemplate[] = "/tmp/varda-e2e-XXXXXX";
  if (!mkdtemp(scratchTemplate)) die("mkdtemp failed");
  const std::string scratch = scratchTemplate;
  const std::string work = scratch + "/work";
  mkdir(work.c_str(), 0700);
  std::set<std::string> inputNames;
  for (const auto& [name, text] : c.inputs) {
    writeFile(work + "/" + name, text);
    inputNames.insert(name);
  }
  writeFile(scratch + "/stdin", c.stdinText);

  const pid_t child = fork();
  if (child < 0) die("fork failed");
  if (child == 0) {
    if (chdir(work.c_str()) != 0) _exit(126);
    const int in = open((scratch + "/stdin").c_str(), O_RDONLY);
    const int outFd = open((scratch + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errFd = open((scratch + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || outFd < 0 || errFd < 0) _exit(126);
    dup2(in, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    std::vector<std::string> envStrings = c.env;
    if (const char* path = std::getenv("PATH")) envStrings.push_back(std::string("PATH=") + path);
    for (const char* keep : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
      if (const char* v = std::getenv(keep)) envStrings.push_back(std::string(keep) + "=" + v);
    }
    std::vector<char*> envp;
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings;
    argStrings.push_back(varda);
    argStrings.insert(argStrings.end(), c.args.begin(), c.args.end());
    std::vector<char*> argvp;
    for (auto& s : argStrings) argvp.push_back(s.data());
    argvp.push_back(nullptr);
    alarm(20);  // a hang is a failure, not a stuck test run
    execve(varda.c_str(), argvp.data(), envp.data());
    _exit(127);
  }
  int waitStatus = 0;
  while (waitpid(child, &waitStatus, 0) < 0 && errno == EINTR) {
  }

  bool failed = false;
  std::ostringstream report;
  if (WIFSIGNALED(waitStatus)) {
    report << "varda was killed by signal " << WTERMSIG(waitStatus) << "\n";
    failed = true;
  } else if (WEXITSTATUS(waitStatus) != c.status) {
    report << "exit status: expected " << c.status << ", got " << WEXITSTATUS(waitStatus) << "\n";
    failed = true;
  }
  const std::string actualOut = readFile(scratch + "/stdout");
  const std::string actualErr = readFile(scratch + "/stderr");
  if (actualOut != c.stdoutText) {
    report << "standard output differs:\n" << showDiff(scratch, "stdout", c.stdoutText, actualOut);
    failed = true;
  }
  if (c.checkStderr && actualErr != c.stderrText) {
    report << "standard error differs:\n" << showDiff(scratch, "stderr", c.stderrText, actualErr);
    failed = true;
  }
  std::set<std::string> expectedNames = inputNames;
  for (const auto& [name, text] : c.files) {
    expectedNames.insert(name);
    bool ok = false;
    const std::string actual = readFile(work + "/" + name, &ok);
    if (!ok) {
      report << "file " << name << " was not written\n";
      failed = true;
    } else if (actual != text) {
      report << "file " << name << " differs:\n" << showDiff(scratch, "file", text, actual);
      failed = true;
    }
  }
  for (const auto& name : listDirectory(work)) {
    if (!expectedNames.count(name)) {
      report << "unexpected file written: " << name << "\n";
      failed = true;
    }
  }
  if (failed) {
    std::cout << "FAIL " << casePath << "\n" << report.str();
    if (!c.checkStderr && !actualErr.empty()) std::cout << "standard error was:\n" << actualErr;
  }
  removeTree(scratch);
  return failed ? 1 : 0;
}
