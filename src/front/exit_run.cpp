#include "front/exit_run.h"

#include <cstdio>
#include <cstdlib>

#include "front/temp_file.h"

namespace varda::front {

void exitRun(int status) {
  removeTempFiles();
  std::fflush(stdout);
  std::exit(status);
}

}  // namespace varda::front
