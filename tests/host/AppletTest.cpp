// Opening and closing an applet, its parameter catalogue, typed and generic gets and sets,
// files, events, the lookup table and the trigger, and how each of them fails.
#include <filesystem>
#include <fstream>
#include <string>

#include "HostTestSupport.h"
#include "parameters/SdkParameterTable.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"
#include "semantics/SetPath.h"
#include "simboard/control.h"

namespace brenvik::test {
namespace {

using AppletTest = HostTest;

std::filesystem::path scratch(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("brenvik-host-" + std::to_string(freshBoard()) + "-" + name);
}

TEST(AppletOpening, BadPathsAreLoadErrors) {
  OpenOptions options;
  options.board = freshBoard();
  options.appletPath = "/nonexistent/Brenvik.so";
  const Error missing = expectError(ErrorCategory::kCannotLoad, [&] { Applet applet(options); });
  EXPECT_NE(std::string(missing.what()).find("/nonexistent/Brenvik.so"), std::string::npos);

  // A library that is no applet module: the board's own.
  options.appletPath = (std::filesystem::path(defaultAppletPath()).parent_path() /
                        platform::libraryFileName("simboard"))
                           .string();
  const Error notApplet = expectError(ErrorCategory::kCannotLoad, [&] { Applet applet(options); });
  EXPECT_NE(std::string(notApplet.what()).find("is not an applet module (Std_entry missing)"),
            std::string::npos)
      << notApplet.what();

  options.appletPath.clear();
  options.runtimeDirectory = "/nonexistent";
  expectError(ErrorCategory::kCannotLoad, [&] { Applet applet(options); });
}

// Run in a process of its own (the runtime chosen stays chosen): an SDK runtime whose
// initialisation fails.
TEST(AppletCreation, FailureCarriesTheCreationCode) {
  const auto directory = platform::environmentValue("BRENVIK_HOST_TEST_RUNTIME");
  if (!directory) GTEST_SKIP() << "runs with BRENVIK_HOST_TEST_RUNTIME";
  OpenOptions options;
  options.board = freshBoard();
  options.runtimeDirectory = *directory;
  const Error failed = expectError(ErrorCategory::kCannotLoad, [&] { Applet applet(options); });
  EXPECT_NE(failed.code(), 0);
  EXPECT_NE(std::string(failed.what()).find("creating the applet on board"), std::string::npos);
  options.runtimeDirectory = *directory + "/..";
  const Error other = expectError(ErrorCategory::kCannotLoad, [&] { Applet applet(options); });
  EXPECT_NE(std::string(other.what()).find("is in use in this process"), std::string::npos);
}

TEST_F(AppletTest, EverySdkParameterIsListedOnceWithItsRecordOrMarkedWithout) {
  const std::vector<ParameterInfo> listed = applet().parameters();
  for (const parameters::SdkParameter& row : parameters::kSdkParameters) {
    const auto found = std::count_if(listed.begin(), listed.end(),
                                     [&](const ParameterInfo& info) { return info.id == row.id; });
    EXPECT_EQ(found, 1) << row.name;
  }
  const auto readOnly = semantics::readOnlyParameters();
  for (const ParameterInfo& info : listed) {
    EXPECT_EQ(applet().handle(info.name).id, info.id);
    EXPECT_EQ(applet().handle(std::to_string(info.id)).id, info.id);
    if (info.described) {
      EXPECT_FALSE(info.displayName.empty()) << info.name;
      EXPECT_FALSE(info.category.empty()) << info.name;
      continue;
    }
    // Without a record: read-only exactly where the set path's list says so.
    const bool listedReadOnly = std::any_of(readOnly.begin(), readOnly.end(),
                                            [&](const auto& row) { return row.id == info.id; });
    EXPECT_EQ(info.writable, !listedReadOnly) << info.name;
    EXPECT_TRUE(info.displayName.empty()) << info.name;
  }
  const ParameterInfo width = applet().parameter("FG_WIDTH");
  EXPECT_TRUE(width.described);
  EXPECT_EQ(width.kind, Kind::kInteger);
  EXPECT_TRUE(width.minimum && width.maximum && width.step);
  EXPECT_FALSE(width.sdkText.empty());
  EXPECT_EQ(accessName(width), "read-write");
}

TEST_F(AppletTest, UnknownNamesAndIds) {
  const Error byName = expectError(ErrorCategory::kUnknownName, [&] { handle("FG_NO_SUCH"); });
  EXPECT_EQ(byName.code(), -2070);
  EXPECT_NE(std::string(byName.what()).find("unknown parameter 'FG_NO_SUCH'"), std::string::npos);
  const Error unlisted =
      expectError(ErrorCategory::kRefused, [&] { applet().getInteger(applet().handle(999999)); });
  EXPECT_EQ(unlisted.code(), -2070);
  expectError(ErrorCategory::kUnknownName, [&] { applet().parameter(999999); });
  expectError(ErrorCategory::kUnknownName, [&] { applet().parameter(""); });
  // A handle that the applet never gave out is refused by the applet, not followed.
  ParameterHandle forged = handle("FG_WIDTH");
  forged.id = 424242;
  const Error refused = expectError(ErrorCategory::kRefused, [&] { applet().getInteger(forged); });
  EXPECT_EQ(refused.code(), -2070);
  forged.slot = 1u << 30;
  expectError(ErrorCategory::kUnknownName, [&] { applet().name(forged); });
}

TEST_F(AppletTest, TypedAndGenericValuesAgree) {
  const ParameterHandle width = handle("FG_WIDTH");
  applet().setInteger(width, 512);
  EXPECT_EQ(applet().getInteger(width), 512);
  applet().set(width, Value(std::int64_t{640}));
  EXPECT_EQ(applet().get(width), Value(std::int64_t{640}));
  applet().set(width, Input::fromText("0x300"));
  EXPECT_EQ(applet().getInteger(width), 768);

  const ParameterHandle gamma = handle("FG_PROCESSING_GAMMA");
  applet().setDouble(gamma, 1.5);
  EXPECT_EQ(applet().getDouble(gamma), 1.5);
  EXPECT_EQ(applet().get(gamma), Value(1.5));
  EXPECT_TRUE(std::holds_alternative<std::string>(applet().get(handle("FG_APPLET_ID"))));

  // Typed paths of the wrong kind name the parameter's kind.
  const Error kind = expectError(ErrorCategory::kBadValue, [&] { applet().getDouble(width); });
  EXPECT_NE(std::string(kind.what()).find("FG_WIDTH is an integer, not a double"),
            std::string::npos);
  expectError(ErrorCategory::kBadValue, [&] { applet().setInteger(gamma, 2); });
  expectError(ErrorCategory::kBadValue, [&] { applet().setInteger(width, -1); });
  expectError(ErrorCategory::kBadValue, [&] { applet().set(width, Value(std::string("5"))); });
}

TEST_F(AppletTest, RefusalCarriesCodeAndMeaningAndKeepsTheValue) {
  const ParameterHandle width = handle("FG_WIDTH");
  applet().setInteger(width, 512);
  const std::int64_t maximum = std::get<std::int64_t>(*applet().parameter("FG_WIDTH").maximum);
  const Error refused =
      expectError(ErrorCategory::kRefused, [&] { applet().setInteger(width, maximum + 8); });
  EXPECT_EQ(refused.code(), -6000);
  EXPECT_EQ(refused.meaning(), "value out of range or not allowed");
  EXPECT_NE(std::string(refused.what()).find("setting FG_WIDTH: -6000 (value out of range"),
            std::string::npos)
      << refused.what();
  EXPECT_EQ(applet().getInteger(width), 512);

  // Read-only parameters are refused by the applet with its own code.
  const Error readOnly = expectError(ErrorCategory::kRefused,
                                     [&] { applet().setInteger(handle("FG_NR_OF_DMAS"), 2); });
  EXPECT_EQ(readOnly.code(), -12);
}

TEST_F(AppletTest, ConfigurationRoundTripAndBadFiles) {
  const ParameterHandle width = handle("FG_WIDTH");
  applet().setInteger(width, 256);
  const std::string file = scratch("saved.mcf").string();
  applet().saveConfig(file);
  applet().setInteger(width, 1024);
  applet().loadConfig(file);
  EXPECT_EQ(applet().getInteger(width), 256);
  std::filesystem::remove(file);

  const std::string notConfig = scratch("not.mcf").string();
  std::ofstream(notConfig) << "nothing of the kind\n";
  const Error bad = expectError(ErrorCategory::kRefused, [&] { applet().loadConfig(notConfig); });
  EXPECT_EQ(bad.code(), -5000);
  EXPECT_EQ(applet().getInteger(width), 256);
  std::filesystem::remove(notConfig);
  expectError(ErrorCategory::kRefused, [&] { applet().saveConfig("/nonexistent/dir/x.mcf"); });
}

TEST_F(AppletTest, XmlEventsLookupTableAndTrigger) {
  const std::string xml = applet().xml();
  EXPECT_NE(xml.find("<RegisterDescription"), std::string::npos);
  expectError(ErrorCategory::kRefused, [&] { applet().xml(7); });

  std::uint64_t mask = 1;
  while (mask != 0 && !applet().eventName(mask)) mask <<= 1;
  ASSERT_NE(mask, 0u) << "no event named";
  EXPECT_EQ(applet().eventMask(*applet().eventName(mask)), mask);
  EXPECT_FALSE(applet().eventName(0));
  expectError(ErrorCategory::kUnknownName, [&] { applet().eventMask("NO_SUCH_EVENT"); });

  const std::vector<std::uint32_t> table = applet().lookupTable();
  EXPECT_EQ(table.size(), applet().parameter("FG_LUT_VALUE").elements);
  applet().setLookupTable({5, 6, 7}, 10);
  const std::vector<std::uint32_t> changed = applet().lookupTable();
  EXPECT_EQ(changed[10], 5u);
  EXPECT_EQ(changed[12], 7u);
  EXPECT_EQ(changed[9], table[9]);

  // Outside software trigger mode the applet refuses the pulse.
  const Error trigger =
      expectError(ErrorCategory::kRefused, [&] { applet().fireSoftwareTrigger(); });
  EXPECT_EQ(trigger.code(), -2140);
}

TEST_F(AppletTest, ClosedAppletFailsCleanly) {
  const ParameterHandle width = handle("FG_WIDTH");
  applet().close();
  EXPECT_TRUE(applet().closed());
  applet().close();  // a second close does nothing
  expectError(ErrorCategory::kClosed, [&] { applet().getInteger(width); });
  expectError(ErrorCategory::kClosed, [&] { applet().setInteger(width, 512); });
  expectError(ErrorCategory::kClosed, [&] { applet().parameters(); });
  expectError(ErrorCategory::kClosed, [&] { applet().start(2); });
  expectError(ErrorCategory::kClosed, [&] { applet().saveConfig("x.mcf"); });
}

TEST_F(AppletTest, BoardValuesAndSettings) {
  Board board = applet().board();
  board.play(SIMBOARD_SETTING_PICTURE_PERIOD_US, "2000");
  EXPECT_EQ(board.value(SIMBOARD_SETTING_PICTURE_PERIOD_US), "2000");
  board.setPicturePeriod(3000);
  EXPECT_EQ(board.value(SIMBOARD_SETTING_PICTURE_PERIOD_US), "3000");
  EXPECT_TRUE(board.cameraAttached());  // the built-in scene
  board.setSceneCamera(false);
  EXPECT_FALSE(board.cameraAttached());
  const Error refused = expectError(ErrorCategory::kRefused, [&] {
    board.setCameraImages({CameraImage{4, 4, 12, std::vector<std::uint8_t>(32)}});
  });
  EXPECT_NE(refused.code(), 0);
  expectError(ErrorCategory::kUnknownName, [&] { board.value("NoSuchHardwareValue"); });
  expectError(ErrorCategory::kBadValue, [&] {
    board.setCameraImages({CameraImage{4, 4, 8, std::vector<std::uint8_t>(3)}});
  });
}

}  // namespace
}  // namespace brenvik::test
