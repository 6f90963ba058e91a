#include "options/argument_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "options/callback_records.h"
#include "options/option_parser.h"
#include "support/file_ptr.h"

namespace varda::options {

namespace {

/// What one attempt to read a line found.
enum class LineStatus {
  kLine,
  kEndOfFile,
  kReadError
};

// Reads one line of any length: pieces of up to 999 characters go into a
// buffer that grows by 1000 bytes until a line feed or the end of the file
// ends the line. The line keeps its line feed. A NUL byte ends the text of
// the line, as in a C string: what follows it is dropped up to the line feed,
// which still ends the line (it does not join the next line to this one).
// Throws std::bad_alloc when the buffer cannot grow.
LineStatus readLine(std::FILE* file, std::string& line) {
  constexpr std::size_t kPiece = 1000;
  std::size_t used = 0;
  bool cut = false;  // a NUL byte ended the text of this line
  while (true) {
    line.resize(used + kPiece);
    char* piece = line.data() + used;
    // Cleared first, so that a line feed found below is one this piece read.
    std::fill_n(piece, kPiece, '\0');
    if (std::fgets(piece, static_cast<int>(kPiece), file) == nullptr) {
      line.resize(used);
      if (std::ferror(file)) return LineStatus::kReadError;
      return used > 0 || cut ? LineStatus::kLine : LineStatus::kEndOfFile;
    }
    const char* lineFeed = static_cast<const char*>(std::memchr(piece, '\n', kPiece - 1));
    // Bytes fgets read: through the line feed, else a full piece (or less at
    // the end of the file, where the line ends anyway).
    const std::size_t read =
        lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - piece) + 1 : kPiece - 1;
    if (!cut) {
      const std::size_t length = std::strlen(piece);
      used += length;
      cut = length < read;
    }
    if (lineFeed != nullptr || std::feof(file)) {
      line.resize(used);
      return LineStatus::kLine;
    }
  }
}

/// Counts one argument file as open for as long as it is being read.
class DepthGuard {
 public:
  explicit DepthGuard(ParserState& state) : state_(state) { ++state_.openArgumentFiles; }
  ~DepthGuard() { --state_.openArgumentFiles; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  ParserState& state_;
};

}  // namespace

int readArgumentFile(ParserState& state, CaseMode mode, std::string_view path,
                     std::span<const OptionRecord> table) {
  // A file nested kMaxArgumentFileDepth (64) files deep counts as a file that
  // cannot be read: a file naming itself ends with the argument-file callback
  // for its name instead of exhausting the stack. So does the file after the
  // first kMaxArgumentFilesRead (1000) of one outermost file, which bounds
  // the work of files naming other files more than once.
  if (state.openArgumentFiles == 0) state.argumentFilesRead = 0;
  if (state.openArgumentFiles >= kMaxArgumentFileDepth || state.argumentFilesRead >= kMaxArgumentFilesRead) {
    return callSpecial(table, OptionKind::kArgumentFile, path);
  }
  ++state.argumentFilesRead;

  std::string name;
  std::string line;
  try {
    name.assign(path);
  } catch (const std::bad_alloc&) {
    return callOutOfMemory(table);
  }
  // Closed when reading ends, however it ends.
  const support::FilePtr file = support::openFile(name.c_str(), "r");
  if (!file) return callSpecial(table, OptionKind::kArgumentFile, path);

  const DepthGuard guard(state);
  while (true) {
    LineStatus status;
    try {
      status = readLine(file.get(), line);
    } catch (const std::bad_alloc&) {
      return callOutOfMemory(table);
    }
    if (status == LineStatus::kEndOfFile) return kContinue;
    if (status == LineStatus::kReadError) return callSpecial(table, OptionKind::kArgumentFile, path);
    if (!line.empty() && line[0] == '#') continue;  // comment line
    // Each line stands alone: an option and its value share one line.
    if (parseOptionString(state, mode, line, table) == 1) return kStop;
  }
}

}  // namespace varda::options
