#include "cmdlang/walk_steps.h"

namespace varda::cmdlang {
namespace {

bool isCtl(const std::vector<Cell>& cells, std::size_t i, Ctl fn) {
  return i < cells.size() && cells[i].kind == CellKind::Ctl && cells[i].fn == static_cast<std::uint8_t>(fn);
}

bool isVariable(const std::vector<Cell>& cells, std::size_t i) {
  return isCtl(cells, i, Ctl::MakeVariable) && i + 1 < cells.size() && cells[i + 1].kind == CellKind::Text;
}

bool isConstant(const std::vector<Cell>& cells, std::size_t i) {
  return isCtl(cells, i, Ctl::Push) && i + 1 < cells.size() && cells[i + 1].kind == CellKind::Int;
}

bool isOp(const std::vector<Cell>& cells, std::size_t i, bool (*accepts)(Op)) {
  return i < cells.size() && cells[i].kind == CellKind::Op && accepts(static_cast<Op>(cells[i].fn));
}

bool binaryOp(Op op) { return integerBinary(op); }
bool stepOp(Op op) { return op == Op::PreInc || op == Op::PreDec || op == Op::PostInc || op == Op::PostDec; }
bool assignOp(Op op) { return op == Op::Assign; }
bool argumentOp(Op op) { return op == Op::Argument; }
bool callOp(Op op) { return op == Op::CallProcedure || op == Op::CallCommand; }
bool subscriptOp(Op op) { return op == Op::Subscript; }

/// Whether cell i, a MakeVariable, names "$" (a call's result: its own step).
bool isResult(const std::vector<Cell>& cells, const std::vector<Text>& texts, std::size_t i) {
  const auto text = static_cast<std::size_t>(cells[i + 1].value);
  return text < texts.size() && texts[text].view() == "$";
}

/// The step of cell i taken on its own.
Step single(const std::vector<Cell>& cells, std::size_t i) {
  const Cell& c = cells[i];
  switch (c.kind) {
    case CellKind::End: return Step::End;
    case CellKind::Op: return Step::Op;
    case CellKind::Stmt: return Step::Stmt;
    case CellKind::Ctl:
      if (isConstant(cells, i)) return Step::PushInt;
      if (isCtl(cells, i, Ctl::Push) && i + 1 < cells.size() && cells[i + 1].kind == CellKind::Text)
        return Step::PushText;
      if (isVariable(cells, i)) return Step::MakeVariable;
      return Step::Control;
    default: return Step::Invalid;
  }
}

}  // namespace

std::vector<Step> planSteps(const std::vector<Cell>& cells, const std::vector<Text>& texts) {
  std::vector<Step> steps(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    Step s = single(cells, i);
    if (s == Step::MakeVariable) {
      if (isConstant(cells, i + 2) && isOp(cells, i + 4, binaryOp))
        s = Step::VarConstOp;
      else if (isVariable(cells, i + 2) && isOp(cells, i + 4, binaryOp))
        s = Step::VarVarOp;
      else if (isConstant(cells, i + 2) && isOp(cells, i + 4, assignOp))
        s = Step::VarConstAssign;
      else if (isVariable(cells, i + 2) && isOp(cells, i + 4, subscriptOp) && !isResult(cells, texts, i) &&
               !isResult(cells, texts, i + 2))
        s = Step::VarSubscript;
      else if (isOp(cells, i + 2, stepOp))
        s = Step::VarStep;
    } else if (s == Step::PushInt && isOp(cells, i + 2, binaryOp)) {
      s = Step::ConstOp;
    } else if (s == Step::PushInt && isOp(cells, i + 2, argumentOp)) {
      s = Step::ConstArgument;
    } else if (s == Step::PushText && isOp(cells, i + 2, callOp)) {
      s = Step::CallNamed;
    }
    if (s == Step::MakeVariable && isResult(cells, texts, i)) s = Step::MakeResult;
    steps[i] = s;
  }
  return steps;
}

}  // namespace varda::cmdlang
