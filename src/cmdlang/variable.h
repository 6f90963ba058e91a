#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

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

/// A variable's name (an element's key) in one word. Names of up to
/// kInline bytes (locals, arguments, integer keys) are held in place;
/// a longer name shares a Text. A variable then costs one allocation.
/// Like a Text, a name ends at its first NUL byte.
class VariableName {
 public:
  static constexpr std::size_t kInline = sizeof(Text::Rep*) - 1;

  VariableName() { setRep(nullptr); }
  explicit VariableName(std::string_view bytes) {
    const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
    if (nul != nullptr)
      bytes = bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
    if (bytes.size() <= kInline)
      setInline(bytes);
    else
      setRep(Text(bytes).detach());
  }
  explicit VariableName(Text text) {
    if (text.size() <= kInline)
      setInline(text.view());
    else
      setRep(text.detach());
  }
  VariableName(const VariableName& other) {
    std::memcpy(word_, other.word_, sizeof word_);
    if (!isInline() && rep() != nullptr) ++rep()->refs;
  }
  VariableName(VariableName&& other) noexcept {
    std::memcpy(word_, other.word_, sizeof word_);
    other.setRep(nullptr);
  }
  VariableName& operator=(VariableName other) noexcept {
    unsigned char t[sizeof word_];
    std::memcpy(t, word_, sizeof word_);
    std::memcpy(word_, other.word_, sizeof word_);
    std::memcpy(other.word_, t, sizeof word_);
    return *this;
  }
  ~VariableName() {
    if (!isInline()) Text::release(rep());
  }

  std::string_view view() const {
    if (isInline())
      return std::string_view(reinterpret_cast<const char*>(word_) + kFirstByte, word_[kTagByte] >> 1);
    const Text::Rep* r = rep();
    return r != nullptr ? std::string_view(r->data, r->size) : std::string_view();
  }
  std::string str() const { return std::string(view()); }
  std::size_t size() const { return view().size(); }
  bool empty() const { return size() == 0; }

 private:
  // The tag byte is the one holding the low bits of a Rep pointer, whose
  // lowest bit is clear (a Rep is aligned); a held name sets it and keeps its
  // length above it. The other bytes hold the name's bytes.
  static_assert(alignof(Text::Rep) >= 2);
  static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);
  static constexpr std::size_t kTagByte =
      std::endian::native == std::endian::little ? 0 : sizeof(Text::Rep*) - 1;
  static constexpr std::size_t kFirstByte = kTagByte == 0 ? 1 : 0;

  bool isInline() const { return (word_[kTagByte] & 1u) != 0; }
  Text::Rep* rep() const {
    Text::Rep* r;
    std::memcpy(&r, word_, sizeof r);
    return r;
  }
  void setRep(Text::Rep* r) { std::memcpy(word_, &r, sizeof r); }
  void setInline(std::string_view bytes) {
    std::memset(word_, 0, sizeof word_);
    word_[kTagByte] = static_cast<unsigned char>(bytes.size() << 1 | 1u);
    if (!bytes.empty()) std::memcpy(word_ + kFirstByte, bytes.data(), bytes.size());
  }

  alignas(Text::Rep*) unsigned char word_[sizeof(Text::Rep*)];
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
  VariableName name;           // for an element, its key
  Text textValue;
  std::unique_ptr<SymbolTable> array;

  static Rc<Variable> make(VariableName name);
  static Rc<Variable> make(Text name) { return make(VariableName(std::move(name))); }
  static Rc<Variable> make(std::string_view name) { return make(VariableName(name)); }
  static void destroy(Variable* variable);

  /// Drops the held text or array and makes the variable an integer.
  void setInt(std::int32_t n);
  void setText(Text t);
  void setArray(std::unique_ptr<SymbolTable> table);
  std::string_view key() const { return name.view(); }
};

}  // namespace varda::cmdlang
