#include "front/emi_options.h"

#include "support/format.h"

namespace varda::front {

const OptionRow* findEmiOption(std::string_view name) {
  for (const OptionRow& row : mainRows()) {
    if (row.name != nullptr && row.emiKind != EmiKind::kNone && name == row.name) return &row;
  }
  return nullptr;
}

std::string emiNumberPiece(const OptionRow& option, std::uint32_t value) {
  if (option.emiKind == EmiKind::kHexadecimal)
    return support::format(" -%s %x ", option.name, static_cast<unsigned>(value));
  return support::format(" -%s %d ", option.name, static_cast<int>(value));
}

std::string emiTextPiece(const OptionRow& option, const std::string& text) {
  return support::format(" -%s %s ", option.name, text.c_str());
}

std::string emiFlagPiece(const OptionRow& option) { return support::format(" -%s ", option.name); }

}  // namespace varda::front
