// Splits one line of a design file into words and quoted texts; '#' starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brenvik::simboard {

struct Token {
  std::string text;
  bool quoted = false;
};

// False with a reason when the line is malformed (an unterminated quote, a bad escape).
bool tokenizeLine(std::string_view line, std::vector<Token>& tokens, std::string& error);

}  // namespace brenvik::simboard
