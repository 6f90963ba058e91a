#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace varda::front {

/// Writes the configuration procedure to `path`; with no path, reports the
/// missing output file (outside interactive and read mode). Ends the process
/// first when help, version or usage text was printed.
void writeConfiguration(const std::optional<std::string>& path);

/// Writes the head of the file, the register lines of the current
/// generation and the closing brace to `stream`, then prints the consistency
/// warnings. The stream stays open.
void writeProcedure(std::FILE* stream);

/// Counts the banks, prepares the registers and writes the procedure to
/// standard output.
void showConfiguration();

}  // namespace varda::front
