#pragma once

#include <cstdint>
#include <string>

#include "cmdlang/interp.h"
#include "cmdlang/values.h"

namespace varda::cmdlang {

// The execution engine: operand stack, call frames, walking code, running
// procedures and commands, raising run-time errors.

// Operand stack of the current frame.
[[noreturn]] void stackUnderflow(Interp& in);
/// Where the current frame's operand stack starts.
inline std::size_t stackBase(const Interp& in) {
  return in.eng.frames.empty() ? 0 : in.eng.frames.back().base;
}
/// The top value; an empty stack: error 4 "operand stack underflow".
inline Value pop(Interp& in) {
  if (in.eng.stack.size() <= stackBase(in)) stackUnderflow(in);
  return in.eng.stack.take();
}
/// As pop, but a reference is read (readvalue).
inline Value popvalue(Interp& in) {
  Value v = pop(in);
  if (v.type() == Type::Ref) return readvalue(in, v.variable());
  return v;
}
std::int32_t popintSlow(Interp& in);
/// popvalue as an integer: texts converted by the number syntax; else error 6.
inline std::int32_t popint(Interp& in) {
  OperandStack& stack = in.eng.stack;
  if (stack.size() > stackBase(in) && stack.back().isInt()) return stack.take().asInt();
  return popintSlow(in);
}
Text popstring(Interp& in);                        // anything but a text: error 4 "not a string on stack top"
Variable* popvariable(Interp& in, Value& holder);  // error 8; `holder` keeps the variable alive
Variable* popdefined(Interp& in, Value& holder);   // also error 16 when undefined
Variable* poparray(Interp& in, Value& holder);     // error 4 "not an array on stack top"
inline void push(Interp& in, Value value) { in.eng.stack.push_back(std::move(value)); }
inline void pushint(Interp& in, std::int32_t n) { push(in, Value::integer(n)); }
inline void pushstring(Interp& in, Text t) { push(in, Value::text(std::move(t))); }
inline void pushvariable(Interp& in, Variable* v) { push(in, Value::ref(v)); }
/// The integer on top (or held by a reference on top), else 0; nothing popped.
std::int32_t peekresult(const Interp& in);
/// Number of values on the current frame's operand stack.
std::size_t stackDepth(const Interp& in);

// Call protocol.
void createframe(Interp& in);
void addargument(Interp& in, Value value);
/// Runs a procedure with the frame on top (pushcall .. popcall).
void runcode(Interp& in, const Rc<CodeObject>& code);
/// Runs a command with the frame on top.
void runcommand(Interp& in, const Text& name, const CommandEntry& entry);
/// Leaves the top frame without a result (when firings, failed calls).
void dropframe(Interp& in);
/// Leaves frame `index` and every frame above it, with their operand stacks.
void dropframes(Interp& in, std::size_t index);

/// Walks `code` from `first` to its end cell. A walk that starts with more
/// than three quarters of the stack in use ends the run with the fatal
/// "Exception Depth exceeded".
void execute(Interp& in, const CodeObject& code, std::int32_t first);
/// execute() for code already walked in this run (a sub-list of a walk).
void walk(Interp& in, const CodeObject& code, std::int32_t first);

/// Formats a raised error into the record and unwinds with 4100.
[[noreturn]] void raiseRuntimeError(Interp& in, const std::string& message);
/// A syntax error: kind "syntax", the lexer's file and line.
[[noreturn]] void raiseSyntaxError(Interp& in, const std::string& message, const std::string& file, int line);

}  // namespace varda::cmdlang
