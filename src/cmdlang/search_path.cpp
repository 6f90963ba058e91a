#include "cmdlang/search_path.h"

#include <algorithm>
#include <cstdlib>

#include "cmdlang/interp.h"
#include "support/info.h"
#include "support/platform.h"

namespace varda::cmdlang {
namespace {

/// Joins a directory and a name (ENGINEERING: "/" on POSIX).
constexpr char kSeparator = '/';
constexpr std::size_t kMaxPath = 1024;

/// Opens `path`; a directory that opens counts as not found.
std::FILE* openFile(const std::string& path, const char* mode) {
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (f != nullptr && support::isDirectory(f)) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

}  // namespace

void resetSearchPath(Interp& in) {
  in.searchPath->directories.clear();
  const char* root = std::getenv("QX40ROOT");
  if (root == nullptr) return;
  for (const char* name : {"stdcfg", "lib", "include"})
    addSearchDirectory(in, std::string(root) + kSeparator + name);
}

void addSearchDirectory(Interp& in, std::string directory) {
  // The message comes first, also for a directory already in the list.
  if ((in.eng.trace & 2) != 0) support::info("Adding \"%s\" to search path\n", directory.c_str());
  std::vector<std::string>& directories = in.searchPath->directories;
  if (std::find(directories.begin(), directories.end(), directory) != directories.end()) return;
  // The list is full at 1023 entries: a further directory is left out
  // without a message, and the ones already there are still searched.
  if (directories.size() >= SearchPath::kMaxEntries) return;
  directories.push_back(std::move(directory));
}

std::FILE* openSearched(Interp& in, const std::string& name, std::string* found, const char* mode) {
  std::FILE* f = openFile(name, mode);
  if (f != nullptr) {
    if (found != nullptr) *found = name;
    return f;
  }
  for (const std::string& directory : in.searchPath->directories) {
    std::string path = directory + kSeparator + name;
    if (path.size() >= kMaxPath) continue;
    f = openFile(path, mode);
    if (f != nullptr) {
      if (found != nullptr) *found = std::move(path);
      return f;
    }
  }
  return nullptr;
}

}  // namespace varda::cmdlang
