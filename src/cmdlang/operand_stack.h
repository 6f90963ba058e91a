#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

#include "cmdlang/value.h"
#include "support/platform.h"
#include "support/unwind.h"

namespace varda::cmdlang {

/// The operand stacks of all frames, one above the other in one block (each
/// frame knows where its own starts).
///
/// Growth goes through support::resizeBlock, which moves a large block by
/// remapping its pages instead of copying and fills it in huge pages: a loop
/// that leaves millions of values behind grows the stack at no cost per
/// value. Moving a Value's bytes is a valid
/// move of it (it is one word and nothing points into it), so the block may
/// change place under the values it holds.
class OperandStack {
 public:
  OperandStack() = default;
  OperandStack(const OperandStack&) = delete;
  OperandStack& operator=(const OperandStack&) = delete;
  ~OperandStack() {
    resize(0);
    support::freeBlock(data_, capacityBytes());
  }

  std::size_t size() const { return static_cast<std::size_t>(top_ - data_); }
  bool empty() const { return top_ == data_; }
  Value& back() { return top_[-1]; }
  const Value& back() const { return top_[-1]; }
  Value& operator[](std::size_t i) { return data_[i]; }

  void push_back(Value value) {
    if (top_ == end_) grow();
    ::new (static_cast<void*>(top_)) Value(std::move(value));
    ++top_;
  }
  /// Takes the top value off (the caller checked there is one).
  Value take() {
    --top_;
    Value v(std::move(*top_));
    top_->~Value();
    return v;
  }
  /// Drops the top value (the caller checked there is one).
  void drop() { (--top_)->~Value(); }
  /// Drops values down to `n` entries (never grows).
  void resize(std::size_t n) {
    Value* const keep = data_ + n;
    while (top_ > keep) (--top_)->~Value();
  }
  void clear() { resize(0); }

 private:
  // Kept out of line so that push_back, on every operation's path, inlines.
  [[gnu::noinline]] void grow() {
    const std::size_t used = size();
    const std::size_t capacity = used == 0 ? 256 : used * 2;
    void* block = support::resizeBlock(data_, capacityBytes(), capacity * sizeof(Value));
    if (block == nullptr) support::outOfMemory();
    data_ = static_cast<Value*>(block);
    top_ = data_ + used;
    end_ = data_ + capacity;
  }

  std::size_t capacityBytes() const { return static_cast<std::size_t>(end_ - data_) * sizeof(Value); }

  Value* data_ = nullptr;
  Value* top_ = nullptr;
  Value* end_ = nullptr;
};

}  // namespace varda::cmdlang
