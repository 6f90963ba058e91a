#pragma once

#include <cstdint>

namespace varda::cmdlang {

struct Interp;

/// Registers the built-in commands (file and event commands included) with
/// their help texts, and adds their help group.
void registerBuiltins(Interp& in);

// Handlers of the built-ins that live in builtins.cpp.
void addhelpCommand(Interp& in, std::uint32_t word);
void clinfoCommand(Interp& in, std::uint32_t word);
void clerrorCommand(Interp& in, std::uint32_t word);
void clsymbolCommand(Interp& in, std::uint32_t word);
void evalCommand(Interp& in, std::uint32_t word);
void helpCommand(Interp& in, std::uint32_t word);
void mknumCommand(Interp& in, std::uint32_t word);
void mkstrCommand(Interp& in, std::uint32_t word);
void parseCommand(Interp& in, std::uint32_t word);
void removeCommand(Interp& in, std::uint32_t word);
void showprocsCommand(Interp& in, std::uint32_t word);
void tokenCommand(Interp& in, std::uint32_t word);
void writeCommand(Interp& in, std::uint32_t word);

// Handlers that reach the operating system (builtins_system.cpp).
void cdCommand(Interp& in, std::uint32_t word);
void getenvCommand(Interp& in, std::uint32_t word);
void mkdirCommand(Interp& in, std::uint32_t word);
void mvCommand(Interp& in, std::uint32_t word);
void pwdCommand(Interp& in, std::uint32_t word);
void rmCommand(Interp& in, std::uint32_t word);
void rmdirCommand(Interp& in, std::uint32_t word);
void sysCommand(Interp& in, std::uint32_t word);

}  // namespace varda::cmdlang
