#pragma once

#include <cstdio>
#include <string>

namespace varda::front {

// Read mode: a configuration procedure run back into register words, and the
// current configuration shown as parameters.

/// Runs readFile (RunSettings) and fills the run's read-back state: finds the
/// procedure (readProcName, or the one "proc" of the file; none ends the run
/// with status 1), captures its pokes in a temporary file and decodes them.
void runReadFile();

/// Shows the current configuration as parameter lines on `out`: writes the
/// configuration procedure to a temporary file and decodes it with a fresh
/// read-back state.
void showCurrentParameters(std::FILE* out);

/// Prints the words of the run's read-back state that a read wrote.
void dumpReadBackWords();

}  // namespace varda::front
