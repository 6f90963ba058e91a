#include "cmdlang/builtins.h"

#include "cmdlang/interp.h"

namespace varda::cmdlang {

void cdCommand(Interp&, std::uint32_t) {}
void getenvCommand(Interp&, std::uint32_t) {}
void mkdirCommand(Interp&, std::uint32_t) {}
void mvCommand(Interp&, std::uint32_t) {}
void pwdCommand(Interp&, std::uint32_t) {}
void rmCommand(Interp&, std::uint32_t) {}
void rmdirCommand(Interp&, std::uint32_t) {}
void sysCommand(Interp&, std::uint32_t) {}

}  // namespace varda::cmdlang
