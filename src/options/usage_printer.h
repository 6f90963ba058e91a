#pragma once

#include <cstdint>
#include <span>

#include "options/option_record.h"
#include "options/parser_state.h"
#include "options/tool_info.h"

namespace varda::options {

/// Sets the state's case mode from `mode`, then prints one page (printPage)
/// for each kUsageHeader row of `table` that holds a ToolInfo, in table order.
/// `level` is a Visibility bit: kShortPage, kLongPage or kExtendedPage.
/// Example: printUsage(state, CaseMode::kExact, kLongPage, kMainTable).
void printUsage(ParserState& state, CaseMode mode, std::uint32_t level, std::span<const OptionRecord> table);

/// Prints one usage page of `table` to standard output: the heading made from
/// `info`, every row whose visibility shares a bit with `level` and that has
/// a help text (sorted by name, descriptions in one column), the matching
/// notes, the environment-variable line and, on the extended page, the line
/// about options beginning with Z.
void printPage(const ToolInfo& info, std::uint32_t level, std::span<const OptionRecord> table);

}  // namespace varda::options
