// Reading the logging dispatcher's file (BRENVIK_LOG_FILE) in tests that check messages.
#pragma once

#include <cstddef>
#include <string>

namespace brenvik::test {

// The whole log so far; empty when BRENVIK_LOG_FILE is unset or unreadable. The dispatcher
// keeps its file open, so a test looks only at what was appended after it started.
std::string logText();

// How many lines after offset `from` read "<logger> [<level>] thread-id=<digits>|" followed
// by exactly `text` (or, for the second, by a message starting with `start`).
int countLogged(std::size_t from, const std::string& text);
int countLoggedStartingWith(std::size_t from, const std::string& start);

}  // namespace brenvik::test
