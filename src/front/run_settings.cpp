#include "front/run_settings.h"

namespace varda::front {

RunSettings gSettings;

}  // namespace varda::front
