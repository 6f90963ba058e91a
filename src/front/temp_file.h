#pragma once

#include <string>

namespace varda::front {

/// A file in the system's temporary directory, named "t<process id>_" and a
/// unique suffix, created exclusively and removed when the object goes.
class TempFile {
 public:
  /// Creates the file (empty); path() stays empty when that fails.
  TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile();

  /// Removes the file now (the destructor then does nothing).
  void remove();

  bool created() const { return !path_.empty(); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;  ///< empty when no file was created or it was removed
};

/// Removes every temporary file that is still there: a run that ends early
/// (exitRun) leaves none behind.
void removeTempFiles();

}  // namespace varda::front
