#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "cmdlang/code.h"
#include "cmdlang/text.h"

namespace varda::cmdlang {

struct Interp;

/// The grammar's compilation state: where cells go, and the procedure being
/// defined.
struct Compiler {
  CodeObject* target = nullptr;  // the code list cells are appended to
  CodeObject* saved = nullptr;   // the top-level list while a procedure body is compiled
  bool defining = false;         // a procedure is being defined ("$" allowed)
  Rc<CodeObject> procedure;      // the half-built procedure
  Text fileCache;                // the file name last interned in `target` ...
  std::uint16_t fileIndex = 0;   // ... and its index there
  const CodeObject* fileTarget = nullptr;
  // The parser's stacks past their first 200 entries; kept for the next parse.
  std::vector<unsigned char> stateStore;
  std::vector<unsigned char> valueStore;
};

/// Makes `target` the code list cells go to.
void setTarget(Interp& in, CodeObject* target);

// Emitting into the current target; each cell gets the lexer's line and file.
// Every function returns the index of the (first) cell it appended.
std::int32_t emitOp(Interp& in, Op f);
std::int32_t emitPushInt(Interp& in, std::int32_t value);
std::int32_t emitPushText(Interp& in, Text text);
std::int32_t emitMark(Interp& in);
std::int32_t emitStmt(Interp& in);
/// A control cell and `slots` end cells serving as its operand slots.
std::int32_t emitCtl(Interp& in, Ctl f, int slots);
/// A control cell followed by a text operand (MakeVariable, MakeLocal, Member).
std::int32_t emitCtlText(Interp& in, Ctl f, Text text);
/// Turns slot `slot` of control cell `ctl` into a location pointing at `to`.
void patch(Interp& in, std::int32_t ctl, int slot, std::int32_t to);
/// Sets the value of a cell (a short-circuit cell learns its operator).
void setCellValue(Interp& in, std::int32_t cell, std::int32_t value);
/// The index the next cell will get.
std::int32_t nextCell(const Interp& in);

/// `proc name`: creates the procedure, enters it in the procedure table and
/// makes it the target.
void startProcedure(Interp& in, Text name);
/// The closing brace: appends the final mark and restores the target; a
/// procedure named after a command (`discard`) is taken out again.
void endProcedure(Interp& in, bool discard);

/// `directory path`: adds the path to the search path.
void addDirectory(Interp& in, const Text& path);

/// Runs the parser over the lexer's text, compiling into `target`.
void parseProgram(Interp& in, CodeObject& target);

/// After a failed parse: removes the half-built procedure from the procedure
/// table, drops the pending token texts and resets the target state.
void abandonParse(Interp& in);

}  // namespace varda::cmdlang
