// Lookup-table files as written: every form byte for byte, and the refusals.
#include "ScratchFiles.h"
#include "persistence/LutFile.h"
#include "tests/support/TextMode.h"

namespace brenvik::test {
namespace {

using persistence::KneeLutChannel;
using persistence::LutChannel;
using persistence::LutFile;

LutChannel channel(std::vector<std::uint32_t> data, std::int32_t id = 3) {
  LutChannel made;
  made.nrOfElements = static_cast<std::uint32_t>(data.size());
  made.data = std::move(data);
  made.id = id;
  return made;
}

using LutFileWriting = ScratchFiles;

TEST_F(LutFileWriting, TheGrayTableIsTitleSectionKeysAndEntries) {
  LutChannel table = channel({5, 0x80000000u, 1023});
  table.format = 7;
  table.number = 258;  // written as 8 bits
  LutFile file;
  ASSERT_EQ(file.writeGrayTable(path("gray.lut"), table), 0);
  file.close();
  EXPECT_EQ(
      read(path("gray.lut")),
      inTextMode(
          "# Lut data file v1.1\n\n\n\n[gray]\n\nid=3;\nnrOfElements=3;\nformat=7;\nnumber=2;\n"
          "0,5;\n1,-2147483648;\n2,1023;\n"));
}

TEST_F(LutFileWriting, ColourKneeAndPlainForms) {
  LutFile file;
  ASSERT_EQ(file.writeColourTable(path("colour.lut"), channel({1}, 1), channel({2, 3}, 2),
                                  channel({}, 3)),
            0);
  file.close();
  EXPECT_EQ(read(path("colour.lut")),
            inTextMode("# Lut data file v1.1\n\n"
                       "[red]\n\nid=1;\nnrOfElements=1;\nformat=0;\nnumber=0;\n0,1;\n\n\n"
                       "[green]\n\nid=2;\nnrOfElements=2;\nformat=0;\nnumber=0;\n0,2;\n1,3;\n\n\n"
                       "[blue]\n\nid=3;\nnrOfElements=0;\nformat=0;\nnumber=0;\n"));

  const KneeLutChannel knee{{0.5, -1.0 / 3}, 2};
  ASSERT_EQ(file.writeKneeTable(path("knee.lut"), knee, "[knee]"), 0);
  file.close();
  EXPECT_EQ(
      read(path("knee.lut")),
      inTextMode("# KneeLut data file v1.0\n\n[knee]\n\n0,0.500000000000;\n1,-0.333333333333;\n"));

  const KneeLutChannel one{{2.0}, 1};
  ASSERT_EQ(file.writeKneeColourTable(path("knees.lut"), one, one, one), 0);
  file.close();
  EXPECT_EQ(read(path("knees.lut")),
            inTextMode("# KneeLut data file v1.1\n\n[red]\n\n0,2.000000000000;\n\n\n"
                       "[green]\n\n0,2.000000000000;\n\n\n[blue]\n\n0,2.000000000000;\n"));

  ASSERT_EQ(file.writePlainList(path("plain.txt"), "table\n", channel({9, 8})), 0);
  file.close();
  EXPECT_EQ(read(path("plain.txt")), inTextMode("table\nnrOfElements=2;\n0,9;\n1,8;\n"));
}

TEST_F(LutFileWriting, AFileThatDoesNotOpenOrAShortChannelIsRefused) {
  LutFile file;
  EXPECT_EQ(file.writeGrayTable(path("missing/gray.lut"), channel({1})), -1);
  EXPECT_EQ(file.writeGrayTable(scratch_.directory().string(), channel({1})), -1);
  LutChannel shortChannel = channel({1, 2});
  shortChannel.nrOfElements = 3;  // more entries than it holds: never read past them
  EXPECT_EQ(file.writeGrayTable(path("short.lut"), shortChannel), -1);
  EXPECT_FALSE(std::filesystem::exists(path("short.lut")));
  EXPECT_EQ(file.writeKneeTable(path("knee.lut"), KneeLutChannel{{1.0}, 2}, "[k]"), -1);
}

}  // namespace
}  // namespace brenvik::test
