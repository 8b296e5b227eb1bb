// Lookup-table files as read: keys found anywhere, the ascending entry run after the section
// line, lines in 255-character pieces, and hostile files that load what the rules say or are
// refused, never more.
#include <random>

#include "ScratchFiles.h"
#include "persistence/LutFile.h"
#include "tests/support/TextMode.h"

namespace brenvik::test {
namespace {

using persistence::KneeLutChannel;
using persistence::LutChannel;
using persistence::LutFile;

constexpr int kRefused = -5001;

class LutFileReading : public ScratchFiles {
 protected:
  // Reads the [gray] channel of a file with `content`; the result goes to `result`.
  LutChannel gray(std::string_view content, int* result = nullptr) {
    LutChannel channel;
    LutFile file;
    const int code = file.readTableChannel(write("table.lut", content), channel, "[gray]");
    if (result != nullptr)
      *result = code;
    else
      EXPECT_EQ(code, 0);
    return channel;
  }
};

TEST_F(LutFileReading, AWrittenTableReadsBack) {
  LutChannel written;
  written.data = {0, 7, 0xFFFFFFFFu, 1023};
  written.nrOfElements = 4;
  written.id = 3;
  written.format = 2;
  written.number = 1;
  LutFile file;
  ASSERT_EQ(file.writeGrayTable(path("table.lut"), written), 0);
  file.close();
  LutChannel read;
  ASSERT_EQ(file.readTableChannel(path("table.lut"), read, "[gray]"), 0);
  EXPECT_EQ(read.data, written.data);
  EXPECT_EQ(read.id, 3);
  EXPECT_EQ(read.nrOfElements, 4u);
  EXPECT_EQ(read.format, 2);
  EXPECT_EQ(read.number, 1u);
}

TEST_F(LutFileReading, TheLineEndsOfThePlatformsTextFilesAreLineEnds) {
  // On Windows a table file written by an editor ends its lines in CR LF.
  const LutChannel channel =
      gray(inTextMode("# Lut data file v1.1\n[gray]\nid=2;\nnrOfElements=3;\n0,4;\n1,5;\n2,6;\n"));
  EXPECT_EQ(channel.data, (std::vector<std::uint32_t>{4, 5, 6}));
  EXPECT_EQ(channel.id, 2);
  EXPECT_EQ(channel.nrOfElements, 3u);
}

TEST_F(LutFileReading, KeysComeFromTheFirstLineAnywhereThatHoldsThem) {
  // Before the title, after the entries, quoted, with a missing value: none of it matters.
  const LutChannel channel =
      gray("nrOfElements='3'\nany title\n[gray]\n0,4;\n1,5;\n2,6;\nid=x9;\nformat=;\n");
  EXPECT_EQ(channel.data, (std::vector<std::uint32_t>{4, 5, 6}));
  EXPECT_EQ(channel.id, 0);
  EXPECT_EQ(channel.format, 0);
  EXPECT_EQ(channel.number, 0u);
  // Without nrOfElements nothing is read.
  EXPECT_TRUE(gray("[gray]\n0,4;\n1,5;\n").data.empty());
}

TEST_F(LutFileReading, EntriesAreTheAscendingRunFromZeroAfterTheSectionLine) {
  const std::string keys = "nrOfElements=6;\n";
  // Lines before the section line do not count; the section line itself does.
  // The run holds what was found; the count's other entries are 0.
  EXPECT_EQ(gray(keys + "0,9;\n[gray] 0,1;\n1,2;\n").data, (std::vector<std::uint32_t>{1, 2}));
  // Out of order: only the run from 0 is taken.
  EXPECT_EQ(gray(keys + "[gray]\n0,1;\n2,3;\n1,2;\n3,4;\n").data,
            (std::vector<std::uint32_t>{1, 2}));
  // A missing line may be found inside a later one: "15," holds "5,".
  EXPECT_EQ(gray(keys + "[gray]\n0,1;\n1,2;\n2,3;\n3,4;\n4,5;\n15,77;\n").data,
            (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 77}));
  // The value follows the line's first comma; malformed numbers give their leading digits.
  EXPECT_EQ(gray(keys + "[gray]\nx0,12abc;\n 1,-1;\n2,;\n3,99999999999;\n").data,
            (std::vector<std::uint32_t>{12, 0xFFFFFFFFu, 0, 0x7FFFFFFFu}));
  // Entries beyond the count are not taken, wherever the count stands.
  EXPECT_EQ(gray("[gray]\n0,1;\n1,2;\n2,3;\nnrOfElements=2;\n").data,
            (std::vector<std::uint32_t>{1, 2}));
}

TEST_F(LutFileReading, LongLinesArriveInPiecesOf255Characters) {
  const std::string padding(260, ' ');
  // One line supplies one entry; past character 255 a second piece supplies the next.
  EXPECT_EQ(gray("nrOfElements=2;\n[gray]\n0,1; 1,2;\n").data, (std::vector<std::uint32_t>{1}));
  EXPECT_EQ(gray("nrOfElements=2;\n[gray]\n" + padding.substr(0, 251) + "0,1;1,2;\n").data,
            (std::vector<std::uint32_t>{1, 2}));
  // An entry at character 260 starts the second piece.
  EXPECT_EQ(gray("nrOfElements=2;\n[gray]\n" + padding + "0,1;\n1,2;\n").data,
            (std::vector<std::uint32_t>{1, 2}));
  // A key split across pieces is not found.
  EXPECT_TRUE(gray(std::string(253, '#') + "nrOfElements=2;\n[gray]\n0,1;\n").data.empty());
}

// Counts that the 32-bit field cannot hold are refused; any other count is taken, and reading
// allocates for the entries the file has, not for the count.
TEST_F(LutFileReading, CountsBeyondTheirFieldAreRefusedAndNoneIsAllocatedAhead) {
  for (const char* count : {"-1", "-2147483648", "4294967296", "99999999999999999999"}) {
    int result = 0;
    const LutChannel channel =
        gray(std::string("nrOfElements=") + count + ";\n[gray]\n0,1;\n", &result);
    EXPECT_EQ(result, kRefused) << count;
    EXPECT_TRUE(channel.data.empty()) << count;
    EXPECT_EQ(channel.nrOfElements, 0u) << count;
  }
  for (const std::uint32_t count : {1048577u, 4294967295u}) {
    const LutChannel large =
        gray("nrOfElements=" + std::to_string(count) + ";\n[gray]\n0,1;\n1,2;\n");
    EXPECT_EQ(large.nrOfElements, count);
    EXPECT_EQ(large.data, (std::vector<std::uint32_t>{1, 2}));
  }
}

TEST_F(LutFileReading, EmptyMissingAndDirectoryFiles) {
  EXPECT_TRUE(gray("").data.empty());
  LutChannel channel;
  channel.data = {1, 2, 3};
  LutFile file;
  EXPECT_EQ(file.readTableChannel(path("missing.lut"), channel, "[gray]"), -1);
  EXPECT_TRUE(channel.data.empty()) << "the previous entries are released first";
  EXPECT_EQ(file.readTableChannel(scratch_.directory().string(), channel, "[gray]"), -1);
  EXPECT_FALSE(file.openForReading(scratch_.directory().string(), true));
  // A directory counts as missing.
  EXPECT_FALSE(persistence::lutFileExists(scratch_.directory().string()));
  EXPECT_TRUE(persistence::lutFileExists(write("empty.lut", "")));
  EXPECT_FALSE(persistence::lutFileExists(path("missing.lut")));
}

#ifndef _WIN32  // devices as files are a POSIX notion
// Anything that opens is read: a device without content reads as an empty file, and one that
// never ends is read up to the longest read and taken as far as it went.
TEST_F(LutFileReading, DevicesAreReadLikeFiles) {
  LutChannel channel;
  LutFile file;
  ASSERT_TRUE(persistence::lutFileExists("/dev/null"));
  EXPECT_EQ(file.readTableChannel("/dev/null", channel, "[gray]"), 0);
  EXPECT_EQ(channel.nrOfElements, 0u);
  EXPECT_EQ(file.readTableChannel("/dev/zero", channel, "[gray]"), 0);
  EXPECT_TRUE(channel.data.empty());
}
#endif

TEST_F(LutFileReading, BinaryGarbageReadsAsNothingOrAsWhatItHappensToSay) {
  std::mt19937 random(1234);
  for (int round = 0; round < 50; ++round) {
    std::string garbage(1 + random() % 4000, '\0');
    for (char& byte : garbage) byte = static_cast<char>(random());
    if (round % 2 == 0)
      garbage = "nrOfElements=" + std::to_string(random() % 5000) + "\n[gray]" + garbage;
    int result = 0;
    const LutChannel channel = gray(garbage, &result);
    EXPECT_TRUE(result == 0 || result == kRefused) << round;
    EXPECT_LE(channel.data.size(), result == 0 ? channel.nrOfElements : 0u) << round;
  }
}

TEST_F(LutFileReading, ColourFilesGiveEveryChannelTheFirstKeys) {
  const std::string file = write("colour.lut",
                                 "[red]\nnrOfElements=2;\n0,1;\n1,2;\n[green]\nnrOfElements=1;\n"
                                 "0,3;\n1,4;\n[blue]\n0,5;\n");
  LutChannel red, green, blue;
  LutFile reader;
  ASSERT_EQ(reader.readColourTable(file, red, green, blue), 0);
  EXPECT_EQ(red.data, (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(green.data, (std::vector<std::uint32_t>{3, 4}));
  EXPECT_EQ(blue.data, (std::vector<std::uint32_t>{5}));
  EXPECT_EQ(reader.readColourTable(path("missing.lut"), red, green, blue), -1);
}

TEST_F(LutFileReading, KneeChannelsReadDoublesForTheCallersCount) {
  const std::string file =
      write("knee.lut", "# KneeLut data file v1.0\n\n[k]\n\n0,0.25;\n1,-1.5e2;\n");
  KneeLutChannel knee{{}, 3};
  LutFile reader;
  ASSERT_EQ(reader.readKneeChannel(file, knee, "[k]"), 0);
  EXPECT_EQ(knee.data, (std::vector<double>{0.25, -150.0}));
  knee.count = 1;
  ASSERT_EQ(reader.readKneeChannel(file, knee, "[k]"), 0);
  EXPECT_EQ(knee.data, (std::vector<double>{0.25}));
  KneeLutChannel red{{}, 1}, green{{}, 1}, blue{{}, 1};
  const std::string colour = write("knees.lut", "[red]\n0,1;\n[green]\n0,2;\n[blue]\n0,3;\n");
  ASSERT_EQ(reader.readKneeColourTable(colour, red, green, blue), 0);
  EXPECT_EQ(green.data, std::vector<double>{2.0});
  EXPECT_EQ(blue.data, std::vector<double>{3.0});
}

}  // namespace
}  // namespace brenvik::test
