#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varda::cmdlang {

struct Interp;

/// How one argument (or an option's value) is taken. The numbers are the
/// kinds of the argument specifications: 0 and 2 integer, 1 text, 3 a flag
/// option without value, 4 everything that remains joined with one blank.
enum class ArgKind : int {
  Integer = 0,
  Text = 1,
  Integer2 = 2,  // converted exactly as Integer
  Flag = 3,
  Rest = 4,
};

/// Where a matched argument goes: an integer (kinds 0 and 2) or a text (1, 4).
struct ArgItem {
  ArgKind kind = ArgKind::Text;
  std::int32_t* number = nullptr;
  std::string* text = nullptr;

  static constexpr ArgItem integer(std::int32_t* destination) {
    return {ArgKind::Integer, destination, nullptr};
  }
  static constexpr ArgItem string(std::string* destination) { return {ArgKind::Text, nullptr, destination}; }
  static constexpr ArgItem rest(std::string* destination) { return {ArgKind::Rest, nullptr, destination}; }
};

/// One form: the items that the remaining arguments fill, in order.
using ArgForm = std::span<const ArgItem>;

struct ArgOption;
/// Called by matchoptions after an option was taken (its value is stored).
using OptionCallback = void (*)(Interp& in, const ArgOption& option);

/// One option: the argument "-" + name. `flag` (may be null) is cleared
/// before matching and set to 1 when the option is present; a kind other
/// than Flag takes the next argument into `value`. `data` is the caller's,
/// for a callback that serves many rows of a table.
struct ArgOption {
  const char* name = "";
  std::int32_t* flag = nullptr;
  ArgKind kind = ArgKind::Flag;
  ArgItem value{};  // its kind is ignored: `kind` says how the value is taken
  OptionCallback callback = nullptr;
  const void* data = nullptr;
};

/// Matches the current call's arguments: options are taken out first
/// (wherever they stand; kind-4 options before the others), then the first
/// form whose item count equals the number of remaining arguments and all of
/// whose items convert is filled. Returns that form's index. No form: error
/// 15 "incorrect number of arguments"; an option value missing: error 5; an
/// option value that is not a number: error 9.
int matcharguments(Interp& in, std::span<const ArgForm> forms, std::span<const ArgOption> options = {});

/// matcharguments, calling each option's callback after the option is taken.
int matchoptions(Interp& in, std::span<const ArgForm> forms, std::span<const ArgOption> options);

}  // namespace varda::cmdlang
