// Word and quoted-text splitting of design file lines.
#include "DesignTokenizer.h"

namespace brenvik::simboard {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

bool tokenizeLine(std::string_view line, std::vector<Token>& tokens, std::string& error) {
  tokens.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (isBlank(c)) {
      ++i;
      continue;
    }
    if (c == '#') break;
    Token token;
    if (c == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\') {
          if (i >= line.size()) break;
          char e = line[i++];
          // Escapes: \" \\ \n \t; anything else is refused so typos do not pass silently.
          if (e == '"' || e == '\\') {
            token.text += e;
          } else if (e == 'n') {
            token.text += '\n';
          } else if (e == 't') {
            token.text += '\t';
          } else {
            error = std::string("unknown escape '\\") + e + "' in a quoted text";
            return false;
          }
          continue;
        }
        token.text += d;
      }
      if (!closed) {
        error = "unterminated quoted text";
        return false;
      }
      if (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
        error = "a quoted text must be followed by a blank";
        return false;
      }
    } else {
      while (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
        if (line[i] == '"') {
          error = "a quote inside a word";
          return false;
        }
        token.text += line[i++];
      }
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

}  // namespace brenvik::simboard
