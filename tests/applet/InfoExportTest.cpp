// The Info export: constants, embedded blocks, selectors, value names and unknown queries.
#include <cstring>
#include <cctype>
#include <thread>

#include "AppletFixture.h"

namespace brenvik::test {
namespace {

std::string textOf(int query) {
  std::uint64_t pointer = 0;
  EXPECT_EQ(Info(query, 0, 0, nullptr, &pointer), 0) << std::hex << query;
  return pointer == 0 ? std::string() : std::string(reinterpret_cast<const char*>(pointer));
}

TEST(InfoExport, IdentityTexts) {
  EXPECT_EQ(textOf(0x1050), "Brenvik");
  EXPECT_EQ(textOf(0x1060), "2.1.1.8");
  EXPECT_EQ(textOf(0x1070), "2.1.1.8.20180718.093317");
  EXPECT_EQ(textOf(0x1010), "Vessmark:Area");
  EXPECT_EQ(textOf(0x1020),
            "class=standard,family=acquisition,type=single,sensortype=area,color=gray,"
            "interface=cl");
  EXPECT_EQ(textOf(0x1000).rfind("Advanced Vessmark with 10Bit image processing", 0), 0u);
}

TEST(InfoExport, IdentifiersAreTwoDistinctFixedGuids) {
  const std::string first = textOf(0x413);
  const std::string second = textOf(0x414);
  for (const auto& guid : {first, second}) {
    ASSERT_EQ(guid.size(), 36u) << guid;
    for (std::size_t i = 0; i < guid.size(); ++i) {
      if (i == 8 || i == 13 || i == 18 || i == 23) {
        EXPECT_EQ(guid[i], '-') << guid;
      } else {
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(guid[i])) && !std::isupper(guid[i]))
            << guid;
      }
    }
  }
  EXPECT_NE(first, second);
  EXPECT_EQ(first, textOf(0x413));
}

TEST(InfoExport, EmbeddedIconIsA32By32Png) {
  std::uint64_t size = 0;
  std::uint64_t pointer = 0;
  ASSERT_EQ(Info(0x411, 0, 0, &size, &pointer), 0);
  ASSERT_EQ(size, 2747u);
  const auto* png = reinterpret_cast<const unsigned char*>(pointer);
  EXPECT_EQ(std::memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
  EXPECT_EQ(std::memcmp(png + 12, "IHDR", 4), 0);
  EXPECT_EQ(png[19], 32);  // width, big-endian
  EXPECT_EQ(png[23], 32);  // height
  EXPECT_EQ(Info(0x411, 0, 0, nullptr, nullptr), 0);
}

TEST(InfoExport, EmbeddedHardwareAppletImageIsTheDesign) {
  std::uint64_t size = 0;
  std::uint64_t pointer = 0;
  ASSERT_EQ(Info(0x412, 0, 0, &size, &pointer), 0);
  ASSERT_GT(size, 1000u);
  const std::string onDisk = readFile(BRENVIK_BUILD_DIR "/lib/Brenvik.hap");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(pointer), size), onDisk);
}

TEST(InfoExport, ConstantAnswersAndSelectors) {
  const std::pair<int, int> constants[] = {
      {0x350, 0}, {0x410, 0}, {0x415, 1}, {0x700, 1}, {0x750, 1}, {0x760, 1},
      {0x800, 0x20001}, {0x870, 0}, {0x880, 29969}, {0x890, 0}, {0xA00, 0}, {0xB00, 1},
      {0xC00, 0}, {0xD00, 0}, {0x1200, 1}};
  for (const auto& [query, result] : constants) {
    EXPECT_EQ(Info(query, 7, 7, nullptr, nullptr), result) << std::hex << query;
  }
  const std::pair<int, int> selected[] = {{0x1210, 1}, {0x1220, 1}, {0x1250, 1}, {0x1260, 9}};
  for (const auto& [query, result] : selected) {
    EXPECT_EQ(Info(query, 0, 5, nullptr, nullptr), result) << std::hex << query;
    EXPECT_EQ(Info(query, 1, 0, nullptr, nullptr), -2070) << std::hex << query;
  }
  for (int query : {0x1230, 0x1240}) {
    EXPECT_EQ(Info(query, 0, 0, nullptr, nullptr), 0);
    EXPECT_EQ(Info(query, 0, 1, nullptr, nullptr), -2070);
    EXPECT_EQ(Info(query, 1, 0, nullptr, nullptr), -2070);
  }
  std::uint64_t location = ~0ull;
  EXPECT_EQ(Info(0x900, 0, 0, &location, nullptr), 0);
  EXPECT_EQ(location, 0xFFFFFFFF00000000ull);  // only the 32-bit location is written
}

TEST(InfoExport, UnknownQueriesAreNotSupportedAndWriteNothing) {
  std::uint64_t out1 = 5;
  std::uint64_t out2 = 6;
  for (int query : {0x1001, 0, -1, 0x1270, 0x412 + 0x10000}) {
    EXPECT_EQ(Info(query, 0, 0, &out1, &out2), -2130) << query;
  }
  EXPECT_EQ(out1, 5u);
  EXPECT_EQ(out2, 6u);
}

TEST(InfoExport, ValueNamesTranslateExactly) {
  const auto value = [](const char* name) {
    return Info(0x1100, 0, 0, const_cast<char*>(name), nullptr);
  };
  EXPECT_EQ(value("FG_GEOMETRY_4X2E"), 69271552);
  EXPECT_EQ(value("FG_CL_FULL_8_TAP_10_BIT"), 311);
  EXPECT_EQ(value("TRGINSRC_FRONT_GPI_3"), 19);
  EXPECT_EQ(value("NOT_BYPASS_GPI_7"), 27);
  EXPECT_EQ(value("CAM_A_NOT_PULSEGEN2"), 62);
  EXPECT_EQ(value("fg_yes"), -2070);
  EXPECT_EQ(value("FG_YES "), -2070);
  EXPECT_EQ(value(""), -2070);
  EXPECT_EQ(Info(0x1100, 0, 0, nullptr, nullptr), -2070);
}

TEST(InfoExportBeforeCreation, HandlesAreZeroUntilTheFirstCreation) {
  std::uint64_t board = 99;
  std::uint64_t applet = 99;
  EXPECT_EQ(Info(0x1030, 0, 0, &board, nullptr), 0);
  EXPECT_EQ(Info(0x1040, 0, 0, &applet, nullptr), 0);
  EXPECT_EQ(board, 0u);
  EXPECT_EQ(applet, 0u);
}

TEST(InfoExportBeforeCreation, FirstValueLookupsFromManyThreadsAgree) {
  std::vector<int> results(8, 0);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&results, i] {
      results[i] = Info(0x1100, 0, 0, const_cast<char*>("BYPASS_FRONT_GPI_2"), nullptr);
    });
  }
  for (auto& thread : threads) thread.join();
  for (int result : results) EXPECT_EQ(result, 32);
}

}  // namespace
}  // namespace brenvik::test
