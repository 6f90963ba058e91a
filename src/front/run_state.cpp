#include "front/run_state.h"

#include <memory>

namespace varda::front {
namespace {

std::unique_ptr<RunState>& instance() {
  static auto state = std::make_unique<RunState>();
  return state;
}

}  // namespace

RunState& runState() { return *instance(); }

void resetRunState() {
  // The old state goes first, so the two are never alive together.
  instance().reset();
  instance() = std::make_unique<RunState>();
}

}  // namespace varda::front
