#pragma once

#include <span>
#include <string>
#include <vector>

#include "options/option_record.h"

namespace varda::docgen {

/// The words offered as the value of one option ("bank" and its numbers).
struct ValueWords {
  std::string option;  ///< without its "-"
  std::vector<std::string> words;
};

/// A bash completion script for `program` from its main option table: option
/// names after "-"; file names after an option whose argument is <file> or
/// <filename>, after "@" and for script arguments; `values` after their
/// options; nothing after any other option that takes a value.
std::string bashCompletion(const std::string& program, std::span<const options::OptionRecord> table,
                           const std::vector<ValueWords>& values);

}  // namespace varda::docgen
