// The runtime variants for failure tests: each exports exactly its set of functions, the
// init-fails variant refuses to initialise, and the broken one is no library at all.
#include <dlfcn.h>

#include <set>

#include "BoardTestSupport.h"

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
  return std::string(BRENVIK_BUILD_DIR "/lib/variants/") + variant + "/libdravlib5.so";
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
  void* library = dlopen(variantPath(GetParam().name).c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  for (const std::string& name : kAllFunctions) {
    EXPECT_EQ(dlsym(library, name.c_str()) != nullptr, GetParam().exports.count(name) == 1) << name;
  }
  dlclose(library);
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
  void* library = dlopen(variantPath("init-fails").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto initHandle = reinterpret_cast<runtime::InitHandleFn>(dlsym(library, "Fg_InitHandle"));
  auto initSlaveAware =
      reinterpret_cast<runtime::InitHandleSlaveAwareFn>(dlsym(library, "Fg_InitHandleSlaveAware"));
  auto lastError =
      reinterpret_cast<runtime::GetLastErrorNumberFn>(dlsym(library, "Fg_getLastErrorNumber"));
  ASSERT_TRUE(initHandle && initSlaveAware && lastError);
  const std::string image = smallDesign();
  void* hap = Molvrt_OpenImage(image.data(), image.size(), 1);
  const int handles = simboard_runtime_handles();
  EXPECT_EQ(initSlaveAware("x", freshBoard(), hap, 0), nullptr);
  EXPECT_EQ(initHandle("x", freshBoard(), hap), nullptr);
  EXPECT_EQ(lastError(nullptr), -2022);
  EXPECT_EQ(simboard_runtime_handles(), handles);
  Molvrt_Close(hap);
  dlclose(library);
}

TEST(RuntimeVariant, BrokenIsNoLoadableLibrary) {
  EXPECT_EQ(dlopen(variantPath("broken").c_str(), RTLD_NOW | RTLD_LOCAL), nullptr);
}

}  // namespace
}  // namespace brenvik::simboard::test
