#pragma once

#include <cstdint>

namespace varda::cmdlang {

/// Type codes of the language's values. `None` marks a variable that has no
/// type yet (never assigned); it never appears in a Value.
enum class Type : std::uint8_t {
  Int = 0,
  Text = 1,
  Object = 2,  // reserved: no operation accepts it
  Ref = 3,     // a variable reference, only on the operand stack
  Array = 4,
  None = 0xff,
};

/// Type name used in messages: "(int)", "(string)", "(array)" or "(...)".
const char* typeName(Type type);

}  // namespace varda::cmdlang
