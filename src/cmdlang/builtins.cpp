#include "cmdlang/builtins.h"

#include "cmdlang/file_commands.h"
#include "cmdlang/interp.h"
#include "cmdlang/when_events.h"

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
// `clsymbol -commands` lists: keep it.
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

void addhelpCommand(Interp&, std::uint32_t) {}
void clinfoCommand(Interp&, std::uint32_t) {}
void clerrorCommand(Interp&, std::uint32_t) {}
void clsymbolCommand(Interp&, std::uint32_t) {}
void evalCommand(Interp&, std::uint32_t) {}
void helpCommand(Interp&, std::uint32_t) {}
void mknumCommand(Interp&, std::uint32_t) {}
void mkstrCommand(Interp&, std::uint32_t) {}
void parseCommand(Interp&, std::uint32_t) {}
void removeCommand(Interp&, std::uint32_t) {}
void showprocsCommand(Interp&, std::uint32_t) {}
void tokenCommand(Interp&, std::uint32_t) {}
void writeCommand(Interp&, std::uint32_t) {}

}  // namespace varda::cmdlang
