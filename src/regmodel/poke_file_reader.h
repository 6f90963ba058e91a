#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace varda::regmodel {

/// The part of a poke-file reader that both EMI generations share: the line
/// loop with its messages, and the procedure-name pass.
///
/// The two generations differ only in their register tables and value limit,
/// which the derived readers supply through three small hooks. Keeping the
/// loop here (rather than deriving the EMI4 reader from the EMI2/3 one) gives
/// each reader only its own `seen` flags and one tokenizer for both.
/// Messages go to standard output and begin with the program name.
class PokeFileReader {
 public:
  explicit PokeFileReader(std::string programName) : programName_(std::move(programName)) {}
  virtual ~PokeFileReader() = default;

  /// Reads a poke file into the two word arrays; true when read without error.
  bool readPokeFile(std::span<std::uint32_t> registers, std::span<std::uint32_t> extras,
                    const std::string& path);
  /// Finds the one "proc" name of a file: true with name set, or false. name must be empty.
  bool readProcedureName(const std::string& path, std::string& name);

  bool errorSeen() const { return errorSeen_; }
  int lineNumber() const { return lineNumber_; }

 protected:
  /// What storing one poke came to.
  enum class StoreResult {
    kStored,        ///< the value is in its array
    kRefused,       ///< a message was printed and the error flag set; the read goes on
    kWrongAddress,  ///< unknown or repeated address: the read stops
  };

  /// Clears every `seen` flag (start of every read).
  virtual void clearSeen() = 0;
  /// Whether a converted value is one the generation's registers can take.
  virtual bool valueFits(std::uint64_t value) const = 0;
  /// Stores one poke, printing its own messages (wrong address, refused value).
  virtual StoreResult storePoke(std::uint64_t address, std::uint64_t value,
                                std::span<std::uint32_t> registers, std::span<std::uint32_t> extras) = 0;

  /// Prints "<message head> at line...": format has "%s" for the program name
  /// and "%d" for the current line number.
  void lineError(const char* format);
  void setErrorSeen() { errorSeen_ = true; }

 private:
  // Runs the lines of an open file; stops at the first line that ends the read.
  void readPokeLines(std::FILE* file, std::span<std::uint32_t> registers, std::span<std::uint32_t> extras);
  // One line: false when it ends the read.
  bool readPokeLine(std::string_view line, std::span<std::uint32_t> registers,
                    std::span<std::uint32_t> extras);

  std::string programName_;  ///< first "%s" of every message
  bool errorSeen_ = false;   ///< the current read reported an error
  int lineNumber_ = 0;       ///< lines (pieces) read in this pass; 0 between passes
};

}  // namespace varda::regmodel
