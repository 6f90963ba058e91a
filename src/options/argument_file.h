#pragma once

#include <span>
#include <string_view>

#include "options/option_record.h"
#include "options/parser_state.h"

namespace varda::options {

/// How deep argument files may name further argument files. A file opened
/// below this depth is reported as a failure of that file, so a file that
/// names itself (directly or through others) ends instead of recursing.
inline constexpr int kMaxArgumentFileDepth = 64;

/// How many argument files one outermost argument file may bring in, itself
/// and every file it names at any depth counted each time it is read. Files
/// beyond it are reported like files nested too deep. Without it, a short
/// chain of files each naming the next twice would be read an exponential
/// number of times (n files, 2^n reads) and never end.
inline constexpr int kMaxArgumentFilesRead = 1000;

/// Reads the argument file `path` line by line and parses every line that
/// does not start with "#" on its own with parseOptionString. Returns kStop
/// when a line fails; when the file cannot be opened or read (or is nested
/// too deep, or one too many) returns what the table's kArgumentFile callback
/// answers for the file name; otherwise kContinue.
int readArgumentFile(ParserState& state, CaseMode mode, std::string_view path,
                     std::span<const OptionRecord> table);

}  // namespace varda::options
