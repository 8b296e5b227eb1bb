// The one value parser: every kind from text and from JSON-like values, and the texts of its
// refusals, on the applet's own parameters.
#include <string>

#include "HostTestSupport.h"

namespace brenvik::test {
namespace {

using Values = std::vector<std::uint32_t>;

class ValueParserTest : public HostTest {
 protected:
  Value parse(std::string_view name, const Input& given) {
    return applet().parse(handle(name), given);
  }
  Value text(std::string_view name, std::string value) {
    return parse(name, Input::fromText(std::move(value)));
  }
  // The refusal's text for a value that does not fit.
  std::string refusal(std::string_view name, const Input& given) {
    return expectError(ErrorCategory::kBadValue, [&] { parse(name, given); }).what();
  }
};

TEST_F(ValueParserTest, IntegersFromTextAndJson) {
  EXPECT_EQ(text("FG_WIDTH", "512"), Value(std::int64_t{512}));
  EXPECT_EQ(text("FG_WIDTH", "0x200"), Value(std::int64_t{512}));
  EXPECT_EQ(text("FG_WIDTH", " 512 "), Value(std::int64_t{512}));
  EXPECT_EQ(parse("FG_WIDTH", Input::fromInteger(640)), Value(std::int64_t{640}));
  // A JSON number without a fraction is an integer; one with a fraction is not.
  EXPECT_EQ(parse("FG_WIDTH", Input::fromDouble(640.0)), Value(std::int64_t{640}));
  // Beyond what the parameter's 32 bits hold, or negative for an unsigned one.
  for (const char* bad : {"4294967296", "-1", "--5", "0x", "", "5x"}) {
    EXPECT_NE(refusal("FG_WIDTH", Input::fromText(bad)).find("FG_WIDTH takes an integer"),
              std::string::npos)
        << bad;
  }
  EXPECT_NE(refusal("FG_WIDTH", Input::fromDouble(2.5)).find("not 2.5"), std::string::npos);
  EXPECT_NE(refusal("FG_WIDTH", Input::fromString("512")).find("not \"512\""), std::string::npos);
}

TEST_F(ValueParserTest, SymbolOfAnotherKindNamesTheParametersKind) {
  const std::string message = refusal("FG_WIDTH", Input::fromText("FG_GRAY16"));
  EXPECT_EQ(message.rfind("FG_WIDTH takes an integer from ", 0), 0u) << message;
  EXPECT_NE(message.find("not 'FG_GRAY16'"), std::string::npos) << message;
}

TEST_F(ValueParserTest, EnumerationsBySymbolOrNumberOnlyFromTheirOwnEntries) {
  const ParameterInfo format = applet().parameter("FG_FORMAT");
  ASSERT_FALSE(format.entries.empty());
  for (const EnumEntry& entry : format.entries) {
    EXPECT_EQ(text("FG_FORMAT", entry.symbol), Value(entry.value)) << entry.symbol;
    EXPECT_EQ(parse("FG_FORMAT", Input::fromString(entry.symbol)), Value(entry.value));
  }
  EXPECT_EQ(text("FG_FORMAT", "3"), Value(std::int64_t{3}));
  EXPECT_EQ(parse("FG_FORMAT", Input::fromInteger(3)), Value(std::int64_t{3}));
  // A symbol of another enumeration is not taken, even though the applet knows it.
  const std::string message = refusal("FG_FORMAT", Input::fromString("ATM_SOFTWARE"));
  EXPECT_EQ(message.rfind("FG_FORMAT takes one of ", 0), 0u) << message;
  EXPECT_NE(message.find(format.entries.front().symbol), std::string::npos) << message;
  EXPECT_NE(message.find("not \"ATM_SOFTWARE\""), std::string::npos) << message;
}

TEST_F(ValueParserTest, DoublesAreFinite) {
  EXPECT_EQ(text("FG_PROCESSING_GAMMA", "2.2"), Value(2.2));
  EXPECT_EQ(text("FG_PROCESSING_GAMMA", "2"), Value(2.0));
  EXPECT_EQ(parse("FG_PROCESSING_GAMMA", Input::fromInteger(2)), Value(2.0));
  for (const char* bad : {"inf", "nan", "-inf", "2,2", "1e999", "gamma"}) {
    EXPECT_NE(refusal("FG_PROCESSING_GAMMA", Input::fromText(bad))
                  .find("FG_PROCESSING_GAMMA takes a finite double"),
              std::string::npos)
        << bad;
  }
  EXPECT_NE(refusal("FG_PROCESSING_GAMMA", Input::fromString("2.2")).find("not \"2.2\""),
            std::string::npos);
}

TEST_F(ValueParserTest, StringsAsGiven) {
  EXPECT_EQ(text("FG_LUT_SAVE_FILE", " a b.lut"), Value(std::string(" a b.lut")));
  EXPECT_EQ(parse("FG_LUT_SAVE_FILE", Input::fromString("x.lut")), Value(std::string("x.lut")));
  EXPECT_NE(refusal("FG_LUT_SAVE_FILE", Input::fromInteger(5)).find("takes a string, not 5"),
            std::string::npos);
  EXPECT_NE(refusal("FG_LUT_SAVE_FILE", Input::other()).find("a value of another type"),
            std::string::npos);
}

TEST_F(ValueParserTest, LookupTableFromArraysOrCommaSeparatedText) {
  EXPECT_EQ(text("FG_LUT_VALUE", "1, 2,3"), Value(Values{1, 2, 3}));
  EXPECT_EQ(parse("FG_LUT_VALUE", Input::fromArray({Input::fromInteger(7), Input::fromInteger(8)})),
            Value(Values{7, 8}));
  const std::uint32_t elements = applet().parameter("FG_LUT_VALUE").elements;
  ASSERT_GT(elements, 0u);
  std::vector<Input> tooMany(elements + 1, Input::fromInteger(0));
  EXPECT_NE(refusal("FG_LUT_VALUE", Input::fromArray(tooMany))
                .find("up to " + std::to_string(elements) + " integers"),
            std::string::npos);
  EXPECT_NE(refusal("FG_LUT_VALUE", Input::fromText("1,,2")).find("the entry ''"),
            std::string::npos);
  EXPECT_NE(
      refusal("FG_LUT_VALUE", Input::fromArray({Input::fromInteger(-1)})).find("the entry -1"),
      std::string::npos);
  EXPECT_NE(refusal("FG_LUT_VALUE", Input::fromString("1,2")).find("lookup-table entries"),
            std::string::npos);
}

}  // namespace
}  // namespace brenvik::test
