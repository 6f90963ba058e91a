#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "options/option_record.h"

namespace varda::docgen {

/// One option as the generated documents show it.
struct OptionEntry {
  std::string name;         ///< without its "-"
  std::string argument;     ///< the placeholder before "|" ("<value>"); empty for flags
  std::string description;  ///< the help text after "|", or all of it for flags
  std::uint32_t visibility;
  bool takesValue;
};

/// The named rows of `table` up to its end row that have a help text, sorted
/// by name byte by byte as the usage pages sort them.
std::vector<OptionEntry> optionEntries(std::span<const options::OptionRecord> table);

}  // namespace varda::docgen
