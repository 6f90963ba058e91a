#include "front/read_mode.h"

#include <memory>

#include "front/command_bridge.h"
#include "front/exit_run.h"
#include "front/parameters_writer.h"
#include "front/procedure_writer.h"
#include "front/read_back_state.h"
#include "front/run_state.h"
#include "front/temp_file.h"
#include "front/tool_info.h"
#include "regmodel/emi23_config_reader.h"
#include "regmodel/emi4_config_reader.h"
#include "support/file_ptr.h"
#include "support/format.h"

namespace varda::front {
namespace {

using support::out;

/// The name of the one procedure of `file`, found by the reader of the
/// current generation; the run ends with status 1 when there is none.
std::string procedureOf(const std::string& file) {
  std::unique_ptr<regmodel::PokeFileReader> reader;
  if (settings().emiGeneration == 4) {
    reader = std::make_unique<regmodel::Emi4ConfigReader>(kProgramName);
  } else {
    reader = std::make_unique<regmodel::Emi23ConfigReader>(kProgramName);
  }
  std::string name;
  if (!reader->readProcedureName(file, name)) exitRun(1);
  return name;
}

}  // namespace

void runReadFile() {
  RunSettings& run = settings();
  ReadBackState& state = readBackState();
  const std::string readFile = run.readFile.value_or("");
  if (!run.readProcName) run.readProcName = procedureOf(readFile);
  const std::string procName = *run.readProcName;
  state.procName = procName;

  TempFile temp;
  support::FilePtr sink = temp.created() ? support::openFile(temp.path().c_str(), "w") : nullptr;
  if (!sink) {
    out("%s: Error: cannot open temp read file\n", kProgramName);
    return;
  }
  std::fprintf(sink.get(), "proc %s {\n", procName.c_str());
  // The file's procedure runs in the interpreter with its pokes written to
  // the temporary file. A failing statement has printed its report: the
  // temporary file goes, then the run ends.
  setPokeSink(sink.get());
  const bool ran = tryStatement(support::format("include %s\n", readFile.c_str())) &&
                   tryStatement(support::format("%s\n", procName.c_str()));
  setPokeSink(nullptr);
  if (!ran) {
    sink.reset();
    temp.remove();
    exitRun(1);
  }
  std::fprintf(sink.get(), "}\n");
  if (!support::closeFile(sink)) out("%s: Error: cannot close temp read file\n", kProgramName);
  state.sourceFile = readFile;
  state.decodePokes(temp.path());
}

void showCurrentParameters(std::FILE* stream) {
  TempFile temp;
  if (!temp.created()) {
    // The writer would have nowhere to write: say so as a read would.
    out("%s: Error: cannot open temp read file\n", kProgramName);
    return;
  }
  writeConfiguration(temp.path());
  ReadBackState state;
  // The written procedure is parsed directly, not run.
  state.decodePokes(temp.path());
  state.out = stream;
  writeParameterLines(state);
}

void dumpReadBackWords() {
  const ReadBackState& state = readBackState();
  const bool emi4 = settings().emiGeneration == 4;
  const std::size_t bankWords = emi4 ? ReadBackState::kEmi4BankWords : ReadBackState::kEmi23BankWords;
  const std::size_t chipWords = emi4 ? ReadBackState::kEmi4ChipWords : ReadBackState::kEmi23ChipWords;
  // Words that keep the unset marker are left out of both lists.
  for (std::size_t i = 0; i < bankWords; ++i) {
    if (ReadBackState::isSet(state.bankWords[i])) {
      out("i =  %d, which contains 0x%x\n", static_cast<int>(i), static_cast<unsigned>(state.bankWords[i]));
    }
  }
  for (std::size_t j = 0; j < chipWords; ++j) {
    if (ReadBackState::isSet(state.chipWords[j])) {
      out("j =  %d, which contains 0x%x\n", static_cast<int>(j), static_cast<unsigned>(state.chipWords[j]));
    }
  }
}

}  // namespace varda::front
