#include "cmdlang/text.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

#include "support/platform.h"
#include "support/unwind.h"

#if defined(__SANITIZE_ADDRESS__)
#define VARDA_TEXT_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARDA_TEXT_POOL 0
#endif
#endif
#ifndef VARDA_TEXT_POOL
#define VARDA_TEXT_POOL 1
#endif

namespace varda::cmdlang {
namespace {

// Blocks of short texts come from a pool instead of the general allocator: a
// script keeps many of them (an expression statement's value stays on the
// operand stack until its frame ends), and the pool spends no bytes per block
// on bookkeeping and rounds a block up to 8 bytes where malloc adds a header
// and rounds to 16. A freed block goes on the free list of its size and is
// taken again by the next text of that size.
//
// The pool belongs to the thread (texts are not shared between threads:
// their counters are plain). Its memory stays the thread's for the life of
// the process, so a block never outlives the chunk it came from, whatever
// the order of destruction at exit. Under the address sanitizer every block
// comes from the general allocator, so that use after release is caught.
constexpr bool kPooled = VARDA_TEXT_POOL != 0;
constexpr std::size_t kGrain = 8;
constexpr std::size_t kPooledBytes = 128;  // the largest pooled block
constexpr std::size_t kFirstChunk = std::size_t{16} << 10;
constexpr std::size_t kLargestChunk = support::kPoolPage;  // in huge pages (see newPoolBlock)

struct FreeBlock {
  FreeBlock* next;
};

struct Chunk {
  Chunk* previous;  // keeps every chunk reachable from the pool
};

struct Pool {
  FreeBlock* free[kPooledBytes / kGrain + 1];
  char* cursor;
  char* end;
  Chunk* chunks;
  std::size_t nextChunk;
};

// Zero-initialised and trivially destructible: usable from any static
// constructor or destructor.
thread_local Pool pool;

/// Bytes of the block of a text of `size` bytes: counter, size, the bytes and
/// their zero, rounded up to the grain.
constexpr std::size_t blockBytes(std::size_t size) {
  return (offsetof(Text::Rep, data) + size + 1 + kGrain - 1) & ~(kGrain - 1);
}

[[gnu::noinline]] void* fromNewChunk(std::size_t bytes) {
  const std::size_t chunkBytes = pool.nextChunk == 0 ? kFirstChunk : pool.nextChunk;
  pool.nextChunk = chunkBytes < kLargestChunk ? chunkBytes * 2 : kLargestChunk;
  // The rest of the previous chunk goes to the free list of its size.
  const std::size_t rest = static_cast<std::size_t>(pool.end - pool.cursor);
  if (rest >= kGrain) {
    auto* block = reinterpret_cast<FreeBlock*>(pool.cursor);
    block->next = pool.free[rest / kGrain];
    pool.free[rest / kGrain] = block;
  }
  char* start = static_cast<char*>(support::newPoolBlock(chunkBytes));
  auto* chunk = reinterpret_cast<Chunk*>(start);
  chunk->previous = pool.chunks;
  pool.chunks = chunk;
  pool.cursor = start + kGrain;  // the chunk header takes one grain
  pool.end = start + chunkBytes;
  char* block = pool.cursor;
  pool.cursor += bytes;
  return block;
}

void* take(std::size_t bytes) {
  if (kPooled && bytes <= kPooledBytes) {
    FreeBlock*& head = pool.free[bytes / kGrain];
    if (head != nullptr) return std::exchange(head, head->next);
    if (static_cast<std::size_t>(pool.end - pool.cursor) < bytes) return fromNewChunk(bytes);
    char* block = pool.cursor;
    pool.cursor += bytes;
    return block;
  }
  return ::operator new(bytes);
}

void give(void* block, std::size_t bytes) {
  if (kPooled && bytes <= kPooledBytes) {
    auto* b = static_cast<FreeBlock*>(block);
    b->next = pool.free[bytes / kGrain];
    pool.free[bytes / kGrain] = b;
    return;
  }
  ::operator delete(block);
}

}  // namespace

static_assert(blockBytes(0) % alignof(Text::Rep) == 0 && kGrain % alignof(Text::Rep) == 0);
static_assert(kGrain >= sizeof(FreeBlock) && kGrain >= sizeof(Chunk));

Text::Rep* Text::allocate(std::size_t size) {
  if (size > 0xffffffffu - offsetof(Rep, data) - 1) support::outOfMemory();
  auto* rep = static_cast<Rep*>(take(blockBytes(size)));
  rep->refs = 1;
  rep->size = static_cast<std::uint32_t>(size);
  rep->data[size] = '\0';
  return rep;
}

void Text::destroy(Rep* rep) { give(rep, blockBytes(rep->size)); }

Text::Text(std::string_view bytes) {
  if (bytes.empty()) return;
  // The language's texts are zero-terminated: a NUL byte ends them.
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  if (nul != nullptr) bytes = bytes.substr(0, static_cast<const char*>(nul) - bytes.data());
  if (bytes.empty()) return;
  rep_ = allocate(bytes.size());
  std::memcpy(rep_->data, bytes.data(), bytes.size());
}

Text Text::concat(std::string_view a, std::string_view b) {
  const std::size_t size = a.size() + b.size();
  Text t;
  if (size == 0) return t;
  t.rep_ = allocate(size);
  if (!a.empty()) std::memcpy(t.rep_->data, a.data(), a.size());
  if (!b.empty()) std::memcpy(t.rep_->data + a.size(), b.data(), b.size());
  return t;
}

}  // namespace varda::cmdlang
