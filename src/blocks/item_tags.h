#pragma once

#include <cstdint>

// The item tags that code names, beside the catalogue that defines the items
// (item_catalogue.h). A tag addresses an item within one block; blocks of
// different types reuse numbers (9 is SDRAMclkenable7025 in the padlogic block
// and Bank3AddShift in the general-configuration block).

namespace varda::blocks::tag {

// Peripheral block, EMI2/3 table (the timing rules name these).
inline constexpr std::uint32_t kDataDriveDelay = 1104;
inline constexpr std::uint32_t kAccessTimeWrite = 1107;
inline constexpr std::uint32_t kAccessTimeRead = 1108;
inline constexpr std::uint32_t kCSe1TimeRead = 1112;
inline constexpr std::uint32_t kCSe2TimeRead = 1113;
inline constexpr std::uint32_t kCSe1TimeWrite = 1114;
inline constexpr std::uint32_t kCSe2TimeWrite = 1115;
inline constexpr std::uint32_t kOEe1TimeRead = 1116;
inline constexpr std::uint32_t kOEe1TimeWrite = 1117;
inline constexpr std::uint32_t kOEe2TimeRead = 1118;
inline constexpr std::uint32_t kOEe2TimeWrite = 1119;
inline constexpr std::uint32_t kBEe2TimeRead = 1120;
inline constexpr std::uint32_t kBEe2TimeWrite = 1121;
inline constexpr std::uint32_t kBEe1TimeRead = 1122;
inline constexpr std::uint32_t kBEe1TimeWrite = 1123;

// Peripheral block, EMI4 table.
inline constexpr std::uint32_t kWaitPolarity = 1163;
inline constexpr std::uint32_t kStrobeOnFalling = 1184;

// DRAM block (the timing rules name these).
inline constexpr std::uint32_t kDramDataDriveDelay = 1050;
inline constexpr std::uint32_t kCASe2Time = 1090;
inline constexpr std::uint32_t kCASe1Time = 1093;
inline constexpr std::uint32_t kCASTime = 1097;

// SDRAM block.
inline constexpr std::uint32_t kRefreshTime = 1131;
inline constexpr std::uint32_t kCasLatency = 1142;
inline constexpr std::uint32_t kLatencyMode = 1143;
inline constexpr std::uint32_t kBurstType = 1145;
inline constexpr std::uint32_t kBurstLength = 1146;
inline constexpr std::uint32_t kSdramStrobeOnFalling = 1189;
inline constexpr std::uint32_t kCasLatencyEmi4 = 1199;
inline constexpr std::uint32_t kSdramModeReg = 1201;
inline constexpr std::uint32_t kLatencyModeEmi4 = 1202;

// MPX block.
inline constexpr std::uint32_t kMpxStrobeOnFalling = 1148;
inline constexpr std::uint32_t kMpxWaitPolarity = 1149;

// Padlogic block (EMI2/3 chip-wide).
inline constexpr std::uint32_t kSdramClockEnable7025 = 9;
inline constexpr std::uint32_t kSdramClockTristate7025 = 10;

}  // namespace varda::blocks::tag
