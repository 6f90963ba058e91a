#pragma once

#include "front/bank_manager.h"
#include "front/command_bridge.h"
#include "front/read_back_state.h"
#include "front/run_settings.h"
#include "options/parser_state.h"

namespace varda::front {

/// Everything one run of the tool changes, in one object: option handlers,
/// writers, the interactive loop and the interpreter's commands reach it
/// through runState(), and a harness (or anything that must start a run
/// again) resets it with one call.
struct RunState {
  options::ParserState parser;  ///< the option library's case mode and argument-file counters
  RunSettings settings;         ///< what the options set and the writers read
  BankManager banks;            ///< the register sets, their blocks and the block numbering
  ReadBackState readBack;       ///< register words read back, for the parameters file
  int interactiveNesting = 0;   ///< interactive loops running inside one another
  CommandBridge bridge;         ///< the interpreter, and the state of its emi and poke commands
};

/// The run's state.
RunState& runState();

/// Replaces the run's state by the state of a new process.
void resetRunState();

// The parts of the run's state that most code uses.
inline RunSettings& settings() { return runState().settings; }
inline BankManager& bankManager() { return runState().banks; }
inline ReadBackState& readBackState() { return runState().readBack; }

}  // namespace varda::front
