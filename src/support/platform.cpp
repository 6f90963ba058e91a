#include "support/platform.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace varda::support {

int runCommand(const std::string&, const std::function<void(std::string_view)>&) { return 1; }

bool currentDirectory(std::string* out, std::size_t limit) {
  std::string buffer(limit + 1, '\0');
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return false;
  buffer.resize(std::strlen(buffer.c_str()));
  *out = std::move(buffer);
  return true;
}

int changeDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0 ? 0 : -1; }
int makeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0 ? 0 : -1; }
int removeDirectory(const std::string& path) { return ::rmdir(path.c_str()) == 0 ? 0 : -1; }
int removeFile(const std::string& path) { return std::remove(path.c_str()) == 0 ? 0 : -1; }
int renameFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : -1;
}

bool isDirectory(std::FILE* stream) {
  struct stat st {};
  return ::fstat(::fileno(stream), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string systemErrorText() { return std::strerror(errno); }

}  // namespace varda::support
