#pragma once
// MAKEFSM: the second stage of the regular-expression engine. It builds the automaton
// of a preprocessed expression in an arena; states and their data refer to each other
// by arena offset.

#include <cstdint>
#include <string_view>

#include "support/regex_arena.h"
#include "support/regex_failure.h"

namespace varda::support {

/// What a link tests. The search tries the links of a state in descending order of
/// this value, so the numbers are the preference order: grep ORDER RXTEST.
enum RxTest : std::uint8_t {
  kRxLateEmpty = 0,    // empty move, tried last (back to the start of a repetition)
  kRxSetTest = 1,      // one character of a set (data: offset of a 256-bit map)
  kRxText = 2,         // a literal text (data: offset of its bytes, length)
  kRxEndOfLine = 3,    // "\n", "\r\n" or the end of the subject
  kRxStartOfLine = 4,  // start of the subject or after "\n"
  kRxAnyChar = 5,      // any character but "\n"
  kRxChar = 6,         // one given character (ch)
  kRxEarlyEmpty = 7,   // empty move, tried early (skipping or leaving a repetition, joining alternatives)
  kRxAccept = 8,       // the match ends here
};

/// One transition of a state.
struct RxLink {
  std::uint32_t target;  // offset of the state it leads to
  std::uint32_t data;    // set map or text bytes, by offset
  std::uint32_t length;  // text length
  std::uint8_t test;     // an RxTest
  unsigned char ch;      // the character of kRxChar
};

/// The most links a state can have (MAXLINKS).
inline constexpr int kRxMaxLinks = 6;

/// One state of the automaton. Its links are kept in the order the search tries them:
/// descending test, and among equal tests the one added last first.
struct RxState {
  std::uint32_t count;
  RxLink links[kRxMaxLinks];
};

/// The most groups open at once.
inline constexpr int kRxMaxOpenGroups = 9;

/// What the search needs to know of a built automaton besides its arena.
struct RxFsm {
  std::uint32_t start = 0;   // offset of the start state
  bool emptyCycles = false;  // some cycle of links can be gone round without consuming
  // When every link of the start state consumes a character (one character, set, text,
  // any character): the characters a match can begin with, as a 256-bit map. A start
  // position at any other character fails at once, so the search passes over it.
  bool firstKnown = false;
  unsigned char first[32] = {};
};

/// Builds the automaton of `codes` (preprocessed by preprocessRx) in `arena`, which must
/// not hold a block yet. On error the arena may hold a partly built automaton; the caller
/// releases it.
const RxFailure* makeRxFsm(std::string_view codes, RxArena& arena, RxFsm* fsm);

/// Whether `c` belongs to the set map at `offset`.
inline bool rxSetHas(const unsigned char* base, std::uint32_t offset, unsigned char c) {
  return (base[offset + c / 8] >> (c % 8) & 1) != 0;
}

}  // namespace varda::support
