// libFuzzer target for Fg_loadConfig on the simulated board: any bytes as a configuration
// file, loaded into a fresh applet. The load ends with one of its codes, never a crash, and
// leaves an applet whose every saved parameter can be read and saved again.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "applet/Exports.h"

namespace {

const brenvik::test::FuzzInputFile& input() {
  static const brenvik::test::FuzzInputFile file(".mcf");
  return file;
}
const brenvik::test::FuzzInputFile& output() {
  static const brenvik::test::FuzzInputFile file("-saved.mcf");
  return file;
}

using brenvik::test::require;

}  // namespace

// The applet loads and unloads the SDK runtime with each applet; libFuzzer's coverage
// counters of an unloaded library would dangle, so the fuzzer holds it loaded throughout.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  require(dlopen("libdravlib5.so", RTLD_NOW | RTLD_LOCAL) != nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!input().write(data, size)) return 0;

  std::int32_t code = -1;
  AppletHandle handle{Std_entry(7, &code, 0)};
  require(code == 0 && handle.applet != nullptr);
  const int result = Fg_loadConfig(&handle, input().name().c_str());
  require(result == 0 || result == -5000);
  require(Fg_getLastErrorNumber(&handle) == result);
  require(Fg_saveConfig(&handle, output().name().c_str()) == 0);
  require(Fg_FreeGrabber(&handle) == 0);
  return 0;
}
