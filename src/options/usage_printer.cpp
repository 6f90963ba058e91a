#include "options/usage_printer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "options/callback_records.h"
#include "options/name_match.h"
#include "options/version_line.h"
#include "support/format.h"

namespace varda::options {

namespace {

// Rows without a name first, then byte-wise by name, so upper-case letters
// come before lower-case ones.
bool nameBefore(const OptionRecord* a, const OptionRecord* b) {
  if (a->name == nullptr || b->name == nullptr) return a->name == nullptr && b->name != nullptr;
  return std::strcmp(a->name, b->name) < 0;
}

bool listed(const OptionRecord& row, std::uint32_t level) { return (row.visibility & level) != 0; }

std::size_t nameLength(const OptionRecord& row) { return row.name != nullptr ? std::strlen(row.name) : 0; }

// A value option's help text is "<argument>|description"; a flag's is the
// description alone (no separator).
const char* helpSeparator(const OptionRecord& row) {
  return row.help != nullptr ? std::strchr(row.help, '|') : nullptr;
}

void spaces(long count) {
  if (count > 0) support::out("%*s", static_cast<int>(count), "");
}

// The column where descriptions start: at least 4, and two spaces past the
// longest "name <argument>" or "name" entry.
long columnWidth(const std::vector<const OptionRecord*>& rows, std::uint32_t level) {
  long width = 4;
  for (const OptionRecord* row : rows) {
    if (!listed(*row, level)) continue;
    const long nameLen = static_cast<long>(nameLength(*row));
    long need = 0;
    if (const char* bar = helpSeparator(*row)) {
      need = nameLen + static_cast<long>(bar - row->help) + 4;
    } else if (row->help != nullptr || row->name != nullptr) {
      need = nameLen + 3;
    }
    width = std::max(width, need);
  }
  return width;
}

// Number of note lines: at least 1 once any note matches, plus one per line
// feed inside the notes.
long noteCount(const std::vector<const OptionRecord*>& rows, std::uint32_t level) {
  long count = 0;
  for (const OptionRecord* row : rows) {
    if (row->kind != OptionKind::kUsageNote || !listed(*row, level)) continue;
    count = std::max(count, 1L);
    if (const char* text = row->selector.text()) {
      const std::string_view note = text;
      count += static_cast<long>(std::count(note.begin(), note.end(), '\n'));
    }
  }
  return count;
}

void printOptionLine(const OptionRecord& row, long width) {
  const long nameLen = static_cast<long>(nameLength(row));
  support::out("  %s", row.name != nullptr ? row.name : "");
  if (const char* bar = helpSeparator(row)) {
    const long argLen = static_cast<long>(bar - row.help);
    support::out(" %.*s", static_cast<int>(argLen), row.help);
    spaces(width - nameLen - argLen - 2);
    support::out("%s\n", bar + 1);
  } else {
    spaces(width - nameLen - 1);
    support::out("%s\n", row.help);
  }
}

}  // namespace

void printPage(const ToolInfo& info, std::uint32_t level, std::span<const OptionRecord> table) {
  std::vector<const OptionRecord*> rows;
  try {
    for (const OptionRecord& row : tableRows(table)) {
      if (row.kind != OptionKind::kEnd) rows.push_back(&row);
    }
  } catch (const std::bad_alloc&) {
    callOutOfMemory(table);
    return;
  }
  std::stable_sort(rows.begin(), rows.end(), nameBefore);

  // Page order: heading, version line, copyright and an empty line, usage
  // line, "Options" line, option lines, notes, environment line, Z line.
  support::out("%s : %s\n", info.programName, info.makerName);
  versionLine(info);
  copyrightNotice(info);
  support::out("\n");
  support::out("Usage: %s\n\n", info.usageLine);
  support::out("%s\n", (level & (kLongPage | kExtendedPage)) != 0 ? "Options:" : "Options include:");

  const long width = columnWidth(rows, level);
  const long notes = noteCount(rows, level);
  for (const OptionRecord* row : rows) {
    if (listed(*row, level) && row->help != nullptr) printOptionLine(*row, width);
  }

  if (notes != 0) {
    support::out("\n");
    for (const OptionRecord* row : rows) {
      if (row->kind == OptionKind::kUsageNote && listed(*row, level) && row->selector.text() != nullptr) {
        support::out("%s\n", row->selector.text());
      }
    }
  }
  if (notes == 0 && (info.envVariable != nullptr || (level & kExtendedPage) != 0)) support::out("\n");
  if (info.envVariable != nullptr) {
    support::out("Default options may be placed in the environment variable %s\n", info.envVariable);
  }
  if ((level & kExtendedPage) != 0) {
    support::out("Options beginning with Z are unsupported and for %s's use only\n", info.makerName);
  }
}

void printUsage(ParserState& state, CaseMode mode, std::uint32_t level, std::span<const OptionRecord> table) {
  state.setMode(mode);
  for (const OptionRecord& row : tableRows(table)) {
    if (row.kind == OptionKind::kUsageHeader && row.selector.toolInfo() != nullptr) {
      printPage(*row.selector.toolInfo(), level, table);
    }
  }
}

}  // namespace varda::options
