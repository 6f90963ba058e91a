#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "options/option_record.h"

namespace varda::options {

/// The rows of `table` up to and including its end record (all rows when the
/// span holds no end record). Every scan of a table walks these rows.
std::span<const OptionRecord> tableRows(std::span<const OptionRecord> table);

/// The first row of `kind` in `table`, or null.
const OptionRecord* findRecord(std::span<const OptionRecord> table, OptionKind kind);

/// Calls the first row of `kind` as a callback: (copy of `text` or none,
/// none, none). Without such a row, or when it has no handler, the result is
/// kStop, except for kNoArguments and kEnd, which give kContinue. A failed copy
/// of `text` goes to callOutOfMemory instead.
int callSpecial(std::span<const OptionRecord> table, OptionKind kind,
                std::optional<std::string_view> text = std::nullopt);

/// Reports a failed copy through the table's OutOfMemory row; a table without
/// one (or a row without a handler) gives kStop.
int callOutOfMemory(std::span<const OptionRecord> table);

}  // namespace varda::options
