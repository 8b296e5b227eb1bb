// The configuration file parser: the exact bytes it writes, and its search rules on files
// written by hand, including hostile ones.
#include "persistence/ConfigFileParser.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "ScratchFiles.h"
#include "TextMode.h"
#include "platform/logging/ErrorLogFile.h"

namespace brenvik::test {
namespace {

using persistence::Fg_ConfigFileParser;
using Text = std::array<char, persistence::kConfigValueBuffer>;

class ConfigFileParserTest : public ScratchFiles {
 protected:
  // What a writer produced, given a save parser on a fresh file.
  template <typename Write>
  std::string written(Write write) {
    const std::string file = path("written.mcf");
    {
      Fg_ConfigFileParser parser(nullptr, nullptr, false);
      EXPECT_TRUE(parser.setSaveFile(file.c_str()));
      write(parser);
    }
    return read(file);
  }

  // A read-only parser on a file with this content.
  std::unique_ptr<Fg_ConfigFileParser> parserOn(std::string_view content,
                                                std::string_view name = "read.mcf") {
    const std::string file = write(name, content);
    return std::make_unique<Fg_ConfigFileParser>(nullptr, file.c_str(), true);
  }

  static std::string portValue(Fg_ConfigFileParser& parser, const char* key) {
    Text text{};
    const int result = parser.parseKeyFromPort(0, key, text);
    return result == 0 ? std::string(text.data()) : "<" + std::to_string(result) + ">";
  }
};

TEST_F(ConfigFileParserTest, WritesTheHeaderTheKeyFormsAndThePortSectionByteForByte) {
  const std::string text = written([](Fg_ConfigFileParser& parser) {
    parser.writeConfigFileHeader();
    parser.writeConfigFile("Typ", "Brenvik");
    parser.writeConfigFileIntKey("AktivePort", 0);
    parser.writePortHeader(0);
    parser.writeConfigFileIntKey("FG_A", -1);
    parser.writeConfigFileIntKey("FG_B", std::numeric_limits<std::int32_t>::min());
    parser.writeConfigFile("FG_C", "");
    parser.writeConfigFileUInt64Key("FG_D", std::uint64_t{18446744073709551615u});
    parser.writeConfigFileUInt64Key("FG_E", std::int64_t{-5});
    parser.writePortHeader(1);
  });
  // Text-mode streams end lines as the system does (CR LF on Windows).
  const std::string header = inTextMode("[Kamerasektion]\n\nConfigFileVersion=2.0;\n");
  EXPECT_EQ(text.substr(0, header.size()), header);
  EXPECT_EQ(text.substr(header.size()),
            inTextMode("Typ='Brenvik';\nAktivePort=0;\n\n[Port A]\nFG_A=-1;\nFG_B=-2147483648;\n"
                       "FG_C='';\nFG_D=18446744073709551615;\nFG_E=-5;\n\n[Port B]\n"));
}

TEST_F(ConfigFileParserTest, WritesDoublesWithTwelveSignificantDigits) {
  const std::string text = written([](Fg_ConfigFileParser& parser) {
    parser.wrtiteConfigFileDoubleKey("a", 0.1);
    parser.wrtiteConfigFileDoubleKey("b", 1000000);
    parser.wrtiteConfigFileDoubleKey("c", 1.0 / 3.0);
    parser.wrtiteConfigFileDoubleKey("d", 1e12);
    parser.wrtiteConfigFileDoubleKey("e", 0.00001);
    parser.wrtiteConfigFileDoubleKey("f", -2.5);
    parser.wrtiteConfigFileDoubleKey("g", 999999999999.0);
  });
  EXPECT_EQ(text, inTextMode("a=0.1;\nb=1000000;\nc=0.333333333333;\nd=1e+12;\ne=1e-05;\n"
                             "f=-2.5;\ng=999999999999;\n"));
}

TEST_F(ConfigFileParserTest, FileChecksAreSubstringAndRegularFileTests) {
  EXPECT_FALSE(Fg_ConfigFileParser::checkFileType(nullptr));
  EXPECT_FALSE(Fg_ConfigFileParser::checkFileType("camera.MCF"));
  EXPECT_TRUE(Fg_ConfigFileParser::checkFileType("camera.mcf.bak"));
  EXPECT_TRUE(Fg_ConfigFileParser::checkFileType("x.mcfy/settings"));

  EXPECT_FALSE(Fg_ConfigFileParser::checkFileExist(path("missing.mcf").c_str()));
  EXPECT_TRUE(Fg_ConfigFileParser::checkFileExist(write("there.mcf", "").c_str()));
  std::filesystem::create_directory(path("folder.mcf"));
  EXPECT_FALSE(Fg_ConfigFileParser::checkFileExist(path("folder.mcf").c_str()));
  Fg_ConfigFileParser onDirectory(nullptr, path("folder.mcf").c_str(), true);
  EXPECT_FALSE(onDirectory.isOpen());
}

TEST_F(ConfigFileParserTest, SaveFileFailuresGoToTheErrorLog) {
  vurn::tools::logging::ErrorLogFile log;
  ASSERT_TRUE(log.open(path("errors.log")));
  Fg_ConfigFileParser parser(&log, nullptr, false);
  EXPECT_FALSE(parser.setSaveFile("settings.txt"));
  EXPECT_FALSE(parser.setSaveFile(path("no/such/folder/settings.mcf").c_str()));
  EXPECT_FALSE(parser.isOpen());
  log.close();
  const std::string lines = read(path("errors.log"));
  EXPECT_NE(lines.find("Config File is Invalid"), std::string::npos) << lines;
  EXPECT_NE(lines.find("Config File: fopen failed"), std::string::npos) << lines;
}

TEST_F(ConfigFileParserTest, SectionSearchFindsTheFirstMatchAfterTheSectionLine) {
  auto parser = parserOn(
      "[Kamerasektion]\n\nConfigFileVersion=2.0;\nShared=1;\n\n[Port A] Shared=9;\n"
      "FG_WIDTHX=5;\n FG_WIDTH=6;\nFG_WIDTH=7;\nShared=2;\nQuoted='a b';\nEmpty='';\n"
      "Bare=;\nOpen='x\n\n[Port B]\nLater=3;\n");
  std::uint32_t number = 0;
  EXPECT_EQ(parser->parseIntKeyFromHeader("Shared", number), 0);
  EXPECT_EQ(number, 1u);
  // Not the key on the section line itself, and the port's own line after it.
  EXPECT_EQ(parser->parseIntKeyFromPort(0, "Shared", number), 0);
  EXPECT_EQ(number, 2u);
  // Neither a longer key nor an indented one matches.
  EXPECT_EQ(portValue(*parser, "FG_WIDTH"), "7");
  EXPECT_EQ(portValue(*parser, "Quoted"), "a b");
  EXPECT_EQ(portValue(*parser, "Empty"), "");
  EXPECT_EQ(portValue(*parser, "Bare"), "");
  EXPECT_EQ(portValue(*parser, "Open"), "x\n");
  // The search runs on into later sections.
  EXPECT_EQ(parser->parseIntKeyFromPort(0, "Later", number), 0);
  EXPECT_EQ(number, 3u);
  EXPECT_EQ(portValue(*parser, "Missing"), "<-8000>");
  EXPECT_EQ(parser->parseIntKeyFromPort(2, "Later", number), -1);
  EXPECT_EQ(parser->parseIntKeyFromPort(0, nullptr, number), -1);
}

TEST_F(ConfigFileParserTest, WholeFileSearchCutsAtEqualsAndApostrophes) {
  auto parser = parserOn("Hersteller='Orvane GmbH';\nTyp=Brenvik;\nNothing\n");
  Text text{};
  EXPECT_EQ(parser->parseKeyFromLine("Hersteller", text), 0);
  EXPECT_STREQ(text.data(), "Orvane GmbH");
  EXPECT_EQ(parser->parseKeyFromLine("Typ", text), 0);
  EXPECT_STREQ(text.data(), "Brenvik;\n");
  EXPECT_EQ(parser->parseKeyFromLine("Nothing", text), 0);
  EXPECT_STREQ(text.data(), "");
  EXPECT_EQ(parser->parseKeyFromLine("Absent", text), -8000);
  EXPECT_STREQ(text.data(), "Error");
}

TEST_F(ConfigFileParserTest, LongLinesArriveInPiecesOf255Characters) {
  const std::string filler(255, 'x');
  auto parser = parserOn("[Port A]\n" + filler + "FG_HEIGHT=12;\n" + filler + "Y='" +
                         std::string(300, 'z') + "\n");
  std::uint32_t number = 0;
  EXPECT_EQ(parser->parseIntKeyFromPort(0, "FG_HEIGHT", number), 0);
  EXPECT_EQ(number, 12u);
  // A value never exceeds its piece: here the 252 characters after Y=' in the second piece.
  Text text{};
  EXPECT_EQ(parser->parseKeyFromLine("Y", text), 0);
  EXPECT_EQ(std::string(text.data()), std::string(252, 'z'));
}

TEST_F(ConfigFileParserTest, NumberReadersConvertLeadingPartsAndRefuseErrorTexts) {
  auto parser = parserOn(
      "[Port A]\nGarbage=abc;\nLeading=  42px;\nNegative=-1;\nHuge=99999999999999999999;\n"
      "Hex=0x10;\nOctal=010;\nReal=2.5e3;\nText='Error here';\nSigned=+7;\r\n");
  std::uint32_t number = 7;
  EXPECT_EQ(parser->parseIntKeyFromPort(0, "Garbage", number), 0);
  EXPECT_EQ(number, 0u);
  parser->parseIntKeyFromPort(0, "Leading", number);
  EXPECT_EQ(number, 42u);
  parser->parseIntKeyFromPort(0, "Negative", number);
  EXPECT_EQ(number, 0xffffffffu);
  parser->parseIntKeyFromPort(0, "Signed", number);
  EXPECT_EQ(number, 7u);
  parser->parseIntKeyFromPort(0, "Huge", number);  // saturates, then keeps the low bits
  EXPECT_EQ(number, 0xffffffffu);
  std::int64_t wide = 0;
  parser->parseIntKeyFromPort(0, "Hex", wide);
  EXPECT_EQ(wide, 16);
  parser->parseIntKeyFromPort(0, "Octal", wide);
  EXPECT_EQ(wide, 8);
  std::uint64_t unsignedWide = 0;
  parser->parseIntKeyFromPort(0, "Hex", unsignedWide);
  EXPECT_EQ(unsignedWide, 0u);
  double real = 0;
  EXPECT_EQ(parser->parseDoubleKeyFromPort(0, "Real", real), 0);
  EXPECT_EQ(real, 2500.0);
  parser->parseDoubleKeyFromPort(0, "Garbage", real);
  EXPECT_EQ(real, 0.0);
  // A value whose text holds "Error" counts as not found and leaves the destination alone.
  number = 5;
  EXPECT_EQ(parser->parseIntKeyFromPort(0, "Text", number), -1);
  EXPECT_EQ(number, 5u);
  // What is read is always finite: beyond the doubles is the largest double, and the words a
  // C library takes for infinity and "not a number" are no number.
  Fg_ConfigFileParser::getDoubleValue("1e999", real);
  EXPECT_EQ(real, std::numeric_limits<double>::max());
  Fg_ConfigFileParser::getDoubleValue("-1e999", real);
  EXPECT_EQ(real, std::numeric_limits<double>::lowest());
  for (const char* word : {"inf", "-inf", "nan", "infinity", "INF", "+NaN", " Infinity"}) {
    real = 5;
    Fg_ConfigFileParser::getDoubleValue(word, real);
    EXPECT_EQ(real, 0.0) << word;
  }
  Fg_ConfigFileParser::getDoubleValue(".5e1;", real);
  EXPECT_EQ(real, 5.0);
}

TEST_F(ConfigFileParserTest, CarriageReturnLineEndsReadAsPlainLineEnds) {
  // The header section's line end is part of its search text, and a value without a closing
  // delimiter keeps its line end: both see LF alone. A CR LF split between two pieces of a
  // long line reads the same. Files beyond a megabyte are searched on the stream instead of
  // in memory, with the same results.
  const std::string content =
      "[Kamerasektion]\r\nAktivePort=0;\r\n[Port A]\r\nFG_WIDTH=640;\r\n"
      "FG_FILE='a.txt';\r\nOpen=x\r\n" + std::string(254, 'p') + "\r\nLast=1;\r\n";
  const std::string large = content + std::string(std::size_t{3} << 19, '#') + "\nFar=9;\n";
  for (const std::string& text : {content, large}) {
    auto parser = parserOn(text);
    std::uint32_t number = 7;
    EXPECT_EQ(parser->parseIntKeyFromHeader("AktivePort", number), 0);
    EXPECT_EQ(number, 0u);
    EXPECT_EQ(parser->parseIntKeyFromPort(0, "FG_WIDTH", number), 0);
    EXPECT_EQ(number, 640u);
    EXPECT_EQ(portValue(*parser, "FG_FILE"), "a.txt");
    EXPECT_EQ(portValue(*parser, "Open"), "x\n");
    EXPECT_EQ(portValue(*parser, "Last"), "1");
    EXPECT_EQ(portValue(*parser, "Far"), text.size() == content.size() ? "<-8000>" : "9");
  }
}

TEST_F(ConfigFileParserTest, EmptyBinaryAndUnopenedFilesFindNothing) {
  Text text{};
  std::uint32_t number = 3;
  auto empty = parserOn("");
  EXPECT_EQ(empty->parseKeyFromLine("Typ", text), -8000);
  EXPECT_EQ(empty->parseIntKeyFromHeader("AktivePort", number), -1);

  auto binary = parserOn(std::string("[Port A]\n\0FG_WIDTH=1;\nFG_\xff\x00=2;\n", 28));
  EXPECT_EQ(portValue(*binary, "FG_WIDTH"), "<-8000>");

  Fg_ConfigFileParser wrongName(nullptr, write("settings.txt", "[Port A]\nK=1;\n").c_str(), true);
  EXPECT_FALSE(wrongName.isOpen());
  EXPECT_EQ(portValue(wrongName, "K"), "<-8000>");
  EXPECT_EQ(wrongName.parseIntKeyFromPort(0, "K", number), -1);
  EXPECT_EQ(number, 3u);
  // Writing without a stream does nothing and reports the failed flush.
  EXPECT_NE(wrongName.writeConfigFileValue("K", "1"), 0);
}

}  // namespace
}  // namespace brenvik::test
