#include "option_entry.h"

#include <algorithm>

namespace varda::docgen {

std::vector<OptionEntry> optionEntries(std::span<const options::OptionRecord> table) {
  using options::OptionKind;
  std::vector<OptionEntry> entries;
  for (const auto& row : table) {
    if (row.kind == OptionKind::kEnd) break;
    if (row.name == nullptr || row.help == nullptr) continue;
    const std::string help = row.help;
    const auto bar = help.find('|');
    OptionEntry entry{row.name, "", help, row.visibility,
                      row.kind == OptionKind::kValue || row.kind == OptionKind::kValueOnly};
    if (bar != std::string::npos) {
      entry.argument = help.substr(0, bar);
      entry.description = help.substr(bar + 1);
    }
    entries.push_back(std::move(entry));
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const OptionEntry& a, const OptionEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace varda::docgen
