#include "options/recording_table.h"

namespace varda::options::testing {

std::vector<std::string> calls;
int errorResult = kStop;
int endResult = kContinue;
int outOfMemoryCalls = 0;

void resetRecorder() {
  calls.clear();
  errorResult = kStop;
  endResult = kContinue;
  outOfMemoryCalls = 0;
}

namespace {

std::string show(const std::optional<std::string>& text) { return text ? *text : "-"; }

int log(const char* tag, const std::optional<std::string>& name, const std::optional<std::string>& value,
        Selector selector, int result) {
  calls.push_back(std::string(tag) + (selector.isSet() ? "!" : "") + "(" + show(name) + "," + show(value) +
                  ")");
  return result;
}

}  // namespace

int recordOption(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  calls.push_back(std::string(selector.text()) + "(" + show(name) + "," + show(value) + ")");
  return kContinue;
}

int stopOption(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  recordOption(name, value, selector);
  return kStop;
}

int onInvalidUse(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  return log("invalid", name, value, selector, errorResult);
}

int onSyntaxError(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  return log("syntax", name, value, selector, errorResult);
}

int onArgumentFile(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  return log("file", name, value, selector, errorResult);
}

int onNoArguments(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  return log("noargs", name, value, selector, kContinue);
}

int onOutOfMemory(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  static_cast<void>(name);
  static_cast<void>(value);
  static_cast<void>(selector);
  ++outOfMemoryCalls;
  return kStop;
}

int onEnd(std::optional<std::string> name, std::optional<std::string> value, Selector selector) {
  return log("end", name, value, selector, endResult);
}

}  // namespace varda::options::testing
