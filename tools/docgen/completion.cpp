#include "completion.h"

#include "option_entry.h"
#include "support/format.h"

namespace varda::docgen {
namespace {

using support::format;

/// Words joined by `separator`, a line break (indented by `indent`) after
/// any that would pass the 100th column.
std::string wrapped(const std::vector<std::string>& words, const std::string& separator,
                    const std::string& lineEnd, const std::string& indent) {
  std::string text;
  std::size_t column = indent.size();
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) {
      if (column + separator.size() + words[i].size() > 100) {
        text += lineEnd + "\n" + indent;
        column = indent.size();
      } else {
        text += separator;
        column += separator.size();
      }
    }
    text += words[i];
    column += words[i].size();
  }
  return text;
}

bool namesFile(const std::string& argument) { return argument == "<file>" || argument == "<filename>"; }

}  // namespace

std::string bashCompletion(const std::string& program, std::span<const options::OptionRecord> table,
                           const std::vector<ValueWords>& values) {
  std::vector<std::string> allOptions;
  std::vector<std::string> fileOptions;
  std::vector<std::string> otherValueOptions;
  for (const auto& entry : optionEntries(table)) {
    const std::string option = "-" + entry.name;
    allOptions.push_back(option);
    if (!entry.takesValue) continue;
    bool hasWords = false;
    for (const auto& value : values) hasWords = hasWords || value.option == entry.name;
    if (namesFile(entry.argument)) {
      fileOptions.push_back(option);
    } else if (!hasWords) {
      otherValueOptions.push_back(option);
    }
  }
  const std::string fn = "_" + program;
  std::string script = format(
      "# bash completion for %s, generated from its option table by %s_docgen; do not edit.\n"
      "\n"
      "%s_words() {\n"
      "  local cur=$1\n"
      "  shift\n"
      "  mapfile -t COMPREPLY < <(compgen -W \"$*\" -- \"$cur\")\n"
      "}\n"
      "\n"
      "%s_files() {\n"
      "  compopt -o filenames 2>/dev/null\n"
      "  mapfile -t COMPREPLY < <(compgen -f -- \"$1\")\n"
      "}\n"
      "\n"
      "%s() {\n"
      "  local cur=$2 prev=$3\n"
      "  COMPREPLY=()\n"
      "  case $prev in\n",
      program.c_str(), program.c_str(), fn.c_str(), fn.c_str(), fn.c_str());
  const std::string indent = "      ";
  // The word before the cursor is the value of an option when the option
  // takes one, whatever the word looks like; bash splits "@file" at the "@".
  fileOptions.emplace_back("@");
  script += format("    %s)\n      %s_files \"$cur\"\n      ;;\n",
                   wrapped(fileOptions, " | ", " | \\", indent).c_str(), fn.c_str());
  for (const auto& value : values) {
    script += format("    -%s)\n      %s_words \"$cur\" %s\n      ;;\n", value.option.c_str(), fn.c_str(),
                     wrapped(value.words, " ", " \\", indent + "  ").c_str());
  }
  if (!otherValueOptions.empty()) {
    script += format("    %s)\n      ;;\n", wrapped(otherValueOptions, " | ", " | \\", indent).c_str());
  }
  script += format(
      "    *)\n"
      "      case $cur in\n"
      "        -*)\n"
      "          %s_words \"$cur\" \\\n"
      "            %s\n"
      "          ;;\n"
      "        @*)\n"
      "          %s_files \"${cur#@}\"\n"
      "          COMPREPLY=(\"${COMPREPLY[@]/#/@}\")\n"
      "          ;;\n"
      "        *)\n"
      "          %s_files \"$cur\"\n"
      "          ;;\n"
      "      esac\n"
      "      ;;\n"
      "  esac\n"
      "  return 0\n"
      "}\n"
      "\n"
      "complete -F %s %s\n",
      fn.c_str(), wrapped(allOptions, " ", " \\", "            ").c_str(), fn.c_str(), fn.c_str(), fn.c_str(),
      program.c_str());
  return script;
}

}  // namespace varda::docgen
