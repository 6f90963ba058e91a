#pragma once

// Helpers for the read-mode tests: files written and read back whole, and a
// read-back state filled by hand (text written to a stream comes from the
// register-model test helpers).

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

#include "front/parameters_writer.h"
#include "front/read_back_state.h"
#include "regmodel/test_files.h"

namespace varda::front::testing {

using regmodel::testing::captureStream;

inline std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

/// A read-back state holding the given bank and chip words (index, word);
/// every other word unset.
inline ReadBackState stateWith(std::initializer_list<std::pair<int, std::uint32_t>> bankWords,
                               std::initializer_list<std::pair<int, std::uint32_t>> chipWords = {}) {
  ReadBackState state;
  for (const auto& [index, word] : bankWords) state.bankWords[static_cast<std::size_t>(index)] = word;
  for (const auto& [index, word] : chipWords) state.chipWords[static_cast<std::size_t>(index)] = word;
  return state;
}

/// The parameter lines of `state`, as writeParameterLines writes them.
inline std::string parameterLines(ReadBackState& state) {
  return captureStream([&](std::FILE* stream) {
    state.out = stream;
    writeParameterLines(state);
    state.out = stdout;
  });
}

}  // namespace varda::front::testing
