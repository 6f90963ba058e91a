#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "blocks/bank_type.h"

namespace varda::front {

using blocks::BankType;

/// The register words that a read brought back, what was read, and where the
/// parameters decoded from them go.
///
/// Word layout (the readers' two arrays):
/// - EMI2/3: bankWords 0 to 15 bank b register r at 4*b + r (address
///   0x2000 + 4*word), 16 the DRAM initialisation register; chipWords the
///   registers at 0x2058, 0x205c, 0x2070 and 0x2064.
/// - EMI4: bankWords bank b register r at 4*b + r (banks 0 to 5); chipWords
///   the chip-wide registers at offsets 0x00 to 0x68 in offset order.
/// A word that a read did not write holds kUnset.
struct ReadBackState {
  static constexpr std::uint32_t kUnset = 0xb2d05e00;
  static constexpr std::size_t kBankWords = 25;
  static constexpr std::size_t kChipWords = 13;
  // Words of each generation that a read fills.
  static constexpr std::size_t kEmi23BankWords = 17;
  static constexpr std::size_t kEmi23ChipWords = 4;
  static constexpr std::size_t kEmi4BankWords = 25;
  static constexpr std::size_t kEmi4ChipWords = 13;

  /// Every word unset, nothing read, parameters to standard output.
  ReadBackState();

  /// Reads a file of the fixed poke form with the reader of the current EMI
  /// generation: the generation's words are set to kUnset first and EMI4
  /// records the base address in force. A failed read prints "read option
  /// file failure" (the words read before the failure stay). True when read
  /// without error.
  bool decodePokes(const std::string& tempFile);

  static bool isSet(std::uint32_t word) { return word != kUnset; }

  std::array<std::uint32_t, kBankWords> bankWords;  // bank registers (and EMI2/3 DRAM init)
  std::array<std::uint32_t, kChipWords> chipWords;  // chip-wide registers
  BankType bankClass = BankType::kNone;             // type of the bank being written
  bool fourBanks = false;                           // EMI4 file with banks 0 to 3 only
  std::uint32_t emi4Base = 0;                       // EMI4 base address when the file was read
  std::optional<std::string> sourceFile;            // file that was read; none: nothing read
  std::optional<std::string> procName;              // procedure whose pokes were read
  std::FILE* out;                                   // the parameters file, or standard output
};

/// Indices into ReadBackState::chipWords (not register-image words, which
/// blocks::image_word names).
namespace chip_word {
inline constexpr std::size_t kEmi23Mode = 0;         // 0x2058: SDRAM mode of banks 0, 2, 3
inline constexpr std::size_t kEmi23ModeBank1 = 1;    // 0x205c: SDRAM mode of bank 1
inline constexpr std::size_t kEmi23Padlogic = 2;     // 0x2070
inline constexpr std::size_t kEmi23Withdrawn = 3;    // 0x2064: no register of the set
inline constexpr std::size_t kEmi4Lock = 3;          // offset 0x20
inline constexpr std::size_t kEmi4Gencfg = 4;        // offset 0x28
inline constexpr std::size_t kEmi4Mode = 6;          // offset 0x38
inline constexpr std::size_t kEmi4Refresh = 8;       // offset 0x48
inline constexpr std::size_t kEmi4FlashClock = 9;    // offset 0x50
inline constexpr std::size_t kEmi4SdramClock = 10;   // offset 0x58
inline constexpr std::size_t kEmi4MpxClock = 11;     // offset 0x60
inline constexpr std::size_t kEmi4ClockEnable = 12;  // offset 0x68
}  // namespace chip_word

}  // namespace varda::front
