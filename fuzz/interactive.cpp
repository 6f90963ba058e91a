// Fuzz target: the interactive loop (-i) on arbitrary standard input, then
// the configuration written as a run would write it after the loop.
//
// The input is standard input for the whole call, so a nested -i reads on in
// the same input as it does in a run, until its own "q".
//
// The loop parses its lines with the real main table, whose bare-word, -p and
// -iro handlers run the interpreter and may end the process. Inputs that
// would reach them are skipped (return -1) before anything runs: the target
// cuts the input into the loop's pieces and walks each piece's arguments the
// way the dispatcher does (see wouldEndTheRun). Argument files ("@name") are
// skipped too, since they may hold anything, even a file the input itself
// wrote with -io; and -io with a file name that leaves the scratch directory.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "front/interactive.h"
#include "front/option_table.h"
#include "fuzz_support.h"
#include "options/argument_splitter.h"
#include "options/name_match.h"

namespace {

using varda::options::OptionKind;
using varda::options::OptionRecord;

// The loop's fgets buffer: 99 characters and the terminator.
constexpr std::size_t kPieceLength = 99;

const OptionRecord* findOption(std::string_view text, varda::options::NameMatch& match) {
  for (const OptionRecord& row : varda::front::mainTable()) {
    if (row.kind == OptionKind::kEnd) break;
    if (row.name == nullptr) continue;
    if (row.kind != OptionKind::kFlag && row.kind != OptionKind::kValue && row.kind != OptionKind::kValueOnly)
      continue;
    match = varda::options::matchName(row.name, text, /*caseSensitive=*/true);
    if (match != varda::options::NameMatch::kNone) return &row;
  }
  return nullptr;
}

// Whether one piece, parsed as an option line, could call a handler that
// ends the process or names a file outside the scratch directory. Dispatch
// stops at the first invalid use, so the rest of the piece does not count.
bool pieceWouldEndTheRun(const std::string& piece) {
  const varda::options::SplitResult split = varda::options::splitArguments(piece);
  if (split.syntaxErrorAt) return false;
  const auto& args = split.args;
  for (std::size_t i = 0; i < args.size();) {
    const std::string& arg = args[i];
    if (arg.empty() || (arg[0] != '-' && arg[0] != '/')) return true;  // bare word or argument file
    varda::options::NameMatch match = varda::options::NameMatch::kNone;
    const OptionRecord* row = findOption(std::string_view(arg).substr(1), match);
    if (row == nullptr) return false;  // invalid use: the line stops here
    const bool joined = match == varda::options::NameMatch::kJoined;
    if (row->kind == OptionKind::kFlag) {
      if (joined) return false;
      ++i;
      continue;
    }
    std::string value;
    if (joined) {
      value = arg.substr(1 + std::strlen(row->name));
      ++i;
    } else {
      if (i + 1 >= args.size()) return false;
      value = args[i + 1];
      i += 2;
    }
    const std::string_view name = row->name;
    if (name == "p" || name == "iro") return true;
    if (name == "io" && value.find('/') != std::string::npos) return true;
  }
  return false;
}

// Cuts the input as the loop's fgets does and checks every piece. Nested
// loops read the same pieces in turn and the outer loops go on after an
// inner one's "q", so every piece but "q" and "quit" lines counts.
bool wouldEndTheRun(std::string_view input) {
  while (!input.empty()) {
    std::size_t length = std::min(kPieceLength, input.size());
    const std::size_t newline = input.substr(0, length).find('\n');
    if (newline != std::string_view::npos) length = newline + 1;
    const std::string_view raw = input.substr(0, length);
    input.remove_prefix(length);
    const std::string piece(raw.substr(0, raw.find('\0')));
    if (piece == "q\n" || piece == "quit\n") continue;
    if (pieceWouldEndTheRun(piece)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (wouldEndTheRun(input)) return -1;
  varda::fuzz::startInput();
  // fmemopen does not take an empty buffer: an empty input is an empty file.
  std::FILE* stream =
      size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "r") : std::fopen("/dev/null", "r");
  if (stream == nullptr) return 0;
  std::FILE* const savedStdin = stdin;
  stdin = stream;  // where a nested -i reads
  varda::front::runInteractiveLoop(stream);
  stdin = savedStdin;
  std::fclose(stream);
  varda::fuzz::finishWriteRun();
  return 0;
}
