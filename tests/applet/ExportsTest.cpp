// The export surface: handle checks, last-error rules, shading refusals, the XML size
// protocol and what the applet answers before its parameter families exist.
#include <cstring>
#include <functional>
#include <vector>

#include "AppletFixture.h"

namespace brenvik::test {
namespace {

// Every export that takes a handle, called with the given handle; each returns its result
// widened to 64 bits (pointers as 0 or 1).
std::vector<std::pair<const char*, std::function<std::int64_t(AppletHandle*)>>> allExports() {
  auto pointer = [](const void* p) { return static_cast<std::int64_t>(p != nullptr); };
  std::uint32_t value = 0;
  std::uint64_t size = 0;
  return {
      {"Fg_setParameterWithType", [=](AppletHandle* h) mutable { return Fg_setParameterWithType(h, 100, &value, 0, 2); }},
      {"Fg_getParameterWithType", [=](AppletHandle* h) mutable { return Fg_getParameterWithType(h, 100, &value, 0, 2); }},
      {"Fg_freeParameterStringWithType", [](AppletHandle* h) { return Fg_freeParameterStringWithType(h, 24108, nullptr, 0, 22); }},
      {"Fg_getParameterIdByName", [](AppletHandle* h) { return Fg_getParameterIdByName(h, "FG_WIDTH"); }},
      {"Fg_getParameterId", [](AppletHandle* h) { return Fg_getParameterId(h, 0); }},
      {"Fg_getNrOfParameter", [](AppletHandle* h) { return Fg_getNrOfParameter(h); }},
      {"Fg_getLastErrorNumber", [](AppletHandle* h) { return Fg_getLastErrorNumber(h); }},
      {"Fg_saveConfig", [](AppletHandle* h) { return Fg_saveConfig(h, "x.mcf"); }},
      {"Fg_loadConfig", [](AppletHandle* h) { return Fg_loadConfig(h, "x.mcf"); }},
      {"Fg_getParameterInfoXML", [=](AppletHandle* h) mutable { return Fg_getParameterInfoXML(h, 0, nullptr, &size); }},
      {"Fg_getAppletId", [](AppletHandle* h) { return Fg_getAppletId(h, 0); }},
      {"Fg_getLastPicNumberEx", [](AppletHandle* h) { return Fg_getLastPicNumberEx(h, 0, nullptr); }},
      {"Fg_getLastPicNumberBlockingEx", [](AppletHandle* h) { return Fg_getLastPicNumberBlockingEx(h, 1, 0, 1, nullptr); }},
      {"Fg_getStatusEx", [](AppletHandle* h) { return Fg_getStatusEx(h, 0, 0, 0, nullptr); }},
      {"Fg_AcquireEx", [](AppletHandle* h) { return Fg_AcquireEx(h, 0, 1, 0, nullptr); }},
      {"Fg_stopAcquireEx", [](AppletHandle* h) { return Fg_stopAcquireEx(h, 0, nullptr, 0); }},
      {"Fg_FreeGrabber", [](AppletHandle* h) { return Fg_FreeGrabber(h); }},
      {"Fg_FreeShading", [](AppletHandle* h) { return Fg_FreeShading(h, nullptr); }},
      {"Shad_SetSubValueLine", [](AppletHandle* h) { return Shad_SetSubValueLine(h, nullptr, 0, 0, 1.0f); }},
      {"Shad_SetMultValueLine", [](AppletHandle* h) { return Shad_SetMultValueLine(h, nullptr, 0, 0, 1.0f); }},
      {"Shad_SetFixedPatternNoiseLine", [](AppletHandle* h) { return Shad_SetFixedPatternNoiseLine(h, nullptr, 0, 0, 1); }},
      {"Shad_GetMaxLine", [](AppletHandle* h) { return Shad_GetMaxLine(h, nullptr); }},
      {"Shad_GetAccess", [](AppletHandle* h) { return Shad_GetAccess(h, nullptr); }},
      {"Shad_FreeAccess", [](AppletHandle* h) { return Shad_FreeAccess(h, nullptr); }},
      {"Shad_WriteActLine", [](AppletHandle* h) { return Shad_WriteActLine(h, nullptr, 0); }},
      // Pointer and mask results: an invalid handle gives null or 0.
      {"Fg_getParameterName", [=](AppletHandle* h) { return pointer(Fg_getParameterName(h, 0)) - 2001; }},
      {"Fg_getParameterInfo", [=](AppletHandle* h) { return pointer(Fg_getParameterInfo(h, 0)) - 2001; }},
      {"Fg_getEventName", [=](AppletHandle* h) { return pointer(Fg_getEventName(h, 1)) - 2001; }},
      {"Fg_AllocShading", [=](AppletHandle* h) { return pointer(Fg_AllocShading(h)) - 2001; }},
      {"Fg_getEventMask", [](AppletHandle* h) { return static_cast<std::int64_t>(Fg_getEventMask(h, "x")) - 2001; }},
  };
}

TEST(Exports, RefuseANullHandleAndAnEmptyHandleStructure) {
  AppletHandle empty{nullptr};
  for (AppletHandle* handle : {static_cast<AppletHandle*>(nullptr), &empty}) {
    for (const auto& [name, call] : allExports()) {
      EXPECT_EQ(call(handle), -2001) << name << (handle == nullptr ? " (null)" : " (empty)");
    }
  }
}

using ExportsOnApplet = AppletTest;

TEST_F(ExportsOnApplet, ReleasingAStringOfAnotherTypeIsRefusedWithoutTouchingTheLastError) {
  ASSERT_EQ(Fg_getParameterIdByName(&handle_, "no such parameter"), -2070);
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, 24108, nullptr, 0, 21), -2078);
  EXPECT_EQ(lastError(), -2070);
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, 24108, nullptr, 0, 6), -2078);
}

TEST_F(ExportsOnApplet, A64BitGetClearsTheWholeValueEvenWhenTheGetFails) {
  for (int type : {3, 4}) {
    std::uint64_t value = ~0ull;
    EXPECT_EQ(Fg_getParameterWithType(&handle_, 12345, &value, 0, type), -2070);
    EXPECT_EQ(value, 0u) << "type " << type;
  }
  std::uint64_t value = ~0ull;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 12345, &value, 0, 2), -2070);
  EXPECT_EQ(value, ~0ull);
}

TEST_F(ExportsOnApplet, NullValuePointersAreInvalidParameters) {
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 100, nullptr, 0, 2), -2070);
  EXPECT_EQ(lastError(), -2070);
  EXPECT_EQ(Fg_setParameterWithType(&handle_, 4000, nullptr, 0, 2), -2070);
  EXPECT_EQ(lastError(), -2070);
}

TEST_F(ExportsOnApplet, ShadingIsNotSupported) {
  EXPECT_EQ(Fg_AllocShading(&handle_), nullptr);
  EXPECT_EQ(lastError(), -1);
  EXPECT_EQ(Shad_GetMaxLine(&handle_, nullptr), -2130);
  EXPECT_EQ(lastError(), -2130);
  Fg_AllocShading(&handle_);
  EXPECT_EQ(Fg_FreeShading(&handle_, nullptr), -2130);
  EXPECT_EQ(lastError(), -2130);
  EXPECT_EQ(Shad_SetSubValueLine(&handle_, nullptr, 1, 2, 0.5f), -2130);
  EXPECT_EQ(Shad_WriteActLine(&handle_, nullptr, 3), -2130);
}

TEST_F(ExportsOnApplet, XmlDescriptionFollowsTheSizeProtocol) {
  std::uint64_t size = 0;
  ASSERT_EQ(Fg_getParameterInfoXML(&handle_, 0, nullptr, &size), 0);
  EXPECT_EQ(lastError(), 0);
  ASSERT_GT(size, 1u);
  std::vector<char> text(size, 'x');
  std::uint64_t given = size;
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 0, text.data(), &given), 0);
  EXPECT_EQ(given, size);
  EXPECT_EQ(std::strlen(text.data()), size - 1);
  given = size - 1;
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 0, text.data(), &given), -500);
  EXPECT_EQ(lastError(), -500);
  EXPECT_EQ(given, size - 1);
  given = 0;
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 0, text.data(), &given), -500);
  given = size;
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 1, text.data(), &given), -2075);
  EXPECT_EQ(lastError(), -2075);
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, -1, nullptr, &given), -2075);
  EXPECT_EQ(given, size);
  EXPECT_NE(Fg_getParameterInfo(&handle_, 0), nullptr);
  EXPECT_EQ(Fg_getParameterInfo(&handle_, 1), nullptr);
}

TEST_F(ExportsOnApplet, EventLookupsMissSetTheLastError) {
  EXPECT_EQ(Fg_getEventMask(&handle_, ""), 0u);
  EXPECT_EQ(lastError(), -2070);
  EXPECT_EQ(Fg_getEventMask(&handle_, nullptr), 0u);
  EXPECT_EQ(Fg_getEventName(&handle_, 0), nullptr);
  EXPECT_EQ(lastError(), -2070);
  EXPECT_EQ(Fg_getEventName(&handle_, 3), nullptr);
}

TEST_F(ExportsOnApplet, RegistryLookupsOfUnknownEntriesFail) {
  EXPECT_EQ(Fg_getParameterIdByName(&handle_, nullptr), -2070);
  EXPECT_EQ(Fg_getParameterIdByName(&handle_, ""), -2070);
  EXPECT_EQ(Fg_getParameterName(&handle_, 100000), nullptr);
  EXPECT_EQ(lastError(), -2070);
  EXPECT_EQ(Fg_getParameterId(&handle_, -1), -2070);
}

TEST_F(ExportsOnApplet, FreeGrabberLeavesTheHandleInvalid) {
  EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
  for (const auto& [name, call] : allExports()) EXPECT_EQ(call(&handle_), -2001) << name;
}

}  // namespace
}  // namespace brenvik::test
