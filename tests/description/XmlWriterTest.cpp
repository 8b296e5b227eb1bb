// The GenICam XML text: header and footer, each kind's nodes, number formats, escaping,
// the flat category model and which records are left out.
#include <algorithm>

#include "DescriptionTestSupport.h"
#include "description/DescriptionRows.h"
#include "description/ParameterInfoBuilderXML.h"

namespace brenvik::description::test {
namespace {

std::string render(const ParameterDescriptionTree& tree, std::uint32_t port = 0) {
  return ParameterInfoBuilderXML(tree, "Brenvik", port).build();
}

// The text of one parameter: from its first node up to and including the "\n\r" after it.
std::string block(const std::string& xml, const std::string& firstLine) {
  const auto start = xml.find(firstLine);
  if (start == std::string::npos) return "(missing: " + firstLine + ")";
  const auto end = xml.find("\n\r", start);
  return xml.substr(start, end + 2 - start);
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(XmlWriter, FramesTheDocumentWithHeaderPortAndClosingTag) {
  BuiltPort port;
  const std::string xml = render(port.tree);
  EXPECT_EQ(
      xml.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n\n<RegisterDescription\n"
                "ModelName=\"Brenvik\"\nVendorName=\"Orvane\"\nStandardNameSpace=\"None\"\n"
                "SchemaMajorVersion=\"1\"\nSchemaMinorVersion=\"0\"\nSchemaSubMinorVersion=\"1\"\n"
                "MajorVersion=\"1\"\nMinorVersion=\"0\"\nSubMinorVersion=\"0\"\n"
                "ProductGuid=\"0\"\nVersionGuid=\"0\"\n"
                "xmlns=\"http://www.genicam.org/GenApi/Version_1_0\"\n"
                "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
                "xsi:schemaLocation=\"http://www.genicam.org/GenApi/Version_1_0 "
                "GenApiSchema_Version_1_0.xsd\">\n<Enumeration Name='FG_DEBUGINENABLE'>\n",
                0),
      0u);
  const std::string footer =
      "</Category>\n<Port Name=\"DevicePort\"></Port>\n</RegisterDescription>\n";
  ASSERT_GE(xml.size(), footer.size());
  EXPECT_EQ(xml.substr(xml.size() - footer.size()), footer);
  // The applet's name is escaped like any other text.
  EXPECT_NE(ParameterInfoBuilderXML(port.tree, "A&B", 0).build().find("ModelName=\"A&amp;B\"\n"),
            std::string::npos);
}

TEST(XmlWriter, WritesEachKindAsItsRegisterAndFeatureNodes) {
  BuiltPort port;
  const std::string xml = render(port.tree);
  EXPECT_EQ(block(xml, "<IntReg Name=\"FG_WIDTH_Reg\">"),
            "<IntReg Name=\"FG_WIDTH_Reg\">\n<Address>100</Address>\n<Length>4</Length>\n"
            "<AccessMode>RW</AccessMode>\n<pPort>DevicePort</pPort>\n<Sign>Signed</Sign>\n"
            "<Endianess>LittleEndian</Endianess>\n</IntReg>\n<Integer Name='FG_WIDTH'>\n"
            "<Description>Width</Description>\n<pValue>FG_WIDTH_Reg</pValue>\n<Min>8</Min>\n"
            "<Max>16384</Max>\n<Inc>8</Inc>\n</Integer>\n\n\r");
  EXPECT_EQ(block(xml, "<Enumeration Name='FG_LUT_TYPE'>"),
            "<Enumeration Name='FG_LUT_TYPE'>\n<Description>Type</Description>\n"
            "<EnumEntry Name=\"LUT_TYPE_CUSTOM\">\n<Value>0</Value>\n</EnumEntry>\n"
            "<EnumEntry Name=\"LUT_TYPE_PROCESSING\">\n<Value>3</Value>\n</EnumEntry>\n"
            "<pValue>FG_LUT_TYPE_Reg</pValue>\n</Enumeration>\n"
            "<IntReg Name=\"FG_LUT_TYPE_Reg\">\n<Address>110017</Address>\n<Length>4</Length>\n"
            "<AccessMode>RW</AccessMode>\n<pPort>DevicePort</pPort>\n<Sign>Unsigned</Sign>\n"
            "<Endianess>LittleEndian</Endianess>\n</IntReg>\n\n\r");
  EXPECT_EQ(block(xml, "<FloatReg Name=\"FG_TRIGGER_FRAMESPERSECOND_Reg\">"),
            "<FloatReg Name=\"FG_TRIGGER_FRAMESPERSECOND_Reg\">\n<Address>90</Address>\n"
            "<Length>8</Length>\n<AccessMode>RW</AccessMode>\n<pPort>DevicePort</pPort>\n"
            "<Endianess>LittleEndian</Endianess>\n</FloatReg>\n"
            "<Float Name=\"FG_TRIGGER_FRAMESPERSECOND\">\n<Description>Frames/Sec</Description>\n"
            "<pValue>FG_TRIGGER_FRAMESPERSECOND_Reg</pValue>\n<Min>0.0291038304567</Min>\n"
            "<Max>12500000</Max>\n</Float>\n\n\r");
  EXPECT_EQ(block(xml, "<StringReg Name=\"FG_HAP_FILE\">"),
            "<StringReg Name=\"FG_HAP_FILE\">\n<Description>HAP file</Description>\n"
            "<Address>24108</Address>\n<Length>4096</Length>\n<AccessMode>RO</AccessMode>\n"
            "<pPort>DevicePort</pPort>\n</StringReg>\n\n\r");
}

TEST(XmlWriter, FormatsNumbersByKind) {
  BuiltPort port;
  const std::string xml = render(port.tree);
  // 32-bit patterns read as unsigned; doubles with 12 significant digits.
  EXPECT_NE(
      block(xml, "<Integer Name='FG_TRIGGERIN_DOWNSCALE_PHASE'>").find("<Max>4294967294</Max>"),
      std::string::npos);
  EXPECT_NE(block(xml, "<Integer Name='FG_DEBUGOUTPIXEL'>").find("<Max>4294967295</Max>"),
            std::string::npos);
  const std::string debounce = block(xml, "<FloatReg Name=\"FG_TRIGGERIN_DEBOUNCE_Reg\">");
  EXPECT_NE(debounce.find("<Min>0.048</Min>\n<Max>1.512</Max>"), std::string::npos);
  EXPECT_EQ(debounce.find("0.024"), std::string::npos);  // no step for doubles
  EXPECT_NE(
      block(xml, "<Float Name=\"FG_TRIGGERIN_STATS_FREQUENCY\">").find("<Max>125000000</Max>"),
      std::string::npos);
  EXPECT_NE(block(xml, "<Float Name=\"FG_PROCESSING_GAMMA\">").find("<Min>-1000</Min>"),
            std::string::npos);
  // A zero step writes no Inc.
  EXPECT_EQ(block(xml, "<IntReg Name=\"FG_APPLET_VERSION_Reg\">").find("<Inc>"), std::string::npos);
  // Enumeration values are signed.
  std::string text;
  appendReal(text, 1.25e8);
  text += ' ';
  appendReal(text, 1e-7);
  text += ' ';
  appendReal(text, 123456789012345.0);
  EXPECT_EQ(text, "125000000 1e-07 1.23456789012e+14");

  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "R");
  tree.createInteger2(root, {"S", "SIGNED", 7, 1, 1, "", 1, 0}, -1, 5, -2);
  tree.createInteger(root, {"U", "UNSIGNED", 7, 1, 1, "", 2, 0}, -1, 5, 1);
  ParameterRecord* choice = tree.createEnumeration(root, {"E", "CHOICE", 7, 1, 1, "", 3, 0}, 1);
  tree.setEnumerationEntry(choice, 0, "Minus", -7, "MINUS");
  tree.createInteger(root, {"Transfer", "FG_TRANSFER_LEN", 1, 1, 1, "", 4, 0}, 0, 9, 1);
  const std::string small = render(tree);
  EXPECT_NE(
      block(small, "<IntReg Name=\"SIGNED_Reg\">")
          .find("<Min>18446744073709551615</Min>\n<Max>5</Max>\n<Inc>18446744073709551614</Inc>"),
      std::string::npos);
  EXPECT_NE(block(small, "<IntReg Name=\"UNSIGNED_Reg\">").find("<Min>4294967295</Min>"),
            std::string::npos);
  EXPECT_NE(small.find("<Value>-7</Value>"), std::string::npos);
  // The transfer length is the one 64-bit integer register.
  EXPECT_NE(block(small, "<IntReg Name=\"FG_TRANSFER_LEN_Reg\">").find("<Length>8</Length>"),
            std::string::npos);
  EXPECT_NE(block(small, "<IntReg Name=\"UNSIGNED_Reg\">").find("<Length>4</Length>"),
            std::string::npos);
}

TEST(XmlWriter, LeavesOutFieldsWideIntegersHiddenRecordsAndRegisters) {
  SimulatedRuntime board(smallDesign());
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  buildSdkDescription(tree, nodes);
  buildRegisterDescription(tree, nodes, board.hap());
  nodes.at(0).at(100)->flag = 0;  // FG_WIDTH
  const std::string xml = render(tree);
  for (const char* absent : {"FG_LUT_VALUE", "FG_DEBUGWRITEPIXEL", "FG_SYSTEMMONITOR_FPGA_DNA",
                             "DRA_", "DirectRegisterAccess", "'FG_WIDTH'", "FG_WIDTH_Reg"}) {
    EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
  }
  // One "\n\r" per written parameter: every row but those of the kinds without a node, and
  // the hidden one.
  const auto rows = descriptionRows();
  const auto written = std::ranges::count_if(rows, [](const DescriptionRow& row) {
    return row.kind != runtime::kKindIntegerField && row.kind != runtime::kKindUint64;
  });
  EXPECT_EQ(count(xml, "\n\r"), static_cast<std::size_t>(written - 1));
}

TEST(XmlWriter, GroupsFeaturesInOneFlatLevelOfCategories) {
  BuiltPort port;
  const std::string xml = render(port.tree);
  const auto categories = xml.find("<Category Name='Root' NameSpace='Standard' >\n");
  ASSERT_NE(categories, std::string::npos);
  // The newest root's categories first: Miscellaneous walks Debug/Input, Debug/Output, Debug.
  const std::string first =
      "<Category Name='Root' NameSpace='Standard' >\n<pFeature>Input</pFeature>\n"
      "<pFeature>Output</pFeature>\n<pFeature>Debug</pFeature>\n"
      "<pFeature>Miscellaneous</pFeature>\n<pFeature>CameraSimulator</pFeature>\n";
  EXPECT_EQ(xml.substr(categories, first.size()), first);
  // Both "Statistics" categories share one, and nothing nests below anything but Root.
  EXPECT_EQ(count(xml, "<Category Name='Statistics'  >\n"), 1u);
  EXPECT_NE(xml.find("<pFeature>PulseFormGenerator0</pFeature>"), std::string::npos);
  EXPECT_EQ(xml.find("<pFeature>TriggerInput</pFeature>"), std::string::npos);
  const std::string statistics = xml.substr(xml.find("<Category Name='Statistics'  >"));
  EXPECT_EQ(statistics.find("<pFeature>FG_TRIGGERIN_STATS_SOURCE</pFeature>\n"
                            "<pFeature>FG_TRIGGERIN_STATS_POLARITY</pFeature>"),
            statistics.find("<pFeature>"));
  EXPECT_LT(statistics.find("FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR"),
            statistics.find("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS"));
  EXPECT_LT(statistics.find("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS"), statistics.find("</Category>"));
}

TEST(XmlWriter, EscapesTextsAndReducesCategoryNames) {
  std::string escaped;
  appendEscaped(escaped, "a\"b&c'd<e>f\xB5");
  EXPECT_EQ(escaped, "a&quot;b&amp;c&apos;d&lt;e&gt;f\xB5");
  EXPECT_EQ(categoryName("Camera Link"), "CameraLink");
  EXPECT_EQ(categoryName("Pulse Form Generator 0"), "PulseFormGenerator0");
  EXPECT_EQ(categoryName("FG_WIDTH"), "FG_WIDTH");
  EXPECT_EQ(categoryName("_1 Frames/Sec (x)"), "FramesSecx");
  EXPECT_EQ(categoryName("42"), "");

  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "Odd <Category> & 'Co'");
  tree.createString(root, {"Say \"hi\"", "A<B", 5, 1, 1, "", 0, 0}, "");
  tree.createDouble(root, {"", "NO_TEXT", 2, 1, 1, "", 9, 0}, 0, 1000, 0);
  const std::string xml = render(tree);
  EXPECT_EQ(block(xml, "<StringReg Name=\"A&lt;B\">"),
            "<StringReg Name=\"A&lt;B\">\n<Description>Say &quot;hi&quot;</Description>\n"
            "<Length>4096</Length>\n<AccessMode>RO</AccessMode>\n<pPort>DevicePort</pPort>\n"
            "</StringReg>\n\n\r");  // access 5: only the read bit counts; id 0: no Address
  const std::string noText = block(xml, "<FloatReg Name=\"NO_TEXT_Reg\">");
  EXPECT_EQ(noText.find("<Description>"), std::string::npos);
  EXPECT_NE(noText.find("<AccessMode>WO</AccessMode>"), std::string::npos);
  EXPECT_NE(noText.find("<Max>1000</Max>"), std::string::npos);
  EXPECT_NE(xml.find("<Category Name='OddCategoryCo'  >\n<pFeature>AB</pFeature>\n"
                     "<pFeature>NO_TEXT</pFeature>\n</Category>\n"),
            std::string::npos);
}

TEST(XmlWriter, ListsNamedEntriesByValueWithTheLaterNameWinningATie) {
  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "R");
  ParameterRecord* choice = tree.createEnumeration(root, {"E", "E", 0, 1, 1, "", 3, 0}, 5);
  tree.setEnumerationEntry(choice, 0, "Nine", 9, "NINE");
  tree.setEnumerationEntry(choice, 1, "First two", 2, "TWO_A");
  tree.setEnumerationEntry(choice, 2, "Unnamed", 1, nullptr);
  tree.setEnumerationEntry(choice, 3, "Second two", 2, "TWO_B");
  const std::string xml = render(tree);
  EXPECT_EQ(block(xml, "<Enumeration Name='E'>"),
            "<Enumeration Name='E'>\n<Description>E</Description>\n"
            "<EnumEntry Name=\"TWO_B\">\n<Value>2</Value>\n</EnumEntry>\n"
            "<EnumEntry Name=\"NINE\">\n<Value>9</Value>\n</EnumEntry>\n"
            "<pValue>E_Reg</pValue>\n</Enumeration>\n<IntReg Name=\"E_Reg\">\n"
            "<Address>3</Address>\n<Length>4</Length>\n<AccessMode></AccessMode>\n"
            "<pPort>DevicePort</pPort>\n<Sign>Unsigned</Sign>\n"
            "<Endianess>LittleEndian</Endianess>\n</IntReg>\n\n\r");
}

TEST(XmlWriter, RendersNothingForAPortWithoutDescription) {
  BuiltPort port;
  EXPECT_EQ(render(port.tree, 1), "");
  EXPECT_EQ(render(port.tree, 0xFFFFFFFFu), "");
  ParameterDescriptionTree empty(1);
  EXPECT_EQ(render(empty), "");
  // A port that holds only categories still makes a valid frame.
  empty.createCategory(0, nullptr, "Alone");
  const std::string frame = render(empty);
  EXPECT_NE(frame.find("<Category Name='Root' NameSpace='Standard' >\n</Category>\n<Port"),
            std::string::npos);
}

TEST(XmlWriter, WritesCopiedRuntimeParametersInTheirCopiedCategories) {
  SimulatedRuntime runtime(smallDesign());
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  buildPortDescription(
      {tree,
       nodes,
       true,
       runtime.hap(),
       runtime.tree(),
       {{"DTOLQA_Device1_Process0_Other_Gain", 2000000 + runtime.id("Device1_Process0_Other_Gain")},
        {"DTOLQA_Device1_Process0_Other_Big",
         2000000 + runtime.id("Device1_Process0_Other_Big")}}});
  const std::string xml = render(tree);
  EXPECT_NE(xml.find("<Float Name=\"DTOLQA_Device1_Process0_Other_Gain\">"), std::string::npos);
  EXPECT_EQ(xml.find("DTOLQA_Device1_Process0_Other_Big"), std::string::npos);  // 64-bit kind
  // The newest root is the copy, so its category opens the list.
  EXPECT_NE(xml.find("<Category Name='Root' NameSpace='Standard' >\n<pFeature>Other</pFeature>\n"),
            std::string::npos);
  EXPECT_NE(xml.find("<Category Name='Other'  >\n<pFeature>DTOLQA_Device1_Process0_Other_Gain"),
            std::string::npos);
}

}  // namespace
}  // namespace brenvik::description::test
