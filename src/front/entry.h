#pragma once

#include <string>

namespace varda::front {

/// Runs the tool once: start-up, option parsing, then the output of the run.
/// Returns 0; fatal errors end the process from inside with status 1.
int run(int argc, char** argv);

/// Ends the process with status 0 when help, version or usage text was printed.
void stopIfDone();

/// Parses the arguments after the program name, VARDAARG around them; ends
/// the process with status 1 when the option library reports an error.
void parseCommandLine(int argc, char** argv);

/// Parses one option line (interactive input, the emi command) and returns
/// the option library's result, also kept in lastParseResult.
int parseOptionLine(const std::string& text);

}  // namespace varda::front
