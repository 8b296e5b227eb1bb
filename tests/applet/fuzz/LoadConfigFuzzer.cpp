// libFuzzer target for Fg_loadConfig on the simulated board: any bytes as a configuration
// file, loaded into a fresh applet. The load ends with one of its codes, never a crash, and
// leaves an applet whose every saved parameter can be read and saved again.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "applet/Exports.h"

namespace {

struct ScratchFiles {
  std::string input = "/tmp/brenvik-load-fuzz-" + std::to_string(::getpid()) + ".mcf";
  std::string output = "/tmp/brenvik-load-fuzz-" + std::to_string(::getpid()) + "-saved.mcf";
  ~ScratchFiles() {
    std::remove(input.c_str());
    std::remove(output.c_str());
  }
};

const ScratchFiles& files() {
  static const ScratchFiles scratch;
  return scratch;
}

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// The applet loads and unloads the SDK runtime with each applet; libFuzzer's coverage
// counters of an unloaded library would dangle, so the fuzzer holds it loaded throughout.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  require(dlopen("libdravlib5.so", RTLD_NOW | RTLD_LOCAL) != nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(files().input.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  std::int32_t code = -1;
  AppletHandle handle{Std_entry(7, &code, 0)};
  require(code == 0 && handle.applet != nullptr);
  const int result = Fg_loadConfig(&handle, files().input.c_str());
  require(result == 0 || result == -5000);
  require(Fg_getLastErrorNumber(&handle) == result);
  require(Fg_saveConfig(&handle, files().output.c_str()) == 0);
  require(Fg_FreeGrabber(&handle) == 0);
  return 0;
}
