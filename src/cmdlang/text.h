#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace varda::cmdlang {

/// An immutable byte string shared by counted reference. The language copies
/// texts between variables; sharing an immutable one is the same thing seen
/// from a script, without the copy. A text ends at its first NUL byte, as the
/// language's texts always have.
class Text {
 public:
  Text() = default;
  explicit Text(std::string_view bytes);
  /// The text of `a` followed by `b`, where neither holds a NUL byte (both
  /// come from texts): one block, no scan for an end.
  static Text concat(std::string_view a, std::string_view b);
  Text(const Text& other) : rep_(other.rep_) {
    if (rep_ != nullptr) ++rep_->refs;
  }
  Text(Text&& other) noexcept : rep_(std::exchange(other.rep_, nullptr)) {}
  Text& operator=(Text other) noexcept {
    std::swap(rep_, other.rep_);
    return *this;
  }
  ~Text() { release(rep_); }

  std::string_view view() const {
    return rep_ != nullptr ? std::string_view(rep_->data, rep_->size) : std::string_view();
  }
  /// Zero-terminated bytes (an empty text gives "").
  const char* c_str() const { return rep_ != nullptr ? rep_->data : ""; }
  std::size_t size() const { return rep_ != nullptr ? rep_->size : 0; }
  bool empty() const { return size() == 0; }
  std::string str() const { return std::string(view()); }
  bool sameAs(const Text& other) const { return rep_ == other.rep_; }
  friend bool operator==(const Text& a, const Text& b) { return a.rep_ == b.rep_ || a.view() == b.view(); }

  /// Raw handle for Value's compact union: the caller takes over one reference.
  struct Rep {
    std::uint32_t refs;
    std::uint32_t size;
    char data[1];
  };
  Rep* detach() { return std::exchange(rep_, nullptr); }
  static Text adopt(Rep* rep) {
    Text t;
    t.rep_ = rep;
    return t;
  }
  static Text share(Rep* rep) {
    if (rep != nullptr) ++rep->refs;
    return adopt(rep);
  }
  static void release(Rep* rep) {
    if (rep != nullptr && --rep->refs == 0) destroy(rep);
  }

 private:
  /// A block for `size` bytes and their zero, one reference.
  static Rep* allocate(std::size_t size);
  static void destroy(Rep* rep);
  Rep* rep_ = nullptr;
};

}  // namespace varda::cmdlang
