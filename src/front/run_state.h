#pragma once

namespace varda::front {

/// Puts every piece of process-wide state of the front end (run settings,
/// bank manager, read-back state) back to how a new process starts, so that
/// tests and fuzz targets can run one case after another in one process.
void resetRunState();

}  // namespace varda::front
