#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "options/argument_file.h"
#include "options/callback_records.h"
#include "options/name_match.h"
#include "options/option_parser.h"

namespace varda::options {

namespace {

bool takesValue(OptionKind kind) { return kind == OptionKind::kValue || kind == OptionKind::kValueOnly; }

// Calls an option or bare-word row with copies of `name` and `value`; a
// failed copy goes to the out-of-memory callback instead. A row without a
// handler (help-only tables) accepts the argument silently.
int callRow(std::span<const OptionRecord> table, const OptionRecord& row,
            std::optional<std::string_view> name, std::optional<std::string_view> value) {
  if (row.handler == nullptr) return kContinue;
  std::optional<std::string> nameCopy;
  std::optional<std::string> valueCopy;
  try {
    if (name) nameCopy.emplace(*name);
    if (value) valueCopy.emplace(*value);
  } catch (const std::bad_alloc&) {
    return callOutOfMemory(table);
  }
  return row.handler(std::move(nameCopy), std::move(valueCopy), row.selector);
}

/// The row an option argument selects and how its name matched.
struct Found {
  const OptionRecord* row = nullptr;
  NameMatch match = NameMatch::kNone;
};

// The first option row, in table order, whose name equals `text` or is a
// proper prefix of it. Only rows that take part in parsing (flags and value
// options) are considered; tables list a name that is a prefix of another
// after it.
Found findOption(const ParserState& state, std::span<const OptionRecord> table, std::string_view text) {
  for (const OptionRecord& row : tableRows(table)) {
    if (row.name == nullptr) continue;
    if (row.kind != OptionKind::kFlag && !takesValue(row.kind)) continue;
    const NameMatch match = matchName(row.name, text, state.caseSensitive);
    if (match != NameMatch::kNone) return {&row, match};
  }
  return {};
}

// Dispatches the option args[index] and advances index past what it used.
int dispatchOption(const ParserState& state, std::span<const std::string> args, std::size_t& index,
                   std::span<const OptionRecord> table) {
  const std::string& arg = args[index];
  const std::string_view text = std::string_view(arg).substr(1);  // after "-" or "/"
  const Found found = findOption(state, table, text);
  if (found.row == nullptr) {
    ++index;
    return callSpecial(table, OptionKind::kInvalidUse, arg);
  }
  const OptionRecord& row = *found.row;
  // Handlers get the row's name, which differs from the argument's letters
  // only in case when names are compared without case.
  const std::string_view name = row.name;

  if (row.kind == OptionKind::kFlag) {
    ++index;
    if (found.match == NameMatch::kJoined) return callSpecial(table, OptionKind::kInvalidUse, arg);
    return callRow(table, row, name, std::nullopt);
  }

  const std::optional<std::string_view> nameForHandler =
      row.kind == OptionKind::kValue ? std::optional<std::string_view>(name) : std::nullopt;
  if (found.match == NameMatch::kJoined) {
    ++index;
    return callRow(table, row, nameForHandler, text.substr(name.size()));
  }
  // An exact match takes the next argument as its value, whatever it looks like.
  if (index + 1 >= args.size()) {
    ++index;
    return callSpecial(table, OptionKind::kInvalidUse, arg);
  }
  const std::string& value = args[index + 1];
  index += 2;
  return callRow(table, row, nameForHandler, value);
}

int dispatchBareWord(const std::string& arg, std::span<const OptionRecord> table) {
  const OptionRecord* row = findRecord(table, OptionKind::kBareWord);
  if (row == nullptr || row->handler == nullptr) return callSpecial(table, OptionKind::kInvalidUse, arg);
  return callRow(table, *row, arg, std::nullopt);
}

}  // namespace

int dispatchArgs(ParserState& state, CaseMode mode, std::span<const std::string> args,
                 std::span<const OptionRecord> table, bool checkEmpty) {
  state.setMode(mode);
  if (checkEmpty && args.empty()) {
    callSpecial(table, OptionKind::kNoArguments);
    return 2;
  }
  std::size_t index = 0;
  while (index < args.size()) {
    const std::string& arg = args[index];
    int result;
    if (!arg.empty() && (arg[0] == '-' || arg[0] == '/')) {
      result = dispatchOption(state, args, index, table);
    } else if (arg.size() > 1 && arg[0] == '@') {
      ++index;
      result = readArgumentFile(state, mode, std::string_view(arg).substr(1), table);
    } else {
      // Anything else, a lone "@" and an empty argument included, is a bare word.
      ++index;
      result = dispatchBareWord(arg, table);
    }
    if (result == kStop) return 1;
  }
  return 0;
}

}  // namespace varda::options
