// Changing description records by parameter id, as the set path does: access switches and
// limits by record type, refusals for unknown ids and other kinds, and the effect on the XML.
#include <memory>

#include "DescriptionTestSupport.h"
#include "applet/FgTolqWrapperImpl.h"
#include "description/DescriptionRows.h"
#include "runtime/RecordLimits.h"

namespace brenvik::description::test {
namespace {

class DescriptionUpdates : public ::testing::Test {
 protected:
  void SetUp() override { applet_.buildParameterDescription(); }
  // The applet's destructor may throw, so the fixture holds it on the heap.
  std::unique_ptr<FgTolqWrapperImpl> owner_ = std::make_unique<FgTolqWrapperImpl>(1);
  FgTolqWrapperImpl& applet_ = *owner_;
  runtime::ParameterRecord* record(std::int32_t id) { return applet_.descriptionRecord(id); }
  std::string xml() {
    std::uint64_t size = 0;
    if (applet_.getParameterInfoXML(nullptr, 0, nullptr, &size) != 0) return {};
    std::string text(size, '\0');
    applet_.getParameterInfoXML(nullptr, 0, text.data(), &size);
    text.resize(size - 1);
    return text;
  }
};

TEST_F(DescriptionUpdates, ChangeAccessAndLimitsOfTheRecordBehindAnId) {
  ASSERT_EQ(applet_.descriptionNodes().at(0).size(), description::descriptionRows().size());
  EXPECT_TRUE(runtime::setAccess(record(300201), runtime::kAccessReadOnly));  // FG_TRIGGERSTATE
  EXPECT_EQ(record(300201)->access, 1);

  EXPECT_TRUE(runtime::setMaximum(record(100), std::int32_t{4096}));  // FG_WIDTH
  EXPECT_TRUE(runtime::setMinimum(record(100), std::int32_t{16}));
  EXPECT_EQ(record(100)->data.integer.maximum, 4096);
  EXPECT_EQ(record(100)->data.integer.step, 8);

  EXPECT_TRUE(runtime::setMaximum(record(300218), 1000.5));  // a pulse delay
  EXPECT_TRUE(runtime::setMinimum(record(300218), 0.25));
  EXPECT_EQ(record(300218)->data.real.maximum, 1000.5);

  EXPECT_TRUE(runtime::setMaximum(record(900010), std::uint64_t{1} << 40));  // 64-bit pixel
  EXPECT_TRUE(runtime::setMinimum(record(900010), std::uint64_t{2}));
  EXPECT_EQ(record(900010)->data.uint64.maximum, std::uint64_t{1} << 40);

  // An integer field keeps its minimum twice.
  EXPECT_TRUE(runtime::setMinimum(record(300001), std::int32_t{5}));
  EXPECT_EQ(record(300001)->data.field.minimumAgain, 5);
  EXPECT_EQ(record(300001)->data.field.elementCount, 1024);

  const std::string text = xml();
  EXPECT_NE(text.find("<Integer Name='FG_WIDTH'>\n<Description>Width</Description>\n"
                      "<pValue>FG_WIDTH_Reg</pValue>\n<Min>16</Min>\n<Max>4096</Max>"),
            std::string::npos);
  EXPECT_NE(text.find("<IntReg Name=\"FG_TRIGGERSTATE_Reg\">\n<Address>300201</Address>\n"
                      "<Length>4</Length>\n<AccessMode>RO</AccessMode>"),
            std::string::npos);
}

TEST_F(DescriptionUpdates, RefuseUnknownIdsAndRecordsOfAnotherType) {
  EXPECT_FALSE(runtime::setAccess(record(12345), 7));
  EXPECT_FALSE(runtime::setMaximum(record(12345), std::int32_t{1}));
  EXPECT_FALSE(runtime::setMinimum(record(12345), 1.0));
  EXPECT_FALSE(runtime::setMaximum(record(12345), std::uint64_t{1}));
  EXPECT_EQ(record(12345), nullptr);

  // The value's type must match the record's layout, or another field would be overwritten.
  EXPECT_FALSE(runtime::setMaximum(record(100), 3.5));  // integer record
  EXPECT_FALSE(runtime::setMaximum(record(100), std::uint64_t{5}));
  EXPECT_FALSE(runtime::setMinimum(record(300218), std::int32_t{1}));  // double record
  EXPECT_FALSE(runtime::setMaximum(record(110017), std::int32_t{9}));  // enumeration
  EXPECT_FALSE(runtime::setMaximum(record(900010), std::int32_t{9}));  // unsigned 64-bit
  EXPECT_EQ(record(100)->data.integer.maximum, 16384);
  EXPECT_EQ(record(110017)->data.enumeration.entryCount, 2);
}

TEST(DescriptionUpdatesBeforeBuilding, FindNoRecords) {
  FgTolqWrapperImpl applet(1);
  EXPECT_FALSE(runtime::setAccess(applet.descriptionRecord(100), 7));
  std::uint64_t size = 0;
  EXPECT_EQ(applet.getParameterInfoXML(nullptr, 0, nullptr, &size), -2075);
  EXPECT_EQ(applet.getLastError(), -2075);
}

}  // namespace
}  // namespace brenvik::description::test
