#include "fuzz_support.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "front/option_table.h"
#include "front/procedure_writer.h"
#include "front/run_state.h"
#include "front/script_handlers.h"
#include "regmodel/emi23_config_reader.h"
#include "regmodel/emi4_config_reader.h"

namespace varda::fuzz {

int recordedCalls = 0;

namespace {

std::string scratch;  // absolute path of the scratch directory

void removeEntries(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return;
  while (dirent* entry = readdir(d)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = dir + "/" + name;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
      removeEntries(path);
      rmdir(path.c_str());
    } else {
      unlink(path.c_str());
    }
  }
  closedir(d);
}

void removeScratch() {
  if (scratch.empty()) return;
  removeEntries(scratch);
  rmdir(scratch.c_str());
}

int recordCall(std::optional<std::string>, std::optional<std::string>, varda::options::Selector) {
  ++recordedCalls;
  return options::kContinue;
}

// -p: in read mode the real handler only keeps the procedure name.
int procedureOrRecord(std::optional<std::string> name, std::optional<std::string> value,
                      varda::options::Selector selector) {
  if (selector.isSet() && front::settings().readMode) {
    return front::runScriptOrProcedure(std::move(name), std::move(value), selector);
  }
  return recordCall(std::move(name), std::move(value), selector);
}

// -io writes its file at once: names that leave the scratch directory are
// only recorded.
options::OptionHandler realWritePokes = nullptr;
int writePokesInScratch(std::optional<std::string> name, std::optional<std::string> value,
                        varda::options::Selector selector) {
  if (value && value->find('/') == std::string::npos && realWritePokes != nullptr) {
    return realWritePokes(std::move(name), std::move(value), selector);
  }
  return recordCall(std::move(name), std::move(value), selector);
}

std::vector<options::OptionRecord> makeSafeTable() {
  const auto table = front::mainTable();
  std::vector<options::OptionRecord> rows(table.begin(), table.end());
  for (options::OptionRecord& row : rows) {
    const std::string_view name = row.name != nullptr ? row.name : "";
    if (row.kind == options::OptionKind::kBareWord || name == "i" || name == "iro") {
      row.handler = recordCall;
    } else if (name == "p") {
      row.handler = procedureOrRecord;
    } else if (name == "io") {
      realWritePokes = row.handler;
      row.handler = writePokesInScratch;
    }
  }
  return rows;
}

std::string absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char* cwd = getcwd(nullptr, 0);
  if (cwd == nullptr) return path;
  std::string result = std::string(cwd) + "/" + path;
  std::free(cwd);
  return result;
}

// The fuzzer reads its arguments after LLVMFuzzerInitialize returns, and
// keeps writing to the corpus and artifact paths while it runs: paths given
// relative to where it was started must still name the same files once the
// working directory is the scratch directory. Rewrites the corpus paths and
// the path-valued flags to absolute paths.
void makeArgumentPathsAbsolute(int* argc, char*** argv) {
  static std::vector<std::string> texts;
  static std::vector<char*> pointers;
  constexpr std::string_view kPathFlags[] = {
      "-artifact_prefix=", "-exact_artifact_path=", "-dict=",
      "-features_dir=",    "-merge_control_file=",  "-data_flow_trace="};
  if (argc == nullptr || argv == nullptr) return;
  texts.assign(*argv, *argv + *argc);
  for (std::size_t i = 1; i < texts.size(); ++i) {
    std::string& arg = texts[i];
    if (arg.empty()) continue;
    if (arg[0] != '-') {
      arg = absolute(arg);
      continue;
    }
    for (const std::string_view flag : kPathFlags) {
      if (arg.compare(0, flag.size(), flag) == 0) arg = std::string(flag) + absolute(arg.substr(flag.size()));
    }
  }
  pointers.clear();
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  *argv = pointers.data();
}

// The file the writer just wrote is in the grammar the poke-file readers
// accept: read back with the reader of the generation it was written for,
// it gives no error. That holds when the lines are the fixed form: the poke
// command word is "poke" and the procedure name is one token on a line that
// fits a reader's 255-character piece. A file the writer did not write (it
// could not open it, or refused the configuration) is not checked.
void checkWrittenFile(const std::string& path) {
  const front::RunSettings& run = front::settings();
  const std::string procName = run.procName.c_str();  // what "%s" writes
  constexpr std::size_t kLongestName = 255 - std::string_view("proc  {\n").size();
  if (run.pokeCommand != "poke" || procName.empty() || procName.size() > kLongestName ||
      procName.find_first_of("\r\n\t {};") != std::string::npos || procName[0] == '#') {
    return;
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  std::vector<std::uint32_t> registers(32, 0);
  std::vector<std::uint32_t> extras(16, 0);
  bool read = false;
  if (run.emiGeneration == 4) {
    regmodel::Emi4ConfigReader reader("varda");
    reader.setBase(run.emi4Base);
    read = reader.readPokeFile(registers, extras, path);
  } else {
    regmodel::Emi23ConfigReader reader("varda");
    read = reader.readPokeFile(registers, extras, path);
  }
  if (!read) {
    std::fprintf(stderr, "varda fuzz: the written file %s does not read back\n", path.c_str());
    std::abort();
  }
}

}  // namespace

void enterScratchDirectory(int* argc, char*** argv) {
  makeArgumentPathsAbsolute(argc, argv);
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/varda-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
    std::perror("varda fuzz: scratch directory");
    std::abort();
  }
  scratch = pattern;
  std::atexit(removeScratch);
  if (std::getenv("VARDA_FUZZ_OUTPUT") == nullptr && std::freopen("/dev/null", "w", stdout) == nullptr) {
    std::abort();
  }
  if (std::freopen("/dev/null", "r", stdin) == nullptr) std::abort();
}

void clearScratchDirectory() { removeEntries(scratch); }

void writeFile(const std::string& name, std::string_view bytes) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::span<const options::OptionRecord> safeMainTable() {
  static const std::vector<options::OptionRecord> rows = makeSafeTable();
  return rows;
}

void startInput() {
  front::resetRunState();
  recordedCalls = 0;
  clearScratchDirectory();
}

void finishWriteRun() {
  const front::RunSettings& run = front::settings();
  if (run.exitAfterOptions || run.readMode) return;
  if (run.outputFile && run.outputFile->find('/') != std::string::npos) return;
  if (run.outputFile) std::remove(run.outputFile->c_str());
  front::writeConfiguration(run.outputFile);
  std::fflush(stdout);
  if (run.outputFile) checkWrittenFile(*run.outputFile);
}

std::vector<std::string_view> splitInput(std::string_view data, std::string_view separator,
                                         std::size_t maxParts) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < maxParts) {
    const std::size_t at = data.find(separator);
    if (at == std::string_view::npos) break;
    parts.push_back(data.substr(0, at));
    data.remove_prefix(at + separator.size());
  }
  parts.push_back(data);
  return parts;
}

bool namesEndlessFile(std::string_view data) {
  for (const std::string_view dir : {"/dev", "/proc", "/sys"}) {
    if (data.find(dir) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace varda::fuzz
