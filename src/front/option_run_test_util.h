#pragma once

// A fixture for the front end's unit tests: runs option lines through the
// main option table from a fresh run state and looks at what they printed and
// at the register images they left.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "blocks/memory_item.h"
#include "front/bank_manager.h"
#include "front/entry.h"
#include "front/run_state.h"

namespace varda::front::testing {

/// Starts every test from the state of a new process.
class OptionRunTest : public ::testing::Test {
 protected:
  void SetUp() override { resetRunState(); }
  void TearDown() override { resetRunState(); }

  /// Parses `line` as one option line and returns its standard output.
  static std::string run(const std::string& line) {
    ::testing::internal::CaptureStdout();
    parseOptionLine(line);
    return ::testing::internal::GetCapturedStdout();
  }

  /// Word `tag` of a freshly encoded register image of the current generation.
  static std::uint32_t word(std::uint32_t tag) {
    if (settings().emiGeneration == 4) {
      regmodel::Emi4RegisterSet& set = bankManager().emi4();
      blocks::RegisterImage image = set.newImage();
      set.encodeAll(image);
      return image[tag];
    }
    regmodel::Emi23RegisterSet& set = bankManager().emi23();
    blocks::RegisterImage image = set.newImage();
    set.encodeAll(image);
    return image[tag];
  }

  /// Value of the first item with `tag` in `bank` of the current generation
  /// (the chip-wide block for bank 4 on EMI2/3 and 6 on EMI4); 0xdeadbeef when missing.
  static std::uint32_t item(int bank, std::uint32_t tag) {
    const bool emi4 = settings().emiGeneration == 4;
    regmodel::RegisterSet& set = emi4 ? static_cast<regmodel::RegisterSet&>(bankManager().emi4())
                                      : static_cast<regmodel::RegisterSet&>(bankManager().emi23());
    const blocks::MemoryItem* found =
        bank == set.chipBank() ? set.findChipItem(tag) : set.findBankItem(bank, tag);
    return found == nullptr ? 0xdeadbeefu : found->value();
  }
};

}  // namespace varda::front::testing
