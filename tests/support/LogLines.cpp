// Counting the applet's messages in the logging dispatcher's file.
#include "LogLines.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

namespace brenvik::test {

namespace {

// Counts the lines after `from` whose message, after a numeric thread prefix, matches.
int countMessages(std::size_t from, const std::function<bool(const std::string&)>& matches) {
  const std::string log = logText();
  std::istringstream lines(from < log.size() ? log.substr(from) : std::string());
  int count = 0;
  for (std::string line; std::getline(lines, line);) {
    const auto prefix = line.find("] thread-id=");
    const auto bar = line.find('|');
    if (prefix == std::string::npos || bar == std::string::npos || bar < prefix) continue;
    const std::string id = line.substr(prefix + 12, bar - prefix - 12);
    const bool numeric = !id.empty() && id.find_first_not_of("0123456789") == std::string::npos;
    if (numeric && matches(line.substr(bar + 1))) ++count;
  }
  return count;
}

}  // namespace

std::string logText() {
  const char* file = std::getenv("BRENVIK_LOG_FILE");
  if (file == nullptr) return {};
  std::ifstream stream(file);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

int countLogged(std::size_t from, const std::string& text) {
  return countMessages(from, [&](const std::string& message) { return message == text; });
}

int countLoggedStartingWith(std::size_t from, const std::string& start) {
  return countMessages(from, [&](const std::string& message) { return message.starts_with(start); });
}

}  // namespace brenvik::test
