#pragma once
// Test support: a small option table whose handlers log every call.

#include <optional>
#include <string>
#include <vector>

#include "options/option_record.h"
#include "options/tool_info.h"

namespace varda::options::testing {

/// Calls made by the recording handlers, as "tag(name,value)" with "-" for
/// none; special callbacks given a selector add "!".
extern std::vector<std::string> calls;

/// What the invalid-use, syntax-error and argument-file callbacks return.
extern int errorResult;
/// What the end-of-parsing callback returns.
extern int endResult;
/// Calls of onOutOfMemory (which cannot log: it runs while allocations fail).
extern int outOfMemoryCalls;

/// Clears the log and restores the results (errors stop, end goes on).
void resetRecorder();

/// Option rows log "<selector text>(name,value)"; "stop" also returns kStop.
int recordOption(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int stopOption(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int onInvalidUse(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int onSyntaxError(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int onArgumentFile(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int onNoArguments(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int onOutOfMemory(std::optional<std::string> name, std::optional<std::string> value, const void* selector);
int onEnd(std::optional<std::string> name, std::optional<std::string> value, const void* selector);

inline constexpr ToolInfo kTestInfo{"tool",    "Maker", "Test tool",      "1.2.3",
                                    "abc1234", "2026",  "tool [options]", "TOOLARG"};

// A name that is a prefix of another stands after it.
inline constexpr OptionRecord kRecordingTable[] = {
    {"bank3subdecode", OptionKind::Value, "bank3subdecode", recordOption, 4, "<0/1>|set Bank3subdecode"},
    {"bank", OptionKind::Value, "bank", recordOption, 7, "<0-3>|specify bank number"},
    {"chip", OptionKind::Value, "chip", recordOption, 7, "<device>|specify chip device"},
    {"emi-reqGnt", OptionKind::Value, "emi-reqGnt", recordOption, 4, "<0-2>|set EMIReqGnt"},
    {"io", OptionKind::Flag, "io", recordOption, 6, "write output now"},
    {"i", OptionKind::Flag, "i", recordOption, 7, "interactive mode"},
    {"only", OptionKind::ValueOnly, "only", recordOption, 4, "<x>|value without name"},
    {"o", OptionKind::Value, "o", recordOption, 7, "<filename>|specify output file"},
    {"stop", OptionKind::Flag, "stop", stopOption, 4, "handler asks to stop"},
    {"type", OptionKind::Value, "type", recordOption, 7, "<type>|specify bank type"},
    {"v", OptionKind::Flag, "v", recordOption, 7, "show version information"},
    {"x{", OptionKind::Flag, "x{", recordOption, 4, "brace"},
    {nullptr, OptionKind::InvalidUse, nullptr, onInvalidUse, 0, nullptr},
    {nullptr, OptionKind::NoArguments, nullptr, onNoArguments, 0, nullptr},
    {nullptr, OptionKind::SyntaxError, nullptr, onSyntaxError, 0, nullptr},
    {nullptr, OptionKind::EnvNotSet, nullptr, onInvalidUse, 0, nullptr},
    {nullptr, OptionKind::ArgumentFile, nullptr, onArgumentFile, 0, nullptr},
    {nullptr, OptionKind::BareWord, "bare", recordOption, 0, nullptr},
    {nullptr, OptionKind::UsageHeader, &kTestInfo, nullptr, 0, nullptr},
    {nullptr, OptionKind::UsageNote, "A note", nullptr, 7, nullptr},
    {nullptr, OptionKind::End, nullptr, onEnd, 0, nullptr},
};

}  // namespace varda::options::testing
