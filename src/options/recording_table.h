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
int recordOption(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int stopOption(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int onInvalidUse(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int onSyntaxError(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int onArgumentFile(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int onNoArguments(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int onOutOfMemory(std::optional<std::string> name, std::optional<std::string> value, Selector selector);
int onEnd(std::optional<std::string> name, std::optional<std::string> value, Selector selector);

inline constexpr ToolInfo kTestInfo{"tool",    "Maker", "Test tool",      "1.2.3",
                                    "abc1234", "2026",  "tool [options]", "TOOLARG"};

// A name that is a prefix of another stands after it.
inline constexpr OptionRecord kRecordingTable[] = {
    {"bank3subdecode", OptionKind::kValue, "bank3subdecode", recordOption, 4, "<0/1>|set Bank3subdecode"},
    {"bank", OptionKind::kValue, "bank", recordOption, 7, "<0-3>|specify bank number"},
    {"chip", OptionKind::kValue, "chip", recordOption, 7, "<device>|specify chip device"},
    {"emi-reqGnt", OptionKind::kValue, "emi-reqGnt", recordOption, 4, "<0-2>|set EMIReqGnt"},
    {"io", OptionKind::kFlag, "io", recordOption, 6, "write output now"},
    {"i", OptionKind::kFlag, "i", recordOption, 7, "interactive mode"},
    {"only", OptionKind::kValueOnly, "only", recordOption, 4, "<x>|value without name"},
    {"o", OptionKind::kValue, "o", recordOption, 7, "<filename>|specify output file"},
    {"stop", OptionKind::kFlag, "stop", stopOption, 4, "handler asks to stop"},
    {"type", OptionKind::kValue, "type", recordOption, 7, "<type>|specify bank type"},
    {"v", OptionKind::kFlag, "v", recordOption, 7, "show version information"},
    {"x{", OptionKind::kFlag, "x{", recordOption, 4, "brace"},
    {nullptr, OptionKind::kInvalidUse, {}, onInvalidUse, 0, nullptr},
    {nullptr, OptionKind::kNoArguments, {}, onNoArguments, 0, nullptr},
    {nullptr, OptionKind::kSyntaxError, {}, onSyntaxError, 0, nullptr},
    {nullptr, OptionKind::kEnvNotSet, {}, onInvalidUse, 0, nullptr},
    {nullptr, OptionKind::kArgumentFile, {}, onArgumentFile, 0, nullptr},
    {nullptr, OptionKind::kBareWord, "bare", recordOption, 0, nullptr},
    {nullptr, OptionKind::kUsageHeader, &kTestInfo, nullptr, 0, nullptr},
    {nullptr, OptionKind::kUsageNote, "A note", nullptr, 7, nullptr},
    {nullptr, OptionKind::kEnd, {}, onEnd, 0, nullptr},
};

}  // namespace varda::options::testing
