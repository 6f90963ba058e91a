#include "cmdlang/engine.h"

#include <cstdio>

#include "cmdlang/int_ops.h"
#include "cmdlang/lexer.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/operators.h"
#include "cmdlang/scope.h"
#include "cmdlang/values.h"
#include "cmdlang/walk_steps.h"
#include "cmdlang/when_events.h"
#include "support/info.h"
#include "support/platform.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

constexpr std::size_t kMaxMessage = 1024;
constexpr std::size_t kMaxTrace = 2048;

/// Takes the frames from `index` up off the frame stack with their
/// arguments; their local tables are emptied and kept for the next calls.
void releaseFrames(Interp& in, std::size_t index) {
  std::vector<CallFrame>& frames = in.eng.frames;
  if (index >= frames.size()) return;
  const std::size_t argBase = frames[index].argBase;
  while (frames.size() > index) {
    CallFrame& f = frames.back();
    if (f.locals) giveBackTable(in, std::move(f.locals));
    // A "$" nothing else holds serves the next call, emptied.
    if (f.result && f.result->refs == 1 && !in.eng.spareResult) {
      Variable& r = *f.result;
      if (r.type != Type::Int && r.type != Type::None) r.setInt(0);
      r.type = Type::None;
      r.intValue = 0;
      r.defined = false;
      in.eng.spareResult = std::move(f.result);
    }
    frames.pop_back();
  }
  in.eng.args.resize(argBase);
}

/// Makes the top frame's scope current: "$#" holds the argument count and
/// "$" (the result) exists undefined (both made with the frame's table).
void pushcall(Interp& in, const Text& name) {
  const std::size_t index = in.eng.frames.size() - 1;
  CallFrame& f = in.eng.frames[index];
  f.name = name;
  if (in.eng.code != nullptr) {
    const Cell& c = in.eng.code->cells[static_cast<std::size_t>(in.eng.cell)];
    f.siteFile = in.eng.code->files[c.file];
    f.siteLine = c.line;
  }
  // Nothing looks into a frame's table before its call runs, so it is not
  // made yet: it will be, with "$#" and "$", when something needs it.
  f.called = true;
  f.saved = in.eng.scope;
  in.eng.scope = Scope{nullptr, index + 1};
}

/// Takes frames off down to `index` (orphans of failed argument lists
/// first), restores the scope saved at `index` and, when asked, pushes the
/// result "$" onto the caller's stack.
void popcall(Interp& in, std::size_t index, bool withResult) {
  std::vector<CallFrame>& frames = in.eng.frames;
  Value result;
  bool hasResult = false;
  if (withResult) {
    const CallFrame& f = frames[index];
    Variable* r = f.locals ? f.locals->find("$") : f.result.get();
    if (r != nullptr && r->defined) {
      result = readvalue(in, r);
      hasResult = true;
      if (result.type() != Type::Int) ++in.eng.temporaries;
    }
  }
  const Scope saved = frames[index].saved;
  in.eng.stack.resize(frames[index].base);
  releaseFrames(in, index);
  setScope(in, saved);
  if (hasResult) push(in, std::move(result));
}

/// "calling %s": the name and each argument.
void traceCall(Interp& in, const Text& name) {
  const CallFrame& f = in.eng.frames.back();
  std::string line = "calling " + name.str();
  for (int i = 1; i <= f.argc; ++i) {
    const Variable* a = f.locals ? f.locals->find(argumentName(i).view()) : argumentVariable(in, f, i);
    line += ' ';
    if (a == nullptr) continue;
    switch (a->type) {
      case Type::Int: line += decimal(a->intValue); break;
      case Type::Text: line += a->textValue.view(); break;
      case Type::Object: line += "tobj"; break;
      default: line += "variable"; break;
    }
  }
  line += '\n';
  support::info("%s", line.c_str());
}

const char* cellFile(const Interp& in) {
  if (in.eng.code == nullptr) return "";
  return in.eng.code->fileName(in.eng.code->cells[static_cast<std::size_t>(in.eng.cell)]);
}

int cellLine(const Interp& in) {
  if (in.eng.code == nullptr) return 0;
  return in.eng.code->cells[static_cast<std::size_t>(in.eng.cell)].line;
}

std::int32_t slot(const CodeObject& code, std::int32_t cell, int i) {
  const Cell& s = code.cells[static_cast<std::size_t>(cell + i)];
  return s.kind == CellKind::Loc ? s.value : -1;
}

/// Counts one step against a harness's budget (in.eng.opBudget, 0: none);
/// the last one ends the run through support::fatal().
void spend(Interp& in) {
  if (in.eng.opBudget != 0 && --in.eng.opBudget == 0) support::fatal("%s", "operation budget exhausted");
}

/// Whether operations may take the fast paths of runFastOp: no harness
/// budget and no statement trace to serve, and room for the handler each
/// operation runs under (at the 1024th the slow path's install reports).
bool fastOpsAllowed(const Interp& in) {
  return in.eng.opBudget == 0 && (in.eng.trace & 8) == 0 && support::handlerRoom();
}

// The walk recurses once per nested block: what its fast paths need beyond
// plain integers lives in functions of their own, off its stack frame.

/// A binary operator on two texts (or references to defined text
/// variables), done in place; false (nothing touched) for anything else.
/// Every text operator but the match (which may fail) gives a result; one
/// without a text meaning leaves its error to the slow path.
[[gnu::noinline]] bool textInPlace(Interp& in, Op op) {
  OperandStack& stack = in.eng.stack;
  const std::size_t n = stack.size();
  Text left;
  Text right;
  Value result;
  if (op == Op::Mul || !plainText(stack[n - 2], &left) || !plainText(stack[n - 1], &right) ||
      !textOperator(in, op, left, right, &result))
    return false;
  stack.drop();
  stack.back() = std::move(result);
  return true;
}

/// Assign of a text (or a reference to a defined text variable) to a
/// variable that holds no array (the target's entry is a reference): what
/// assign() and readvalue() do for it. False (nothing touched) otherwise.
[[gnu::noinline]] bool textAssignInPlace(Interp& in) {
  OperandStack& stack = in.eng.stack;
  const std::size_t n = stack.size();
  Variable* v = stack[n - 2].variable();
  Text text;
  if (v->type == Type::Array || !plainText(stack[n - 1], &text)) return false;
  // An equal text already held stays.
  if (!(v->type == Type::Text && v->defined && v->textValue.view() == text.view()))
    v->setText(std::move(text));
  v->defined = true;
  stack.drop();
  stack.back() = Value::text(v->textValue);
  return true;
}

/// AddArgument of an integer or a text on top (there is an entry): held as
/// it is, as addargument would hold it; false for anything else.
[[gnu::noinline]] bool argumentInPlace(Interp& in) {
  OperandStack& stack = in.eng.stack;
  std::int32_t value = 0;
  Text text;
  if (plainInt(stack.back(), &value))
    in.eng.args.push_back(Value::integer(value));
  else if (plainText(stack.back(), &text))
    in.eng.args.push_back(Value::text(std::move(text)));
  else
    return false;
  stack.drop();
  ++in.eng.frames.back().argc;
  return true;
}

/// `Push n; Argument` for an argument that reads without fail; false when
/// the cells must be walked.
[[gnu::noinline]] bool pushHeldArgument(Interp& in, std::int32_t n) {
  Value value;
  if (!heldArgument(in, n, value)) return false;
  push(in, std::move(value));
  return true;
}

/// The integer cases of the most frequent operations, done in place on the
/// operand stack; false (nothing touched) when the slow path must run
/// because the operands are of another kind or the operation may fail.
[[gnu::always_inline]] inline bool runFastOp(Interp& in, Op op) {
  OperandStack& stack = in.eng.stack;
  const std::size_t n = stack.size();
  const std::size_t base = stackBase(in);
  switch (op) {
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
    case Op::Div:
    case Op::Mod:
    case Op::Eq:
    case Op::Ne:
    case Op::Gt:
    case Op::Lt:
    case Op::Ge:
    case Op::Le:
    case Op::BitAnd:
    case Op::BitOr:
    case Op::BitXor:
    case Op::Shl:
    case Op::Shr: {
      if (n < base + 2) return false;
      std::int32_t a = 0;
      std::int32_t b = 0;
      std::int32_t r = 0;
      if (plainInt(stack[n - 2], &a)) {
        if (!plainInt(stack[n - 1], &b) || !intOperator(op, a, b, &r)) return false;
        stack.drop();
        stack.back() = Value::integer(r);
        return true;
      }
      return textInPlace(in, op);
    }
    case Op::Assign: {
      // An integer into an integer (or untyped) variable, or a text into a
      // variable without an array: what assign() and readvalue() do for it.
      // The new value replaces both entries.
      if (n < base + 2 || stack[n - 2].type() != Type::Ref) return false;
      std::int32_t value = 0;
      if (!plainInt(stack[n - 1], &value)) return textAssignInPlace(in);
      Variable* v = stack[n - 2].variable();
      if (v->type != Type::Int && v->type != Type::None) return false;
      v->type = Type::Int;
      v->intValue = value;
      v->defined = true;
      stack.drop();
      stack.back() = Value::integer(value);
      return true;
    }
    case Op::CreateFrame: createframe(in); return true;
    case Op::AddArgument: return n > base && argumentInPlace(in);
    case Op::PreInc:
    case Op::PreDec:
    case Op::PostInc:
    case Op::PostDec: {
      if (n < base + 1) return false;
      const Value& target = stack[n - 1];
      if (target.type() != Type::Ref) return false;
      Variable* v = target.variable();
      if (!v->defined || v->type != Type::Int) return false;
      stack.back() = Value::integer(stepInt(v, op));
      return true;
    }
    default: return false;
  }
}

/// The integer a run of cells (other than ConstOp) computes, for the run
/// starting at `i` when its operands are plain integers, with the effect the
/// cells one by one would have but for the pushed result; false when the
/// cells must be walked one by one (nothing was changed then but a variable
/// made, as the walk would make it).
[[gnu::always_inline]] inline bool runValue(Interp& in, const CodeObject& code, std::int32_t i, Step run,
                                            std::int32_t* result) {
  const Cell* cells = code.cells.data();
  const auto intVariable = [&](std::int32_t at) -> Variable* {
    Variable* v = makevariable(in, code, cells[at + 1].value);
    return v->defined && v->type == Type::Int ? v : nullptr;
  };
  switch (run) {
    case Step::VarConstOp: {
      const Variable* x = intVariable(i);
      return x != nullptr &&
             intOperator(static_cast<Op>(cells[i + 4].fn), x->intValue, cells[i + 3].value, result);
    }
    case Step::VarVarOp: {
      const Variable* x = intVariable(i);
      if (x == nullptr) return false;
      const Variable* y = intVariable(i + 2);
      return y != nullptr && intOperator(static_cast<Op>(cells[i + 4].fn), x->intValue, y->intValue, result);
    }
    case Step::VarStep: {
      Variable* x = intVariable(i);
      if (x == nullptr) return false;
      *result = stepInt(x, static_cast<Op>(cells[i + 2].fn));
      return true;
    }
    case Step::VarConstAssign: {
      Variable* x = makevariable(in, code, cells[i + 1].value);
      if (x->type != Type::Int && x->type != Type::None) return false;
      *result = cells[i + 3].value;
      x->type = Type::Int;
      x->intValue = *result;
      x->defined = true;
      return true;
    }
    default: return false;
  }
}

/// Pushes the element a[i] for a subscript run starting at `i` when `a` is
/// a defined array and `i` a defined integer: what Subscript does with the
/// two references the cells would push. False when the cells must be walked
/// one by one (nothing was changed then but variables made, as the walk
/// would make them). Out of line: the walk's own loop stays as tight.
[[gnu::noinline]] bool runSubscript(Interp& in, const CodeObject& code, std::int32_t i) {
  const Cell* cells = code.cells.data();
  Variable* array = makevariable(in, code, cells[i + 1].value);
  if (!array->defined || array->type != Type::Array) return false;
  const Variable* key = makevariable(in, code, cells[i + 3].value);
  if (!key->defined || key->type != Type::Int) return false;
  pushvariable(in, numberedElement(in, array, key->intValue, ElementKind::Subscript));
  return true;
}

/// Does the run of cells starting at `i` in one step (see runValue; a
/// subscript run pushes the element); returns its last cell, or -1 when the
/// cells must be walked one by one.
[[gnu::always_inline]] inline std::int32_t runCells(Interp& in, const CodeObject& code, std::int32_t i,
                                                    Step run) {
  std::int32_t result = 0;
  if (run == Step::ConstArgument) {
    if (!pushHeldArgument(in, code.cells[static_cast<std::size_t>(i) + 1].value)) return -1;
  } else if (run == Step::ConstOp) {
    OperandStack& stack = in.eng.stack;
    std::int32_t a = 0;
    if (stack.size() <= stackBase(in) || !plainInt(stack.back(), &a) ||
        !intOperator(static_cast<Op>(code.cells[static_cast<std::size_t>(i) + 2].fn), a,
                     code.cells[static_cast<std::size_t>(i) + 1].value, &result))
      return -1;
    stack.back() = Value::integer(result);
  } else if (runValue(in, code, i, run, &result)) {
    pushint(in, result);
  } else if (run != Step::VarSubscript || !runSubscript(in, code, i)) {
    return -1;
  }
  const std::int32_t last = i + runLength(run);
  in.eng.code = &code;
  in.eng.cell = last;
  return last;
}

/// `Push name; CallProcedure` (or CallCommand) without pushing and popping
/// the name: the same lookup and call, the name's hash kept with the code.
void callNamedOp(Interp& in, const CodeObject& code, std::int32_t text, Op op) {
  NameSlot& slot = code.names[static_cast<std::size_t>(text)];
  const Text& name = code.texts[static_cast<std::size_t>(text)];
  if (!slot.hashed) {
    slot.hash = hashName(name.view());
    slot.hashed = true;
  }
  if (op == Op::CallProcedure) {
    const Rc<CodeObject>* procedure = in.procedures.find(name.view(), slot.hash);
    if (procedure == nullptr) in.raiseerror(kInternalError, "could not find procedure " + name.str());
    const Rc<CodeObject> hold = *procedure;  // it may be redefined while it runs
    runcode(in, hold);
  } else {
    const CommandEntry* entry = in.commands.find(name.view(), slot.hash);
    if (entry == nullptr || entry->handler == nullptr)
      in.raiseerror(kInternalError, "could not find command " + name.str());
    runcommand(in, name, *entry);
  }
}

/// The call of a CallNamed run whose operation cell is `i`, under the
/// operation's handler and error rule (see the Op case of walk).
[[gnu::noinline]] void callNamed(Interp& in, const CodeObject& code, std::int32_t i) {
  in.eng.code = &code;
  in.eng.cell = i;
  const Cell* cells = code.cells.data();
  try {
    support::HandlerScope handler;
    callNamedOp(in, code, cells[i - 1].value, static_cast<Op>(cells[i].fn));
  } catch (const support::Raised& r) {
    if (r.code != support::kInterpreterError || !in.eng.ignoreErrors) throw;
    in.eng.skip = true;
  }
}

/// The integer a loop condition gives. A condition that is a single run of
/// cells followed by the end of its list is computed in place (the walk
/// would push the value and the loop pop it at once); any other is walked.
std::int32_t loopCondition(Interp& in, const CodeObject& code, std::int32_t first) {
  const Step run = code.steps[static_cast<std::size_t>(first)];
  if (run == Step::VarConstOp || run == Step::VarVarOp) {
    const std::int32_t last = first + runLength(run);
    std::int32_t value = 0;
    if (code.cells[static_cast<std::size_t>(last) + 1].kind == CellKind::End && !in.eng.skip &&
        fastOpsAllowed(in) && runValue(in, code, first, run, &value)) {
      in.eng.code = &code;
      in.eng.cell = last;
      return value;
    }
  }
  walk(in, code, first);
  return popint(in);
}

/// Runs a control cell; returns the cell after which the walk goes on.
std::int32_t control(Interp& in, const CodeObject& code, std::int32_t i) {
  const Cell* cells = code.cells.data();
  switch (static_cast<Ctl>(cells[i].fn)) {
    case Ctl::Push: {
      const Cell& operand = cells[i + 1];
      if (operand.kind == CellKind::Int)
        pushint(in, operand.value);
      else
        pushstring(in, code.texts[static_cast<std::size_t>(operand.value)]);
      return i + 1;
    }
    case Ctl::MakeVariable: {
      const std::int32_t text = cells[i + 1].value;
      pushvariable(in, makevariable(in, code, text));
      return i + 1;
    }
    case Ctl::MakeLocal:
      pushvariable(in, makelocal(in, code.texts[static_cast<std::size_t>(cells[i + 1].value)].view()));
      return i + 1;
    case Ctl::Member: {
      Value holder;
      Variable* v = popvariable(in, holder);
      const Value key = Value::text(code.texts[static_cast<std::size_t>(cells[i + 1].value)]);
      pushvariable(in, element(in, v, key, ElementKind::Member));
      return i + 1;
    }
    case Ctl::If: {
      walk(in, code, slot(code, i, 1));
      if (popint(in) != 0) {
        walk(in, code, slot(code, i, 2));
      } else if (const std::int32_t otherwise = slot(code, i, 3); otherwise >= 0) {
        walk(in, code, otherwise);
      }
      return slot(code, i, 4);
    }
    case Ctl::While: {
      const std::int32_t condition = slot(code, i, 1);
      for (;;) {
        spend(in);  // a loop of control cells alone runs no operation
        if (loopCondition(in, code, condition) == 0) break;
        walk(in, code, slot(code, i, 2));
      }
      return slot(code, i, 3);
    }
    case Ctl::For: {
      walk(in, code, slot(code, i, 1));
      const std::int32_t condition = slot(code, i, 2);
      for (;;) {
        spend(in);
        if (loopCondition(in, code, condition) == 0) break;
        walk(in, code, slot(code, i, 4));
        walk(in, code, slot(code, i, 3));
      }
      return slot(code, i, 5);
    }
    case Ctl::When: return runWhenControl(in, code, i);
    case Ctl::ShortCircuit: {
      // The left operand is read and put back as a value; the operation cell
      // it belongs to was found when the expression was compiled.
      const Value left = popvalue(in);
      const bool isAnd = static_cast<Op>(cells[cells[i].value].fn) == Op::AndAnd;
      if (left.type() != Type::Int)
        in.raiseerror(kIllegalTypes, std::string(typeName(left.type())) + (isAnd ? " && " : " || "));
      const bool decided = isAnd ? left.asInt() == 0 : left.asInt() != 0;
      push(in, left);
      if (decided) return cells[i].value;
      walk(in, code, i + 1);
      return cells[i].value - 1;
    }
  }
  in.raiseerror(kInternalError, "cannot execute command");
}

}  // namespace

// --- operand stack -----------------------------------------------------------

void stackUnderflow(Interp& in) { in.raiseerror(kInternalError, "operand stack underflow"); }

std::int32_t popintSlow(Interp& in) {
  const Value v = popvalue(in);
  if (v.type() == Type::Int) return v.asInt();
  if (v.type() == Type::Text)
    if (const auto n = parsenumber(v.textView(), true)) return *n;
  in.raiseerror(kExpectedInteger);
}

Text popstring(Interp& in) {
  const Value v = popvalue(in);
  if (v.type() != Type::Text) in.raiseerror(kInternalError, "not a string on stack top");
  return v.asText();
}

Variable* popvariable(Interp& in, Value& holder) {
  holder = pop(in);
  if (holder.type() != Type::Ref) in.raiseerror(kExpectedVariable);
  return holder.variable();
}

Variable* popdefined(Interp& in, Value& holder) {
  Variable* v = popvariable(in, holder);
  if (!v->defined) readvalue(in, v);  // raises error 16
  return v;
}

Variable* poparray(Interp& in, Value& holder) {
  holder = pop(in);
  if (holder.type() != Type::Ref || holder.variable()->type != Type::Array)
    in.raiseerror(kInternalError, "not an array on stack top");
  return holder.variable();
}

std::int32_t peekresult(const Interp& in) {
  if (in.eng.stack.size() <= stackBase(in)) return 0;
  const Value& top = in.eng.stack.back();
  if (top.type() == Type::Int) return top.asInt();
  if (top.type() == Type::Ref && top.variable()->defined && top.variable()->type == Type::Int)
    return top.variable()->intValue;
  return 0;
}

std::size_t stackDepth(const Interp& in) { return in.eng.stack.size() - stackBase(in); }

// --- calls ---------------------------------------------------------------------

void createframe(Interp& in) {
  CallFrame& f = in.eng.frames.emplace_back();
  f.base = in.eng.stack.size();
  f.argBase = in.eng.args.size();
}

void addargument(Interp& in, Value value) {
  CallFrame& f = in.eng.frames.back();
  if (value.type() == Type::Int || value.type() == Type::Text) {
    // Held as it is: most arguments are only read, and need no variable.
    in.eng.args.push_back(std::move(value));
  } else {
    Rc<Variable> a = Variable::make(VariableName(argumentName(f.argc + 1).view()));
    assign(in, a.get(), value);
    in.eng.args.push_back(Value::ref(a.get()));
  }
  ++f.argc;
}

void runcode(Interp& in, const Rc<CodeObject>& code) {
  const std::size_t frame = in.eng.frames.size() - 1;
  pushcall(in, code->name);
  if ((in.eng.trace & 4) != 0) traceCall(in, code->name);
  ++code->running;
  try {
    support::HandlerScope handler;
    execute(in, *code, 0);
  } catch (const support::Raised&) {
    --code->running;
    popcall(in, frame, false);
    throw;
  }
  --code->running;
  popcall(in, frame, true);
  // A procedure redefined or removed while it ran goes with the last
  // reference to it (the caller's).
}

void runcommand(Interp& in, const Text& name, const CommandEntry& entry) {
  const std::size_t frame = in.eng.frames.size() - 1;
  pushcall(in, Text());
  if ((in.eng.trace & 4) != 0) traceCall(in, name);
  in.eng.commandName = name;
  try {
    support::HandlerScope handler;
    entry.handler(in, entry.word);
  } catch (const support::Raised&) {
    popcall(in, frame, false);
    in.eng.commandName = Text();
    throw;
  }
  popcall(in, frame, true);
  in.eng.commandName = Text();
}

void dropframes(Interp& in, std::size_t index) {
  if (index >= in.eng.frames.size()) return;
  in.eng.stack.resize(in.eng.frames[index].base);
  releaseFrames(in, index);
}

void dropframe(Interp& in) { dropframes(in, in.eng.frames.size() - 1); }

// --- walking code --------------------------------------------------------------

void execute(Interp& in, const CodeObject& code, std::int32_t first) {
  code.prepareWalk();
  walk(in, code, first);
}

void walk(Interp& in, const CodeObject& code, std::int32_t first) {
  // Every walk is a level of C++ recursion (blocks in blocks, calls in
  // calls, texts parsed by commands) that the handler rule alone does not
  // bound: 1666 nested blocks on each of 500 call levels would overflow the
  // stack long before 1024 handlers are installed. So each walk measures the
  // stack used since the outermost walk began, and past three quarters of
  // the stack the run ends as a run too deep for the handler stack ends.
  // The frame address is the machine stack's even in a sanitizer build,
  // whose locals may live elsewhere.
  struct StackCheck {
    explicit StackCheck(Engine& e) : eng(e) {
      const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
      if (eng.stackBase == 0) {
        eng.stackBase = here;
        eng.stackSpan = support::stackSize() / 4 * 3;
        outermost = true;
      } else if ((eng.stackBase > here ? eng.stackBase - here : here - eng.stackBase) > eng.stackSpan) {
        support::fatal("Exception Depth exceeded\n");
      }
    }
    ~StackCheck() {
      if (outermost) eng.stackBase = 0;
    }
    StackCheck(const StackCheck&) = delete;
    StackCheck& operator=(const StackCheck&) = delete;
    Engine& eng;
    bool outermost = false;
  } check(in.eng);
  const Cell* cells = code.cells.data();
  const Step* steps = code.steps.data();
  // Whether the shortcuts may be taken; it changes only where the walk
  // calls out (operations on the slow path, control cells) and at
  // statement boundaries.
  bool fast = !in.eng.skip && fastOpsAllowed(in);
  for (std::int32_t i = first;; ++i) {
    Step step = steps[i];
    if (step >= kFirstRun) {
      if (fast && step == Step::CallNamed) {
        i += 2;
        callNamed(in, code, i);
        fast = !in.eng.skip && fastOpsAllowed(in);
        continue;
      }
      if (fast) {
        if (const std::int32_t last = runCells(in, code, i, step); last >= 0) {
          i = last;
          continue;
        }
      }
      step = runStart(step);
    }
    switch (step) {
      case Step::End: return;
      case Step::Op: {
        // A skipped operation leaves the position where it was.
        if (!fast && in.eng.skip) break;
        const Cell& c = cells[i];
        in.eng.code = &code;
        in.eng.cell = i;
        if (fast && runFastOp(in, static_cast<Op>(c.fn))) break;
        spend(in);
        if ((in.eng.trace & 8) != 0) support::info("executing %s line  %d\n", code.fileName(c), c.line);
        // (Written out, not shared with callNamed through a lambda: in an
        // unoptimised build that would cost the walk stack per nested block.)
        try {
          support::HandlerScope handler;
          runOp(in, static_cast<Op>(c.fn));
        } catch (const support::Raised& r) {
          // With errors ignored the rest of the statement is skipped.
          if (r.code != support::kInterpreterError || !in.eng.ignoreErrors) throw;
          in.eng.skip = true;
        }
        fast = !in.eng.skip && fastOpsAllowed(in);
        break;
      }
      case Step::PushInt:
        in.eng.code = &code;
        in.eng.cell = i;
        pushint(in, cells[++i].value);
        break;
      case Step::PushText:
        in.eng.code = &code;
        in.eng.cell = i;
        pushstring(in, code.texts[static_cast<std::size_t>(cells[++i].value)]);
        break;
      case Step::MakeVariable:
        in.eng.code = &code;
        in.eng.cell = i;
        pushvariable(in, makevariable(in, code, cells[++i].value));
        break;
      case Step::MakeResult: {
        // "$$" in a call without a table: the frame's result, found by no lookup.
        in.eng.code = &code;
        in.eng.cell = i;
        CallFrame* f = pendingFrame(in);
        pushvariable(in, f != nullptr ? pendingResult(in, *f) : makevariable(in, code, cells[i + 1].value));
        ++i;
        break;
      }
      case Step::Control:
        in.eng.code = &code;
        in.eng.cell = i;
        i = control(in, code, i);
        fast = !in.eng.skip && fastOpsAllowed(in);
        break;
      case Step::Stmt:
        in.eng.skip = false;
        fast = fastOpsAllowed(in);
        break;
      default:
        in.eng.code = &code;
        in.eng.cell = i;
        in.raiseerror(kInternalError, "cannot execute command");
    }
  }
}

// --- errors --------------------------------------------------------------------

void raiseRuntimeError(Interp& in, const std::string& message) {
  ErrorRecord& e = in.error;
  e.message = message.substr(0, kMaxMessage);
  if (in.eng.parsing) {
    // Raised by the lexer or a directive: no cell of this run executes yet,
    // so the error points where the source is being read.
    e.file = currentFile(in).str();
    e.line = currentLine(in);
  } else {
    e.file = cellFile(in);
    e.line = cellLine(in);
  }
  e.kind = in.eng.commandName.str();
  e.trace.clear();
  for (std::size_t i = in.eng.frames.size(); i > in.eng.frameFloor; --i) {
    const CallFrame& f = in.eng.frames[i - 1];
    if (f.name.empty() || f.siteFile.empty()) continue;
    e.trace += f.name.view();
    e.trace += '-';
    e.trace += f.siteFile.view();
    e.trace += '(';
    e.trace += decimal(f.siteLine);
    e.trace += ")\n";
  }
  if (e.trace.size() > kMaxTrace) e.trace.resize(kMaxTrace);
  if (in.eng.ignoreErrors && in.errorHook != nullptr) in.errorHook(support::kInterpreterError);
  support::raise(support::kInterpreterError);
}

void raiseSyntaxError(Interp& in, const std::string& message, const std::string& file, int line) {
  ErrorRecord& e = in.error;
  e.message = message;
  e.file = file;
  e.line = line;
  e.kind = "syntax";
  e.trace.clear();
  support::raise(support::kInterpreterError);
}

void Interp::raiseerror(const std::string& message) { raiseRuntimeError(*this, message); }
void Interp::raiseerror(int code, const std::string& detail) {
  raiseRuntimeError(*this, errortext(code, detail.c_str()));
}
void Interp::raiseerror(int code) { raiseRuntimeError(*this, errortext(code)); }

}  // namespace varda::cmdlang
