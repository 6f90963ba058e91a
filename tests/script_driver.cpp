// Runs command-language scripts the way varda runs the bare words of its
// command line: each file is included at the outermost level; the first
// failing statement prints the error report on standard output and ends the
// run with status 1. Interpreter output goes to standard error. The script
// cases under tests/script_cases run through it.
#include <cstdio>
#include <string>
#include <string_view>

#include "cmdlang/interp.h"
#include "support/format.h"
#include "support/program_name.h"

namespace {

using varda::cmdlang::Interp;

void toStandardError(std::string_view text) {
  std::fflush(stdout);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

/// One line of at most 511 characters from standard input.
bool fromStandardInput(std::string& line) {
  char buffer[512];
  if (std::fgets(buffer, sizeof buffer, stdin) == nullptr) return false;
  line = buffer;
  return true;
}

void runStatement(Interp& in, const std::string& text) {
  if (in.parseandexecute(text)) return;
  const auto& e = in.geterrorinfo();
  if (!e.file.empty())
    std::printf("%s: Error: file %s at line %d, %s\n%s", varda::support::kProgramName, e.file.c_str(), e.line,
                e.message.c_str(), e.trace.c_str());
  else
    std::printf("%s: Error: %s\n%s", varda::support::kProgramName, e.message.c_str(), e.trace.c_str());
  std::fflush(stdout);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  Interp in;
  in.initsearchpath();
  in.clinitialise(toStandardError, fromStandardInput, nullptr);
  for (int i = 1; i < argc; ++i) runStatement(in, varda::support::format("include %s\n", argv[i]));
  std::fflush(stdout);
  return 0;
}
