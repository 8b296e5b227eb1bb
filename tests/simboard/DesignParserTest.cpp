// Reading design texts: a good design opens, each kind of mistake is refused with its line
// and reason, and changed copies of the shipped design open through the file path.
#include <cctype>
#include <sstream>

#include "BoardTestSupport.h"

namespace brenvik::simboard::test {
namespace {

struct BadDesign {
  const char* what;
  std::string text;
  const char* error;  // expected start of the message, line number included
};

// Printed by its name: GoogleTest's fallback prints the object's bytes, the unused ones of
// the text's inline buffer included.
void PrintTo(const BadDesign& bad, std::ostream* out) { *out << bad.what; }

std::string header() { return "VHAP 1\napplet \"T\"\napplet-id 1\n"; }

// `count` lines of "<start><i><rest>", i counting from 0.
std::string manyLines(const std::string& start, const std::string& rest, int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += start + std::to_string(i) + rest + "\n";
  return lines;
}

class DesignErrors : public ::testing::TestWithParam<BadDesign> {};

TEST_P(DesignErrors, AreRefusedWithLineAndReason) {
  const BadDesign& bad = GetParam();
  const int openBefore = simboard_open_designs();
  EXPECT_EQ(Molvrt_OpenImage(bad.text.data(), bad.text.size(), 1), nullptr);
  EXPECT_EQ(lastDesignError().rfind(bad.error, 0), 0u) << lastDesignError();
  EXPECT_EQ(simboard_open_designs(), openBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Parser, DesignErrors,
    ::testing::Values(
        BadDesign{"blank", " \n", "line 1: not a design file"},
        BadDesign{"other magic", "HAP 1\n", "line 1: not a design file"},
        BadDesign{"newer format", "VHAP 2\n", "line 1: unsupported design format version"},
        BadDesign{"unknown keyword", header() + "paramter X u32 rw 0\n", "line 4: unknown keyword"},
        BadDesign{"open quote", header() + "version \"1.0\n", "line 4: unterminated quoted text"},
        BadDesign{"bad escape", header() + "version \"a\\qb\"\n", "line 4: unknown escape"},
        BadDesign{"value type", header() + "parameter X u16 rw 0\n", "line 4: unknown value type"},
        BadDesign{"access", header() + "parameter X u32 rx 0\n", "line 4: access must be rw or ro"},
        BadDesign{"name", header() + "parameter X-1 u32 rw 0\n", "line 4: invalid character"},
        BadDesign{"too large", header() + "parameter X u32 rw 4294967296\n",
                  "line 4: invalid or out-of-range initial value"},
        BadDesign{"below minimum", header() + "parameter X i32 rw -5 min -4\n",
                  "line 4: invalid or out-of-range initial value"},
        BadDesign{"limits crossed", header() + "parameter X f64 rw 0 max -1 min 0\n",
                  "line 4: invalid or out-of-range minimum"},
        BadDesign{"unquoted string", header() + "parameter X str rw abc\n",
                  "line 4: a string's initial value must be a quoted text"},
        BadDesign{"field values", header() + "parameter X u32[3] rw 1,2\n",
                  "line 4: field of 3 elements has 2 initial values"},
        BadDesign{"field size", header() + "parameter X u32[0] rw 0\n", "line 4: field size"},
        BadDesign{"twice", header() + "parameter X u32 rw 0\n\nparameter X u32 rw 1\n",
                  "line 6: parameter 'X' given twice"},
        BadDesign{"runtime's name", header() + "parameter FG_TRANSFER_LEN str ro \"x\"\n",
                  "line 4: parameter 'FG_TRANSFER_LEN' has the name of one of the runtime's own"},
        BadDesign{"register width", header() + "register R 1 65 rw\n",
                  "line 4: register width must be 1 to 64 bits"},
        BadDesign{"register id", header() + "register R 0 8 rw\n", "line 4: register id"},
        BadDesign{"register id twice", header() + "register R 9 8 rw\nregister S 9 8 ro\n",
                  "line 5: register id 9 given twice"},
        BadDesign{"register initial", header() + "register R 9 4 rw 16\n",
                  "line 4: register initial value does not fit its width"},
        BadDesign{"65 events", header() + manyLines("event E", " 1", 65),
                  "line 68: more than 64 events"},
        BadDesign{"ids reach 600", header() + manyLines("parameter P", " u32 rw 0", 600),
                  "line 603: too many parameters"},
        BadDesign{"transfer", header() + "parameter W u32 rw 1\ntransfer W H\n",
                  "line 5: transfer names unknown parameter 'H'"},
        BadDesign{"no applet", "VHAP 1\napplet-id 1\n# end\n",
                  "line 3: the design has no 'applet' name"},
        BadDesign{"zero byte", header() + std::string("version \"a\0b\"\n", 14),
                  "line 4: unexpected zero byte"}),
    [](const ::testing::TestParamInfo<BadDesign>& param) {
      std::string name = param.param.what;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(DesignParser, AcceptsTheLargestDesignAndEveryValueForm) {
  // 599 parameters are the most (ids 1 … 599); the last one holds the lowest int64.
  std::string text = header() + manyLines("parameter P", " u32 rw 0x10", 598) +
                     "parameter Edge i64 ro -9223372036854775808  # comment after a value\n";
  void* hap = Molvrt_OpenImage(text.data(), text.size(), 1);
  ASSERT_NE(hap, nullptr) << lastDesignError();
  EXPECT_EQ(lastDesignError(), "");
  void* runtime = Fg_InitHandle("x", freshBoard(), hap);
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(Fg_getParameterIdByName(runtime, "P597"), 598);
  EXPECT_EQ(Fg_getParameterIdByName(runtime, "Edge"), 599);
  std::uint32_t value = 0;
  EXPECT_EQ(Fg_getParameterWithType(runtime, 1, &value, 0, 2), 0);
  EXPECT_EQ(value, 16u);
  EXPECT_EQ(Fg_FreeGrabber(runtime), 0);
  Molvrt_Close(hap);
}

TEST(DesignParser, OpensFilesOnlyWithTheFileConstantAndReportsMissingFiles) {
  TemporaryDirectory directory;
  std::string path = directory.write("Small.hap", smallDesign());
  EXPECT_EQ(Molvrt_OpenFile(path.c_str(), kMolvrtOpenFileConstant + 1, 1), nullptr);
  EXPECT_EQ(Molvrt_OpenFile(path.c_str(), kMolvrtOpenFileConstant, 2), nullptr);
  EXPECT_EQ(Molvrt_OpenImage(smallDesign().data(), smallDesign().size(), 0), nullptr);
  EXPECT_EQ(Molvrt_OpenFile(directory.path("missing.hap").c_str(), kMolvrtOpenFileConstant, 1),
            nullptr);
  EXPECT_NE(lastDesignError().find("cannot open"), std::string::npos);
  EXPECT_EQ(Molvrt_OpenFile(nullptr, kMolvrtOpenFileConstant, 1), nullptr);
  EXPECT_EQ(Molvrt_OpenImage(nullptr, 10, 1), nullptr);

  const int openBefore = simboard_open_designs();
  void* hap = Molvrt_OpenFile(path.c_str(), kMolvrtOpenFileConstant, 1);
  ASSERT_NE(hap, nullptr);
  EXPECT_EQ(simboard_open_designs(), openBefore + 1);
  Molvrt_Close(hap);
  Molvrt_Close(hap);      // a second close of the same handle does nothing
  Molvrt_Close(nullptr);  // nor does closing null
  EXPECT_EQ(simboard_open_designs(), openBefore);
}

// Failure tests of the applet run on copies of the shipped design with a parameter left
// out or the events reordered; both must open from a file.
TEST(DesignParser, ChangedCopiesOfTheShippedDesignOpenFromFiles) {
  const std::string removed = "Device1_Process0_Camera_PixelClockY";
  std::string text = realDesign();
  std::string withoutOne = text;
  const std::size_t at = withoutOne.find("parameter " + removed + " ");
  ASSERT_NE(at, std::string::npos);
  withoutOne.erase(at, withoutOne.find('\n', at) + 1 - at);
  // The event lines in reverse order, at the end of the file.
  std::string reordered;
  std::string events;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("event ", 0) == 0) {
      events = line + "\n" + events;
    } else {
      reordered += line + "\n";
    }
  }
  reordered += events;

  TemporaryDirectory directory;
  void* first = Molvrt_OpenFile(directory.write("missing.hap", withoutOne).c_str(),
                                kMolvrtOpenFileConstant, 1);
  void* second = Molvrt_OpenFile(directory.write("reordered.hap", reordered).c_str(),
                                 kMolvrtOpenFileConstant, 1);
  void* shipped = Molvrt_OpenImage(text.data(), text.size(), 1);
  ASSERT_NE(first, nullptr) << lastDesignError();
  ASSERT_NE(second, nullptr) << lastDesignError();
  ASSERT_NE(shipped, nullptr) << lastDesignError();

  void* runtime = Fg_InitHandle("x", freshBoard(), first);
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(Fg_getParameterIdByName(runtime, removed.c_str()), 0);
  EXPECT_GT(Fg_getParameterIdByName(runtime, "Device1_Process0_Camera_PixelClockZ"), 0);
  EXPECT_EQ(Fg_FreeGrabber(runtime), 0);

  std::uint32_t count = 0;
  while (Molvrt_EventDescriptor(shipped, count) != nullptr) ++count;
  ASSERT_GT(count, 2u);
  for (std::uint32_t n = 0; n < count; ++n) {
    EXPECT_STREQ(Molvrt_EventDescriptor(second, n)->name,
                 Molvrt_EventDescriptor(shipped, count - 1 - n)->name);
  }
  Molvrt_Close(first);
  Molvrt_Close(second);
  Molvrt_Close(shipped);
}

}  // namespace
}  // namespace brenvik::simboard::test
