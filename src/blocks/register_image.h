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

/// EMI2/3 chip-wide words.
inline constexpr std::uint32_t kEmi23DramInitWord = 16;
inline constexpr std::uint32_t kEmi23PadlogicWord = 19;

}  // namespace varda::blocks
