#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace varda::cmdlang {

struct Interp;

/// One file a script opened by name.
struct OpenFile {
  std::string name;  // as the script gave it
  char mode;         // 'r', 'w' or 'a'
  std::FILE* stream;
};

/// The files scripts have open, newest first. Files still open when the
/// table goes are closed then.
struct FileTable {
  FileTable() = default;
  FileTable(const FileTable&) = delete;
  FileTable& operator=(const FileTable&) = delete;
  ~FileTable();

  OpenFile* find(const std::string& name);
  std::vector<OpenFile> entries;
};

// The file commands' handlers.
void fopenCommand(Interp& in, std::uint32_t word);
void fcloseCommand(Interp& in, std::uint32_t word);
void fgetsCommand(Interp& in, std::uint32_t word);
void fputsCommand(Interp& in, std::uint32_t word);
void fwriteCommand(Interp& in, std::uint32_t word);
void fappendCommand(Interp& in, std::uint32_t word);
void freadCommand(Interp& in, std::uint32_t word);
void feofCommand(Interp& in, std::uint32_t word);
void rewindCommand(Interp& in, std::uint32_t word);

}  // namespace varda::cmdlang
