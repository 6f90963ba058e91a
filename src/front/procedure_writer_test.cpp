#include "front/procedure_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "front/option_run_test_util.h"

namespace varda::front {
namespace {

class ProcedureWriter : public testing::OptionRunTest {
 protected:
  /// writeProcedure into a temporary stream: the text written and what was printed.
  static std::pair<std::string, std::string> procedure() {
    std::FILE* stream = std::tmpfile();
    ::testing::internal::CaptureStdout();
    writeProcedure(stream);
    std::string printed = ::testing::internal::GetCapturedStdout();
    std::rewind(stream);
    std::string text;
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) text += static_cast<char>(c);
    std::fclose(stream);
    return {text, printed};
  }

  static std::string writeTo(const std::optional<std::string>& path) {
    ::testing::internal::CaptureStdout();
    writeConfiguration(path);
    return ::testing::internal::GetCapturedStdout();
  }
};

TEST_F(ProcedureWriter, GenerationTwoSdramWarningComesOnlyFromTheShownProcedure) {
  run("-chip 7021 -type S -bank 1 -type D -chip 7023");
  bankManager().countBankTypes();
  EXPECT_EQ(procedure().second,
            "varda: Warning: option -type SDRAM not supported by chip 7023\n"
            "varda: Warning: EMI should not support both DRAM and SDRAM\n");
  EXPECT_EQ(writeTo("never-written.cfg"), "varda: Error: type SDRAM not supported by chip 7023\n");
  EXPECT_FALSE(std::ifstream("never-written.cfg").good());
}

TEST_F(ProcedureWriter, ThreeEmi4SdramBanksAreTooMany) {
  run("-chip 7027 -type S -bank 1 -type S");
  bankManager().countBankTypes();
  EXPECT_EQ(procedure().second, "");
  run("-bank 5 -type S");
  bankManager().countBankTypes();
  EXPECT_EQ(procedure().second, "varda: Warning: No more than two banks should support SDRAM\n");
}

TEST_F(ProcedureWriter, MissingPathIsAnErrorOnlyOutsideInteractiveAndReadMode) {
  EXPECT_EQ(writeTo(std::nullopt), "varda: Error: no output file given\n");
  settings().interactive = 1;
  EXPECT_EQ(writeTo(std::nullopt), "");
}

TEST_F(ProcedureWriter, WrittenFileCountsBanksAndPreparesRegistersFirst) {
  run("-chip 7021 -bank 1 -type S");
  const std::string path = ::testing::TempDir() + "procedure_writer_test.cfg";
  EXPECT_EQ(writeTo(path), "");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  EXPECT_NE(text.str().find("  poke 0x00002058   0x0000\n\n  poke 0x00002060   0x0001\n\n}\n"), std::string::npos)
      << text.str();
}

}  // namespace
}  // namespace varda::front
