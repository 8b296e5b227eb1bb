// Std_entry's sequence: construct, load the SDK runtime, open the hardware applet, initialise
// the runtime, then register, bind, describe, discover and write the defaults.
#include "applet/Creation.h"

#include <memory>
#include <new>

#include "applet/FgTolqWrapperImpl.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"
#include "resources/EmbeddedBlock.h"
#include "runtime/HardwareAppletRuntime.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"

namespace brenvik {

namespace {

constexpr const char* kHapFileName = "Brenvik.hap";
constexpr std::int32_t kPortCount = 1;
constexpr std::int32_t kOpenFlag = 1;

// The embedded image, or the .hap file of that bare name when the environment asks for it.
void* openHardwareApplet() {
  if (platform::environmentValue("__VURN_FORCE_EXTERNAL_HAP")) {
    return Molvrt_OpenFile(kHapFileName, kMolvrtOpenFileConstant, kOpenFlag);
  }
  const auto& image = resources::hardwareAppletImage;
  return Molvrt_OpenImage(image.data, image.size, kOpenFlag);
}

}  // namespace

// ELF modules get no per-thread attach or detach notifications, so unlike a Windows DLL this
// module needs no entry point of its own: creation starts here.
FgTolqWrapper* createApplet(std::uint64_t boardHandle, std::int32_t* errorCode,
                            std::uint32_t flags) {
  std::int32_t discarded = 0;
  if (errorCode == nullptr) errorCode = &discarded;

  std::unique_ptr<FgTolqWrapperImpl> applet;
  try {
    applet = std::make_unique<FgTolqWrapperImpl>(kPortCount);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }

  *errorCode = applet->loadRuntimeLibrary(platform::libraryFileName(runtime::kSdkRuntimeLibrary));
  if (*errorCode != codes::kSuccess) return nullptr;

  void* hap = openHardwareApplet();
  if (hap == nullptr) {
    *errorCode = codes::kInitFailed;
    return nullptr;
  }

  *errorCode = applet->initRuntime(kHapFileName, boardHandle, hap, flags);
  if (*errorCode != codes::kSuccess) {
    Molvrt_Close(hap);
    return nullptr;
  }
  applet->adoptHandles(boardHandle, hap);
  try {
    applet->completeCreation(flags);
  } catch (...) {
    // The steps after initialisation never fail the creation; what they could not do stays
    // undone and the affected parameters report their own errors later.
  }
  return applet.release();
}

}  // namespace brenvik
