// Expected file contents as text-mode streams write them on the platform at hand.
#pragma once

#include <string>
#include <string_view>

#include "platform/os/TextFiles.h"

namespace brenvik::test {

// `text` with every "\n" replaced by the platform's text line end ("\r\n" on Windows).
inline std::string inTextMode(std::string_view text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') {
      result += platform::textLineEnd();
    } else {
      result += c;
    }
  }
  return result;
}

// `text` as a text-mode stream reads it: every platform line end becomes "\n".
inline std::string fromTextMode(std::string_view text) {
  const std::string_view lineEnd = platform::textLineEnd();
  std::string result;
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at, lineEnd.size()) == lineEnd) {
      result += '\n';
      at += lineEnd.size();
    } else {
      result += text[at++];
    }
  }
  return result;
}

}  // namespace brenvik::test
