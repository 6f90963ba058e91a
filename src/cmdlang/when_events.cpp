#include "cmdlang/when_events.h"

#include "cmdlang/interp.h"

namespace varda::cmdlang {

WhenRecord* WhenEvents::find(std::int32_t number) const {
  for (const std::unique_ptr<WhenRecord>& r : records)
    if (r->number == number) return r.get();
  return nullptr;
}

std::int32_t runWhenControl(Interp&, const CodeObject&, std::int32_t cell) { return cell + 4; }
void signalEvent(Interp&, std::int32_t) {}
bool removeCurrentWhen(Interp&) { return false; }
bool removeWhen(Interp&, std::int32_t) { return false; }
void eventCommand(Interp&, std::uint32_t) {}

}  // namespace varda::cmdlang
