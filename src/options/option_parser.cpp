#include "options/option_parser.h"

#include <cstdlib>
#include <new>
#include <optional>

#include "options/argument_splitter.h"
#include "options/callback_records.h"
#include "options/environment_text.h"
#include "support/format.h"

namespace varda::options {

namespace {

// parseOptionString, also telling how many arguments the text held (0 after
// a syntax error or a failed split).
int parseString(ParserState& state, CaseMode mode, std::string_view text, std::span<const OptionRecord> table,
                std::size_t& argCount) {
  state.setMode(mode);
  argCount = 0;
  SplitResult split;
  try {
    split = splitArguments(text);
  } catch (const std::bad_alloc&) {
    // Without its argument array the text is dropped; the callback decides
    // whether that is an error.
    return callOutOfMemory(table) == kStop ? 1 : 0;
  }
  if (split.syntaxErrorAt) {
    // Nothing of the text is dispatched, whatever the callback answers.
    callSpecial(table, OptionKind::kSyntaxError, text.substr(*split.syntaxErrorAt));
    return 1;
  }
  argCount = split.args.size();
  if (split.args.empty()) return 0;
  return dispatchArgs(state, mode, split.args, table, false);
}

}  // namespace

int parseOptionString(ParserState& state, CaseMode mode, std::string_view text,
                      std::span<const OptionRecord> table) {
  std::size_t argCount = 0;
  return parseString(state, mode, text, table, argCount);
}

int parseOptions(ParserState& state, CaseMode mode, std::span<const std::string> args, const char* envName,
                 std::span<const OptionRecord> table) {
  state.setMode(mode);

  // Order: the variable's head, the arguments, the variable's tail, then the
  // end-of-parsing callback.
  std::size_t envArgs = 0;  // arguments found by the latest parse of the variable
  std::string envText;
  std::optional<std::string_view> tail;
  if (const char* raw = envName != nullptr ? std::getenv(envName) : nullptr) {
    try {
      envText = raw;
    } catch (const std::bad_alloc&) {
      support::out("Out of memeory1\n");
      std::exit(1);
    }
    std::string_view head = envText;
    if (mode == CaseMode::kExact) {
      const EnvironmentParts parts = splitEnvironmentText(envText);
      head = parts.head;
      tail = parts.tail;
    }
    if (const int result = parseString(state, mode, head, table, envArgs); result != 0) return result;
  }

  if (const int result = dispatchArgs(state, mode, args, table, envArgs == 0); result != 0) return result;

  if (tail) {
    if (const int result = parseString(state, mode, *tail, table, envArgs); result != 0) return result;
  }

  if (args.empty() && envArgs == 0) return 0;
  return callSpecial(table, OptionKind::kEnd) == kStop ? 1 : 0;
}

}  // namespace varda::options
