#include "cmdlang/search_path.h"

#include "cmdlang/interp.h"

namespace varda::cmdlang {

void resetSearchPath(Interp& in) { in.searchPath->directories.clear(); }

void addSearchDirectory(Interp& in, std::string directory) {
  in.searchPath->directories.push_back(std::move(directory));
}

std::FILE* openSearched(Interp&, const std::string& name, std::string* found, const char* mode) {
  std::FILE* f = std::fopen(name.c_str(), mode);
  if (f != nullptr && found != nullptr) *found = name;
  return f;
}

}  // namespace varda::cmdlang
