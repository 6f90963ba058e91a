#include "cmdlang/lexer.h"

#include <gtest/gtest.h>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

TEST(Lexer, Placeholder) { SUCCEED(); }

}  // namespace
}  // namespace varda::cmdlang
