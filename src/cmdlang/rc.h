#pragma once

#include <cstdint>
#include <utility>

namespace varda::cmdlang {

/// The header of every reference-counted interpreter object (texts,
/// variables, code objects): single-threaded, so a plain counter.
struct RcHeader {
  std::uint32_t refs = 0;
};

/// An owning, counted reference to a T derived from RcHeader. T provides a
/// static `destroy(T*)` that releases it when the last reference goes.
template <class T>
class Rc {
 public:
  Rc() = default;
  explicit Rc(T* object) : p_(object) {
    if (p_ != nullptr) ++p_->refs;
  }
  Rc(const Rc& other) : p_(other.p_) {
    if (p_ != nullptr) ++p_->refs;
  }
  Rc(Rc&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Rc& operator=(Rc other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~Rc() { reset(); }

  void reset() {
    if (p_ != nullptr && --p_->refs == 0) T::destroy(p_);
    p_ = nullptr;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const Rc& other) const { return p_ == other.p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace varda::cmdlang
