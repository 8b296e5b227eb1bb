// The runtime variants for failure tests: each exports exactly its set of functions, the
// init-fails variant refuses to initialise, and the broken one is no library at all.
#include <set>

#include "BoardTestSupport.h"
#include "platform/os/DynamicLibrary.h"
#include "platform/os/LibraryNames.h"

namespace brenvik::simboard::test {
namespace {

const std::vector<std::string> kAllFunctions = {
    "Fg_InitHandleSlaveAware", "Fg_InitHandle",
    "Fg_getParameterIdByName", "Fg_setParameterWithType",
    "Fg_getParameterWithType", "Fg_freeParameterStringWithType",
    "Fg_setParameter",         "Fg_getParameter",
    "Fg_getLastErrorNumber",   "Fg_getParameterInfo",
    "Fg_saveConfig",           "Fg_loadConfig",
    "Fg_FreeGrabber",          "Fg_getAppletId",
    "Fg_getLastPicNumberEx",   "Fg_getLastPicNumberBlockingEx",
    "Fg_getStatusEx",          "Fg_AcquireEx",
    "Fg_stopAcquireEx",        "Fg_Acquire",
    "Fg_stopAcquire"};

std::string variantPath(const std::string& variant) {
  return std::string(BRENVIK_BUILD_DIR "/lib/variants/") + variant + "/" +
         platform::libraryFileName("dravlib5");
}

std::unique_ptr<platform::DynamicLibrary> openVariant(const std::string& variant,
                                                      std::string* error) {
  return platform::DynamicLibrary::open(variantPath(variant), error);
}

std::set<std::string> allBut(std::initializer_list<std::string> missing) {
  std::set<std::string> names(kAllFunctions.begin(), kAllFunctions.end());
  for (const std::string& name : missing) names.erase(name);
  return names;
}

struct Variant {
  std::string name;
  std::set<std::string> exports;
};

// Printed by its name: GoogleTest's fallback prints the object's bytes, the unused ones of
// the name's inline buffer included.
void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

class Variants : public ::testing::TestWithParam<Variant> {};

TEST_P(Variants, ExportExactlyTheirFunctions) {
  std::string error;
  const auto library = openVariant(GetParam().name, &error);
  ASSERT_NE(library, nullptr) << error;
  for (const std::string& name : kAllFunctions) {
    EXPECT_EQ(library->symbol(name.c_str()) != nullptr, GetParam().exports.count(name) == 1)
        << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, Variants,
    ::testing::Values(Variant{"basic",
                              {"Fg_InitHandle", "Fg_getParameterIdByName",
                               "Fg_setParameterWithType", "Fg_getParameterWithType",
                               "Fg_freeParameterStringWithType", "Fg_getLastErrorNumber",
                               "Fg_FreeGrabber"}},
                      Variant{"no-acquire", allBut({"Fg_AcquireEx"})},
                      Variant{"init-fails", allBut({})},
                      Variant{"no-parameter-info", allBut({"Fg_getParameterInfo"})}),
    [](const ::testing::TestParamInfo<Variant>& param) {
      std::string name = param.param.name;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

TEST(RuntimeVariant, InitFailsRefusesBothInitialisationsWithItsError) {
  std::string error;
  const auto library = openVariant("init-fails", &error);
  ASSERT_NE(library, nullptr) << error;
  auto initHandle = library->function<runtime::InitHandleFn>("Fg_InitHandle");
  auto initSlaveAware =
      library->function<runtime::InitHandleSlaveAwareFn>("Fg_InitHandleSlaveAware");
  auto lastError = library->function<runtime::GetLastErrorNumberFn>("Fg_getLastErrorNumber");
  ASSERT_TRUE(initHandle && initSlaveAware && lastError);
  const std::string image = smallDesign();
  void* hap = Molvrt_OpenImage(image.data(), image.size(), 1);
  const int handles = simboard_runtime_handles();
  EXPECT_EQ(initSlaveAware("x", freshBoard(), hap, 0), nullptr);
  EXPECT_EQ(initHandle("x", freshBoard(), hap), nullptr);
  EXPECT_EQ(lastError(nullptr), -2022);
  EXPECT_EQ(simboard_runtime_handles(), handles);
  Molvrt_Close(hap);
}

TEST(RuntimeVariant, BrokenIsNoLoadableLibrary) {
  std::string error;
  EXPECT_EQ(openVariant("broken", &error), nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace brenvik::simboard::test
