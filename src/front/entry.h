#pragma once

namespace varda::front {

/// Runs the tool once: start-up, option parsing, then the output of the run.
int run(int argc, char** argv);

}  // namespace varda::front
