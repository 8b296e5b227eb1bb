// The writable table walked through the exports: every writable parameter's set reaches its
// family's setter.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "SetPathFixture.h"
#include "semantics/SetPath.h"

namespace brenvik::test {
namespace {

// Every writable parameter's set reaches its setter: whatever the setter makes of a zero (or
// of a file name in a scratch directory), the dispatcher does not refuse it as unknown.
using WritableWalk = SetPathTest;

TEST_F(WritableWalk, EveryWritableParameterReachesItsSetter) {
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("brenvik-walk-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  const std::string file = (scratch / "walk.mcf").string();
  for (const semantics::WritableParameter& writable : semantics::writableParameters()) {
    const std::uint64_t zero = 0;
    const void* value = writable.form == semantics::SetForm::kText
                            ? static_cast<const void*>(file.c_str())
                            : static_cast<const void*>(&zero);
    const int result = Fg_setParameterWithType(&handle_, writable.id, value, 0, 2);
    const std::string_view name = parameters::findSdkParameter(writable.id)->name;
    EXPECT_NE(result, -2070) << name;
    EXPECT_NE(result, -12) << name;
  }
  std::filesystem::remove_all(scratch);
}

}  // namespace
}  // namespace brenvik::test
