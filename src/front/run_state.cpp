#include "front/run_state.h"

#include "front/bank_manager.h"
#include "front/read_back_state.h"
#include "front/run_settings.h"

namespace varda::front {

void resetRunState() {
  gSettings = RunSettings{};
  resetBankManager();
  resetReadBackState();
}

}  // namespace varda::front
