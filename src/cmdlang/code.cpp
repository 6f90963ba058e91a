#include "cmdlang/code.h"

#include "cmdlang/walk_steps.h"

namespace varda::cmdlang {

Rc<CodeObject> CodeObject::make() {
  // Rc owns the object from here on; destroy() gives it back.
  return Rc<CodeObject>(new CodeObject);
}

void CodeObject::destroy(CodeObject* code) { delete code; }

void CodeObject::prepareWalk() const {
  if (names.size() < texts.size()) names.resize(texts.size());
  if (steps.size() != cells.size()) steps = planSteps(cells, texts);
}

Rc<CodeObject> CodeObject::copyRange(std::int32_t first, std::int32_t last) const {
  Rc<CodeObject> copy = make();
  copy->texts = texts;
  copy->files = files;
  copy->cells.assign(cells.begin() + first, cells.begin() + last + 1);
  for (Cell& c : copy->cells)
    if (c.kind == CellKind::Loc ||
        (c.kind == CellKind::Ctl && c.fn == static_cast<std::uint8_t>(Ctl::ShortCircuit)))
      c.value -= first;
  const Cell& lastCell = cells[static_cast<std::size_t>(last)];
  copy->cells.push_back(Cell{CellKind::End, 0, lastCell.file, lastCell.line, 0});
  return copy;
}

}  // namespace varda::cmdlang
