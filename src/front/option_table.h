#pragma once

#include <span>
#include <string>

#include "options/option_record.h"

namespace varda::front {

using OptionTable = std::span<const options::OptionRecord>;

/// The tool's main option table: 126 option rows, then the special rows.
OptionTable mainTable();

/// The help-only tables printed by the -help- options, by option name
/// ("help-sdram", "help-dram", ...); empty for any other name.
OptionTable helpTable(const std::string& optionName);

/// Selector of the row of a twin pair whose "selector set" column says yes:
/// handlers shared by two options tell them apart by it.
inline constexpr char kTwinMarker = 1;
inline constexpr const void* kTwin = &kTwinMarker;

}  // namespace varda::front
