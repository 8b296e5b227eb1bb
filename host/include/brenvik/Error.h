// The one exception type of the client library: what went wrong, the applet's or the
// board's result code when one of them answered, and the code's meaning.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "brenvik/Export.h"

namespace brenvik {

// What kind of failure an Error is, so that callers (and other languages) can map it.
enum class ErrorCategory {
  kRefused,       // the applet or the board refused the call; code() says why
  kUnknownName,   // no parameter, event or board value of that name or id
  kBadValue,      // a value of the wrong kind, or out of what the parameter's type holds
  kTimeout,       // a wait for a frame passed its time-out
  kCancelled,     // a wait was ended by its caller
  kClosed,        // the applet was closed
  kCannotLoad,    // the applet module, its exports or the runtime could not be loaded, or
                  // the applet could not be created (code() then holds the creation's code)
  kInvalidState,  // a call out of order: a frame released twice, no acquisition running, ...
};

// The category's name in lower case ("refused", "unknown name", ...).
BRENVIK_HOST_API std::string_view categoryName(ErrorCategory category);

// The meaning of a result code of the applet or the simulated board, "unknown error" for a
// code that neither documents.
BRENVIK_HOST_API std::string codeMeaning(std::int32_t code);

class BRENVIK_HOST_API Error : public std::runtime_error {
 public:
  // A failure with a result code: the message ends in "CODE (MEANING)".
  Error(ErrorCategory category, std::int32_t code, const std::string& what);
  // A failure without a code (usage errors, closed applet, ...).
  Error(ErrorCategory category, const std::string& message);

  ErrorCategory category() const noexcept { return category_; }
  // The applet's or board's result code; 0 when neither gave one.
  std::int32_t code() const noexcept { return code_; }
  // The code's meaning; empty when there is no code.
  const std::string& meaning() const noexcept { return meaning_; }

 private:
  ErrorCategory category_;
  std::int32_t code_ = 0;
  std::string meaning_;
};

}  // namespace brenvik
