#include "cmdlang/when_events.h"

#include <algorithm>

#include "cmdlang/command_support.h"
#include "cmdlang/engine.h"
#include "cmdlang/interp.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/scope.h"
#include "support/format.h"
#include "support/unwind.h"

namespace varda::cmdlang {
namespace {

constexpr std::size_t kMaxReport = 1024;

/// The location in slot `i` of the control cell at `cell`, or -1 when the
/// slot was left unpatched (an end cell).
std::int32_t slot(const CodeObject& code, std::int32_t cell, int i) {
  const Cell& s = code.cells[static_cast<std::size_t>(cell + i)];
  return s.kind == CellKind::Loc ? s.value : -1;
}

bool matches(const WhenRecord& r, std::int32_t n) { return r.event == n || r.event == -1 || n == -1; }

/// Runs one record's body in a frame of its own with its own table current.
/// False when an interpreter error ended it (the error record tells which).
bool fire(Interp& in, WhenRecord& r) {
  WhenEvents& whens = *in.whens;
  const Rc<CodeObject> code = r.code;  // kept while it runs
  ExecutionPoint point(in);
  const std::size_t frame = in.eng.frames.size();
  createframe(in);
  setScopeTable(in, r.locals.get());
  ++r.active;
  whens.active.push_back(&r);
  bool ok = true;
  try {
    support::HandlerScope handler;
    execute(in, *code, 0);
  } catch (const support::Raised& e) {
    if (e.code != support::kInterpreterError) {
      whens.active.pop_back();
      --r.active;
      throw;
    }
    ok = false;
  }
  whens.active.pop_back();
  --r.active;
  // Frames the body left behind on an error go too.
  dropframes(in, frame);
  return ok;
}

void erase(WhenEvents& whens, const WhenRecord* r) {
  auto& records = whens.records;
  records.erase(std::find_if(records.begin(), records.end(),
                             [r](const std::unique_ptr<WhenRecord>& p) { return p.get() == r; }));
}

}  // namespace

WhenRecord* WhenEvents::find(std::int32_t number) const {
  for (const std::unique_ptr<WhenRecord>& r : records)
    if (r->number == number) return r.get();
  return nullptr;
}

std::int32_t runWhenControl(Interp& in, const CodeObject& code, std::int32_t cell) {
  std::int32_t event = -1;
  if (const std::int32_t condition = slot(code, cell, 1); condition >= 0) {
    execute(in, code, condition);
    event = popint(in);
  }
  auto record = std::make_unique<WhenRecord>();
  record->event = event;
  // A copy of the creator's locals. At the outermost level there are none:
  // the record gets an empty table of its own for its declared variables.
  const SymbolTable* creator = localTable(in);
  record->locals =
      creator != nullptr ? creator->deepCopy(nullptr) : std::make_unique<SymbolTable>(kScopeBuckets);
  if (const std::int32_t parameters = slot(code, cell, 2); parameters >= 0) {
    const Scope saved = in.eng.scope;
    setScopeTable(in, record->locals.get());
    try {
      execute(in, code, parameters);
    } catch (...) {
      setScope(in, saved);
      throw;
    }
    setScope(in, saved);
  }
  const std::int32_t finalMark = slot(code, cell, 4);
  record->code = code.copyRange(slot(code, cell, 3), finalMark);
  WhenEvents& whens = *in.whens;
  record->number = whens.counter++;
  pushint(in, record->number);
  whens.records.push_back(std::move(record));  // newest last: see WhenEvents
  return finalMark;
}

void signalEvent(Interp& in, std::int32_t n) {
  WhenEvents& whens = *in.whens;
  // The records that match when the event is signalled, oldest first. One
  // created by a body during the signalling does not fire in it; one removed
  // by a body before its turn is skipped.
  std::vector<std::int32_t> matching;
  for (const std::unique_ptr<WhenRecord>& r : whens.records)
    if (matches(*r, n)) matching.push_back(r->number);
  bool failed = false;
  for (const std::int32_t number : matching) {
    WhenRecord* r = whens.find(number);
    if (r == nullptr) continue;
    if (!fire(in, *r)) failed = true;
    if (r->removePending && r->active == 0) erase(whens, r);
  }
  if (!failed) return;
  // One report, of the last failure, after every matching record fired.
  std::string report = support::format("executing when %d ", n);
  if (report.size() < kMaxReport) {
    char rest[kMaxReport];
    in.formaterror(rest, kMaxReport - report.size());
    report += rest;
  }
  in.output(report);
}

bool removeCurrentWhen(Interp& in) {
  WhenEvents& whens = *in.whens;
  if (whens.active.empty()) return false;
  whens.active.back()->removePending = true;
  return true;
}

bool removeWhen(Interp& in, std::int32_t number) {
  WhenEvents& whens = *in.whens;
  const WhenRecord* r = whens.find(number);
  if (r == nullptr) return false;
  if (r->active >= 1) in.raiseerror(kInvalidCommand, "when is active");
  erase(whens, r);
  return true;
}

void eventCommand(Interp& in, std::uint32_t) {
  // The event number must be an integer (or a text that reads as one); any
  // other argument is the same error as a missing one.
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  const Value v = in.argumentvalue(1);
  std::optional<std::int32_t> n;
  if (v.type() == Type::Int) n = v.asInt();
  if (v.type() == Type::Text) n = parsenumber(v.textView(), true);
  if (!n) in.raiseerror(kArgumentsNeeded);
  signalEvent(in, *n);
}

}  // namespace varda::cmdlang
