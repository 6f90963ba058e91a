#include "front/procedure_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "front/option_run_test_util.h"
#include "front/run_state.h"

namespace varda::front {
namespace {

using ProcedureWriter = testing::OptionRunTest;

// An SDRAM bank kept from generation 3 on a generation-2 chip: the shown
// procedure warns and is written, the output file is refused.
TEST_F(ProcedureWriter, GenerationTwoSdramWarningComesOnlyFromTheShownProcedure) {
  run("-chip 7021 -type S -bank 1 -type D -chip 7023");
  bankManager().countBankTypes();
  std::FILE* stream = std::tmpfile();
  ::testing::internal::CaptureStdout();
  writeProcedure(stream);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "varda: Warning: option -type SDRAM not supported by chip 7023\n"
            "varda: Warning: EMI should not support both DRAM and SDRAM\n");
  EXPECT_GT(std::ftell(stream), 0);
  std::fclose(stream);

  ::testing::internal::CaptureStdout();
  writeConfiguration("never-written.cfg");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "varda: Error: type SDRAM not supported by chip 7023\n");
  EXPECT_FALSE(std::ifstream("never-written.cfg").good());
}

}  // namespace
}  // namespace varda::front
