#include "cmdlang/compiler.h"

#include <utility>

#include "cmdlang/interp.h"
#include "cmdlang/lexer.h"
#include "cmdlang/search_path.h"
#include "cmdlang/values.h"

namespace varda::cmdlang {
namespace {

/// The index of the lexer's current file name in the target's file list.
std::uint16_t fileIndex(Interp& in) {
  Compiler& cc = *in.compiler;
  const Text& file = currentFile(in);
  if (cc.fileTarget == cc.target && cc.fileCache.sameAs(file)) return cc.fileIndex;
  std::vector<Text>& files = cc.target->files;
  std::size_t i = 0;
  if (!file.empty()) {
    for (i = 1; i < files.size() && !(files[i] == file); ++i) {
    }
    if (i == files.size()) files.push_back(file);
  }
  cc.fileTarget = cc.target;
  cc.fileCache = file;
  cc.fileIndex = static_cast<std::uint16_t>(i);
  return cc.fileIndex;
}

std::int32_t append(Interp& in, CellKind kind, std::uint8_t fn, std::int32_t value) {
  CodeObject& code = *in.compiler->target;
  const std::int32_t at = code.size();
  code.cells.push_back(Cell{kind, fn, fileIndex(in), currentLine(in), value});
  return at;
}

std::int32_t appendText(Interp& in, Text text) {
  CodeObject& code = *in.compiler->target;
  const auto index = static_cast<std::int32_t>(code.texts.size());
  code.texts.push_back(std::move(text));
  return append(in, CellKind::Text, 0, index);
}

}  // namespace

void setTarget(Interp& in, CodeObject* target) {
  Compiler& cc = *in.compiler;
  cc.target = target;
  // A code object freed during the parse (a replaced procedure) may leave its
  // address to the next one: the cached file index is never kept across targets.
  cc.fileTarget = nullptr;
  cc.fileCache = Text();
}

std::int32_t emitOp(Interp& in, Op f) { return append(in, CellKind::Op, static_cast<std::uint8_t>(f), 0); }

std::int32_t emitPushInt(Interp& in, std::int32_t value) {
  const std::int32_t at = append(in, CellKind::Ctl, static_cast<std::uint8_t>(Ctl::Push), 0);
  append(in, CellKind::Int, 0, value);
  return at;
}

std::int32_t emitPushText(Interp& in, Text text) {
  const std::int32_t at = append(in, CellKind::Ctl, static_cast<std::uint8_t>(Ctl::Push), 0);
  appendText(in, std::move(text));
  return at;
}

std::int32_t emitMark(Interp& in) { return append(in, CellKind::End, 0, 0); }

std::int32_t emitStmt(Interp& in) { return append(in, CellKind::Stmt, 0, 0); }

std::int32_t emitCtl(Interp& in, Ctl f, int slots) {
  const std::int32_t at = append(in, CellKind::Ctl, static_cast<std::uint8_t>(f), 0);
  for (int i = 0; i < slots; ++i) append(in, CellKind::End, 0, 0);
  return at;
}

std::int32_t emitCtlText(Interp& in, Ctl f, Text text) {
  const std::int32_t at = append(in, CellKind::Ctl, static_cast<std::uint8_t>(f), 0);
  appendText(in, std::move(text));
  return at;
}

void patch(Interp& in, std::int32_t ctl, int slot, std::int32_t to) {
  Cell& c = in.compiler->target->cells[static_cast<std::size_t>(ctl + slot)];
  c.kind = CellKind::Loc;
  c.fn = 0;
  c.value = to;
}

void setCellValue(Interp& in, std::int32_t cell, std::int32_t value) {
  in.compiler->target->cells[static_cast<std::size_t>(cell)].value = value;
}

std::int32_t nextCell(const Interp& in) { return in.compiler->target->size(); }

void startProcedure(Interp& in, Text name) {
  Compiler& cc = *in.compiler;
  if (lookupvariable(in, name.view()) != nullptr) in.raiseerror(kNameIsVariable, name.str());
  Rc<CodeObject> old;
  if (in.procedures.remove(name.view(), &old) && old->running > 0) old->releasePending = true;
  Rc<CodeObject> code = CodeObject::make();
  code->name = name;
  in.procedures.insert(std::move(name), code);
  cc.procedure = code;
  cc.saved = cc.target;
  setTarget(in, code.get());
  cc.defining = true;
}

void endProcedure(Interp& in, bool discard) {
  Compiler& cc = *in.compiler;
  emitMark(in);
  // A procedure cannot take the name of a command: `proc <command> {...}` is
  // compiled and then dropped.
  if (discard) in.procedures.remove(cc.procedure->name.view());
  cc.procedure.reset();
  setTarget(in, cc.saved);
  cc.saved = nullptr;
  cc.defining = false;
}

void addDirectory(Interp& in, const Text& path) { addSearchDirectory(in, path.str()); }

void abandonParse(Interp& in) {
  Compiler& cc = *in.compiler;
  if (cc.procedure) {
    const Rc<CodeObject>* entry = in.procedures.find(cc.procedure->name.view());
    if (entry != nullptr && *entry == cc.procedure) in.procedures.remove(cc.procedure->name.view());
    cc.procedure.reset();
  }
  dropPendingTexts(in);
  setTarget(in, nullptr);
  cc.saved = nullptr;
  cc.defining = false;
}

}  // namespace varda::cmdlang
