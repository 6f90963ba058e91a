#include "front/exit_run.h"

#include <cstdio>
#include <cstdlib>

namespace varda::front {

void exitRun(int status) {
  std::fflush(stdout);
  std::exit(status);
}

}  // namespace varda::front
