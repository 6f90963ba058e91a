#include "front/exit_run.h"

#include <cstdio>
#include <cstdlib>

#include "front/temp_file.h"

namespace varda::front {
namespace {
ExitHook exitHook = nullptr;
}

void exitRun(int status) {
  removeTempFiles();
  std::fflush(stdout);
  if (exitHook != nullptr) exitHook(status);
  std::exit(status);
}

void setExitHook(ExitHook hook) { exitHook = hook; }

}  // namespace varda::front
