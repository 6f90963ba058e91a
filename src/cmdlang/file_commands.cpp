#include "cmdlang/file_commands.h"

#include "cmdlang/interp.h"

namespace varda::cmdlang {

FileTable::~FileTable() {
  for (OpenFile& f : entries) std::fclose(f.stream);
}

OpenFile* FileTable::find(const std::string& name) {
  for (OpenFile& f : entries)
    if (f.name == name) return &f;
  return nullptr;
}

void fopenCommand(Interp&, std::uint32_t) {}
void fcloseCommand(Interp&, std::uint32_t) {}
void fgetsCommand(Interp&, std::uint32_t) {}
void fputsCommand(Interp&, std::uint32_t) {}
void fwriteCommand(Interp&, std::uint32_t) {}
void fappendCommand(Interp&, std::uint32_t) {}
void freadCommand(Interp&, std::uint32_t) {}
void feofCommand(Interp&, std::uint32_t) {}
void rewindCommand(Interp&, std::uint32_t) {}

}  // namespace varda::cmdlang
