// The device's description: valid by the GenApi schema, and a register map in which every
// FG_ parameter has a place of its own outside the bootstrap space.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "GevTestSupport.h"

namespace brenvik::gev::test {
namespace {

#ifdef BRENVIK_XMLLINT
TEST_F(BridgeTest, DescriptionIsValidGenApi) {
  const std::string schema = BRENVIK_GENAPI_SCHEMA;
  const auto path = std::filesystem::temp_directory_path() /
                    ("brenvik-gev-" + std::to_string(applet().board().number()) + ".xml");
  std::ofstream(path, std::ios::binary) << bridge().xml();
  const std::string command = std::string(BRENVIK_XMLLINT) + " --noout --schema " + schema +
                              " " + path.string() + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
  const int status = pclose(pipe);
  std::filesystem::remove(path);
  EXPECT_EQ(status, 0) << output;
}
#endif

TEST_F(BridgeTest, EveryParameterHasARegisterOfItsOwn) {
  std::set<std::string> names;
  std::uint32_t end = 0;
  std::vector<const Register*> placed;
  for (const Register& reg : bridge().registers().registers()) {
    EXPECT_TRUE(names.insert(reg.name).second) << reg.name;
    if (reg.route == Route::kBootstrap) {
      EXPECT_LT(reg.address, bootstrap::kSize) << reg.name;
      continue;
    }
    EXPECT_GE(reg.address, bootstrap::kSize) << reg.name;
    EXPECT_LT(reg.address + reg.length, kXmlBase) << reg.name;
    placed.push_back(&reg);
  }
  std::sort(placed.begin(), placed.end(),
            [](const Register* a, const Register* b) { return a->address < b->address; });
  for (const Register* reg : placed) {
    EXPECT_GE(reg->address, end) << reg->name << " overlaps the register before it";
    end = reg->address + reg->length;
    EXPECT_EQ(bridge().registers().find(reg->address + reg->length - 1), reg);
  }
  for (const ParameterInfo& info : applet().parameters()) {
    if (info.kind == Kind::kLookupTable) {
      EXPECT_EQ(names.count(info.name), 0u) << info.name;
    } else {
      EXPECT_EQ(names.count(info.name), 1u) << info.name;
    }
  }
  for (const StandardFeature& feature : kStandardFeatures) {
    EXPECT_EQ(names.count(std::string(feature.name)), 1u) << feature.name;
  }
}

}  // namespace
}  // namespace brenvik::gev::test
