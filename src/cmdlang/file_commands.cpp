#include "cmdlang/file_commands.h"

#include <cstring>
#include <optional>

#include "cmdlang/command_support.h"
#include "cmdlang/interp.h"
#include "cmdlang/number_syntax.h"
#include "support/format.h"

namespace varda::cmdlang {
namespace {

constexpr std::size_t kFreadLine = 255;

[[noreturn]] void fileError(Interp& in, const char* fmt, const std::string& name) {
  in.raiseerror(kFileError, support::format(fmt, name.c_str()));
}

OpenFile& openEntry(Interp& in, const std::string& name) {
  OpenFile* f = in.files->find(name);
  if (f == nullptr) fileError(in, "file \"%s\" is not open", name);
  return *f;
}

OpenFile& addEntry(Interp& in, std::string name, char mode, std::FILE* stream) {
  std::vector<OpenFile>& entries = in.files->entries;
  return *entries.insert(entries.begin(), OpenFile{std::move(name), mode, stream});  // newest first
}

/// Drops the line feed ending `line`, and a carriage return before it, so
/// that files written with carriage-return line feeds read the same.
void dropLineEnd(std::string& line) {
  if (!line.empty() && line.back() == '\n') {
    line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
}

/// fwrite and fappend: open when not open, then the texts with one blank between.
void writeTexts(Interp& in, const char* mode) {
  const int count = in.argumentcount();
  if (count < 2) in.raiseerror(kArgumentsNeeded);
  const std::string name = in.argumentstring(1);
  OpenFile* f = in.files->find(name);
  if (f == nullptr) {
    std::FILE* stream = std::fopen(name.c_str(), mode);
    if (stream == nullptr) fileError(in, "file \"%s\" is not open", name);
    f = &addEntry(in, name, mode[0], stream);
  }
  for (int i = 2; i <= count; ++i) {
    const std::string text = in.argumentstring(i);
    std::fprintf(f->stream, i > 2 ? " %s" : "%s", text.c_str());
  }
  std::fflush(f->stream);
}

}  // namespace

FileTable::~FileTable() {
  for (OpenFile& f : entries) std::fclose(f.stream);
}

OpenFile* FileTable::find(const std::string& name) {
  for (OpenFile& f : entries)
    if (f.name == name) return &f;
  return nullptr;
}

void fopenCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 2) in.raiseerror(kArgumentsNeeded);
  const std::string name = in.argumentstring(1);
  const std::string mode = in.argumentstring(2);
  if (mode != "r" && mode != "w" && mode != "a") fileError(in, "invalid file access mode \"%s\"", mode);
  if (const OpenFile* f = in.files->find(name)) {
    if (f->mode != mode[0]) fileError(in, "file \"%s\" is already open in a different mode", name);
    return in.setresultint(0);
  }
  std::FILE* stream = std::fopen(name.c_str(), mode.c_str());
  if (stream == nullptr) return in.setresultint(-1);
  addEntry(in, name, mode[0], stream);
  in.setresultint(0);
}

void fcloseCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  if (count < 1) in.raiseerror(kArgumentsNeeded);
  for (int i = 1; i <= count; ++i) {
    const std::string name = in.argumentstring(i);
    OpenFile& f = openEntry(in, name);
    const int closed = std::fclose(f.stream);
    std::vector<OpenFile>& entries = in.files->entries;
    entries.erase(entries.begin() + (&f - entries.data()));
    in.setresultint(closed == 0 ? 0 : -1);
  }
}

void fgetsCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() < 1) in.raiseerror(kArgumentsNeeded);
  const std::string name = in.argumentstring(1);
  const OpenFile& f = openEntry(in, name);
  if (f.mode == 'w') fileError(in, "file \"%s\" is open for write only", name);
  if (f.mode == 'a') fileError(in, "file \"%s\" is open for append only", name);
  if (f.mode != 'r') in.raiseerror(kInternalError, "file with unknown mode");
  std::string line;
  for (int c; (c = std::fgetc(f.stream)) != EOF;) {
    line += static_cast<char>(c);
    if (c == '\n') break;
  }
  if (std::ferror(f.stream) != 0) fileError(in, "while reading from \"%s\"", name);
  dropLineEnd(line);
  in.setresultstring(line);
}

void fputsCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  if (count < 2) in.raiseerror(kArgumentsNeeded);
  const std::string name = in.argumentstring(1);
  const OpenFile& f = openEntry(in, name);
  if (f.mode == 'r') fileError(in, "file \"%s\" is open for read only", name);
  if (f.mode != 'w' && f.mode != 'a') in.raiseerror(kInternalError, "file with unknown mode");
  for (int i = 2; i <= count; ++i) {
    const std::string text = in.argumentstring(i);
    if (!text.empty() && std::fputs(text.c_str(), f.stream) == EOF)
      fileError(in, "while writing to \"%s\"", name);
  }
  if (std::fflush(f.stream) != 0) fileError(in, "while writing to \"%s\"", name);
}

void fwriteCommand(Interp& in, std::uint32_t) { writeTexts(in, "w"); }
void fappendCommand(Interp& in, std::uint32_t) { writeTexts(in, "a"); }

void freadCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 2) in.raiseerror(kArgumentsNeeded);
  const std::string name = in.argumentstring(1);
  const std::string variable = in.argumentstring(2);
  if (variable.find_first_of("(){}=-+/~!") != std::string::npos ||
      (!variable.empty() && variable[0] >= '0' && variable[0] <= '9'))
    in.raiseerror(kUnknownName, "invalid variable");
  OpenFile* f = in.files->find(name);
  if (f == nullptr) {
    std::FILE* stream = std::fopen(name.c_str(), "r+");
    if (stream == nullptr) fileError(in, "file \"%s\" is not open", name);
    f = &addEntry(in, name, 'r', stream);
  }
  char buffer[kFreadLine + 1];
  if (std::fgets(buffer, sizeof buffer, f->stream) == nullptr) return in.setresultint(0);
  std::string line(buffer, std::strlen(buffer));
  dropLineEnd(line);
  // The assignment runs as a statement of its own at the outermost level, so
  // it sets a global. Its success is not looked at: the line was read.
  ExecutionPoint point(in);
  if (const std::optional<std::int32_t> n = parsenumber(line, true))
    in.parseandexecute(support::format("%s = %s\n", variable.c_str(), decimal(*n).c_str()));
  else
    in.parseandexecute(support::format("%s = \"%s\"\n", variable.c_str(), line.c_str()));
  in.setresultint(1);
}

void feofCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  const OpenFile& f = openEntry(in, in.argumentstring(1));
  in.setresultint(std::feof(f.stream) != 0 ? 1 : 0);
}

void rewindCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  const OpenFile& f = openEntry(in, in.argumentstring(1));
  if (f.mode != 'r') in.raiseerror(kFileError, "can only rewind files open for reading");
  std::rewind(f.stream);
}

}  // namespace varda::cmdlang
