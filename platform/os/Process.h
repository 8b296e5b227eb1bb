// Facts about the running process: the file of a loaded module, the environment, threads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brenvik::platform {

// Full path of the module (library or executable) that contains `address`.
std::optional<std::string> modulePathOf(const void* address);

// Value of an environment variable; empty optional when it is not set.
std::optional<std::string> environmentValue(const char* name);

// Sets or removes an environment variable (for tools and tests).
void setEnvironmentValue(const char* name, const std::optional<std::string>& value);

// Numeric id of the calling thread, as the system knows it.
std::uint32_t currentThreadId();

// Gives up the rest of the calling thread's time slice.
void yieldThread();

// Sets the process's locale, every category, to English, so that numbers are written and
// read with a decimal point; the locale is not restored afterwards.
void useEnglishLocale();

// A monotonic counter in microseconds.
std::uint64_t monotonicMicroseconds();

}  // namespace brenvik::platform
