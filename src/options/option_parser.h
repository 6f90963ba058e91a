#pragma once

#include <span>
#include <string>
#include <string_view>

#include "options/name_match.h"
#include "options/option_record.h"
#include "options/parser_state.h"

namespace varda::options {

/// Result of parseOptions when there was nothing to parse and the table's
/// kNoArguments callback ran.
inline constexpr int kNothingParsed = 2;

/// The main entry: parses the default options from the environment variable
/// `envName` (null: none), then `args` (the arguments after the program
/// name), calling each option's handler at once. In mode kExact names compare
/// case-sensitively and the variable's text is cut at an unquoted "|": the
/// part before it is parsed before `args`, the part after it after them.
/// Returns 0 on success, 1 on error (a callback or handler said stop),
/// kNothingParsed (2) when there were no arguments and the variable gave no
/// options. Example: parseOptions(state, CaseMode::kExact, args, "VARDAARG", kMainTable).
int parseOptions(ParserState& state, CaseMode mode, std::span<const std::string> args, const char* envName,
                 std::span<const OptionRecord> table);

/// Splits one line of options (interactive input, an argument-file line, an
/// `emi` command) into arguments and dispatches them. Returns 0 on success or
/// when the text holds no arguments, 1 on a syntax error or a dispatch error.
int parseOptionString(ParserState& state, CaseMode mode, std::string_view text,
                      std::span<const OptionRecord> table);

/// Dispatches `args` in order: options ("-" or "/"), argument files ("@name")
/// and bare words. With `checkEmpty` set and no arguments, calls the table's
/// kNoArguments callback and returns 2. Otherwise returns 0, or 1 as soon as a
/// handler or callback returns kStop.
int dispatchArgs(ParserState& state, CaseMode mode, std::span<const std::string> args,
                 std::span<const OptionRecord> table, bool checkEmpty);

}  // namespace varda::options
