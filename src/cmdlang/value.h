#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "cmdlang/text.h"
#include "cmdlang/type.h"
#include "cmdlang/variable.h"

namespace varda::cmdlang {

/// One operand-stack entry: an integer, a text, a variable reference, or an
/// array (held through the variable that owns it). Texts and variables are
/// shared by counted reference, so copies are cheap.
///
/// The entry is one 64-bit word, because expression statements leave their
/// values on the stack until the frame ends (a loop of ten million steps
/// leaves ten million of them). The low two bits say what it is: 0 an integer
/// (its 32 bits in the upper half), otherwise a pointer to a Text::Rep (1) or
/// a Variable (2 reference, 3 array), whose own alignment of at least four
/// keeps those two bits free.
class Value {
 public:
  Value() = default;
  static Value integer(std::int32_t n) {
    Value v;
    v.word_ = static_cast<std::uint64_t>(static_cast<std::uint32_t>(n)) << 32;
    return v;
  }
  static Value text(Text t) {
    Value v;
    Text::Rep* rep = t.detach();
    if (rep != nullptr)
      v.word_ = reinterpret_cast<std::uintptr_t>(rep) | kTextTag;
    else
      v.word_ = kTextTag;  // the empty text: no block
    return v;
  }
  /// A reference to `variable` (Type::Ref).
  static Value ref(Variable* variable) { return holding(kRefTag, variable); }
  /// The array held by `variable` (Type::Array).
  static Value array(Variable* variable) { return holding(kArrayTag, variable); }

  Value(const Value& other) : word_(other.word_) { retain(); }
  Value(Value&& other) noexcept : word_(std::exchange(other.word_, 0)) {}
  Value& operator=(Value other) noexcept {
    std::swap(word_, other.word_);
    return *this;
  }
  ~Value() { release(); }

  Type type() const {
    static constexpr Type kTypes[4] = {Type::Int, Type::Text, Type::Ref, Type::Array};
    return kTypes[word_ & kTagMask];
  }
  bool isInt() const { return (word_ & kTagMask) == kIntTag; }
  std::int32_t asInt() const { return static_cast<std::int32_t>(static_cast<std::uint32_t>(word_ >> 32)); }
  /// The text of a Type::Text value (shared, not copied).
  Text asText() const { return Text::share(rep()); }
  std::string_view textView() const {
    const Text::Rep* r = rep();
    return r != nullptr ? std::string_view(r->data, r->size) : std::string_view();
  }
  /// The variable of a Type::Ref or Type::Array value.
  Variable* variable() const { return static_cast<Variable*>(pointer()); }

 private:
  static constexpr std::uint64_t kTagMask = 3;
  static constexpr std::uint64_t kIntTag = 0;
  static constexpr std::uint64_t kTextTag = 1;
  static constexpr std::uint64_t kRefTag = 2;
  static constexpr std::uint64_t kArrayTag = 3;

  static Value holding(std::uint64_t tag, Variable* variable) {
    Value v;
    v.word_ = reinterpret_cast<std::uintptr_t>(variable) | tag;
    ++variable->refs;
    return v;
  }
  void* pointer() const {
    if ((word_ & kTagMask) == kIntTag) return nullptr;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(word_ & ~kTagMask));
  }
  Text::Rep* rep() const { return static_cast<Text::Rep*>(pointer()); }
  void retain() const {
    void* p = pointer();
    if (p == nullptr) return;
    if ((word_ & kTagMask) == kTextTag)
      ++static_cast<Text::Rep*>(p)->refs;
    else
      ++static_cast<Variable*>(p)->refs;
  }
  void release() {
    if ((word_ & kTagMask) != kIntTag) releaseHeld();
  }
  [[gnu::always_inline]] void releaseHeld() {
    void* p = pointer();
    if (p == nullptr) return;
    if ((word_ & kTagMask) == kTextTag)
      Text::release(static_cast<Text::Rep*>(p));
    else if (Variable* var = static_cast<Variable*>(p); --var->refs == 0)
      Variable::destroy(var);
    word_ = 0;
  }

  std::uint64_t word_ = 0;
};

static_assert(sizeof(Value) == 8);
static_assert(alignof(Text::Rep) >= 4, "the two tag bits of a Value need it");

}  // namespace varda::cmdlang
