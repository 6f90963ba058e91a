#include "regmodel/poke_file_reader.h"

#include "regmodel/poke_tokenizer.h"
#include "support/file_ptr.h"
#include "support/format.h"

namespace varda::regmodel {

bool PokeFileReader::readPokeFile(std::span<std::uint32_t> registers, std::span<std::uint32_t> extras,
                                  const std::string& path) {
  errorSeen_ = false;
  clearSeen();
  support::FilePtr file = support::openFile(path.c_str(), "r");
  if (!file) {
    errorSeen_ = true;
    support::out("%s: Error: cannot open read file\n", programName_.c_str());
  } else {
    readPokeLines(file.get(), registers, extras);
    if (!support::closeFile(file)) {
      // Only printed: the result stays what the lines gave.
      support::out("%s: Error: cannot close read file\n", programName_.c_str());
    }
  }
  lineNumber_ = 0;
  return !errorSeen_;
}

void PokeFileReader::readPokeLines(std::FILE* file, std::span<std::uint32_t> registers,
                                   std::span<std::uint32_t> extras) {
  PokeLineReader lines(file);
  std::string line;
  while (lines.next(line)) {
    ++lineNumber_;
    if (!readPokeLine(line, registers, extras)) {
      errorSeen_ = true;
      return;
    }
  }
}

bool PokeFileReader::readPokeLine(std::string_view line, std::span<std::uint32_t> registers,
                                  std::span<std::uint32_t> extras) {
  // Order of the tests: empty line, "proc", comment, "poke", then address,
  // value, store and trailing text. The first failing test names the error.
  TokenCursor tokens(line);
  const std::optional<std::string_view> first = tokens.next();
  if (!first) return true;
  if (*first == "proc") {
    if (tokens.next()) return true;
    lineError("%s: Error reading configuration file: missing procedure name at line: %d\n");
    return false;
  }
  if (first->front() == '#') return true;
  if (*first != "poke") {
    lineError("%s: Error reading configuration file: unrecognized token at line:%d\n");
    return false;
  }

  const std::optional<std::string_view> addressToken = tokens.next();
  if (!addressToken) {
    lineError("%s: Error reading configuration file: missing register address at line:%d\n");
    return false;
  }
  // An address token that gives no number matches no register (found at the store).
  const std::uint64_t address = convertNumber(*addressToken).value_or(kTooWide);

  const std::optional<std::string_view> valueToken = tokens.next();
  if (!valueToken) {
    lineError("%s: Error reading configuration file: missing register value at line:%d\n");
    return false;
  }
  const std::optional<std::uint64_t> value = convertValue(*valueToken);
  if (!value || !valueFits(*value)) {
    lineError("%s: Error reading configuration file: not a valid register value at line:%d\n");
    return false;
  }

  if (storePoke(address, *value, registers, extras) == StoreResult::kWrongAddress) return false;

  // The value is stored even when the line then has extra characters. A value
  // the store refused (and reported) still gets this test.
  if (tokens.next(TokenCursor::kTrailingSeparators)) {
    lineError("%s: Error reading configuration file: extra characters at line: %d\n");
    return false;
  }
  return true;
}

bool PokeFileReader::readProcedureName(const std::string& path, std::string& name) {
  support::FilePtr file = support::openFile(path.c_str(), "r");
  if (!file) {
    support::out("%s: Error: cannot open read file %s\n", programName_.c_str(), path.c_str());
    return false;
  }
  bool found = false;
  PokeLineReader lines(file.get());
  std::string line;
  while (lines.next(line)) {
    ++lineNumber_;
    TokenCursor tokens(line);
    const std::optional<std::string_view> first = tokens.next();
    if (!first || *first != "proc") continue;  // only "proc" lines matter in this pass
    const std::optional<std::string_view> procedure = tokens.next();
    if (!procedure) {
      lineError("%s: Error reading configuration file: missing procedure name at line: %d\n");
      found = false;
      break;
    }
    if (!name.empty()) {
      lineError("%s: Error reading configuration file: unexpected second procedure name at line: %d\n");
      found = false;
      break;
    }
    name = std::string(*procedure);
    found = true;
  }
  lineNumber_ = 0;
  if (!support::closeFile(file)) {
    support::out("%s: Error: cannot close read file %s\n", programName_.c_str(), path.c_str());
    return false;
  }
  return found;
}

void PokeFileReader::lineError(const char* format) {
  support::out(format, programName_.c_str(), lineNumber_);
}

}  // namespace varda::regmodel
