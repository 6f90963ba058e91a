#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace varda::cmdlang {

struct Interp;

/// The include search path: directories tried in order for a file that does
/// not open under the name given.
struct SearchPath {
  static constexpr std::size_t kMaxEntries = 1023;
  std::vector<std::string> directories;  // in the order added, no duplicates
};

/// Start-up: empties the search path, then adds QX40ROOT + separator +
/// "stdcfg", "lib" and "include", in this order, when QX40ROOT is set.
void resetSearchPath(Interp& in);

/// Adds a directory at the end of the search path unless the same text is
/// already there. With trace bit 2 set, "Adding \"%s\" to search path\n" is
/// printed first through the information output.
void addSearchDirectory(Interp& in, std::string directory);

/// Opens `name` as given, else each directory + separator + name in order.
/// A path that opens but is a directory counts as not found. On success
/// `found` (when given) receives the name or path that was opened; returns
/// nullptr when nothing opened. The caller closes the stream.
std::FILE* openSearched(Interp& in, const std::string& name, std::string* found, const char* mode = "r");

}  // namespace varda::cmdlang
