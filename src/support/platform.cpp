#include "support/platform.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

namespace varda::support {

namespace {

constexpr std::size_t kPieceSize = 255;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t wholeHugePages(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

void* mapLarge(std::size_t bytes) {
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

void askHugePages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  ::madvise(block, bytes, MADV_HUGEPAGE);  // advice only: without it the block still works
#else
  (void)block;
  (void)bytes;
#endif
}

}  // namespace

void* newPoolBlock(std::size_t bytes) {
  if (bytes == kPoolPage)
    if (void* block = std::aligned_alloc(kPoolPage, kPoolPage)) {
      askHugePages(block, kPoolPage);
      return block;
    }
  return ::operator new(bytes);
}

namespace {

void closeBoth(int fds[2]) {
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace

int runCommand(const std::string& commandLine, const std::function<void(std::string_view)>& piece) {
  // The child's input is a pipe whose writing end is closed at once: a
  // command that reads its input sees its end instead of waiting for ever.
  int input[2];
  int output[2];
  if (::pipe(input) != 0) return 1;
  if (::pipe(output) != 0) {
    closeBoth(input);
    return 1;
  }
  const pid_t child = ::fork();
  if (child < 0) {
    // No process of our own: the C library runs it, its output not captured.
    closeBoth(input);
    closeBoth(output);
    return std::system(commandLine.c_str());
  }
  if (child == 0) {
    ::dup2(input[0], STDIN_FILENO);
    ::dup2(output[1], STDOUT_FILENO);
    ::dup2(output[1], STDERR_FILENO);
    closeBoth(input);
    closeBoth(output);
    ::execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  closeBoth(input);
  ::close(output[1]);
  char buffer[kPieceSize];
  for (;;) {
    const ssize_t n = ::read(output[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    piece(std::string_view(buffer, static_cast<std::size_t>(n)));
  }
  ::close(output[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return -1;
  // A child ended by a signal reports 128 + the signal, as the shell does.
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

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

std::size_t stackSize() {
  static const std::size_t size = [] {
    constexpr std::size_t kDefault = 8 * 1024 * 1024;
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kDefault;
    return static_cast<std::size_t>(limit.rlim_cur);
  }();
  return size;
}

void* resizeBlock(void* block, std::size_t oldBytes, std::size_t newBytes) {
  const bool wasLarge = block != nullptr && oldBytes >= kLargeBlock;
  if (newBytes < kLargeBlock) {
    if (!wasLarge) return std::realloc(block, newBytes);
    void* small = std::malloc(newBytes);
    if (small == nullptr) return nullptr;
    std::memcpy(small, block, newBytes);
    ::munmap(block, wholeHugePages(oldBytes));
    return small;
  }
  const std::size_t mapped = wholeHugePages(newBytes);
  void* grown = nullptr;
  if (wasLarge) {
    grown = ::mremap(block, wholeHugePages(oldBytes), mapped, MREMAP_MAYMOVE);
    if (grown == MAP_FAILED) return nullptr;
  } else {
    grown = mapLarge(mapped);
    if (grown == nullptr) return nullptr;
    if (block != nullptr) {
      std::memcpy(grown, block, oldBytes < newBytes ? oldBytes : newBytes);
      std::free(block);
    }
  }
  askHugePages(grown, mapped);
  return grown;
}

void freeBlock(void* block, std::size_t bytes) {
  if (block == nullptr) return;
  if (bytes >= kLargeBlock)
    ::munmap(block, wholeHugePages(bytes));
  else
    std::free(block);
}

}  // namespace varda::support
