#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varda::front {

/// The process-wide settings that option handlers set and the writers read.
struct RunSettings {
  bool exitAfterOptions = false;            // help, version or usage printed: end after parsing
  bool interactive = false;                 // the interactive loop has started; never cleared
  bool readMode = false;                    // -read given; cleared once the parameters file is written
  std::optional<std::string> outputFile;    // -o; the parameters file in read mode
  std::string procName = "configEmi";       // procedure name written by the writer
  std::string pokeCommand = "poke";         // command word in front of each register line
  int currentBank = 0;                      // bank the parameter options apply to
  int chipNumber = 0;                       // 0: no chip, or the last -chip value was not recognised
  std::string chipName = "default";         // the text given to -chip
  std::optional<std::string> readProcName;  // procedure to run from the read file
  int emiGeneration = 2;                    // 2, 3 or 4
  int regNum = 0;                           // bank register 0..3 for -regvalue
  std::uint32_t emi4Base = 0;               // address of EMI4.VCR
  std::uint32_t lockRegOffset = 0x20;       // EMI4.LOCK offset, for the bank-locked warning
  std::uint32_t lockedBanks = 0;            // bit n: EMI4 bank n is locked
  std::optional<std::string> readFile;      // poke file named by -read, still to be read
  int emi4BankCount = 6;                    // 4 or 6
  int lastParseResult = 0;                  // last interactive or emi option line
};

}  // namespace varda::front
