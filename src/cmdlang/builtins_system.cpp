#include <cstdio>
#include <cstdlib>
#include <string>

#include "cmdlang/arguments.h"
#include "cmdlang/builtins.h"
#include "cmdlang/interp.h"
#include "support/platform.h"

namespace varda::cmdlang {
namespace {

constexpr std::size_t kMaxCommandLine = 1024;
constexpr std::size_t kMaxDirectory = 1024;

/// A failed system call is printed (the system's text and a line feed), not raised.
int reported(Interp& in, int result) {
  if (result != 0) {
    const std::string reason = support::systemErrorText();
    in.output(reason);
    in.output("\n");
  }
  return result;
}

/// mkdir, rmdir, rm: each argument in turn; the last result counts.
void eachArgument(Interp& in, int (*operation)(const std::string&)) {
  const int count = in.argumentcount();
  if (count < 1) in.raiseerror(kArgumentsNeeded);
  int result = 0;
  for (int i = 1; i <= count; ++i) result = reported(in, operation(in.argumentstring(i)));
  in.setresultint(result);
}

/// Hands the child's output to the sink with every carriage return that is
/// followed by a line feed dropped, also when the two arrive in different
/// pieces: a carriage return ending a piece waits for the next one.
class CrLfFilter {
 public:
  explicit CrLfFilter(Interp& in) : in_(in) {}
  void piece(std::string_view bytes) {
    std::string out;
    if (heldCr_ && (bytes.empty() || bytes.front() != '\n')) out += '\r';
    heldCr_ = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r') {
        if (i + 1 == bytes.size()) {
          heldCr_ = true;
          continue;
        }
        if (bytes[i + 1] == '\n') continue;
      }
      out += bytes[i];
    }
    if (!out.empty()) in_.output(out);
  }
  void finish() {
    if (heldCr_) in_.output("\r");
    heldCr_ = false;
  }

 private:
  Interp& in_;
  bool heldCr_ = false;
};

}  // namespace

void cdCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  in.setresultint(reported(in, support::changeDirectory(in.argumentstring(1))));
}

void getenvCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  const char* value = std::getenv(in.argumentstring(1).c_str());
  in.setresultstring(value != nullptr ? value : "");
}

void mkdirCommand(Interp& in, std::uint32_t) { eachArgument(in, support::makeDirectory); }
void rmdirCommand(Interp& in, std::uint32_t) { eachArgument(in, support::removeDirectory); }
void rmCommand(Interp& in, std::uint32_t) { eachArgument(in, support::removeFile); }

void mvCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 2) in.raiseerror(kInvalidCommand, "incorrect number of arguments");
  in.setresultint(reported(in, support::renameFile(in.argumentstring(1), in.argumentstring(2))));
}

void pwdCommand(Interp& in, std::uint32_t) {
  std::int32_t quiet = 0;
  const ArgForm forms[] = {ArgForm{}};
  const ArgOption options[] = {{"q", &quiet}, {"quiet", &quiet}};
  matcharguments(in, forms, options);
  std::string directory;
  if (!support::currentDirectory(&directory, kMaxDirectory)) in.raiseerror(kInternalError, "getcwd failed");
  if (quiet == 0) {
    in.output(directory);
    in.output("\n");
  }
  in.setresultstring(directory);
}

void sysCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  if (count < 1) in.raiseerror(kArgumentsNeeded);
  std::string line;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) line += ' ';
    line += in.argumentstring(i);
  }
  if (line.size() >= kMaxCommandLine) in.raiseerror(kCommandError, "command line length > 1024 bytes");
  std::fflush(stdout);
  std::fflush(stderr);
  CrLfFilter filter(in);
  const int status = support::runCommand(line, [&](std::string_view bytes) { filter.piece(bytes); });
  filter.finish();
  in.setresultint(status);
}

}  // namespace varda::cmdlang
