#include "cmdlang/builtins.h"

#include <optional>
#include <string>

#include "cmdlang/arguments.h"
#include "cmdlang/command_support.h"
#include "cmdlang/engine.h"
#include "cmdlang/file_commands.h"
#include "cmdlang/interp.h"
#include "cmdlang/number_syntax.h"
#include "cmdlang/values.h"
#include "cmdlang/when_events.h"
#include "support/format.h"
#include "support/info.h"

namespace varda::cmdlang {

namespace {

/// One row of the built-in command table.
struct BuiltinRow {
  const char* name;
  CommandHandler handler;
  const char* help;
};

#define VARDA_FORMAT_LINES \
  "  -d signed decimal\n  -u unsigned decimal\n  -x hexadecimal\n  -o octal\n  -b binary\n  -c ASCII\n"

// clang-format off
// The registration order is the order of the command table's chains, which
// `clsymbol -commands` lists: keep it. All 32 rows are registered, also the
// commands that the help group's one-line list leaves out.
constexpr BuiltinRow kBuiltins[] = {
  {"addhelp",   addhelpCommand,   "addhelp procedurename helpstring\n"},
  {"cd",        cdCommand,        "cd directory\n"},
  {"clinfo",    clinfoCommand,    "clinfo level\n  set level of information output\n"},
  {"clerror",   clerrorCommand,   "clerror string\n  display error string\nclerror -i|-s\n  set behaviour on error\n"
                                  "  -i[gnore] errors are ignored\n  -s[top] errors stop execution (default)\n"},
  {"clsymbol",  clsymbolCommand,  "clsymbol string, return 0 if string not a symbol\n"
                                  "                 return 1 if string is a variable name\n"
                                  "                 return 2 if string is a procedure name\n"
                                  "                 return 3 if string is a command name\n"
                                  "clsymbol -all|-vars|-procs|-commands\n  -all display all symbol names\n"
                                  "  -vars display all variable names\n  -procs display all procedure names\n"
                                  "  -commands display all command names\n"},
  {"eval",      evalCommand,      "eval command arguments\n  invoke command (or procedure) with specified arguments\n"},
  {"event",     eventCommand,     "event eventid\n"},
  {"forcewhen", eventCommand,     "forcewhen eventid\n"},
  {"feof",      feofCommand,      "feof filename\n"},
  {"fgets",     fgetsCommand,     "fgets filename\n"},
  {"fopen",     fopenCommand,     "fopen filename mode\n"},
  {"fputs",     fputsCommand,     "fputs filename string\n"},
  {"fwrite",    fwriteCommand,    "fwrite filename string ...\n"},
  {"fread",     freadCommand,     "fread filename variable\n"},
  {"fappend",   fappendCommand,   "fappend filename string ...\n"},
  {"fclose",    fcloseCommand,    "fclose filename ...\n"},
  {"getenv",    getenvCommand,    "getenv envname\n"},
  {"help",      helpCommand,      "help [command]\n"},
  {"mkdir",     mkdirCommand,     "mkdir directory ...\n"},
  {"mknum",     mknumCommand,     "mknum argument\n  convert argument into value\n"},
  {"mkstr",     mkstrCommand,     "mkstr [format] argument\n  convert argument into formatted string\nwhere format:\n"
                                  VARDA_FORMAT_LINES},
  {"mv",        mvCommand,        "mv oldfilename newfilename\n"},
  {"parse",     parseCommand,     "parse program\n  parse and execute specified program\n"},
  {"pwd",       pwdCommand,       "pwd [-q[uiet]]\n"},
  {"remove",    removeCommand,    "remove [object]\n"},
  {"rewind",    rewindCommand,    "rewind filename\n"},
  {"rm",        rmCommand,        "rm filename ...\n"},
  {"rmdir",     rmdirCommand,     "rmdir directory ...\n"},
  {"showprocs", showprocsCommand, "showprocs\n"},
  {"sys",       sysCommand,       "sys command\n"},
  {"token",     tokenCommand,     "token string number [-l[ine]]\n"},
  {"write",     writeCommand,     "write [-n] [[format] string] ... -- string ...\n  display formatted strings\n"
                                  "  -n no newline\n  -- no further formatting\nwhere format:\n" VARDA_FORMAT_LINES},
};
// clang-format on

#undef VARDA_FORMAT_LINES

}  // namespace

void registerBuiltins(Interp& in) {
  for (const BuiltinRow& row : kBuiltins) in.addcommand(row.name, row.handler, row.help);
  in.addhelpgroup(
      "misc functions - addhelp, cd, clinfo, clerror, clsymbol, eval, event, fclose, feof, fgets, fopen, "
      "fputs, "
      "help, mknum, mkstr, mv, parse, pwd, remove, rewind, rm, sys, write\n");
}

namespace {

/// The text of an integer or text variable for listings ("%s=%s\n").
std::string listedValue(const Variable& v, std::optional<NumberFormat> format) {
  if (!v.defined) return "???";
  switch (v.type) {
    case Type::Int: return format ? formatnumber(v.intValue, *format, true) : decimal(v.intValue);
    case Type::Text: return v.textValue.str();
    case Type::Array: return "<array>";
    default: return "???";
  }
}

void listVariables(Interp& in, const SymbolTable& table, std::optional<NumberFormat> format) {
  table.forEach([&](const Variable& v) {
    in.output(v.name.view());
    in.output("=");
    in.output(listedValue(v, format));
    in.output("\n");
  });
}

void listProcedures(Interp& in) {
  std::string line;
  in.procedures.forEach([&](const Text& name, const Rc<CodeObject>&) {
    line += name.view();
    line += ' ';
  });
  line += '\n';
  in.output(line);
}

void listCommands(Interp& in) {
  std::string line;
  in.commands.forEach([&](const Text& name, const CommandEntry&) {
    line += name.view();
    line += ' ';
  });
  line += '\n';
  in.output(line);
}

/// A variable named `name` as a script sees it: the caller's locals, then
/// the globals.
Variable* visibleVariable(Interp& in, std::string_view name, bool path) {
  const SymbolTable* locals = callerLocals(in);
  if (locals != nullptr)
    if (Variable* v = path ? findbypath(*locals, name) : locals->find(name)) return v;
  return path ? findbypath(in.globals, name) : in.globals.find(name);
}

}  // namespace

void addhelpCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 2)
    in.raiseerror(kArgumentsNeeded, "addhelp requires a procedure name and help string");
  Rc<CodeObject>* procedure = in.procedures.find(in.argumentstring(1));
  if (procedure == nullptr) in.raiseerror(kInvalidName, "not a procedure");
  (*procedure)->help = Text(in.argumentstring(2));
}

void clinfoCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  // ORDER TRACE: levels 1, 2, 3 add bits 2, 4, 8 cumulatively; 0 clears.
  switch (const std::int32_t level = in.argumentint(1)) {
    case 0: in.eng.trace = 0; break;
    case 1: in.eng.trace |= 2; break;
    case 2: in.eng.trace |= 2 | 4; break;
    case 3: in.eng.trace |= 2 | 4 | 8; break;
    default: in.eng.trace |= static_cast<unsigned>(level); break;
  }
}

void clerrorCommand(Interp& in, std::uint32_t) {
  std::string message;
  std::int32_t ignore = 0;
  std::int32_t stop = 0;
  const ArgItem one[] = {ArgItem::string(&message)};
  const ArgForm forms[] = {ArgForm{}, ArgForm{one}};
  const ArgOption options[] = {{"i", &ignore}, {"ignore", &ignore}, {"s", &stop}, {"stop", &stop}};
  if (matcharguments(in, forms, options) == 1) in.raiseerror(message);
  // Both given: -s is applied last, so errors stop execution.
  if (ignore != 0) in.eng.ignoreErrors = true;
  if (stop != 0) in.eng.ignoreErrors = false;
}

void clsymbolCommand(Interp& in, std::uint32_t) {
  std::string name;
  std::int32_t all = 0;
  std::int32_t vars = 0;
  std::int32_t procs = 0;
  std::int32_t commands = 0;
  const ArgItem one[] = {ArgItem::string(&name)};
  const ArgForm forms[] = {ArgForm{}, ArgForm{one}};
  const ArgOption options[] = {{"all", &all}, {"vars", &vars}, {"procs", &procs}, {"commands", &commands}};
  if (matcharguments(in, forms, options) == 1) {
    // "Local" is the caller's table: the command's own holds only "$1".. .
    if (visibleVariable(in, name, true) != nullptr)
      in.setresultint(1);
    else if (in.procedures.find(name) != nullptr)
      in.setresultint(2);
    else if (in.commands.find(name) != nullptr)
      in.setresultint(3);
    else
      in.setresultint(0);
    return;
  }
  if (all != 0 || vars != 0) listVariables(in, in.globals, std::nullopt);
  if (all != 0 || procs != 0) listProcedures(in);
  if (all != 0 || commands != 0) listCommands(in);
}

void evalCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  if (count < 1) in.raiseerror(kArgumentsNeeded, "eval requires a procedure name");
  const std::string name = in.argumentstring(1);
  Rc<CodeObject> procedure;  // held: the call may remove or redefine it
  if (Rc<CodeObject>* p = in.procedures.find(name)) procedure = *p;
  const CommandEntry* command = procedure ? nullptr : in.commands.find(name);
  if (!procedure && (command == nullptr || command->handler == nullptr))
    in.raiseerror(kInvalidName, "not a procedure");
  const CommandEntry entry = procedure ? CommandEntry{} : *command;
  const std::size_t depth = stackDepth(in);
  {
    ExecutionPoint point(in);
    createframe(in);
    for (int i = 2; i <= count; ++i) addargument(in, in.argumentvalue(i));
    if (procedure)
      runcode(in, procedure);
    else
      runcommand(in, Text(name), entry);
  }
  if (stackDepth(in) > depth) in.setresult(popvalue(in));
}

void helpCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  if (count == 0) {
    for (const std::string& group : in.helpGroups) in.output(group);
    return;
  }
  for (int i = 1; i <= count; ++i) {
    const std::string name = in.argumentstring(i);
    const Rc<CodeObject>* procedure = in.procedures.find(name);
    if (const CommandEntry* command = in.commands.find(name))
      in.output(command->help);
    else if (procedure != nullptr && !(*procedure)->help.empty())
      in.output((*procedure)->help.view());
    else if (visibleVariable(in, name, false) != nullptr)
      in.output("variable\n");
    else if (procedure != nullptr)
      in.output("procedure\n");
    else
      in.output(support::format("no help on %s\n", name.c_str()));
  }
}

void mknumCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  const Value v = in.argumentvalue(1);
  if (v.type() == Type::Int) return in.setresultint(v.asInt());
  if (v.type() != Type::Text) in.raiseerror(kArgumentsNeeded, "invalid argument");
  const std::optional<std::int32_t> n = parsenumber(v.textView(), true);
  if (!n) in.raiseerror(kExpectedInteger, "invalid number");
  in.setresultint(*n);
}

void mkstrCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  if (count != 1 && count != 2) in.raiseerror(kArgumentsNeeded);
  NumberFormat format = NumberFormat::Signed;
  if (count == 2) {
    const std::optional<NumberFormat> f = formatOption(in.argumentstring(1));
    if (!f) in.raiseerror(kArgumentsNeeded, "invalid argument");
    format = *f;
  }
  const Value v = in.argumentvalue(count);
  // A formatted number holds no NUL byte: its text needs no scan for one.
  char digits[kNumberTextSize];
  if (v.type() == Type::Int)
    return in.setresult(Value::text(Text::concat(formatnumber(v.asInt(), format, true, digits), {})));
  if (v.type() != Type::Text) in.raiseerror(kArgumentsNeeded, "invalid argument");
  // Arguments of a command word arrive as texts ('mkstr -x 255'): a text that
  // reads as a number is that number; any other text is returned unchanged
  // (shared, not copied).
  if (const std::optional<std::int32_t> n = parsenumber(v.textView(), true))
    return in.setresult(Value::text(Text::concat(formatnumber(*n, format, true, digits), {})));
  in.setresult(v);
}

void parseCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() != 1) in.raiseerror(kArgumentsNeeded);
  std::string program = in.argumentstring(1);
  if (program.empty() || program.back() != '\n') program += '\n';
  std::int32_t result = 0;
  bool ok = false;
  {
    ExecutionPoint point(in);
    ok = in.parseandexecute(program, &result);
  }
  if (ok) return in.setresultint(result);
  char report[1024];
  in.formaterror(report, sizeof report);
  in.output(report);
}

void removeCommand(Interp& in, std::uint32_t) {
  if (in.argumentcount() == 0) {
    if (!removeCurrentWhen(in)) in.raiseerror(kArgumentsNeeded);
    return;
  }
  const std::string name = in.argumentstring(1);
  if (in.procedures.find(name) != nullptr) {
    // A running procedure stays alive through its callers' references.
    in.procedures.remove(name);
    in.output(support::format("procedure %s removed\n", name.c_str()));
    return;
  }
  if (Variable* v = findbypath(in.globals, name)) {
    if (v->parent != nullptr)
      v->parent->array->remove(v->key());
    else
      in.globals.remove(v->key());
    if ((in.eng.trace & 8) != 0) support::info("variable %s removed\n", name.c_str());
    return;
  }
  const std::optional<std::int32_t> number = parsenumber(name, true);
  if (number && removeWhen(in, *number)) in.output(support::format("when %s removed\n", name.c_str()));
  // Any other name: nothing to remove, and no error.
}

void showprocsCommand(Interp& in, std::uint32_t) { listProcedures(in); }

void tokenCommand(Interp& in, std::uint32_t) {
  std::string text;
  std::int32_t n = 0;
  std::int32_t line = 0;
  const ArgItem items[] = {ArgItem::string(&text), ArgItem::integer(&n)};
  const ArgForm forms[] = {ArgForm{items}};
  const ArgOption options[] = {{"l", &line}, {"line", &line}};
  matcharguments(in, forms, options);
  const char* separators = line != 0 ? "\n" : " \n\t";
  std::int32_t piece = 0;
  const std::int32_t wanted = n < 2 ? 1 : n;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = text.find_first_not_of(separators, at);
    if (start == std::string::npos) break;
    std::size_t end = text.find_first_of(separators, start);
    if (end == std::string::npos) end = text.size();
    if (++piece == wanted) return in.setresultstring(std::string_view(text).substr(start, end - start));
    at = end;
  }
  in.setresultstring("");
}

void writeCommand(Interp& in, std::uint32_t) {
  const int count = in.argumentcount();
  bool formatting = true;
  bool newline = true;
  std::optional<NumberFormat> pending;
  for (int i = 1; i <= count; ++i) {
    const Value v = in.argumentvalue(i);
    if (formatting && v.type() == Type::Text) {
      const std::string_view t = v.textView();
      if (t == "--") {
        formatting = false;
        continue;
      }
      if (t == "-n") {
        newline = false;
        continue;
      }
      if (const std::optional<NumberFormat> f = formatOption(t)) {
        pending = f;
        continue;
      }
    }
    // A pending format is used up only by a number printed in it.
    if (v.type() == Type::Array) {
      listVariables(in, *v.variable()->array, formatting ? pending : std::nullopt);
    } else if (v.type() == Type::Int) {
      if (formatting && pending) {
        in.output(formatnumber(v.asInt(), *pending, true));
        pending.reset();
      } else {
        in.output(decimal(v.asInt()));
      }
    } else {
      const std::optional<std::int32_t> n =
          formatting && pending ? parsenumber(v.textView(), true) : std::nullopt;
      if (n) {
        in.output(formatnumber(*n, *pending, true));
        pending.reset();
      } else {
        in.output(v.textView());
      }
    }
    if (i != count) in.output(" ");
  }
  if (newline) in.output("\n");
}

}  // namespace varda::cmdlang
