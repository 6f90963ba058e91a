#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varda::blocks {

/// The register words of one EMI generation, indexed by register tag.
/// Made, cleared and filled inside one operation (encode, raw store, emit).
using RegisterImage = std::vector<std::uint32_t>;

/// Views of an image as encoding (writes) and decoding (reads) use it.
using ImageWords = std::span<std::uint32_t>;
using ConstImageWords = std::span<const std::uint32_t>;

inline constexpr std::size_t kEmi23ImageWords = 20;  ///< tags 0 to 19
inline constexpr std::size_t kEmi4ImageWords = 59;   ///< tags 21 to 58 used

/// Indices into a register image (register tags) that code names. Bank
/// registers: EMI2/3 bank b register r at 4*b + r; EMI4 at kEmi4FirstBank + 4*b + r.
namespace image_word {

// EMI2/3.
inline constexpr std::uint32_t kEmi23DramInit = 16;   ///< 0x2060
inline constexpr std::uint32_t kEmi23Mode = 17;       ///< 0x2058: SDRAM mode of banks 0, 2 and 3
inline constexpr std::uint32_t kEmi23ModeBank1 = 18;  ///< 0x205c: SDRAM mode of bank 1
inline constexpr std::uint32_t kEmi23Padlogic = 19;   ///< 0x2070

// EMI4 (offsets from the base address).
inline constexpr std::uint32_t kEmi4Vcr = 21;           ///< 0x00
inline constexpr std::uint32_t kEmi4StatusConfig = 22;  ///< 0x10
inline constexpr std::uint32_t kEmi4StatusLock = 23;    ///< 0x18
inline constexpr std::uint32_t kEmi4Lock = 24;          ///< 0x20
inline constexpr std::uint32_t kEmi4Gencfg = 25;        ///< 0x28
inline constexpr std::uint32_t kEmi4FirstInit = 26;     ///< 0x30
inline constexpr std::uint32_t kEmi4Mode = 27;          ///< 0x38 lower half: banks 0 and 2 to 5
inline constexpr std::uint32_t kEmi4ModeBank1 = 28;     ///< 0x38 upper half: bank 1
inline constexpr std::uint32_t kEmi4SecondInit = 29;    ///< 0x40
inline constexpr std::uint32_t kEmi4Refresh = 30;       ///< 0x48
inline constexpr std::uint32_t kEmi4FlashClock = 31;    ///< 0x50
inline constexpr std::uint32_t kEmi4SdramClock = 32;    ///< 0x58
inline constexpr std::uint32_t kEmi4MpxClock = 33;      ///< 0x60
inline constexpr std::uint32_t kEmi4ClockEnable = 34;   ///< 0x68
inline constexpr std::uint32_t kEmi4FirstBank = 35;     ///< 0x100: bank 0 register 0

}  // namespace image_word

}  // namespace varda::blocks
