#include "man_page.h"

#include <cctype>
#include <cstdint>

#include "option_entry.h"
#include "support/format.h"

namespace varda::docgen {
namespace {

using support::format;

/// One group of the OPTIONS section: the options whose first usage page is `page`.
struct OptionGroup {
  std::uint32_t page;
  const char* title;
  const char* intro;  ///< roff text
};

// The groups follow the usage pages from the shortest: an option appears in
// the group of the first page that lists it.
constexpr OptionGroup kGroups[] = {
    {options::kShortPage, "Common options", "Listed by\n.B varda\nwithout arguments.\n"},
    {options::kLongPage, "More options", "Listed, with the above, by\n.BR \\-help .\n"},
    {options::kExtendedPage, "Parameter and maintenance options",
     "Listed, with all the above, by\n.BR \\-z .\n"},
};

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
    text += words[i];
  }
  return text;
}

std::string heading(const options::ToolInfo& info, const std::string& date,
                    const std::vector<std::string>& chips) {
  const std::string usage = info.usageLine;
  const auto space = usage.find(' ');
  std::string page = format(".TH %s 1 %s \"%s %s\" \"User Commands\"\n", upper(info.programName).c_str(),
                            date.c_str(), info.programName, info.version);
  page += format(".SH NAME\n%s \\- %s\n", info.programName, roffText(info.description).c_str());
  page += format(".SH SYNOPSIS\n.B %s\n%s\n", roffText(usage.substr(0, space)).c_str(),
                 space == std::string::npos ? "" : roffText(usage.substr(space + 1)).c_str());
  page += format(
      ".SH DESCRIPTION\n"
      ".B %s\n"
      "works out the register settings of the External Memory Interface (EMI)\n"
      "of a chip and writes them as a configuration procedure: a procedure of the\n"
      "toolset's command language that writes every EMI register with its value\n"
      "through the poke command.\n"
      ".PP\n"
      "Select a chip with\n.BR \\-chip ,\n"
      "then for each bank its number\n.RB ( \\-bank ),\n"
      "its device type\n.RB ( \\-type :\n"
      "SDRAM, DRAM, Peripheral or MPX)\n"
      "and its timing and geometry parameters, and the parameters of the whole chip.\n"
      "Each value is checked against its range and the rules of its bank type;\n"
      "a value that breaks the configuration is undone and reported\n"
      "with a numbered warning, and the run goes on.\n"
      "After the options, the procedure is written to the file named by\n.BR \\-o .\n"
      ".PP\n.B \\-chip\naccepts the chip numbers and generation names\n%s.\n"
      ".PP\n"
      "With\n.BR \\-read ,\n"
      ".B %s\n"
      "reads a configuration procedure back and writes a parameters file of\n"
      ".B emi\n"
      "command lines that set the same configuration again.\n"
      ".B \\-i\n"
      "reads option lines from standard input until a line\n.B q\nor\n.BR quit .\n"
      "Arguments that are not options are scripts of the command language, run in turn.\n"
      ".PP\n"
      "Options are taken in this order: from the environment variable\n.B \\%%%s\n"
      "up to its separator, from the command line, then from the rest of\n.BR \\%%%s .\n"
      "An argument\n.BI @ file\nreads options from\n.IR file .\n",
      info.programName, roffText(joined(chips)).c_str(), info.programName, info.envVariable,
      info.envVariable);
  return page;
}

std::string optionsSection(const options::ToolInfo& info, std::span<const options::OptionRecord> table) {
  std::string page =
      ".SH OPTIONS\n"
      "An option is a word beginning with \"\\-\" or \"/\".\n"
      "An option that takes a value takes the next argument, whatever it begins with,\n"
      "or the text joined to its name\n.RB ( \\-bank2 ).\n"
      "Names are matched exactly, case and all, and are never abbreviated.\n"
      "Values are decimal unless the description says (hex).\n"
      "A description beginning with S:, D:, P: or M: applies to banks of type\n"
      "SDRAM, DRAM, Peripheral or MPX;\n"
      "Padlogic: to the padlogic register of EMI2 and EMI3 chips;\n"
      "Gencfg: to the general configuration register of EMI4 chips;\n"
      "EMI4: to EMI4 chips only.\n";
  const auto entries = optionEntries(table);
  std::uint32_t earlierPages = 0;
  for (const auto& group : kGroups) {
    page += format(".SS %s\n", group.title);
    page += group.intro;
    // The extended page's own closing line.
    if (group.page == options::kExtendedPage) {
      page += format("Options beginning with Z are unsupported and for %s's use only.\n", info.makerName);
    }
    for (const auto& entry : entries) {
      if ((entry.visibility & group.page) == 0 || (entry.visibility & earlierPages) != 0) continue;
      page += format(".TP\n\\fB\\-%s\\fR", roffText(entry.name).c_str());
      if (!entry.argument.empty()) page += format(" \\fI%s\\fR", roffText(entry.argument).c_str());
      page += format("\n%s\n", roffText(entry.description).c_str());
    }
    earlierPages |= group.page;
  }
  return page;
}

std::string closingSections(const options::ToolInfo& info) {
  return format(
      ".SH ENVIRONMENT\n"
      ".TP\n.B \\%%%s\n"
      "Default options.\n"
      "The first \"|\" outside double quotes (also written \"\\e|\") separates the options\n"
      "taken before the command-line arguments from those taken after them.\n"
      "With no arguments and no options from this variable,\n"
      ".B %s\n"
      "prints its short usage page.\n"
      ".TP\n.B QX40ROOT\n"
      "When set, its directories stdcfg, lib and include are searched\n"
      "for the files that scripts include.\n"
      ".SH FILES\n"
      ".TP\n.I configuration procedure\n"
      "Written to the file named by\n.B \\-o\n"
      "(and by\n.B \\-io\n"
      "in interactive mode): a comment header, the line \"proc configEmi {\"\n"
      "with the name set by\n.BR \\-proc\\-name ,\n"
      "one line per register of the poke command word\n.RB ( \\-poke\\-change ),\n"
      "the register's address and its value in hexadecimal, and a closing \"}\".\n"
      ".TP\n.I parameters file\n"
      "Written in read mode\n.RB ( \\-read ,\n.BR \\-iro ):\n"
      "lines of the\n.B emi\n"
      "command, one option per parameter, which a script can run again.\n"
      "It is named by\n.BR \\-o ,\n"
      "or after the procedure with \".dat\" appended\n(\\%%configEmi.dat).\n"
      ".TP\n.BI @ file\n"
      "An argument file: each line holds options,\n"
      "an option and its value on the same line;\n"
      "a line beginning with \"#\" is a comment.\n"
      "Argument files may name further argument files.\n"
      ".SH EXIT STATUS\n"
      ".TP\n.B 0\n"
      "The run ended normally.\n"
      "A refused value, an option the chip does not support and a missing output file\n"
      "are reported on standard output, and the status stays 0.\n"
      ".TP\n.B 1\n"
      "An option not in the table, a missing value, bad quoting,\n"
      "an unreadable argument file, a failed command language statement,\n"
      "a read procedure that cannot be found,\n"
      "or memory exhausted.\n"
      ".SH EXAMPLES\n"
      "Make bank 0 of chip 7021 an SDRAM bank with CAS latency 2\n"
      "and write its configuration procedure to out.cfg:\n"
      ".PP\n.RS 4\n.nf\n"
      "%s \\-chip 7021 \\-bank 0 \\-type S \\-caslatency 2 \\-o out.cfg\n"
      ".fi\n.RE\n"
      ".PP\n"
      "List the SDRAM options, and every option:\n"
      ".PP\n.RS 4\n.nf\n"
      "%s \\-help\\-sdram\n"
      "%s \\-z\n"
      ".fi\n.RE\n",
      info.envVariable, info.programName, info.programName, info.programName, info.programName);
}

}  // namespace

std::string roffText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (escaped.empty() && (c == '.' || c == '\'')) escaped += "\\&";
    if (c == '\\') {
      escaped += "\\e";
    } else if (c == '-') {
      escaped += "\\-";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string manPage(const options::ToolInfo& info, std::span<const options::OptionRecord> table,
                    const std::string& date, const std::vector<std::string>& chips) {
  std::string page =
      format(".\\\" Generated from the option tables by %s_docgen; do not edit.\n", info.programName);
  page += heading(info, date, chips);
  page += optionsSection(info, table);
  page += closingSections(info);
  return page;
}

}  // namespace varda::docgen
