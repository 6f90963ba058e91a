#pragma once

#include "options/name_match.h"

namespace varda::options {

/// What the option library keeps between calls, for one host run: the case
/// mode that every entry sets again, and the argument files being read. The
/// host owns one and hands it to every entry, so that a nested parse (an
/// option handler parsing an option line) shares it and a new run starts
/// from a fresh one.
struct ParserState {
  bool caseSensitive = false;  ///< from the mode of the latest entry
  int openArgumentFiles = 0;   ///< depth of the argument files being read now
  int argumentFilesRead = 0;   ///< files read since the outermost one now being read began

  /// Sets caseSensitive from a mode: kExact compares exactly.
  void setMode(CaseMode mode) { caseSensitive = mode == CaseMode::kExact; }
};

}  // namespace varda::options
