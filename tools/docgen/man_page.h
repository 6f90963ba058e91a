#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "options/option_record.h"
#include "options/tool_info.h"

namespace varda::docgen {

/// `text` made safe for a line of roff input: a backslash prints as itself,
/// "-" is a minus sign (so that options can be searched for and copied), and
/// a leading "." or "'" is not taken for a request.
std::string roffText(std::string_view text);

/// The tool's manual page in man(7) form, from its description `info` and
/// its main option table: every option with a help text, grouped by the
/// first usage page that lists it. `date` is the page's date (YYYY-MM-DD),
/// `chips` the values that -chip accepts.
std::string manPage(const options::ToolInfo& info, std::span<const options::OptionRecord> table,
                    const std::string& date, const std::vector<std::string>& chips);

}  // namespace varda::docgen
