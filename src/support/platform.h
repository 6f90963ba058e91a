#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace varda::support {

// The operating-system calls of the interpreter's commands, in one place so
// that another platform needs only another platform.cpp.

/// Runs `commandLine` through the shell with standard output and standard
/// error captured through one pipe; `piece` receives the output in pieces of
/// at most 255 bytes as it arrives. Returns the exit status; 1 when the pipe
/// cannot be made.
int runCommand(const std::string& commandLine, const std::function<void(std::string_view)>& piece);

/// The working directory; false when it cannot be read or is longer than `limit`.
bool currentDirectory(std::string* out, std::size_t limit);

// Each returns 0 on success, -1 on failure (the reason in errno).
int changeDirectory(const std::string& path);
int makeDirectory(const std::string& path);
int removeDirectory(const std::string& path);
int removeFile(const std::string& path);
int renameFile(const std::string& from, const std::string& to);

/// True when the open stream is a directory.
bool isDirectory(std::FILE* stream);

/// The system's text for the last failure (errno).
std::string systemErrorText();

/// The size of the main thread's stack: the soft stack limit, or 8 MiB
/// when it is unlimited or unknown (read once).
std::size_t stackSize();

/// Resizes a block that holds a large, growing array (nullptr and 0: a new
/// block); the contents up to the smaller size move with it. Blocks of
/// kLargeBlock bytes and more are mapped from the system in whole huge pages
/// with transparent huge pages asked for, so that filling one costs a page
/// fault per 2 MiB instead of per 4 KiB; smaller ones come from realloc.
/// Returns nullptr (the old block untouched) when the memory is not there.
void* resizeBlock(void* block, std::size_t oldBytes, std::size_t newBytes);
/// Gives a block of resizeBlock back.
void freeBlock(void* block, std::size_t bytes);
inline constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

/// A block of a memory pool, kept for the life of the program (never given
/// back). A block of kPoolPage bytes is aligned to its size and asked to be
/// backed by one huge page, where the system has them: a pool that holds
/// millions of small objects then takes a page fault per 2 MiB of them
/// instead of per 4 KiB. A failure is reported as operator new reports it.
void* newPoolBlock(std::size_t bytes);
inline constexpr std::size_t kPoolPage = std::size_t{2} << 20;

}  // namespace varda::support
