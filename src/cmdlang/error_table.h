#pragma once

#include <string>

namespace varda::cmdlang {

/// The interpreter's numbered errors. ORDER ERR: kErrorTexts follows it.
enum ErrorCode : int {
  kNoError = 0,
  kSyntaxError = 1,
  kMoreInput = 2,
  kCommandError = 3,
  kInternalError = 4,
  kArgumentsNeeded = 5,
  kExpectedInteger = 6,
  kDivisionByZero = 7,
  kExpectedVariable = 8,
  kInvalidNumber = 9,
  kInvalidName = 10,
  kBadArgument = 11,
  kMissingTerminator = 12,
  kNameIsVariable = 13,
  kNotInProcedure = 14,
  kInvalidCommand = 15,
  kUninitialised = 16,
  kUnknownName = 17,
  kScalarSubscript = 18,
  kArraySubscript = 19,
  kBadElementName = 20,
  kIllegalTypes = 21,
  kFileError = 22,
  kParentChildAssign = 23,
};

/// The table text of a code (codes outside 0-23 give "").
const char* errorTableText(int code);

/// The text of a numbered error: the table text alone, or "%s %s" with the detail.
std::string errortext(int code, const char* detail = nullptr);

}  // namespace varda::cmdlang
