#pragma once

#include <cstdio>
#include <memory>

namespace varda::support {

/// Closes a C stream; the deleter of FilePtr.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

/// An open C stream that is closed when its owner goes, however it goes.
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

/// Opens `path` as std::fopen does; empty when that fails.
inline FilePtr openFile(const char* path, const char* mode) { return FilePtr(std::fopen(path, mode)); }

/// Closes the stream now, for a caller that reports a failed close; true when
/// std::fclose succeeded. The pointer is empty afterwards.
inline bool closeFile(FilePtr& file) { return std::fclose(file.release()) == 0; }

}  // namespace varda::support
