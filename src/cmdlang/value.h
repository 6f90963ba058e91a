#pragma once

#include <cstdint>
#include <utility>

#include "cmdlang/text.h"

namespace varda::cmdlang {

struct Variable;

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

void retainVariable(Variable* variable);
void releaseVariable(Variable* variable);

/// One operand-stack entry: an integer, a text, a variable reference, or an
/// array (held through the variable that owns it). 16 bytes; texts and
/// variables are shared by counted reference, so copies are cheap.
class Value {
 public:
  Value() = default;
  static Value integer(std::int32_t n) {
    Value v;
    v.type_ = Type::Int;
    v.int_ = n;
    return v;
  }
  static Value text(Text t) {
    Value v;
    v.type_ = Type::Text;
    v.ptr_ = t.detach();
    return v;
  }
  /// A reference to `variable` (Type::Ref).
  static Value ref(Variable* variable) { return holding(Type::Ref, variable); }
  /// The array held by `variable` (Type::Array).
  static Value array(Variable* variable) { return holding(Type::Array, variable); }

  Value(const Value& other) : type_(other.type_), int_(other.int_), ptr_(other.ptr_) { retain(); }
  Value(Value&& other) noexcept
      : type_(other.type_), int_(other.int_), ptr_(std::exchange(other.ptr_, nullptr)) {
    other.type_ = Type::Int;
  }
  Value& operator=(Value other) noexcept {
    std::swap(type_, other.type_);
    std::swap(int_, other.int_);
    std::swap(ptr_, other.ptr_);
    return *this;
  }
  ~Value() { release(); }

  Type type() const { return type_; }
  std::int32_t asInt() const { return int_; }
  /// The text of a Type::Text value (shared, not copied).
  Text asText() const { return Text::share(static_cast<Text::Rep*>(ptr_)); }
  std::string_view textView() const {
    auto* rep = static_cast<Text::Rep*>(ptr_);
    return rep != nullptr ? std::string_view(rep->data, rep->size) : std::string_view();
  }
  /// The variable of a Type::Ref or Type::Array value.
  Variable* variable() const { return static_cast<Variable*>(ptr_); }

 private:
  static Value holding(Type type, Variable* variable) {
    Value v;
    v.type_ = type;
    v.ptr_ = variable;
    retainVariable(variable);
    return v;
  }
  void retain() const {
    if (ptr_ == nullptr) return;
    if (type_ == Type::Text)
      ++static_cast<Text::Rep*>(ptr_)->refs;
    else
      retainVariable(static_cast<Variable*>(ptr_));
  }
  void release() {
    if (ptr_ == nullptr) return;
    if (type_ == Type::Text)
      Text::release(static_cast<Text::Rep*>(ptr_));
    else
      releaseVariable(static_cast<Variable*>(ptr_));
    ptr_ = nullptr;
  }

  Type type_ = Type::Int;
  std::int32_t int_ = 0;
  void* ptr_ = nullptr;  // Text::Rep for texts, Variable for references and arrays
};

}  // namespace varda::cmdlang
