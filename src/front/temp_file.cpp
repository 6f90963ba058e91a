#include "front/temp_file.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "support/format.h"

namespace varda::front {
namespace {

/// The paths of the temporary files alive now.
std::vector<std::string>& livePaths() {
  static std::vector<std::string> paths;
  return paths;
}

}  // namespace

TempFile::TempFile() {
  std::error_code error;
  std::filesystem::path directory = std::filesystem::temp_directory_path(error);
  if (error) directory = "/tmp";
  const std::string pattern =
      (directory / support::format("t%u_XXXXXX", static_cast<unsigned>(::getpid()))).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkstemp creates the file exclusively, so no other process can have it.
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return;
  ::close(fd);
  path_ = name.data();
  livePaths().push_back(path_);
}

TempFile::~TempFile() { remove(); }

void TempFile::remove() {
  if (path_.empty()) return;
  std::remove(path_.c_str());
  std::vector<std::string>& live = livePaths();
  std::erase(live, path_);
  path_.clear();
}

void removeTempFiles() {
  for (const std::string& path : livePaths()) std::remove(path.c_str());
  livePaths().clear();
}

}  // namespace varda::front
