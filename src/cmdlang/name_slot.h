#pragma once

#include <cstdint>

namespace varda::cmdlang {

struct Variable;

/// What a name operand of compiled code resolved to last time: the variable,
/// and the versions of the local and global tables it was looked up in (0
/// for "no local table"). While both tables keep those versions nothing was
/// added to or taken from either, so the same lookup gives the same variable
/// and the hashing and chain walks can be skipped.
struct NameSlot {
  std::uint64_t localVersion = 0;
  std::uint64_t globalVersion = 0;
  Variable* variable = nullptr;  // none: never resolved
  std::uint32_t hash = 0;        // hashName of the name, once known
  bool hashed = false;
};

}  // namespace varda::cmdlang
