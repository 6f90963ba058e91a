// Fuzz target: arbitrary command-language source parsed and run by a fresh
// interpreter, twice per input: once as one text, once line by line on one
// interpreter (state carried from line to line, as interactive statements).
//
// The interpreter is confined as the tool's targets confine theirs (see
// tool_harness.h): `sys` starts no process, the commands that create, remove,
// rename or write files, or change directory, only touch entries of the
// scratch directory, and an operation budget and a throwing fatal hook end
// runs that would go on for ever or too deep.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cmdlang/interp.h"
#include "fuzz_support.h"
#include "tool_harness.h"

namespace {

using varda::cmdlang::Interp;

void start(Interp& in) {
  in.initsearchpath();
  in.clinitialise([](std::string_view) {}, nullptr, nullptr);
  varda::fuzz::confineInterpreter(in);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  varda::fuzz::enterScratchDirectory(argc, argv);
  varda::fuzz::installEndHooks();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return -1;  // long inputs only slow the search down
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    Interp in;
    start(in);
    in.parseandexecute(text);
  } catch (const varda::fuzz::RunEnded&) {
  }
  try {
    Interp in;
    start(in);
    std::size_t from = 0;
    while (from < text.size()) {
      std::size_t to = text.find('\n', from);
      to = to == std::string_view::npos ? text.size() : to + 1;
      in.parseandexecute(text.substr(from, to - from));
      from = to;
    }
  } catch (const varda::fuzz::RunEnded&) {
  }
  varda::fuzz::clearScratchDirectory();
  return 0;
}
