#include "cmdlang/text.h"

#include <cstring>
#include <new>

#include "support/unwind.h"

namespace varda::cmdlang {

Text::Text(std::string_view bytes) {
  if (bytes.empty()) return;
  // The language's texts are zero-terminated: a NUL byte ends them.
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  if (nul != nullptr) bytes = bytes.substr(0, static_cast<const char*>(nul) - bytes.data());
  if (bytes.empty()) return;
  if (bytes.size() > 0xffffffffu - offsetof(Rep, data) - 1) support::outOfMemory();
  // One block holds the counter, the size and the bytes; Text owns it alone
  // and gives it back in destroy().
  void* block = ::operator new(offsetof(Rep, data) + bytes.size() + 1);
  rep_ = static_cast<Rep*>(block);
  rep_->refs = 1;
  rep_->size = static_cast<std::uint32_t>(bytes.size());
  std::memcpy(rep_->data, bytes.data(), bytes.size());
  rep_->data[bytes.size()] = '\0';
}

Text Text::concat(std::string_view a, std::string_view b) {
  const std::size_t size = a.size() + b.size();
  Text t;
  if (size == 0) return t;
  if (size > 0xffffffffu - offsetof(Rep, data) - 1) support::outOfMemory();
  void* block = ::operator new(offsetof(Rep, data) + size + 1);
  t.rep_ = static_cast<Rep*>(block);
  t.rep_->refs = 1;
  t.rep_->size = static_cast<std::uint32_t>(size);
  if (!a.empty()) std::memcpy(t.rep_->data, a.data(), a.size());
  if (!b.empty()) std::memcpy(t.rep_->data + a.size(), b.data(), b.size());
  t.rep_->data[size] = '\0';
  return t;
}

void Text::destroy(Rep* rep) { ::operator delete(rep); }

}  // namespace varda::cmdlang
