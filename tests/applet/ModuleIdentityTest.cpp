// The applet's name and settings file from its module path, and environment switch values.
#include <gtest/gtest.h>

#include "applet/ModuleIdentity.h"
#include "platform/os/LibraryNames.h"

namespace brenvik {
namespace {

TEST(ModuleIdentity, NameAndSettingsFileComeFromTheModulePath) {
  const auto identity = identifyModule("/opt/grabber/lib/Brenvik.so");
  EXPECT_EQ(identity.appletName, "Brenvik");
  EXPECT_EQ(identity.settingsFile,
            std::string("/opt/grabber/lib") + platform::pathSeparator() + "inspect.conf");
}

TEST(ModuleIdentity, OnlyTheLastExtensionIsDroppedAndEitherSeparatorSplits) {
  EXPECT_EQ(identifyModule("/x/Brenvik").appletName, "Brenvik");
  EXPECT_EQ(identifyModule("/x/Brenvik.test.so").appletName, "Brenvik.test");
  EXPECT_EQ(identifyModule("C:\\Applets\\Brenvik.dll").appletName, "Brenvik");
  EXPECT_EQ(identifyModule("C:\\Applets\\Brenvik.dll").settingsFile.rfind("C:\\Applets", 0), 0u);
}

TEST(ModuleIdentity, AMissingDirectoryOrNameLeavesNone) {
  for (const char* path : {"Brenvik.so", "/x/.so", "/Brenvik.so", "", "/x/"}) {
    const auto identity = identifyModule(path);
    EXPECT_EQ(identity.appletName, "none") << path;
    EXPECT_TRUE(identity.settingsFile.empty()) << path;
  }
}

TEST(ModuleIdentity, TheRunningModuleIsFound) {
  const auto identity = identifyThisModule();
  EXPECT_EQ(identity.appletName, "applet_unit_tests");
  EXPECT_NE(identity.settingsFile.find("inspect.conf"), std::string::npos);
}

TEST(EnvironmentSwitch, AcceptsTheFourWordsInAnyCaseAndNothingElse) {
  for (const char* on : {"yes", "TRUE", "On", "1", "YeS"}) {
    EXPECT_TRUE(isEnvironmentSwitchOn(std::string(on))) << on;
  }
  for (const char* off : {"yes ", " on", "enabled", "2", "", "0", "no", "truely"}) {
    EXPECT_FALSE(isEnvironmentSwitchOn(std::string(off))) << off;
  }
  EXPECT_FALSE(isEnvironmentSwitchOn(std::nullopt));
}

}  // namespace
}  // namespace brenvik
