// Building the event tables from descriptors: numbering, the 64-event limit, published
// kinds, and aliases that take over a mask's name.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "applet/EventTables.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik {
namespace {

// Descriptors by number; a number past the list has none.
class Descriptors {
 public:
  void add(std::string name, std::int32_t kind) {
    names_.push_back(std::move(name));
    events_.push_back({nullptr, kind, 0, nullptr});
    for (std::size_t i = 0; i < events_.size(); ++i) events_[i].name = names_[i].c_str();
  }
  EventTables::DescriptorSource source() const {
    return [this](std::uint32_t number) -> const MolvrtEventDescriptor* {
      return number < events_.size() ? &events_[number] : nullptr;
    };
  }

 private:
  std::deque<std::string> names_;
  std::deque<MolvrtEventDescriptor> events_;
};

TEST(EventTables, NumbersEventsAndLetAliasesNameTheirMasks) {
  const std::string frameEnd(kEventAliases[2].hardwareName);
  const std::string overflow(kEventAliases[0].hardwareName);
  Descriptors descriptors;
  descriptors.add("Internal", 0);
  descriptors.add("Published", 1);
  descriptors.add(overflow, 0);  // not published, but aliased
  descriptors.add(frameEnd, 1);
  descriptors.add(frameEnd, 1);  // a second event of the same name: the lowest number wins
  EventTables tables;
  tables.build(descriptors.source(), nullptr);

  EXPECT_EQ(tables.maskOf("Internal"), nullptr);
  EXPECT_EQ(tables.nameOf(1), nullptr);
  ASSERT_NE(tables.maskOf("Published"), nullptr);
  EXPECT_EQ(*tables.maskOf("Published"), 2u);
  EXPECT_STREQ(tables.nameOf(2), "Published");

  ASSERT_NE(tables.maskOf("FG_OVERFLOW_CAM0"), nullptr);
  EXPECT_EQ(*tables.maskOf("FG_OVERFLOW_CAM0"), 4u);
  EXPECT_EQ(tables.maskOf(overflow), nullptr);
  EXPECT_STREQ(tables.nameOf(4), "FG_OVERFLOW_CAM0");

  EXPECT_EQ(*tables.maskOf("FG_END_OF_FRAME_CAM_PORT_0"), 8u);
  EXPECT_EQ(*tables.maskOf(frameEnd), 16u) << "the hardware name keeps the last of its numbers";
  EXPECT_STREQ(tables.nameOf(8), "FG_END_OF_FRAME_CAM_PORT_0");
  EXPECT_STREQ(tables.nameOf(16), frameEnd.c_str());
  EXPECT_EQ(tables.maskOf("FG_TRIGGER_OUTPUT_CAM0"), nullptr);
}

TEST(EventTables, CountsNoFurtherThanTheFirstGapOrSixtyFourEvents) {
  Descriptors descriptors;
  for (int n = 0; n < 70; ++n) descriptors.add("Event" + std::to_string(n), 1);
  EventTables tables;
  tables.build(descriptors.source(), nullptr);
  ASSERT_NE(tables.maskOf("Event63"), nullptr);
  EXPECT_EQ(*tables.maskOf("Event63"), std::uint64_t{1} << 63);
  EXPECT_EQ(tables.maskOf("Event64"), nullptr);
  EXPECT_EQ(tables.size(), 64u);

  // A source whose descriptor 1 is missing has one event, whatever follows.
  const MolvrtEventDescriptor only{"Only", 1, 0, nullptr};
  const MolvrtEventDescriptor later{"Later", 1, 0, nullptr};
  EventTables gapped;
  gapped.build(
      [&](std::uint32_t number) -> const MolvrtEventDescriptor* {
        return number == 0 ? &only : number == 2 ? &later : nullptr;
      },
      nullptr);
  EXPECT_EQ(gapped.size(), 1u);
  EXPECT_EQ(gapped.maskOf("Later"), nullptr);
}

}  // namespace
}  // namespace brenvik
