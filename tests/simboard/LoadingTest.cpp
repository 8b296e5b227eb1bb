// How the SDK runtime stand-in behaves when it is loaded by name into a process that
// exports functions of the same names (as the applet does): its own calls stay inside
// it, and the search path picks a variant or fails on a broken one.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/HardwareAppletRuntime.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace {

constexpr int kSentinel = 4242;

}  // namespace

// This program's own export under the runtime's name; a call that left the library would
// land here.
extern "C" __attribute__((visibility("default"))) int Fg_getParameterWithType(void*, int, void*,
                                                                              std::uint32_t, int) {
  return kSentinel;
}

namespace brenvik::simboard::test {
namespace {

const std::string kLibraryDirectory = BRENVIK_BUILD_DIR "/lib";

// The search-path tests need their LD_LIBRARY_PATH; run without it they skip.
bool searchPathNames(const char* variant) {
  const char* path = std::getenv("LD_LIBRARY_PATH");
  return path != nullptr && std::string(path).find(variant) != std::string::npos;
}

template <typename Function>
Function symbol(void* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(library, name));
}

TEST(Interposition, UntypedAccessReachesTheLibrarysOwnTypedFunction) {
  ASSERT_EQ(reinterpret_cast<runtime::GetParameterWithTypeFn>(
                dlsym(RTLD_DEFAULT, "Fg_getParameterWithType"))(nullptr, 0, nullptr, 0, 2),
            kSentinel);  // the program's export is what the global scope offers
  void* runtimeLibrary =
      dlopen((kLibraryDirectory + "/libdravlib5.so").c_str(), RTLD_NOW | RTLD_GLOBAL);
  void* molvrt = dlopen((kLibraryDirectory + "/libmolvrt.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(runtimeLibrary, nullptr) << dlerror();
  ASSERT_NE(molvrt, nullptr) << dlerror();
  auto getParameter = symbol<runtime::GetParameterFn>(runtimeLibrary, "Fg_getParameter");
  auto initHandle = symbol<runtime::InitHandleFn>(runtimeLibrary, "Fg_InitHandle");
  auto idByName =
      symbol<runtime::GetParameterIdByNameFn>(runtimeLibrary, "Fg_getParameterIdByName");
  auto freeGrabber = symbol<runtime::FreeGrabberFn>(runtimeLibrary, "Fg_FreeGrabber");
  auto openImage = symbol<decltype(&Molvrt_OpenImage)>(molvrt, "Molvrt_OpenImage");
  auto close = symbol<decltype(&Molvrt_Close)>(molvrt, "Molvrt_Close");
  ASSERT_TRUE(getParameter && initHandle && idByName && freeGrabber && openImage && close);

  std::uint32_t value = 0;
  EXPECT_EQ(getParameter(nullptr, 1, &value, 0), SIMBOARD_INVALID_HANDLE);
  const std::string design = "VHAP 1\napplet \"A\"\napplet-id 1\nparameter P u32 rw 31\n";
  void* hap = openImage(design.data(), design.size(), 1);
  ASSERT_NE(hap, nullptr);
  void* runtime = initHandle("x", 1, hap);
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(getParameter(runtime, idByName(runtime, "P"), &value, 0), 0);
  EXPECT_EQ(value, 31u);
  EXPECT_EQ(freeGrabber(runtime), 0);
  close(hap);
  // The libraries stay loaded: the board registries live as long as the board library.
}

// Run with LD_LIBRARY_PATH naming the no-acquire variant; the program's run path names the
// regular library, so only the search path can pick the variant.
TEST(SearchPath, PicksTheVariantLoadedByPlainName) {
  if (!searchPathNames("variants/no-acquire")) GTEST_SKIP() << "needs LD_LIBRARY_PATH";
  void* library = dlopen("libdravlib5.so", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_EQ(dlsym(library, "Fg_AcquireEx"), nullptr);
  EXPECT_NE(dlsym(library, "Fg_stopAcquireEx"), nullptr);
}

// Run with LD_LIBRARY_PATH naming the broken variant: the loader stops at the file it finds
// there and does not go on to the run path, where a good library lies.
TEST(SearchPath, FailsOnABrokenLibraryWithoutFallingBack) {
  if (!searchPathNames("variants/broken")) GTEST_SKIP() << "needs LD_LIBRARY_PATH";
  dlerror();
  EXPECT_EQ(dlopen("libdravlib5.so", RTLD_NOW | RTLD_LOCAL), nullptr);
  const char* error = dlerror();
  ASSERT_NE(error, nullptr);
  EXPECT_NE(std::string(error).find("variants/broken"), std::string::npos) << error;
}

}  // namespace
}  // namespace brenvik::simboard::test
