// The design text format, line by line. Format:
//   VHAP 1                                     first line, always
//   applet "Name" | applet-id N | version "t" | build "t"
//   parameter NAME TYPE rw|ro INITIAL [min V] [max V]
//       TYPE: u32 i32 u64 i64 f64 str u32[N]; a field's INITIAL is one value for every
//       element or N values separated by commas; a string's INITIAL is quoted
//   register NAME ID WIDTH rw|ro [INITIAL]
//   event NAME KIND ["description"]           events are numbered in file order
//   transfer WIDTH_PARAMETER HEIGHT_PARAMETER [FORMAT_PARAMETER BYTES...]
#include "DesignParser.h"

#include <functional>
#include <set>
#include <stdexcept>
#include <vector>

#include "DesignTokenizer.h"
#include "RuntimeParameters.h"
#include "ValueRules.h"

namespace brenvik::simboard {

namespace {

// A parse failure: the message carries the reason; the parser adds the line number.
struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& reason) { throw ParseError(reason); }

bool isNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

void checkName(const Token& token, const char* what) {
  if (token.quoted || token.text.empty()) fail(std::string(what) + " name expected");
  for (char c : token.text) {
    if (!isNameCharacter(c))
      fail(std::string("invalid character in ") + what + " name '" + token.text + "'");
  }
}

std::string quotedText(const Token& token, const char* what) {
  if (!token.quoted) fail(std::string(what) + " must be a quoted text");
  if (token.text.size() > kMaxTextLength)
    fail(std::string(what) + " is longer than 1023 characters");
  return token.text;
}

struct TypeName {
  const char* text;
  ValueType type;
};
constexpr TypeName kTypeNames[] = {{"u32", ValueType::U32}, {"i32", ValueType::I32},
                                   {"u64", ValueType::U64}, {"i64", ValueType::I64},
                                   {"f64", ValueType::F64}, {"str", ValueType::Str}};

void parseType(const std::string& text, ParameterDefinition& definition) {
  for (const TypeName& entry : kTypeNames) {
    if (text == entry.text) {
      definition.type = entry.type;
      return;
    }
  }
  // A field: u32[N].
  if (text.size() > 5 && text.compare(0, 4, "u32[") == 0 && text.back() == ']') {
    std::uint64_t count = 0;
    if (!parseUnsigned(std::string_view(text).substr(4, text.size() - 5), count) || count == 0 ||
        count > kMaxFieldElements) {
      fail("field size must be 1 to 65536 in '" + text + "'");
    }
    definition.type = ValueType::Field;
    definition.elements = static_cast<std::uint32_t>(count);
    return;
  }
  fail("unknown value type '" + text + "'");
}

bool parseAccess(const Token& token) {
  if (!token.quoted && token.text == "rw") return true;
  if (!token.quoted && token.text == "ro") return false;
  fail("access must be rw or ro, not '" + token.text + "'");
}

// A limit or scalar value of the definition's type, checked against the current limits.
std::uint64_t parseScalar(const ParameterDefinition& definition, const Token& token,
                          const char* what) {
  if (token.quoted) fail(std::string(what) + " must not be quoted");
  std::uint64_t bits = 0;
  if (definition.type == ValueType::F64) {
    double value = 0;
    if (!parseDouble(token.text, value) || !acceptDouble(definition, value, bits)) {
      fail(std::string("invalid or out-of-range ") + what + " '" + token.text + "'");
    }
    return bits;
  }
  ParameterDefinition elementDefinition = definition;
  if (definition.type == ValueType::Field) elementDefinition.type = ValueType::U32;
  if (!parseInteger(elementDefinition, token.text, bits)) {
    fail(std::string("invalid or out-of-range ") + what + " '" + token.text + "'");
  }
  return bits;
}

bool lessOrEqual(const ParameterDefinition& definition, std::uint64_t a, std::uint64_t b) {
  if (definition.type == ValueType::F64) return bitsToDouble(a) <= bitsToDouble(b);
  if (isSigned(definition.type))
    return static_cast<std::int64_t>(a) <= static_cast<std::int64_t>(b);
  return a <= b;
}

class Parser {
 public:
  ParseResult run(std::string_view text) {
    ParseResult result;
    design_ = std::make_shared<Design>();
    std::size_t lineNumber = 0;
    std::vector<Token> tokens;
    try {
      while (!text.empty() || lineNumber == 0) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        line_ = lineNumber;
        if (line.find('\0') != std::string_view::npos) fail("unexpected zero byte");
        std::string error;
        if (!tokenizeLine(line, tokens, error)) fail(error);
        if (lineNumber == 1) {
          checkMagic(tokens);
        } else if (!tokens.empty()) {
          parseLine(tokens);
        }
        if (end == std::string_view::npos) break;
      }
      lastLine_ = lineNumber;
      finish();
    } catch (const ParseError& error) {
      result.error = "line " + std::to_string(line_) + ": " + error.what();
      return result;
    }
    design_->finish();
    result.design = std::move(design_);
    return result;
  }

 private:
  static void checkMagic(const std::vector<Token>& tokens) {
    if (tokens.size() != 2 || tokens[0].quoted || tokens[0].text != "VHAP") {
      fail("not a design file (the first line must be \"VHAP 1\")");
    }
    if (tokens[1].text != "1") fail("unsupported design format version '" + tokens[1].text + "'");
  }

  void parseLine(const std::vector<Token>& tokens) {
    using Handler = void (Parser::*)(const std::vector<Token>&);
    struct Keyword {
      const char* word;
      Handler handler;
    };
    static constexpr Keyword kKeywords[] = {
        {"applet", &Parser::parseApplet},       {"applet-id", &Parser::parseAppletId},
        {"version", &Parser::parseVersion},     {"build", &Parser::parseBuild},
        {"parameter", &Parser::parseParameter}, {"register", &Parser::parseRegister},
        {"event", &Parser::parseEvent},         {"transfer", &Parser::parseTransfer}};
    if (!tokens[0].quoted) {
      for (const Keyword& keyword : kKeywords) {
        if (tokens[0].text == keyword.word) {
          (this->*keyword.handler)(tokens);
          return;
        }
      }
    }
    fail("unknown keyword '" + tokens[0].text + "'");
  }

  static void expectCount(const std::vector<Token>& tokens, std::size_t least, std::size_t most) {
    if (tokens.size() < least) fail("'" + tokens[0].text + "' has too few values");
    if (tokens.size() > most) fail("'" + tokens[0].text + "' has too many values");
  }

  void once(const char* keyword) {
    if (!seen_.insert(keyword).second) fail(std::string("'") + keyword + "' given twice");
  }

  void parseApplet(const std::vector<Token>& tokens) {
    expectCount(tokens, 2, 2);
    once("applet");
    design_->appletName = quotedText(tokens[1], "applet name");
    if (design_->appletName.empty()) fail("applet name is empty");
  }

  void parseAppletId(const std::vector<Token>& tokens) {
    expectCount(tokens, 2, 2);
    once("applet-id");
    std::int64_t id = 0;
    if (tokens[1].quoted || !parseSigned(tokens[1].text, id) || id < 0 || id > 0x7fffffff) {
      fail("applet id must be a number from 0 to 2147483647");
    }
    design_->appletId = static_cast<std::int32_t>(id);
  }

  void parseVersion(const std::vector<Token>& tokens) {
    expectCount(tokens, 2, 2);
    once("version");
    design_->version = quotedText(tokens[1], "version");
  }

  void parseBuild(const std::vector<Token>& tokens) {
    expectCount(tokens, 2, 2);
    once("build");
    design_->buildTime = quotedText(tokens[1], "build time");
  }

  void parseParameter(const std::vector<Token>& tokens) {
    expectCount(tokens, 5, 9);
    ParameterDefinition definition;
    checkName(tokens[1], "parameter");
    definition.name = tokens[1].text;
    if (parameterNames_.count(definition.name) != 0)
      fail("parameter '" + definition.name + "' given twice");
    // The runtime answers to its own parameters' names first; a design parameter of such a
    // name could never be reached.
    if (runtimeParameterIndexByName(definition.name) >= 0)
      fail("parameter '" + definition.name + "' has the name of one of the runtime's own");
    if (tokens[2].quoted) fail("value type must not be quoted");
    parseType(tokens[2].text, definition);
    definition.writable = parseAccess(tokens[3]);
    definition.minimum =
        typeMinimum(definition.type == ValueType::Field ? ValueType::U32 : definition.type);
    definition.maximum =
        typeMaximum(definition.type == ValueType::Field ? ValueType::U32 : definition.type);
    parseLimits(tokens, definition);
    parseInitial(tokens[4], definition);
    // Ids 1 … n must stay below the first id of the runtime's own parameters.
    if (design_->parameters.size() + 1 >= static_cast<std::size_t>(kFirstRuntimeParameterId)) {
      fail("too many parameters: their ids would reach 600");
    }
    parameterNames_.insert(definition.name);
    design_->parameters.push_back(std::move(definition));
  }

  static void parseLimits(const std::vector<Token>& tokens, ParameterDefinition& definition) {
    bool haveMinimum = false;
    bool haveMaximum = false;
    for (std::size_t i = 5; i < tokens.size(); i += 2) {
      if (definition.type == ValueType::Str) fail("a string parameter has no limits");
      if (i + 1 >= tokens.size()) fail("'" + tokens[i].text + "' needs a value");
      const std::string& word = tokens[i].text;
      if (word == "min" && !haveMinimum) {
        definition.minimum = parseScalar(definition, tokens[i + 1], "minimum");
        haveMinimum = true;
      } else if (word == "max" && !haveMaximum) {
        definition.maximum = parseScalar(definition, tokens[i + 1], "maximum");
        haveMaximum = true;
      } else {
        fail("expected min or max once each, not '" + word + "'");
      }
    }
    if (!lessOrEqual(definition, definition.minimum, definition.maximum))
      fail("minimum above maximum");
  }

  static void parseInitial(const Token& token, ParameterDefinition& definition) {
    if (definition.type == ValueType::Str) {
      definition.initialText = quotedText(token, "a string's initial value");
      return;
    }
    if (definition.type != ValueType::Field) {
      definition.initial = parseScalar(definition, token, "initial value");
      return;
    }
    if (token.quoted) fail("initial value must not be quoted");
    std::vector<std::uint32_t> values;
    std::string_view rest = token.text;
    while (true) {
      std::size_t comma = rest.find(',');
      Token element{std::string(rest.substr(0, comma)), false};
      values.push_back(
          static_cast<std::uint32_t>(parseScalar(definition, element, "field element")));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    if (values.size() == 1) {
      definition.initialElements.assign(definition.elements, values[0]);
    } else if (values.size() == definition.elements) {
      definition.initialElements = std::move(values);
    } else {
      fail("field of " + std::to_string(definition.elements) + " elements has " +
           std::to_string(values.size()) + " initial values");
    }
  }

  void parseRegister(const std::vector<Token>& tokens) {
    expectCount(tokens, 5, 6);
    RegisterDefinition definition;
    checkName(tokens[1], "register");
    definition.name = tokens[1].text;
    std::uint64_t id = 0;
    if (tokens[2].quoted || !parseUnsigned(tokens[2].text, id) || id == 0 || id > 0xffffffffu) {
      fail("register id must be a number from 1 to 4294967295");
    }
    definition.id = static_cast<std::uint32_t>(id);
    std::uint64_t width = 0;
    if (tokens[3].quoted || !parseUnsigned(tokens[3].text, width) || width == 0 || width > 64) {
      fail("register width must be 1 to 64 bits");
    }
    definition.width = static_cast<std::uint32_t>(width);
    definition.writable = parseAccess(tokens[4]);
    if (tokens.size() == 6) {
      std::uint64_t mask =
          definition.width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << definition.width) - 1;
      if (tokens[5].quoted || !parseUnsigned(tokens[5].text, definition.initial) ||
          (definition.initial & ~mask) != 0) {
        fail("register initial value does not fit its width");
      }
    }
    for (const RegisterDefinition& other : design_->registers) {
      if (other.name == definition.name) fail("register '" + definition.name + "' given twice");
      if (other.id == definition.id)
        fail("register id " + std::to_string(definition.id) + " given twice");
    }
    design_->registers.push_back(std::move(definition));
  }

  void parseEvent(const std::vector<Token>& tokens) {
    expectCount(tokens, 3, 4);
    EventDefinition event;
    checkName(tokens[1], "event");
    event.name = tokens[1].text;
    std::int64_t kind = 0;
    if (tokens[2].quoted || !parseSigned(tokens[2].text, kind) || kind < -0x80000000LL ||
        kind > 0x7fffffff) {
      fail("event kind must be a 32-bit number");
    }
    event.kind = static_cast<std::int32_t>(kind);
    if (tokens.size() == 4) event.description = quotedText(tokens[3], "event description");
    for (const EventDefinition& other : design_->events) {
      if (other.name == event.name) fail("event '" + event.name + "' given twice");
    }
    if (design_->events.size() >= kMaxEvents) fail("more than 64 events");
    design_->events.push_back(std::move(event));
  }

  void parseTransfer(const std::vector<Token>& tokens) {
    once("transfer");
    if (tokens.size() != 3 && tokens.size() < 5) {
      fail(
          "'transfer' needs width and height parameters, then optionally a format parameter "
          "and bytes per pixel for each format value");
    }
    transferLine_ = line_;
    for (std::size_t i = 1; i < tokens.size() && i < 4; ++i) checkName(tokens[i], "parameter");
    transferNames_.assign({tokens[1].text, tokens[2].text});
    if (tokens.size() >= 5) {
      transferNames_.push_back(tokens[3].text);
      for (std::size_t i = 4; i < tokens.size(); ++i) {
        std::uint64_t bytes = 0;
        if (tokens[i].quoted || !parseUnsigned(tokens[i].text, bytes) || bytes == 0 || bytes > 16) {
          fail("bytes per pixel must be 1 to 16");
        }
        design_->transfer.bytesPerPixel.push_back(static_cast<std::uint32_t>(bytes));
      }
    }
  }

  void finish() {
    if (!transferNames_.empty()) {
      line_ = transferLine_;
      int* targets[] = {&design_->transfer.widthParameter, &design_->transfer.heightParameter,
                        &design_->transfer.formatParameter};
      for (std::size_t i = 0; i < transferNames_.size(); ++i) {
        int index = -1;
        for (std::size_t p = 0; p < design_->parameters.size(); ++p) {
          if (design_->parameters[p].name == transferNames_[i]) index = static_cast<int>(p);
        }
        if (index < 0) fail("transfer names unknown parameter '" + transferNames_[i] + "'");
        if (!isInteger(design_->parameters[static_cast<std::size_t>(index)].type)) {
          fail("transfer parameter '" + transferNames_[i] + "' is not an integer");
        }
        *targets[i] = index;
      }
    }
    line_ = lastLine_;  // problems of the whole file are reported at its last line
    if (design_->appletName.empty()) fail("the design has no 'applet' name");
    if (seen_.count("applet-id") == 0) fail("the design has no 'applet-id'");
  }

  std::shared_ptr<Design> design_;
  std::size_t line_ = 0;
  std::set<std::string> seen_;
  std::set<std::string> parameterNames_;
  std::vector<std::string> transferNames_;
  std::size_t transferLine_ = 0;
  std::size_t lastLine_ = 0;
};

}  // namespace

ParseResult parseDesign(std::string_view text) {
  try {
    return Parser().run(text);
  } catch (const std::bad_alloc&) {
    return {nullptr, "out of memory while reading the design"};
  }
}

}  // namespace brenvik::simboard
