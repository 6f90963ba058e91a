#include "options/callback_records.h"

#include <new>
#include <string>
#include <utility>

namespace varda::options {

std::span<const OptionRecord> tableRows(std::span<const OptionRecord> table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind == OptionKind::kEnd) return table.first(i + 1);
  }
  return table;
}

const OptionRecord* findRecord(std::span<const OptionRecord> table, OptionKind kind) {
  for (const OptionRecord& row : tableRows(table)) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

int callOutOfMemory(std::span<const OptionRecord> table) {
  const OptionRecord* row = findRecord(table, OptionKind::kOutOfMemory);
  if (row == nullptr || row->handler == nullptr) return kStop;
  return row->handler(std::nullopt, std::nullopt, Selector{});
}

int callSpecial(std::span<const OptionRecord> table, OptionKind kind, std::optional<std::string_view> text) {
  const OptionRecord* row = findRecord(table, kind);
  if (row == nullptr || row->handler == nullptr) {
    // Having nothing to say about "no arguments" or "end of parsing" is fine;
    // a missing error callback stops the parse.
    return (kind == OptionKind::kNoArguments || kind == OptionKind::kEnd) ? kContinue : kStop;
  }
  std::optional<std::string> copy;
  if (text) {
    try {
      copy.emplace(*text);
    } catch (const std::bad_alloc&) {
      return callOutOfMemory(table);
    }
  }
  // The handler runs outside the try: what it throws is its caller's business.
  return row->handler(std::move(copy), std::nullopt, Selector{});
}

}  // namespace varda::options
