#include "front/entry.h"

namespace varda::front {

int run(int /*argc*/, char** /*argv*/) { return 0; }

}  // namespace varda::front
