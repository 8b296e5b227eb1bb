// Saving and loading configuration files through the exports: the file's layout, the identity
// checks and their codes, the two load passes, and hostile files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "AppletFixture.h"
#include "ScratchFiles.h"
#include "TextMode.h"
#include "persistence/ConfigurationKeys.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::test {
namespace {

class ConfigurationTest : public AppletTest {
 protected:
  int setInt(const char* name, std::uint32_t value) {
    return Fg_setParameterWithType(&handle_, Fg_getParameterIdByName(&handle_, name), &value, 0,
                                   runtime::kTypeUint32);
  }
  std::uint32_t getInt(const char* name) {
    std::uint32_t value = 0;
    EXPECT_EQ(Fg_getParameterWithType(&handle_, Fg_getParameterIdByName(&handle_, name), &value,
                                      0, runtime::kTypeUint32),
              0);
    return value;
  }
  std::string saved(const char* name = "saved.mcf") {
    const std::string file = scratch_.path(name);
    EXPECT_EQ(Fg_saveConfig(&handle_, file.c_str()), 0);
    return fromTextMode(ScratchDirectory::read(file));
  }
  // The writes that a load of `content` makes on a fresh applet, and its result.
  std::pair<int, std::vector<std::string>> loadOnFreshApplet(const std::string& content) {
    const std::string file = scratch_.write("fresh.mcf", content);
    const std::uint64_t board = freshBoard();
    std::int32_t code = -1;
    AppletHandle handle{Std_entry(board, &code, 0)};
    EXPECT_EQ(code, 0);
    takeWrites(board);
    const int result = Fg_loadConfig(&handle, file.c_str());
    std::vector<std::string> writes = takeWrites(board);
    EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
    return {result, writes};
  }

  ScratchDirectory scratch_;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

std::string withoutLine(const std::string& text, const std::string& key) {
  std::string result;
  for (const std::string& line : lines(text)) {
    if (line.rfind(key + "=", 0) != 0) result += line + "\n";
  }
  return result;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST_F(ConfigurationTest, SaveWritesTheHeaderAndEveryKeyInTableOrderFromTheGetPath) {
  ASSERT_EQ(setInt("FG_WIDTH", 512), 0);
  ASSERT_EQ(setInt("FG_CAMERASIMULATOR_SELECT_MODE", 2), 0);
  const std::vector<std::string> file = lines(saved());
  const std::vector<std::string> header{
      "[Kamerasektion]", "",        "ConfigFileVersion=2.0;", "Hersteller='Orvane GmbH';",
      "Typ='Brenvik';",  "Version='1.8';", "LoadAppletId=0;", "AktivePort=0;",
      "",                "[Port A]"};
  ASSERT_EQ(file.size(), header.size() + persistence::kConfigurationKeyCount);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  for (std::size_t i = 0; i < persistence::kConfigurationKeyCount; ++i) {
    const std::string& line = file[header.size() + i];
    EXPECT_EQ(line.substr(0, line.find('=')), persistence::kConfigurationKeys[i].name());
  }
  EXPECT_NE(std::find(file.begin(), file.end(), "FG_WIDTH=512;"), file.end());
  // Select mode 2 reports no frame gap, whatever is stored.
  EXPECT_NE(std::find(file.begin(), file.end(), "FG_CAMERASIMULATOR_FRAME_GAP=0;"), file.end());
  EXPECT_NE(std::find(file.begin(), file.end(), "FG_DEBUGFILE='';"), file.end());
  EXPECT_EQ(lastError(), 0);
}

TEST_F(ConfigurationTest, SaveRefusesNamesWithoutMcfAndUnwritablePaths) {
  for (const std::string& name :
       {scratch_.path("settings.txt"), scratch_.path("missing/dir/settings.mcf"),
        scratch_.directory().string() + ".mcf/"}) {
    EXPECT_EQ(Fg_saveConfig(&handle_, name.c_str()), -5001) << name;
    EXPECT_EQ(lastError(), -5001);
  }
  EXPECT_EQ(Fg_saveConfig(&handle_, nullptr), -5001);
  EXPECT_FALSE(std::filesystem::exists(scratch_.path("settings.txt")));
}

TEST_F(ConfigurationTest, LoadRefusesMissingFilesWithTheirOwnCodeButReadErrorAsLastError) {
  const std::string text = saved();
  std::filesystem::create_directory(scratch_.path("folder.mcf"));
  for (const std::string& name : {scratch_.path("absent.mcf"), scratch_.write("copy.txt", text),
                                  scratch_.path("folder.mcf")}) {
    EXPECT_EQ(Fg_loadConfig(&handle_, name.c_str()), -2076) << name;
    EXPECT_EQ(lastError(), -5000);
  }
  EXPECT_EQ(Fg_loadConfig(&handle_, nullptr), -2076);
}

TEST_F(ConfigurationTest, LoadRefusesFilesThatDoNotIdentifyThisAppletAndChangesNothing) {
  ASSERT_EQ(setInt("FG_WIDTH", 256), 0);
  const std::string text = saved();
  ASSERT_EQ(setInt("FG_WIDTH", 1024), 0);
  const std::vector<std::string> refused{
      replaced(text, "Typ='Brenvik';", "Typ='Brenvika';"),
      replaced(text, "Typ='Brenvik';", "Typ='brenvik';"),
      replaced(text, "Typ='Brenvik';", "Typ=Brenvik;"),  // the semicolon stays in the value
      withoutLine(text, "Hersteller"),
      withoutLine(text, "AktivePort"),
      "",
      std::string("\x7f" "ELF\0\0\x01\x02", 8),
  };
  takeWrites(board_);
  for (std::size_t i = 0; i < refused.size(); ++i) {
    const std::string file = scratch_.write("refused.mcf", refused[i]);
    EXPECT_EQ(Fg_loadConfig(&handle_, file.c_str()), -5000) << "case " << i;
    EXPECT_EQ(lastError(), -5000);
  }
  EXPECT_TRUE(takeWrites(board_).empty());
  EXPECT_EQ(getInt("FG_WIDTH"), 1024u);
}

TEST_F(ConfigurationTest, AMissingKeyEndsTheLoadAfterThePassesBeforeIt) {
  ASSERT_EQ(setInt("FG_WIDTH", 640), 0);
  ASSERT_EQ(setInt("FG_TRIGGERCC_SELECT0", 2), 0);
  const std::string text = saved();
  const auto [fullResult, fullWrites] = loadOnFreshApplet(text);
  ASSERT_EQ(fullResult, 0);

  // Without FG_TRIGGERSTATE: every stored key is stored, and the applied keys before it
  // reach the hardware exactly as in a full load; nothing after it does.
  const auto [result, writes] = loadOnFreshApplet(withoutLine(text, "FG_TRIGGERSTATE"));
  EXPECT_EQ(result, -5000);
  ASSERT_LT(writes.size(), fullWrites.size());
  EXPECT_TRUE(std::equal(writes.begin(), writes.end(), fullWrites.begin()));
  EXPECT_FALSE(writes.empty());

  // A key missing in pass 1 ends the load before any setter runs.
  const auto [early, none] = loadOnFreshApplet(withoutLine(text, "FG_TIMEOUT"));
  EXPECT_EQ(early, -5000);
  EXPECT_TRUE(none.empty());
}

TEST_F(ConfigurationTest, KeysThatAreNeverReadMayBeMissingAndBadNumbersPassQuietly) {
  std::string text = saved();
  for (const char* key : {"FG_DEBUGSOURCE", "FG_DEBUGINENABLE", "FG_DEBUGOUTENABLE",
                          "FG_CAMERASIMULATOR_ACTIVE", "FG_CAMERASIMULATOR_PASSIVE"}) {
    text = withoutLine(text, key);
  }
  text = replaced(text, "FG_WIDTH=1024;", "FG_WIDTH=abc;");
  text = replaced(text, "FG_HEIGHT=1024;", "FG_HEIGHT=99999999999999999999999;");
  const std::string file = scratch_.write("partial.mcf", text);
  EXPECT_EQ(Fg_loadConfig(&handle_, file.c_str()), 0);
  EXPECT_EQ(lastError(), 0);
  // The applet stays usable.
  EXPECT_EQ(setInt("FG_WIDTH", 256), 0);
  EXPECT_EQ(getInt("FG_WIDTH"), 256u);
}

TEST_F(ConfigurationTest, CarriageReturnLineEndsAndOverlongLinesLoad) {
  ASSERT_EQ(setInt("FG_HEIGHT", 480), 0);
  const std::string text = saved();
  std::string crlf;
  for (const std::string& line : lines(text)) crlf += line + "\r\n";
  std::string padded = replaced(text, "[Port A]\n", "[Port A]\n" + std::string(1000, 'q') + "\n");
  ASSERT_EQ(setInt("FG_HEIGHT", 1024), 0);
  for (const std::string& content : {crlf, padded}) {
    const std::string file = scratch_.write("variant.mcf", content);
    EXPECT_EQ(Fg_loadConfig(&handle_, file.c_str()), 0);
    EXPECT_EQ(getInt("FG_HEIGHT"), 480u);
    ASSERT_EQ(setInt("FG_HEIGHT", 1024), 0);
  }
}

}  // namespace
}  // namespace brenvik::test
