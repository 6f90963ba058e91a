#include "front/procedure_writer.h"

#include "front/bank_manager.h"
#include "front/entry.h"
#include "front/run_state.h"
#include "front/tool_info.h"
#include "support/file_ptr.h"
#include "support/format.h"

namespace varda::front {
namespace {

using support::out;

constexpr const char* kHashLine =
    "##############################################################################";

void writeHead(std::FILE* stream, const std::string& procName) {
  std::fprintf(stream, "\n%s\n##\n## EMI configuration file \n##\n%s\n\n", kHashLine, kHashLine);
  std::fprintf(stream, "proc %s {\n\n", procName.c_str());
}

}  // namespace

// Order: stop after help or version output, count the banks (the missing-file
// and generation-2 checks need the counts), refuse before creating the file,
// then prepare the derived registers and write.
void writeConfiguration(const std::optional<std::string>& path) {
  stopIfDone();
  BankManager& banks = bankManager();
  const RunSettings& run = settings();
  banks.countBankTypes();
  if (!path) {
    if (!run.interactive && !run.readMode) out("%s: Error: no output file given\n", kProgramName);
    return;
  }
  if (run.emiGeneration == 2 && banks.sdramBanks() >= 1) {
    out("%s: Error: type SDRAM not supported by chip %d\n", kProgramName, run.chipNumber);
    return;
  }
  support::FilePtr stream = support::openFile(path->c_str(), "w");
  if (!stream) {
    out("%s: Error: can't open file %s\n", kProgramName, path->c_str());
    return;
  }
  banks.prepareRegisters();
  writeProcedure(stream.get());
  if (!support::closeFile(stream)) out("%s: Error: closing %s\n", kProgramName, path->c_str());
}

void writeProcedure(std::FILE* stream) {
  BankManager& banks = bankManager();
  const RunSettings& run = settings();
  writeHead(stream, run.procName);
  if (run.emiGeneration == 4) {
    banks.emi4().emit(stream, run.emi4Base, run.emi4BankCount, run.pokeCommand);
  } else {
    banks.emi23().emit(stream, banks.sdramBanks(), run.pokeCommand);
  }
  // Consistency warnings, in this order.
  if (run.emiGeneration == 2 && banks.sdramBanks() >= 1) {
    out("%s: %s: option -%s %s not supported by chip %s\n", kProgramName, "Warning", "type", "SDRAM",
        run.chipName.c_str());
  }
  if (run.emiGeneration == 4 && banks.sdramBanks() >= 3) {
    out("%s: Warning: No more than two banks should support %s\n", kProgramName, "SDRAM");
  }
  if (banks.dramBanks() >= 1 && banks.sdramBanks() >= 1) {
    out("%s: %s: EMI should not support both DRAM and SDRAM\n", kProgramName, "Warning");
  }
}

void showConfiguration() {
  BankManager& banks = bankManager();
  banks.countBankTypes();
  banks.prepareRegisters();
  writeProcedure(stdout);
}

}  // namespace varda::front
