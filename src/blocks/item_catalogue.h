#pragma once

// The item catalogue: every parameter item the blocks build, one table per
// block and generation. Columns: tag, name, type, min, max, default, shift,
// register bits. Row order is the order in which a block builds, checks,
// encodes and decodes its items: do not reorder rows.

#include <cstdint>

#include "blocks/item_row.h"

namespace varda::blocks::catalogue {

inline constexpr std::uint32_t kAll32 = 0xFFFFFFFF;

// Peripheral block (bank type code 2), common table, built for both generations.
// clang-format off
inline constexpr ItemRow kPeripheralCommon[] = {
    {1109, "CSactive",   2, 0, 3, 1, 0, R0(10, 9)},
    {1110, "OEactive",   2, 0, 3, 1, 0, R0(8, 7)},
    {1111, "BEactive",   2, 0, 3, 0, 0, R0(6, 5)},
    {1102, "PortSize",   2, 1, 3, 1, 0, R0(4, 3)},
    {1167, "DeviceType", 0, 1, 4, 1, 0, R0(2, 0)},
};
// clang-format on

// Peripheral block, EMI2/3 table.
// clang-format off
inline constexpr ItemRow kPeripheralEmi23[] = {
    {1104, "DataDriveDelay",  1, 0, 7,  5,  0, R0(15, 13)},
    {1105, "BusReleaseTime",  1, 0, 3,  2,  0, R0(12, 11)},
    {1108, "AccessTimeRead",  1, 2, 17, 10, 2, R1(15, 12)},
    {1112, "CSe1TimeRead",    1, 0, 3,  0,  0, R1(11, 10)},
    {1113, "CSe2TimeRead",    1, 0, 3,  0,  0, R1(9, 8)},
    {1116, "OEe1TimeRead",    1, 0, 3,  0,  0, R1(7, 6)},
    {1118, "OEe2TimeRead",    1, 0, 3,  0,  0, R1(5, 4)},
    {1122, "BEe1TimeRead",    1, 0, 3,  0,  0, R1(3, 2)},
    {1120, "BEe2TimeRead",    1, 0, 3,  0,  0, R1(1, 0)},
    {1107, "AccessTimeWrite", 1, 2, 17, 10, 2, R2(15, 12)},
    {1114, "CSe1TimeWrite",   1, 0, 3,  0,  0, R2(11, 10)},
    {1115, "CSe2TimeWrite",   1, 0, 3,  0,  0, R2(9, 8)},
    {1117, "OEe1TimeWrite",   1, 0, 3,  0,  0, R2(7, 6)},
    {1119, "OEe2TimeWrite",   1, 0, 3,  0,  0, R2(5, 4)},
    {1123, "BEe1TimeWrite",   1, 0, 3,  0,  0, R2(3, 2)},
    {1121, "BEe2TimeWrite",   1, 0, 3,  0,  0, R2(1, 0)},
    {1103, "LatchPoint",      2, 0, 2,  0,  0, R3(1, 0)},
};
// clang-format on

// Peripheral block, EMI4 table.
// clang-format off
inline constexpr ItemRow kPeripheralEmi4[] = {
    {1162, "WEuseOEconfig",       2, 0, 1,   0,  0, R0(26)},
    {1163, "WaitPolarity",        2, 0, 1,   0,  0, R0(25)},
    {1164, "LatchPointEMI4",      2, 0, 16,  0,  0, R0(24, 20)},
    {1165, "DataDriveDelayEMI4",  2, 0, 31,  10, 0, R0(19, 15)},
    {1166, "BusReleaseTimeEMI4",  2, 0, 15,  4,  0, R0(14, 11)},
    {1168, "CycleNotPhaseRead",   2, 0, 1,   0,  0, R1(31)},
    {1169, "AccessTimeReadEMI4",  2, 2, 127, 20, 2, R1(30, 24)},
    {1170, "CSe1TimeReadEMI4",    2, 0, 15,  0,  0, R1(23, 20)},
    {1171, "CSe2TimeReadEMI4",    2, 0, 15,  0,  0, R1(19, 16)},
    {1172, "OEe1TimeReadEMI4",    2, 0, 15,  0,  0, R1(15, 12)},
    {1173, "OEe2TimeReadEMI4",    2, 0, 15,  0,  0, R1(11, 8)},
    {1174, "BEe1TimeReadEMI4",    2, 0, 15,  3,  0, R1(7, 4)},
    {1175, "BEe2TimeReadEMI4",    2, 0, 15,  3,  0, R1(3, 0)},
    {1176, "CycleNotPhaseWrite",  2, 0, 1,   0,  0, R2(31)},
    {1177, "AccessTimeWriteEMI4", 2, 2, 127, 20, 2, R2(30, 24)},
    {1178, "CSe1TimeWriteEMI4",   2, 0, 15,  0,  0, R2(23, 20)},
    {1179, "CSe2TimeWriteEMI4",   2, 0, 15,  0,  0, R2(19, 16)},
    {1180, "OEe1TimeWriteEMI4",   2, 0, 15,  0,  0, R2(15, 12)},
    {1181, "OEe2TimeWriteEMI4",   2, 0, 15,  0,  0, R2(11, 8)},
    {1182, "BEe1TimeWriteEMI4",   2, 0, 15,  3,  0, R2(7, 4)},
    {1183, "BEe2TimeWriteEMI4",   2, 0, 15,  3,  0, R2(3, 0)},
    {1184, "Strobeonfalling",     2, 0, 1,   0,  0, R3(26)},
    {1185, "BurstSize",           2, 0, 6,   0,  0, R3(9, 7)},
    {1186, "Datalatency",         2, 0, 17,  2,  0, R3(6, 2)},
    {1187, "DataHoldDelay",       2, 0, 1,   0,  0, R3(1)},
    {1188, "BurstMode",           2, 0, 1,   0,  0, R3(0)},
};
// clang-format on

// SDRAM block (bank type code 1), common table, built for both generations.
// clang-format off
inline constexpr ItemRow kSdramCommon[] = {
    {1135, "ShiftAmount",  1, 7, 14,    8, 7, R0(7, 5)},
    {1137, "PortSize",     2, 1, 3,     1, 0, R0(4, 3)},
    {6,    "DeviceType",   0, 2, 2,     2, 0, R0(2, 0)},
    {1136, "DramBanks",    2, 0, 1,     1, 0, R3(3)},
    {1201, "SdramModeReg", 1, 0, 65535, 0, 0, MODE(31, 0)},
    {1145, "BurstType",    2, 0, 1,     0, 0, MODE(3)},
    {1146, "BurstLength",  1, 0, 7,     2, 0, MODE(2, 0)},
};
// clang-format on

// SDRAM block, EMI2/3 table.
// clang-format off
inline constexpr ItemRow kSdramEmi23[] = {
    {1126, "DataDriveDelay",    2, 0, 1,       0, 0, R0(13)},
    {1127, "BusReleaseTime",    2, 1, 2,       1, 1, R0(12)},
    {1139, "SubBanks",          2, 0, 2,       0, 0, R0(11, 10)},
    {1138, "SubBankSize",       2, 0, 3,       0, 0, R0(9, 8)},
    {1134, "RASBits",           1, 0, 8388607, 0, 0, split(R1(15, 0), R2(14, 8))},
    {1133, "PrechargeTime",     1, 1, 8,       2, 1, R2(7, 5)},
    {1132, "RefreshInterval",   1, 1, 16,      6, 1, R2(4, 1)},
    {1128, "ModeSetDelay",      2, 3, 4,       3, 3, R3(14)},
    {1131, "RefreshTime",       1, 1, 16,      3, 1, R3(13, 10)},
    {1140, "ActivateToRead",    1, 1, 4,       1, 1, R3(9, 8)},
    {1141, "ActivateToWrite",   1, 1, 4,       1, 1, R3(7, 6)},
    {1144, "WriteRecoveryTime", 2, 1, 3,       1, 0, R3(2, 1)},
    {1142, "CASLatency",        1, 1, 4,       2, 1, R3(5, 4)},
    {1147, "fake",              1, 0, 1,       0, 0, REG(16, 0)},
    {1143, "LatencyMode",       1, 1, 4,       2, 0, MODE(6, 4)},
};
// clang-format on

// SDRAM block, EMI4 table.
// clang-format off
inline constexpr ItemRow kSdramEmi4[] = {
    {1189, "Strobeonfalling",       1, 0, 1,       0, 0, R0(26)},
    {1190, "BusReleaseTimeEMI4",    1, 1, 4,       2, 1, R0(14, 13)},
    {1191, "SubBanksEMI4",          1, 0, 2,       0, 0, R0(12, 11)},
    {1192, "SubBankSizeEMI4",       1, 0, 4,       0, 0, R0(10, 8)},
    {1193, "RASbitsEMI4",           1, 0, 8388607, 0, 0, R1(22, 0)},
    {1194, "PrechargeTimeEMI4",     1, 1, 16,      2, 1, R2(7, 4)},
    {1195, "ModeSetDelayEMI4",      1, 3, 6,       3, 3, R3(19, 18)},
    {1196, "RefreshTimeEMI4",       1, 1, 32,      1, 1, R3(17, 13)},
    {1197, "ActivateToReadEMI4",    1, 1, 8,       2, 1, R3(12, 10)},
    {1198, "ActivateToWriteEMI4",   1, 1, 8,       2, 1, R3(9, 7)},
    {1199, "CASlatencyEMI4",        1, 1, 8,       2, 1, R3(6, 4)},
    {1202, "latencyModeEMI4",       1, 1, 8,       2, 0, MODE(6, 4)},
    {1200, "WriteRecoveryTimeEMI4", 1, 0, 7,       2, 0, R3(2, 0)},
    {1155, "fake0",                 1, 0, 1,       0, 0, REG(29, 0)},
    {1156, "fake1",                 1, 0, 1,       0, 0, REG(26, 0)},
};
// clang-format on

// DRAM block (bank type code 0), EMI2/3 only, one table.
// clang-format off
inline constexpr ItemRow kDram[] = {
    {1050, "DataDriveDelay",  2, 0, 1,       0, 0, R0(13)},
    {1084, "BusReleaseTime",  2, 1, 2,       1, 1, R0(12)},
    {1092, "SubBanks",        2, 0, 2,       0, 0, R0(11, 10)},
    {1096, "SubBankSize",     2, 0, 3,       0, 0, R0(9, 8)},
    {1098, "ShiftAmount",     1, 7, 14,      7, 7, R0(7, 5)},
    {1089, "PortSize",        2, 1, 3,       1, 0, R0(4, 3)},
    {6,    "DeviceType",      0, 0, 0,       0, 0, R0(2, 0)},
    {1088, "RASBits",         1, 0, 8388607, 0, 0, split(R1(15, 0), R2(14, 8))},
    {1091, "PrechargeTime",   1, 1, 8,       1, 1, R2(7, 5)},
    {1086, "RefreshInterval", 1, 1, 16,      1, 1, R2(4, 1)},
    {1085, "RefreshRASedge",  2, 0, 1,       0, 0, R2(0)},
    {1095, "RASTime",         2, 1, 2,       1, 1, R3(11)},
    {1097, "CASTime",         1, 2, 5,       2, 2, R3(10, 9)},
    {1100, "RASe1Time",       2, 1, 2,       1, 1, R3(8)},
    {1099, "RASe2Time",       1, 0, 3,       0, 0, R3(7, 6)},
    {1093, "CASe1Time",       1, 1, 4,       1, 1, R3(5, 4)},
    {1090, "CASe2Time",       1, 0, 3,       0, 0, R3(3, 2)},
    {1094, "Multibyte",       2, 0, 1,       0, 0, R3(1)},
    {1087, "LatchPoint",      2, 0, 1,       0, 0, R3(0)},
    {1147, "fake",            1, 0, 1,       0, 0, REG(16, 0)},
};
// clang-format on

// MPX block (bank type code 3), EMI4 only, one table.
// clang-format off
inline constexpr ItemRow kMpx[] = {
    {1148, "Strobeonfalling", 2, 0, 1,      0, 0, R0(26)},
    {1149, "WaitPolarity",    2, 0, 1,      1, 0, R0(25)},
    {1150, "ExtendedMPX",     2, 0, 1,      0, 0, R0(13)},
    {1151, "BusReleaseTime",  2, 0, 3,      0, 0, R0(12, 11)},
    {1152, "WaitStatesFrame", 1, 0, 3,      0, 0, R0(10, 9)},
    {1153, "WaitstatesRead",  2, 0, 7,      1, 0, R0(8, 6)},
    {1154, "WaitstatesWrite", 0, 0, 7,      2, 0, R0(5, 3)},
    {6,    "DeviceType",      2, 3, 3,      3, 0, R0(2, 0)},
    {1158, "LatchPoint1",     2, 0, kAll32, 0, 0, R1(31, 0)},
    {1158, "LatchPoint2",     2, 0, kAll32, 0, 0, R2(31, 0)},
    {1158, "LatchPoint3",     2, 0, kAll32, 0, 0, R3(31, 0)},
};
// clang-format on

// General-configuration block, EMI4 only (chip-wide).
// clang-format off
inline constexpr ItemRow kGencfg[] = {
    {0,    "CSAType",          0, 0, 1,    0, 0, REG(25, 0)},
    {1,    "CSBType",          0, 0, 1,    0, 0, REG(25, 1)},
    {2,    "CSCType",          0, 0, 1,    0, 0, REG(25, 2)},
    {3,    "CSDType",          0, 0, 1,    0, 0, REG(25, 3)},
    {4,    "EMIWait",          0, 0, 3,    0, 0, REG(25, 5, 4)},
    {5,    "Bank0AddShift",    0, 0, 1,    0, 0, REG(25, 6)},
    {7,    "Bank1AddShift",    0, 0, 1,    0, 0, REG(25, 7)},
    {8,    "Bank2AddShift",    0, 0, 1,    0, 0, REG(25, 8)},
    {9,    "Bank3AddShift",    0, 0, 1,    0, 0, REG(25, 9)},
    {10,   "Bank4AddShift",    0, 0, 1,    0, 0, REG(25, 10)},
    {11,   "Bank5Subdecode",   0, 0, 1,    0, 0, REG(25, 11)},
    {12,   "Bank5Subbanksize", 0, 0, 5,    0, 0, REG(25, 14, 12)},
    {13,   "EMIAckReq",        0, 0, 3,    0, 0, REG(25, 16, 15)},
    {14,   "EMIReqGnt",        0, 0, 3,    0, 0, REG(25, 18, 17)},
    {15,   "EMIIntBus",        0, 0, 1,    0, 0, REG(25, 19)},
    {16,   "BootInd",          0, 0, 1,    0, 0, REG(25, 20)},
    {17,   "DAck0",            0, 0, 1,    0, 0, REG(25, 21)},
    {18,   "DAck1",            0, 0, 1,    0, 0, REG(25, 22)},
    {1161, "EMI4statuscfg",    1, 0, 63,   0, 0, REG(22, 5, 0)},
    {1161, "EMI4statuslock",   1, 0, 63,   0, 0, REG(23, 5, 0)},
    {1161, "EMI4lock",         1, 0, 63,   0, 0, REG(24, 5, 0)},
    {1161, "EMI4refreshint",   1, 7, 4095, 8, 0, REG(30, 11, 0)},
    {1161, "EMI4flashclksel",  1, 0, 3,    2, 0, REG(31, 1, 0)},
    {1161, "EMI4sdramclksel",  1, 0, 3,    2, 0, REG(32, 1, 0)},
    {1161, "EMI4mpxclksel",    1, 0, 3,    2, 0, REG(33, 1, 0)},
    {1161, "EMI4clkenable",    1, 0, 1,    0, 0, REG(34, 0)},
};
// clang-format on

// Padlogic block, EMI2/3 only (chip-wide). "MemshiftBank3" is built twice,
// identically: lookups by tag 3 reach the first, decoding sets both.
// clang-format off
inline constexpr ItemRow kPadlogic[] = {
    {0,  "MemshiftBank0",        0, 0, 1, 0, 0, REG(19, 0)},
    {1,  "MemshiftBank1",        0, 0, 1, 0, 0, REG(19, 1)},
    {2,  "MemshiftBank2",        0, 0, 1, 0, 0, REG(19, 2)},
    {3,  "MemshiftBank3",        0, 0, 1, 0, 0, REG(19, 3)},
    {3,  "MemshiftBank3",        0, 0, 1, 0, 0, REG(19, 3)},
    {4,  "MPEG",                 0, 0, 1, 0, 0, REG(19, 4)},
    {5,  "MemWait",              2, 0, 1, 0, 0, REG(19, 5)},
    {7,  "Bank3subdecode7025",   0, 0, 1, 0, 0, REG(19, 6)},
    {9,  "SDRAMclkenable7025",   0, 0, 1, 0, 0, REG(19, 10)},
    {10, "SDRAMclktristate7025", 0, 0, 1, 0, 0, REG(19, 11)},
    {8,  "subbanksize7025",      2, 0, 5, 0, 0, REG(19, 9, 7)},
};
// clang-format on

}  // namespace varda::blocks::catalogue
