#pragma once
// Shared by the fuzz targets: a private scratch directory to run in, quiet
// standard output, the main option table made safe to call in a loop, and
// helpers to cut one input into several parts.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "options/option_record.h"

namespace varda::fuzz {

/// Creates a private directory under the system's temporary directory, makes
/// it the working directory (so files written by -o, -io or argument-file
/// tests land there) and removes it at exit. Standard output goes to
/// /dev/null unless VARDA_FUZZ_OUTPUT is set; standard input reads from
/// /dev/null, so a nested -i (interactive mode inside interactive mode) sees
/// the end of input at once. Call once, from LLVMFuzzerInitialize, with its
/// arguments: relative paths among them (corpus directories, -artifact_prefix=,
/// -dict=, ...) are made absolute first, so they keep naming the same files.
void enterScratchDirectory(int* argc, char*** argv);

/// Removes everything the previous input left in the scratch directory.
void clearScratchDirectory();

/// Writes `bytes` to the file `name` in the working directory.
void writeFile(const std::string& name, std::string_view bytes);

/// A copy of the main option table in which the rows whose handlers end the
/// process or run the interpreter are replaced by a recorder that counts the
/// call and goes on:
///  - bare words (they run scripts in the interpreter and end the run on error),
///  - -p outside read mode (runs a procedure; in read mode the real handler
///    only keeps the name and is called),
///  - -i (reads standard input until q),
///  - -iro (runs a read file through the interpreter);
/// and -io, which writes its file at once, is only recorded for a file name
/// that leaves the scratch directory.
/// Every other row, the special rows included, keeps its real handler.
std::span<const options::OptionRecord> safeMainTable();

/// How many times the recorder of safeMainTable() was called since the last reset.
extern int recordedCalls;

/// Resets the front end's global state (run settings, bank manager, read-back
/// state) and the recorder, and clears the scratch directory: the start of
/// every input.
void startInput();

/// What the program does after parsing when it neither stopped nor entered
/// read mode: writes the configuration procedure to the output file (help and
/// version runs end before it). Output paths that leave the scratch directory
/// (any "/") are not written. The written file must then read back without
/// error through the poke-file reader of its generation (when its lines are
/// the reader's fixed form: poke command word "poke", a one-token procedure
/// name); the process aborts when it does not.
void finishWriteRun();

/// `data` cut at every occurrence of `separator` (which is dropped); at most
/// `maxParts` parts, the last one keeping the rest.
std::vector<std::string_view> splitInput(std::string_view data, std::string_view separator,
                                         std::size_t maxParts);

/// True when the input names a device or process file system path: such a
/// file may never end (/dev/zero, /dev/stdin) and is not an input the tool
/// could be blamed for. Targets skip these inputs.
bool namesEndlessFile(std::string_view data);

}  // namespace varda::fuzz
