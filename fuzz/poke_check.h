#pragma once
// Shared by the poke-file reader targets: reads one file twice with the same
// reader and checks what must hold for any input.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace varda::fuzz {

/// The word the front end puts in every array slot before a read.
inline constexpr std::uint32_t kNotRead = 0xb2d05e00u;

/// The two word arrays of one read, exactly as large as the reader may use,
/// so that a write past their end is a heap overflow the sanitizer reports.
struct PokeWords {
  std::vector<std::uint32_t> registers;
  std::vector<std::uint32_t> extras;
  bool read = false;  // readPokeFile read the file without error
};

/// Reads `path` into fresh arrays of the given sizes.
template <class Reader>
PokeWords readWords(Reader& reader, const std::string& path, std::size_t registerWords,
                    std::size_t extraWords) {
  PokeWords words{std::vector<std::uint32_t>(registerWords, kNotRead),
                  std::vector<std::uint32_t>(extraWords, kNotRead), false};
  words.read = reader.readPokeFile(words.registers, words.extras, path);
  return words;
}

/// Checks that hold for every file: reading it again with the same reader
/// gives the same result and words (the flags of one read do not leak into
/// the next); the line count is back at 0 after each pass; a procedure name
/// found is a non-empty token. Returns the words of the first read.
template <class Reader>
PokeWords checkReader(Reader& reader, const std::string& path, std::size_t registerWords,
                      std::size_t extraWords) {
  const PokeWords first = readWords(reader, path, registerWords, extraWords);
  if (reader.lineNumber() != 0) std::abort();
  if (first.read == reader.errorSeen()) std::abort();
  const PokeWords second = readWords(reader, path, registerWords, extraWords);
  if (second.read != first.read || second.registers != first.registers || second.extras != first.extras) {
    std::abort();
  }
  std::string name;
  const bool found = reader.readProcedureName(path, name);
  if (reader.lineNumber() != 0) std::abort();
  if (found && (name.empty() || name.find_first_of("\r\n\t {}") != std::string::npos)) std::abort();
  return first;
}

}  // namespace varda::fuzz
