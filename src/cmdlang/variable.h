#pragma once

#include <cstdint>
#include <memory>

#include "cmdlang/rc.h"
#include "cmdlang/text.h"
#include "cmdlang/type.h"

namespace varda::cmdlang {

class SymbolTable;

/// How an array element was reached: by '[key]' or by '.name'.
enum class ElementKind : std::uint8_t {
  Plain = 0,
  Subscript = 1,
  Member = 2,
};

/// A named variable: a table entry holding an integer, a text or an array.
/// Counted, so that a reference left on an operand stack keeps it alive after
/// its table let it go (it is then detached: no parent, no table).
struct Variable : RcHeader {
  bool defined = false;
  ElementKind elementKind = ElementKind::Plain;
  Type type = Type::None;
  std::int32_t intValue = 0;
  std::uint32_t hash = 0;      // hashName(name), set when a table takes it
  Variable* parent = nullptr;  // the array variable whose table holds it; cleared when that table goes
  Rc<Variable> chainNext;      // next entry of its hash chain
  Text name;                   // for an element, its key
  Text textValue;
  std::unique_ptr<SymbolTable> array;

  static Rc<Variable> make(Text name);
  static void destroy(Variable* variable);

  /// Drops the held text or array and makes the variable an integer.
  void setInt(std::int32_t n);
  void setText(Text t);
  void setArray(std::unique_ptr<SymbolTable> table);
  std::string_view key() const { return name.view(); }
};

}  // namespace varda::cmdlang
