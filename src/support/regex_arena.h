#pragma once
// RXALLOC: the private memory block an automaton is built in.

#include <cstddef>
#include <cstdint>

#include "support/regex_failure.h"

namespace varda::support {

/// Where the arena gets its memory; the C library's functions unless a test installs others.
struct RxAllocHooks {
  void* (*allocate)(std::size_t size);
  void* (*reallocate)(void* block, std::size_t size);
  void (*release)(void* block);
};

/// Installs allocation hooks (nullptr restores the C library's) and returns the previous ones.
const RxAllocHooks* setRxAllocHooks(const RxAllocHooks* hooks);

/// One memory block, reserved at 1500 bytes and grown in steps of 1500 bytes. Allocations
/// are handed out as byte offsets from the start of the block, because growing may move it:
/// whatever lives in the arena refers to other things in it by offset, never by pointer.
class RxArena {
 public:
  static constexpr std::size_t kStep = 1500;

  RxArena() = default;
  RxArena(const RxArena&) = delete;
  RxArena& operator=(const RxArena&) = delete;
  RxArena(RxArena&& other) noexcept;
  RxArena& operator=(RxArena&& other) noexcept;
  ~RxArena() { release(); }

  /// rxreserve: creates the block; error 9 when this arena already has one.
  const RxFailure* reserve();
  /// rxalloc: takes `size` bytes rounded to a multiple of 4 (the size rounded down plus 4)
  /// and stores their offset; error 1 without a block or when it cannot grow.
  const RxFailure* alloc(std::size_t size, std::uint32_t* offset);
  /// rxrelease: frees the block (nothing happens when there is none).
  void release();

  bool reserved() const { return block_ != nullptr; }
  std::size_t used() const { return used_; }
  std::size_t capacity() const { return capacity_; }

  /// The object at `offset`; valid until the next alloc().
  template <typename T>
  T* at(std::uint32_t offset) {
    return reinterpret_cast<T*>(block_ + offset);
  }
  template <typename T>
  const T* at(std::uint32_t offset) const {
    return reinterpret_cast<const T*>(block_ + offset);
  }
  const unsigned char* base() const { return block_; }

  /// How many arenas hold a block right now (the cache's, and any being built).
  static int reservedCount() { return reservedCount_; }

 private:
  unsigned char* block_ = nullptr;
  std::size_t capacity_ = 0;  // bytes in the block
  std::size_t used_ = 0;      // bytes handed out

  static inline int reservedCount_ = 0;
};

}  // namespace varda::support
