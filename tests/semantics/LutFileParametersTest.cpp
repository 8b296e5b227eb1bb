// The lookup-table file parameters through the simulated board: saving the current table,
// loading a custom table into the cache and the hardware, and what each failure leaves.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "LutTestSupport.h"
#include "SetPathFixture.h"
#include "runtime/SdkRuntime.h"
#include "tests/support/TextMode.h"

namespace brenvik::test {
namespace {

constexpr std::int32_t kType = sdkId("FG_LUT_TYPE");
constexpr std::int32_t kGain = sdkId("FG_PROCESSING_GAIN");
constexpr std::int32_t kValue = sdkId("FG_LUT_VALUE");
constexpr std::int32_t kCustomFile = sdkId("FG_LUT_CUSTOM_FILE");
constexpr std::int32_t kSaveFile = sdkId("FG_LUT_SAVE_FILE");
constexpr std::uint32_t kProcessing = 3;
constexpr std::uint32_t kCustom = 0;
const std::string kContent = "Device1_Process0_LookupTable_LookupTable_LUTcontent";

// A gray table file with `count` in its key and the given entries.
std::string grayFile(const std::string& count, const std::vector<std::uint32_t>& entries) {
  std::string text = "# Lut data file v1.1\n\n\n\n[gray]\n\nid=3;\nnrOfElements=" + count +
                     ";\nformat=0;\nnumber=0;\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    text += std::to_string(i) + "," + std::to_string(entries[i]) + ";\n";
  }
  return text;
}

class LutFiles : public SetPathTest {
 protected:
  void SetUp() override {
    SetPathTest::SetUp();
    directory_ = std::filesystem::temp_directory_path() /
                 ("brenvik-lut-files-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
    SetPathTest::TearDown();
  }
  std::string path(const std::string& name) { return (directory_ / name).string(); }
  std::string write(const std::string& name, const std::string& content) {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
  }
  static std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  int setText(std::int32_t id, const std::string& text) {
    return Fg_setParameterWithType(&handle_, id, text.c_str(), 0, runtime::kTypeString);
  }
  std::string getText(std::int32_t id) {
    char text[4096] = {};
    EXPECT_EQ(Fg_getParameterWithType(&handle_, id, text, 0, runtime::kTypeString), 0);
    return text;
  }
  Table table() {
    Table entries{};
    runtime::FieldParameterAccess access{2, 0, 1024, entries.data()};
    EXPECT_EQ(Fg_getParameterWithType(&handle_, kValue, &access, 0, runtime::kTypeField), 0);
    return entries;
  }

  std::filesystem::path directory_;
};

TEST_F(LutFiles, SavingWritesTheCurrentTableAsAGrayFile) {
  double gain = 2.0;
  ASSERT_EQ(Fg_setParameterWithType(&handle_, kGain, &gain, 0, runtime::kTypeDouble), 0);
  const Table expected = expectedTable(0, 2, 1, 0);
  writes();
  ASSERT_EQ(setText(kSaveFile, path("saved.lut")), 0);
  EXPECT_EQ(read(path("saved.lut")),
            inTextMode(grayFile("1024", {expected.begin(), expected.end()})));
  EXPECT_EQ(getText(kSaveFile), path("saved.lut"));
  EXPECT_TRUE(writes().empty());

  // An empty name writes nothing; a file that cannot be created keeps the previous name.
  EXPECT_EQ(setText(kSaveFile, ""), 0);
  ASSERT_EQ(setText(kSaveFile, path("saved.lut")), 0);
  EXPECT_EQ(setText(kSaveFile, path("no/such/dir.lut")), -5001);
  EXPECT_EQ(setText(kSaveFile, directory_.string()), -5001);
  EXPECT_EQ(getText(kSaveFile), path("saved.lut"));
}

TEST_F(LutFiles, ACustomFileLoadsIntoTheCacheAndTheBoard) {
  std::vector<std::uint32_t> entries(1024);
  for (std::uint32_t i = 0; i < 1024; ++i) entries[i] = 1023 - i;
  const std::string file = write("inverse.lut", grayFile("1024", entries));

  // While processing, the name is kept and no file is read.
  ASSERT_EQ(setText(kCustomFile, path("not-there.lut")), 0);
  ASSERT_EQ(setText(kCustomFile, file), 0);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(table(), identityTable());

  ASSERT_EQ(set(kType, kCustom), 0);
  Table expected{};
  std::copy(entries.begin(), entries.end(), expected.begin());
  EXPECT_EQ(writes(), std::vector<std::string>{tableWrite(expected)});
  EXPECT_EQ(table(), expected);

  // A saved table loads back as it was.
  ASSERT_EQ(set(kType, kProcessing), 0);
  ASSERT_EQ(setText(kSaveFile, path("identity.lut")), 0);
  ASSERT_EQ(set(kType, kCustom), 0);
  ASSERT_EQ(setText(kCustomFile, path("identity.lut")), 0);
  EXPECT_EQ(table(), identityTable());
}

TEST_F(LutFiles, ShortAndLongFilesChangeOnlyTheEntriesTheyHave) {
  ASSERT_EQ(set(kType, kCustom), 0);
  ASSERT_EQ(
      setText(kCustomFile, write("short.lut", grayFile("512", std::vector<std::uint32_t>(512, 7)))),
      0);
  Table expected = identityTable();
  std::fill_n(expected.begin(), 512, 7u);
  EXPECT_EQ(table(), expected);

  ASSERT_EQ(setText(kCustomFile,
                    write("long.lut", grayFile("2048", std::vector<std::uint32_t>(2048, 9)))),
            0);
  expected.fill(9);
  EXPECT_EQ(table(), expected);

  // Without a count nothing is read, and the unchanged table is written again.
  writes();
  ASSERT_EQ(setText(kCustomFile, write("keyless.lut", "[gray]\n0,1;\n")), 0);
  EXPECT_EQ(writes(), std::vector<std::string>{tableWrite(expected)});
}

// A count the file does not fill gives 0 for the entries it lacks, however large the count.
TEST_F(LutFiles, ALargeCountLoadsTheEntriesThereAreAndZeros) {
  ASSERT_EQ(set(kType, kCustom), 0);
  ASSERT_EQ(setText(kCustomFile, write("large.lut", grayFile("4000000000", {5, 6}))), 0);
  Table expected{};
  expected[0] = 5;
  expected[1] = 6;
  EXPECT_EQ(table(), expected);
}

#ifndef _WIN32  // FIFOs and /dev/null are POSIX
// Whatever opens for reading is read: a device, and a FIFO fed by another thread (as a shell's
// process substitution feeds one).
TEST_F(LutFiles, DevicesAndPipesAreRead) {
  ASSERT_EQ(set(kType, kCustom), 0);
  writes();
  EXPECT_EQ(setText(kCustomFile, "/dev/null"), 0);
  EXPECT_EQ(writes().size(), 1u) << "a file without a count writes the table again";
  const std::string fifo = path("table.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << grayFile("2", {5, 6}); });
  EXPECT_EQ(setText(kCustomFile, fifo), 0);
  writer.join();
  EXPECT_EQ(table()[1], 6u);
}
#endif

TEST_F(LutFiles, AFileThatDoesNotLoadKeepsTheNameTheTypeAndTheTable) {
  ASSERT_EQ(set(kType, kCustom), 0);
  const std::string good = write("good.lut", grayFile("2", {5, 6}));
  ASSERT_EQ(setText(kCustomFile, good), 0);
  writes();
  struct Case {
    std::string name;
    int result;
  };
  const Case cases[] = {
      {path("missing.lut"), -2076},
      {directory_.string(), -2076},  // a directory counts as missing
      {write("negative.lut", grayFile("-4", {1, 2})), -5001},
      {write("huge.lut", grayFile("5000000000", {1, 2})), -5001},
      // Entries beyond the output range reach the board, which refuses them.
      {write("bright.lut", grayFile("2", {1, 5000})), -2073},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(setText(kCustomFile, c.name), c.result) << c.name;
    EXPECT_EQ(getText(kCustomFile), good) << c.name;
  }
  EXPECT_EQ(table()[0], 1u) << "the refused write's entries stay in the cache";
  EXPECT_EQ(writes().size(), 1u) << "only the file that read reached the board";

  // Switching to the custom type with a missing file keeps the processing type.
  ASSERT_EQ(set(kType, kProcessing), 0);
  ASSERT_EQ(setText(kCustomFile, path("missing.lut")), 0);
  EXPECT_EQ(set(kType, kCustom), -2076);
  EXPECT_EQ(get(kType), kProcessing);
}

TEST_F(LutFiles, AFailingHardwareWriteKeepsThePreviousName) {
  ASSERT_EQ(set(kType, kCustom), 0);
  failWrites(kContent, -2073);
  EXPECT_EQ(setText(kCustomFile, write("table.lut", grayFile("1", {4}))), -2073);
  EXPECT_EQ(getText(kCustomFile), "");
}

}  // namespace
}  // namespace brenvik::test
