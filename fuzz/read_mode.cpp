// Fuzz target: read mode on arbitrary configuration procedures, then the
// parameters file it writes run back through the interpreter.
//
// Input: an option line, a line feed, then the read file. The option line
// runs as the arguments of an emi command (chip, -p, -proc-name, ...); the
// rest is written to in.cfg, which is then read as -read in.cfg does:
// runReadFile finds the procedure, runs it in the interpreter with the poke
// sink set, and decodes the pokes; writeParameters writes the parameters
// file. A new run (fresh front end and interpreter) then includes that file
// as a script, so its emi lines set the configuration again, and writes the
// configuration procedure (checked to read back by its reader).
//
// The interpreter is confined (tool_harness.h); where the tool would end the
// process (exitRun, fatal errors) the input ends instead.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "front/parameters_writer.h"
#include "front/read_back_state.h"
#include "front/read_mode.h"
#include "front/run_state.h"
#include "fuzz_support.h"
#include "tool_harness.h"

namespace {

using varda::front::settings;

/// The parameters file's name, when writing it stays in the scratch directory.
std::optional<std::string> parametersFile() {
  const auto& run = settings();
  std::string name =
      run.outputFile ? *run.outputFile : varda::front::readBackState().procName.value_or("") + ".dat";
  if (name.find('/') != std::string::npos) return std::nullopt;
  return name;
}

/// The content of `name` (empty when it cannot be read).
std::string readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  varda::fuzz::installEndHooks();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return -1;  // long inputs only slow the search down
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (varda::fuzz::namesEndlessFile(input)) return -1;
  const auto parts = varda::fuzz::splitInput(input, "\n", 2);
  std::optional<std::string> written;
  try {
    varda::fuzz::startToolInput();
    varda::fuzz::writeFile("in.cfg", parts.size() > 1 ? parts[1] : std::string_view());
    // An option line that fails ends the run as an emi line does.
    varda::fuzz::runToolStatement("emi " + std::string(parts[0]) + "\n");
    varda::fuzz::runToolStatement("emi -read in.cfg\n");
    if (settings().readMode && settings().readFile) {
      varda::front::runReadFile();
      written = parametersFile();
      if (written) varda::front::writeParameters(varda::front::readBackState(), written);
    }
  } catch (const varda::fuzz::RunEnded&) {
  }
  if (written) {
    try {
      // The parameters file as a script of a new run: its emi lines apply.
      const std::string script = readFile(*written);
      varda::fuzz::startToolInput();
      varda::fuzz::writeFile("params.cl", script);
      if (varda::fuzz::runToolStatement("include params.cl\n")) varda::fuzz::finishWriteRun();
    } catch (const varda::fuzz::RunEnded&) {
    }
  }
  varda::fuzz::clearScratchDirectory();
  return 0;
}
