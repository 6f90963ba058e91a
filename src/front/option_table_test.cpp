#include "front/option_table.h"

#include <gtest/gtest.h>

#include <string>

namespace varda::front {
namespace {

// The parser takes the first row whose name is a prefix of the argument, so
// a row must never be shadowed by an earlier row whose name is its prefix.
TEST(OptionTable, NoRowIsShadowedByAnEarlierPrefix) {
  for (const OptionTable table : {mainTable(), helpTable("help-sdram"), helpTable("help-gencfg")}) {
    for (std::size_t later = 0; later < table.size(); ++later) {
      if (table[later].name == nullptr) continue;
      const std::string name = table[later].name;
      for (std::size_t earlier = 0; earlier < later; ++earlier) {
        if (table[earlier].name == nullptr) continue;
        EXPECT_NE(name.rfind(table[earlier].name, 0), 0u)
            << name << " is shadowed by " << table[earlier].name;
      }
    }
  }
}

}  // namespace
}  // namespace varda::front
