#include "cmdlang/compiler.h"

#include <gtest/gtest.h>

#include "cmdlang/test_util.h"

namespace varda::cmdlang {
namespace {

TEST(Grammar, Placeholder) { SUCCEED(); }

}  // namespace
}  // namespace varda::cmdlang
