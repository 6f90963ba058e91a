#include "cmdlang/error_table.h"

#include <iterator>

#include "support/format.h"

namespace varda::cmdlang {
namespace {

// ORDER ERR
constexpr const char* kErrorTexts[] = {
    "no error",
    "syntax error",
    "more input required",
    "command error",
    "internal command language error",
    "argument(s) needed",
    "expected integer",
    "division by zero",
    "expected variable",
    "invalid number",
    "invalid name",
    "bad argument",
    "missing terminator",
    "name is a variable",
    "not in a procedure",
    "invalid command",
    "Reference to an uninitialised variable",
    "Unknown Name",
    "subscripting scalar variable",
    "using an array as a subscript:",
    "bad element name",
    "illegal operation on type(s):",
    "file I/O error -",
    "arrays cannot be assigned to their parents/children",
};

}  // namespace

const char* errorTableText(int code) {
  if (code < 0 || code >= static_cast<int>(std::size(kErrorTexts))) return "";
  return kErrorTexts[code];
}

std::string errortext(int code, const char* detail) {
  if (detail == nullptr) return errorTableText(code);
  return support::format("%s %s", errorTableText(code), detail);
}

}  // namespace varda::cmdlang
