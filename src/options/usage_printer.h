#pragma once

#include <cstdint>
#include <span>

#include "options/option_record.h"
#include "options/tool_info.h"

namespace varda::options {

/// Sets caseSensitive from `mode`, then prints one page (printPage) for each
/// UsageHeader row of `table` that points to a ToolInfo, in table order.
/// `level` is a Visibility bit: kShortPage, kLongPage or kExtendedPage.
/// Example: printUsage(2, kLongPage, kMainTable).
void printUsage(int mode, std::uint32_t level, std::span<const OptionRecord> table);

/// Prints one usage page of `table` to standard output: the heading made from
/// `info`, every row whose visibility shares a bit with `level` and that has
/// a help text (sorted by name, descriptions in one column), the matching
/// notes, the environment-variable line and, on the extended page, the line
/// about options beginning with Z.
void printPage(const ToolInfo& info, std::uint32_t level, std::span<const OptionRecord> table);

}  // namespace varda::options
