#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "cmdlang/code.h"
#include "cmdlang/symbol_table.h"

namespace varda::cmdlang {

struct Interp;

/// A registered `when`: the block to run when its event is signalled.
struct WhenRecord {
  std::int32_t number = 0;              // run-wide counter, the first `when` is 0
  std::int32_t event = -1;              // -1: any event
  int active = 0;                       // firings of it running now
  bool removePending = false;           // `remove` inside its body: removed after the firing
  std::unique_ptr<SymbolTable> locals;  // its own table, kept between firings
  Rc<CodeObject> code;                  // its copy of the block
};

/// The `when` records and the stack of those whose bodies are running.
struct WhenEvents {
  // Oldest first: the language keeps the list newest first and walks it from
  // its end, which is this order from the front.
  std::vector<std::unique_ptr<WhenRecord>> records;
  std::vector<WhenRecord*> active;  // innermost on top
  std::int32_t counter = 0;         // the next record's number

  WhenRecord* find(std::int32_t number) const;
};

/// The control cell of a `when` expression. Slots: cell+1 condition (an end
/// cell when there is none), +2 parameter code, +3 block, +4 final mark.
/// Creates the record, pushes its number; returns the final mark's index.
std::int32_t runWhenControl(Interp& in, const CodeObject& code, std::int32_t cell);

/// Fires every record matching event `n`, oldest first (event, forcewhen).
void signalEvent(Interp& in, std::int32_t n);

/// `remove` without argument: marks the innermost running record; false
/// when no `when` body is running.
bool removeCurrentWhen(Interp& in);

/// `remove` with a number: removes that record (error 15 "when is active"
/// while it runs); false when there is none of that number.
bool removeWhen(Interp& in, std::int32_t number);

// The handler of `event` and `forcewhen` (they behave identically).
void eventCommand(Interp& in, std::uint32_t word);

}  // namespace varda::cmdlang
