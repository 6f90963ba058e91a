#include "support/regex_arena.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace varda::support {

namespace {

constexpr RxAllocHooks kLibraryHooks{&std::malloc, &std::realloc, &std::free};
const RxAllocHooks* hooks = &kLibraryHooks;

}  // namespace

const RxAllocHooks* setRxAllocHooks(const RxAllocHooks* newHooks) {
  const RxAllocHooks* previous = hooks;
  hooks = newHooks != nullptr ? newHooks : &kLibraryHooks;
  return previous;
}

RxArena::RxArena(RxArena&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      used_(std::exchange(other.used_, 0)) {}

RxArena& RxArena::operator=(RxArena&& other) noexcept {
  if (this != &other) {
    release();
    block_ = std::exchange(other.block_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    used_ = std::exchange(other.used_, 0);
  }
  return *this;
}

const RxFailure* RxArena::reserve() {
  if (block_ != nullptr) return &kRxNotReleased;
  block_ = static_cast<unsigned char*>(hooks->allocate(kStep));
  if (block_ == nullptr) return &kRxAllocFailed;
  ++reservedCount_;
  capacity_ = kStep;
  used_ = 0;
  return nullptr;
}

const RxFailure* RxArena::alloc(std::size_t size, std::uint32_t* offset) {
  if (block_ == nullptr) return &kRxNotReserved;
  const std::size_t rounded = size / 4 * 4 + 4;
  // Offsets are 32-bit; an automaton that large cannot be built.
  if (rounded > std::numeric_limits<std::uint32_t>::max() - used_) return &kRxAllocFailed;
  if (used_ + rounded > capacity_) {
    const std::size_t steps = (used_ + rounded - capacity_ + kStep - 1) / kStep;
    const std::size_t grown = capacity_ + steps * kStep;
    void* moved = hooks->reallocate(block_, grown);
    if (moved == nullptr) return &kRxAllocFailed;
    block_ = static_cast<unsigned char*>(moved);
    capacity_ = grown;
  }
  *offset = static_cast<std::uint32_t>(used_);
  std::memset(block_ + used_, 0, rounded);
  used_ += rounded;
  return nullptr;
}

void RxArena::release() {
  if (block_ == nullptr) return;
  hooks->release(block_);
  --reservedCount_;
  block_ = nullptr;
  capacity_ = 0;
  used_ = 0;
}

}  // namespace varda::support
