#include "front/run_state.h"

#include "front/bank_manager.h"
#include "front/run_settings.h"

namespace varda::front {

void resetRunState() {
  gSettings = RunSettings{};
  resetBankManager();
}

}  // namespace varda::front
