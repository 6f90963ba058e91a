#pragma once

#include <cstdint>
#include <vector>

#include "cmdlang/name_slot.h"
#include "cmdlang/rc.h"
#include "cmdlang/text.h"

namespace varda::cmdlang {

/// Kinds of code cells.
enum class CellKind : std::uint8_t {
  Op = 0,    // an operation, called under an error handler
  Int = 1,   // an integer operand of the cell before it
  Text = 2,  // a text operand (index into CodeObject::texts)
  Loc = 3,   // an operand slot pointing at another cell
  Ctl = 4,   // a control cell: runs sub-lists itself, says where to go on
  End = 5,   // ends a list (a mark), or an unpatched operand slot
  Stmt = 6,  // a statement boundary: clears the skip flag
};

/// Operations (CellKind::Op). ORDER OP: operators.cpp and engine.cpp switch on these.
enum class Op : std::uint8_t {
  // assignment and variables
  Assign,
  CompoundAssign,  // operator code pushed before it
  Subscript,
  Declare,            // parameter: an untyped variable becomes the integer 0
  DeclareEmptyArray,  // parameter 'name[]'
  Label,              // 'name:' calls the ":" command
  NewArray,
  AddElement,  // kind (1 or 2) pushed before it
  // arguments and calls
  Argument,
  ArgumentCount,
  CreateFrame,
  AddArgument,
  AddAllArguments,
  CallProcedure,
  CallCommand,
  // binary operators
  Add,
  Sub,
  Mul,
  Div,
  Mod,
  Eq,
  Ne,
  Gt,
  Lt,
  Ge,
  Le,
  BitAnd,
  BitOr,
  BitXor,
  Shl,
  Shr,
  AndAnd,
  OrOr,
  // prefix and postfix operators
  Negate,
  Identity,
  PreInc,
  PreDec,
  Not,
  Complement,
  PostInc,
  PostDec,
};

/// Control functions (CellKind::Ctl). ORDER CTL.
enum class Ctl : std::uint8_t {
  Push,          // pushes the operand cell after it
  MakeVariable,  // text operand: a name used in an expression
  MakeLocal,     // text operand: a name in a parameter list
  Member,        // text operand: '.name'
  If,            // 4 slots: condition, body, else body, final mark
  While,         // 3 slots: condition, body, final mark
  For,           // 5 slots: init, condition, step, body, final mark
  When,          // 4 slots: condition (or none), parameter code, block, final mark
  ShortCircuit,  // value: index of the '&&' or '||' operation it belongs to
};

enum class Step : std::uint8_t;

/// One code cell: 12 bytes. The source position is the line and an index into
/// the owning code object's file names (0: no file).
struct Cell {
  CellKind kind;
  std::uint8_t fn;  // Op or Ctl
  std::uint16_t file;
  std::int32_t line;
  std::int32_t value;  // integer operand, text index, location, or Ctl data
};

/// A procedure, or the top-level code of one run of a text: cells in one
/// array, locations as indices into it.
struct CodeObject : RcHeader {
  int running = 0;              // activations executing it now
  bool releasePending = false;  // redefined or removed while running
  Text name;                    // none for top-level code
  Text help;                    // set by addhelp
  std::vector<Cell> cells;
  std::vector<Text> texts;  // text operands
  std::vector<Text> files;  // file names; [0] is the empty name
  /// Lookup caches of name operands, by text index; filled as the code runs
  /// (a cache only: running code stays a read-only walk over its cells).
  mutable std::vector<NameSlot> names;
  /// How the walk takes each cell (see walk_steps.h); planned before the
  /// first walk.
  mutable std::vector<Step> steps;

  CodeObject() : files(1) {}
  static Rc<CodeObject> make();
  static void destroy(CodeObject* code);

  std::int32_t size() const { return static_cast<std::int32_t>(cells.size()); }
  const char* fileName(const Cell& cell) const { return files[cell.file].c_str(); }
  /// Gives every text operand its lookup cache and plans the steps (before
  /// a walk of the code).
  void prepareWalk() const;
  /// A copy of cells [first, last] with an end cell appended and locations
  /// re-pointed into the copy (a `when` keeps one of its block).
  Rc<CodeObject> copyRange(std::int32_t first, std::int32_t last) const;
};

}  // namespace varda::cmdlang
