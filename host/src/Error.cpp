// The library's exception and the meanings of result codes: the applet's own table first,
// then the simulated board's.
#include "brenvik/Error.h"

#include "runtime/ResultMeanings.h"
#include "simboard/control.h"

namespace brenvik {

namespace {
constexpr std::string_view kUnknownMeaning = "unknown error";
}

std::string_view categoryName(ErrorCategory category) {
  switch (category) {
    case ErrorCategory::kRefused:
      return "refused";
    case ErrorCategory::kUnknownName:
      return "unknown name";
    case ErrorCategory::kBadValue:
      return "bad value";
    case ErrorCategory::kTimeout:
      return "timeout";
    case ErrorCategory::kCancelled:
      return "cancelled";
    case ErrorCategory::kClosed:
      return "closed";
    case ErrorCategory::kCannotLoad:
      return "cannot load";
    case ErrorCategory::kInvalidState:
      return "invalid state";
  }
  return "unknown";
}

std::string codeMeaning(std::int32_t code) {
  if (const std::string_view text = codes::resultMeaning(code); !text.empty()) {
    return std::string(text);
  }
  if (const char* board = simboard_error_text(code)) return board;
  return std::string(kUnknownMeaning);
}

Error::Error(ErrorCategory category, std::int32_t code, const std::string& what)
    : std::runtime_error(what + ": " + std::to_string(code) + " (" + codeMeaning(code) + ")"),
      category_(category),
      code_(code),
      meaning_(codeMeaning(code)) {}

Error::Error(ErrorCategory category, const std::string& message)
    : std::runtime_error(message), category_(category) {}

}  // namespace brenvik
