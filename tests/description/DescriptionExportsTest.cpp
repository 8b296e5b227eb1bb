// The description through the module's exports on the simulated board: the newest root from
// Fg_getParameterInfo, and Fg_getParameterInfoXML's size protocol with its buffer bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "BoardJournal.h"
#include "applet/Exports.h"
#include "runtime/HardwareAppletRuntime.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::description::test {
namespace {

using runtime::ParameterRecord;

class DescriptionExports : public ::testing::Test {
 protected:
  void SetUp() override {
    std::int32_t code = -1;
    handle_.applet = Std_entry(brenvik::test::freshBoard(), &code, 0);
    ASSERT_EQ(code, 0);
    ASSERT_NE(handle_.applet, nullptr);
  }
  void TearDown() override {
    if (handle_.applet != nullptr) {
      EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
    }
  }
  const ParameterRecord* root(int port) {
    return reinterpret_cast<const ParameterRecord*>(Fg_getParameterInfo(&handle_, port));
  }
  std::vector<std::string> roots() {
    std::vector<std::string> names;
    for (const ParameterRecord* r = root(0); r != nullptr; r = r->olderRoot) {
      names.emplace_back(r->displayName);
    }
    return names;
  }
  std::uint64_t documentSize() {
    std::uint64_t size = 0;
    EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 0, nullptr, &size), 0);
    return size;
  }
  int lastError() { return Fg_getLastErrorNumber(&handle_); }

  AppletHandle handle_{nullptr};
};

TEST_F(DescriptionExports, HandOutTheNewestRootOfPortZeroOnly) {
  EXPECT_EQ(roots(),
            (std::vector<std::string>{"Miscellaneous", "Camera Simulator", "Output Format",
                                      "Processing", "Lookup Table", "Image Selector", "Overflow",
                                      "Trigger", "ROI", "Tap Geometry", "Camera Link"}));
  EXPECT_EQ(root(0), root(0));  // built once, at creation
  EXPECT_EQ(root(1), nullptr);
  EXPECT_EQ(root(-1), nullptr);
}

// The plain size protocol is covered with the other exports; here: the buffer's bounds.
TEST_F(DescriptionExports, XmlCopiesWithinTheCallersBufferOnly) {
  const std::uint64_t size = documentSize();
  ASSERT_GT(size, 1000u);

  // A larger buffer is zero-filled behind the text, and nothing past its size is touched.
  std::vector<char> large(size + 64, '\x5A');
  std::uint64_t given = size + 32;
  ASSERT_EQ(Fg_getParameterInfoXML(&handle_, 0, large.data(), &given), 0);
  EXPECT_EQ(given, size);
  EXPECT_EQ(std::strlen(large.data()), size - 1);
  EXPECT_EQ(std::string(large.data()).rfind("</RegisterDescription>\n"), size - 24);
  for (std::uint64_t i = size; i < size + 32; ++i) EXPECT_EQ(large[i], '\0') << i;
  for (std::uint64_t i = size + 32; i < size + 64; ++i) EXPECT_EQ(large[i], '\x5A') << i;

  // One byte short: refused, with the buffer and the size untouched.
  std::vector<char> shortBuffer(size, '\x5A');
  given = size - 1;
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 0, shortBuffer.data(), &given), -500);
  EXPECT_EQ(given, size - 1);
  EXPECT_EQ(std::count(shortBuffer.begin(), shortBuffer.end(), '\x5A'),
            static_cast<std::ptrdiff_t>(size));
  EXPECT_EQ(Fg_getParameterInfoXML(&handle_, 0, shortBuffer.data(), nullptr), -2070);
  EXPECT_EQ(lastError(), -2070);
}

using DescriptionExportsWithRegisters = DescriptionExports;

TEST_F(DescriptionExportsWithRegisters, AddTheRegisterCategoryButNoRegistersToTheXml) {
  const auto names = roots();
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names.front(), "Direct Register Access");
  std::uint64_t hapValue = 0;
  ASSERT_EQ(Info(0x1040, 0, 0, &hapValue, nullptr), 0);
  const ParameterRecord* registers = root(0);
  EXPECT_EQ(registers->data.category.childCount,
            Molvrt_RegisterCount(reinterpret_cast<void*>(hapValue)));
  ASSERT_GT(registers->data.category.childCount, 0);
  EXPECT_EQ(std::strncmp(registers->data.category.children[0]->name, "DRA_", 4), 0);

  std::uint64_t size = documentSize();
  std::string text(size, '\0');
  ASSERT_EQ(Fg_getParameterInfoXML(&handle_, 0, text.data(), &size), 0);
  EXPECT_EQ(text.find("DRA_"), std::string::npos);
}

using DescriptionExportsWithDirectParameters = DescriptionExports;

// Every runtime parameter switched on: copies below "Direct Tolq Access", in copies of the
// runtime's categories, written into the XML under their DTOLQA_ names.
TEST_F(DescriptionExportsWithDirectParameters, CopyTheRuntimesParametersAndCategories) {
  const auto names = roots();
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names.front(), "Direct Tolq Access");
  const ParameterRecord* direct = root(0);
  ASSERT_GT(direct->data.category.childCount, 0);
  const ParameterRecord* process = direct->data.category.children[0];
  EXPECT_EQ(process->kind, runtime::kKindCategory);
  EXPECT_EQ(std::strncmp(process->displayName, "Device1_Process", 15), 0);
  EXPECT_EQ(process->depth, 1);

  std::uint64_t size = documentSize();
  std::string text(size, '\0');
  ASSERT_EQ(Fg_getParameterInfoXML(&handle_, 0, text.data(), &size), 0);
  EXPECT_NE(text.find("<Integer Name='DTOLQA_Device1_Process"), std::string::npos);
  EXPECT_NE(text.find("<pFeature>DTOLQA_Device1_Process"), std::string::npos);
}

using DescriptionExportsWithoutRuntimeInfo = DescriptionExports;

// The runtime offers no parameter information: the root is not handed out, yet the applet's
// own document is.
TEST_F(DescriptionExportsWithoutRuntimeInfo, KeepTheRootButStillWriteTheXml) {
  EXPECT_EQ(root(0), nullptr);
  EXPECT_GT(documentSize(), 1000u);
}

}  // namespace
}  // namespace brenvik::description::test
