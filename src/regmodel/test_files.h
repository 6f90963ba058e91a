#pragma once

// Test helpers: temporary files with given contents, and captured output.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <unistd.h>

namespace varda::regmodel::testing {

/// A file in the system's temporary directory, removed when it goes.
class TempFile {
 public:
  explicit TempFile(std::string_view contents) {
    static int counter = 0;
    path_ = (std::filesystem::temp_directory_path() /
             ("regmodel_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter)))
                .string();
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::fclose(file);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() { std::remove(path_.c_str()); }

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

/// Runs body with standard output captured and returns what it printed.
template <typename Body>
std::string captureStdout(Body&& body) {
  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  body();
  std::fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

/// Text written to a FILE* by body (an in-memory stream).
template <typename Body>
std::string captureStream(Body&& body) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* stream = ::open_memstream(&buffer, &size);
  body(stream);
  std::fclose(stream);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

}  // namespace varda::regmodel::testing
