// The settings store: the file rules of "inspect.conf", the load flags, key checks, case
// rules and switch values.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "parameters/SettingsStore.h"

namespace brenvik::parameters {
namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  const std::string& write(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    return path_;
  }
  std::string path_ = (std::filesystem::temp_directory_path() /
                       ("brenvik-settings-" + std::to_string(getpid()) + ".conf"))
                          .string();
};

TEST_F(SettingsFile, FollowsTheLineRules) {
  SettingsStore store(true, true);
  ASSERT_TRUE(store.load(write("early = ignored\n"
                               "# a comment line\n"
                               "[]\n"
                               "[ Brenvik ]   # the applet's section\r\n"
                               "  Device1_Process0_Camera_FullMode =  on  # switched on\r\n"
                               "no equals sign here\n"
                               "twice = a = b\n"
                               "empty =\n"
                               "= nameless\n"
                               "[unclosed\n"
                               "after = still Brenvik\r\n"
                               "[Other]\n"
                               "key = other\n"
                               "last = no line end"),
                         true, true));
  bool found = true;
  store.get("early", &found);
  EXPECT_FALSE(found);
  EXPECT_TRUE(store.listSection("").empty());
  EXPECT_EQ(store.get("Brenvik::Device1_Process0_Camera_FullMode"), "on");
  EXPECT_EQ(store.get("Brenvik::twice"), "a = b");
  EXPECT_EQ(store.get("Brenvik::empty", &found), "");
  EXPECT_TRUE(found);
  EXPECT_EQ(store.get("Brenvik::"), "nameless");
  EXPECT_EQ(store.get("Brenvik::after"), "still Brenvik");
  EXPECT_EQ(store.get("Other::last"), "no line end");
  EXPECT_EQ(store.listSection("Brenvik"),
            (std::vector<std::string>{"", "Device1_Process0_Camera_FullMode", "after", "empty",
                                      "twice"}));
  EXPECT_EQ(store.listSection("Other"), (std::vector<std::string>{"key", "last"}));
  EXPECT_TRUE(store.listSection("Missing").empty());
}

TEST_F(SettingsFile, KeepsOrReplacesWhatItHolds) {
  SettingsStore store(true, true);
  ASSERT_TRUE(store.set("A::kept", "before"));
  ASSERT_TRUE(store.set("A::both", "before"));
  const std::string& path = write("[A]\nboth = file\nnew = file\n");

  ASSERT_TRUE(store.load(path, true, false));
  EXPECT_EQ(store.get("A::kept"), "before");
  EXPECT_EQ(store.get("A::both"), "before");
  EXPECT_EQ(store.get("A::new"), "file");

  ASSERT_TRUE(store.load(path, true, true));
  EXPECT_EQ(store.get("A::both"), "file");

  ASSERT_TRUE(store.load(path, false, true));
  bool found = true;
  store.get("A::kept", &found);
  EXPECT_FALSE(found);

  // A file that does not open changes nothing.
  EXPECT_FALSE(store.load(path + ".missing", false, true));
  EXPECT_EQ(store.get("A::new"), "file");
}

TEST(SettingsStore, RefusesMalformedKeys) {
  SettingsStore store(true, true);
  for (const char* key : {"", "nosection", "::key", "section::", "::"}) {
    EXPECT_FALSE(store.set(key, "x")) << key;
  }
  EXPECT_TRUE(store.set("a::b::c", "x"));
  EXPECT_EQ(store.listSection("a"), (std::vector<std::string>{"b::c"}));

  SettingsStore flat(false, true);
  EXPECT_TRUE(flat.set("nosection", "x"));
  EXPECT_FALSE(flat.set("", "x"));
  EXPECT_TRUE(flat.listSection("nosection").empty());
}

TEST(SettingsStore, CaseRules) {
  SettingsStore sensitive(true, true);
  sensitive.set("S::Key", "upper");
  sensitive.set("S::key", "lower");
  EXPECT_EQ(sensitive.get("S::Key"), "upper");
  EXPECT_EQ(sensitive.get("S::key"), "lower");
  EXPECT_TRUE(sensitive.listSection("s").empty());

  SettingsStore folding(true, false);
  folding.set("S::Key", "first");
  folding.set("s::KEY", "second");
  EXPECT_EQ(folding.get("S::kEy"), "second");
  EXPECT_EQ(folding.listSection("S"), (std::vector<std::string>{"key"}));

  folding.clear();
  bool found = true;
  folding.get("s::key", &found);
  EXPECT_FALSE(found);
}

TEST(SettingsStore, SwitchValuesIgnoreCase) {
  for (const char* on : {"yes", "YES", "True", "oN", "1"}) EXPECT_TRUE(isSwitchValue(on)) << on;
  for (const char* off : {"", "0", "no", "off", "enabled", "yes ", " on", "11"}) {
    EXPECT_FALSE(isSwitchValue(off)) << off;
  }
}

}  // namespace
}  // namespace brenvik::parameters
