#include "front/interactive.h"

#include <cstring>
#include <string>

#include "front/entry.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "options/option_record.h"
#include "support/format.h"

namespace varda::front {
namespace {

// A line is read in pieces of at most this many characters; each piece is
// parsed as a line of its own.
constexpr int kPieceLength = 99;

// An "-i" on an interactive line starts a loop inside the running one (a
// "q" then returns to the outer loop). Each level holds a stack frame, so the
// nesting is bounded: input made of "-i" lines must not exhaust the stack.
// Past this depth "-i" is refused with an error and the current loop goes on.
constexpr int kMaxNesting = 64;

void prompt() {
  support::out("> ");
  std::fflush(stdout);
}

}  // namespace

void runInteractiveLoop(std::FILE* input) {
  settings().interactive = true;
  prompt();
  char piece[kPieceLength + 1];
  while (std::fgets(piece, sizeof piece, input) != nullptr) {
    if (std::strcmp(piece, "q\n") == 0 || std::strcmp(piece, "quit\n") == 0) return;
    // A NUL byte in the input ends the text of this piece, as it does for fgets.
    parseOptionLine(std::string(piece));
    prompt();
  }
}

int enterInteractive(OptText, OptText, Selector) {
  int& nesting = runState().interactiveNesting;
  if (nesting >= kMaxNesting) {
    support::out("%s: Error: interactive mode nested more than %d levels deep\n", kProgramName, kMaxNesting);
    return options::kContinue;
  }
  ++nesting;
  runInteractiveLoop(stdin);
  --nesting;
  return options::kContinue;
}

}  // namespace varda::front
