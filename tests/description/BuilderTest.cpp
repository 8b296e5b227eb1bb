// Building port 0: the SDK categories and rows, the direct registers of a hardware applet,
// and the direct hardware parameters copied from an SDK runtime's own tree.
#include <bit>
#include <set>

#include "DescriptionTestSupport.h"
#include "description/DescriptionRows.h"

namespace brenvik::description::test {
namespace {

TEST(SdkDescription, RootsAndTriggerCategoriesComeInTheirOrder) {
  BuiltPort port;
  EXPECT_EQ(rootNames(port.tree.root(0)),
            (std::vector<std::string>{"Miscellaneous", "Camera Simulator", "Output Format",
                                      "Processing", "Lookup Table", "Image Selector", "Overflow",
                                      "Trigger", "ROI", "Tap Geometry", "Camera Link"}));
  const ParameterRecord* trigger = nullptr;
  for (const ParameterRecord* root = port.tree.root(0); root; root = root->olderRoot) {
    if (std::string_view(root->displayName) == "Trigger") trigger = root;
  }
  ASSERT_NE(trigger, nullptr);
  EXPECT_EQ(
      childNames(trigger),
      (std::vector<std::string>{
          "Trigger Input", "Sequencer", "Queue", "Pulse Form Generator 0", "Pulse Form Generator 1",
          "Pulse Form Generator 2", "Pulse Form Generator 3", "CC Signal Mapping", "Digital Output",
          "Output Event", "Area Trigger Mode", "Trigger State", "Frames/Sec"}));
  EXPECT_EQ(childNames(child(trigger, "Trigger Input")),
            (std::vector<std::string>{"External", "Software Trigger", "Statistics"}));
  const ParameterRecord* output = child(trigger, "Digital Output");
  EXPECT_EQ(childNames(output).front(), "Statistics");
  EXPECT_EQ(child(output, "Statistics")->depth, 2);
  EXPECT_STREQ(child(output, "Statistics")->parentName, "Digital Output");
}

TEST(SdkDescription, EveryRowBecomesARecordEnteredUnderItsId) {
  BuiltPort port;
  const auto rows = descriptionRows();
  ASSERT_EQ(port.nodes.at(0).size(), rows.size());  // also: no id is used twice
  for (const DescriptionRow& row : rows) {
    const ParameterRecord* record = port.byId(row.id);
    EXPECT_EQ(record->kind, row.kind) << row.name;
    EXPECT_STREQ(record->name, row.name);
    EXPECT_STREQ(record->displayName, row.displayName);
    EXPECT_STREQ(record->unit, row.unit);
    EXPECT_EQ(record->access, row.access) << row.name;
    EXPECT_EQ(record->visibility, row.visibility) << row.name;
    EXPECT_EQ(record->flag, 1);
    EXPECT_EQ(record->port, 0);
    if (row.kind == runtime::kKindEnumeration) {
      const auto& entries = record->data.enumeration;
      ASSERT_EQ(entries.entryCount, static_cast<std::int32_t>(row.values.list->entries.size()));
      for (std::int32_t i = 0; i < entries.entryCount; ++i) {
        EXPECT_NE(entries.displayNames[i], nullptr) << row.name;
        EXPECT_NE(record->entryNames[i], nullptr) << row.name;
      }
    }
  }
}

TEST(SdkDescription, LimitsUnitsAndEntriesKeepTheirExactValues) {
  BuiltPort port;
  const auto& width = port.byId(100)->data.integer;  // FG_WIDTH
  EXPECT_EQ(width.minimum, 8);
  EXPECT_EQ(width.maximum, 16384);
  EXPECT_EQ(width.step, 8);
  EXPECT_EQ(port.byId(200220)->visibility, 2);  // FG_SENSORWIDTH
  // Limits above the signed range keep their 32-bit pattern.
  EXPECT_EQ(static_cast<std::uint32_t>(port.byId(300206)->data.integer.maximum), 4294967294u);
  EXPECT_EQ(static_cast<std::uint32_t>(port.byId(900009)->data.integer.maximum), 4294967295u);
  EXPECT_EQ(port.byId(300205)->data.integer.maximum, 2147483647);
  // The micro sign is one Latin-1 byte.
  EXPECT_EQ(std::string(port.byId(300204)->unit), "\xB5s");
  const auto& debounce = port.byId(300204)->data.real;
  EXPECT_EQ(debounce.minimum, 0.048);
  EXPECT_EQ(debounce.step, 0.024);
  const auto& rate = port.byId(90)->data.real;  // FG_TRIGGER_FRAMESPERSECOND
  EXPECT_EQ(std::bit_cast<std::uint64_t>(rate.minimum), 0x3F9DCD64FFFFFFFFull);
  EXPECT_LT(rate.minimum, 125000000.0 / 4294967296.0);
  EXPECT_EQ(rate.step, 0x1p-52);
  EXPECT_EQ(port.byId(900010)->data.uint64.maximum, 144115188075855871u);  // FG_DEBUGWRITEPIXEL
  const auto& lut = port.byId(300001)->data.field;                         // FG_LUT_VALUE
  EXPECT_EQ(lut.elementCount, 1024);
  EXPECT_EQ(lut.maximum, 1023);
  EXPECT_STREQ(port.byId(24108)->data.string.fileFilter, "*.hap");
  EXPECT_STREQ(port.byId(900000)->data.string.fileFilter, "");

  const ParameterRecord* lutType = port.byId(110017);
  ASSERT_EQ(lutType->data.enumeration.entryCount, 2);
  EXPECT_STREQ(lutType->data.enumeration.displayNames[0], "Processor");
  EXPECT_EQ(lutType->data.enumeration.values[0], 3);
  EXPECT_STREQ(lutType->entryNames[1], "LUT_TYPE_CUSTOM");
  const ParameterRecord* cc0 = port.byId(300250);
  ASSERT_EQ(cc0->data.enumeration.entryCount, 42);
  EXPECT_STREQ(cc0->entryNames[41], "NOT_PULSEGEN3");
  EXPECT_EQ(cc0->data.enumeration.values[41], 9);
  EXPECT_EQ(port.byId(200379)->data.enumeration.entryCount, 9);  // PoCL states
}

// Display names of entries pass through a fixed buffer on their way into the record.
TEST(SdkDescription, EntryDisplayNamesFitTheirBuffer) {
  for (const EnumerationList* list : enumerationLists()) {
    for (const EnumerationEntry& entry : list->entries) {
      EXPECT_LT(std::strlen(entry.displayName), kEntryDisplayNameBuffer) << list->label;
    }
  }
}

// --- Direct register access ---

TEST(RegisterDescription, DescribesEveryRegisterAtItsWidth) {
  SimulatedRuntime board(smallDesign());
  ASSERT_NE(board.hap(), nullptr);
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  buildSdkDescription(tree, nodes);
  buildRegisterDescription(tree, nodes, board.hap());
  const ParameterRecord* root = tree.root(0);
  ASSERT_STREQ(root->displayName, "Direct Register Access");
  EXPECT_EQ(childNames(root), (std::vector<std::string>{"Bit (1)", "Flag (1)", "Word (32)",
                                                        "Wide (40)", "Full (64)"}));
  const auto& port = nodes.at(0);
  EXPECT_EQ(port.size(), descriptionRows().size() + 5u);  // and the five registers

  const ParameterRecord* bit = port.at(1000032);
  EXPECT_EQ(bit->kind, runtime::kKindInteger);
  EXPECT_STREQ(bit->name, "DRA_Bit");
  EXPECT_EQ(bit->access, 7);
  EXPECT_EQ(bit->data.integer.maximum, 1);
  const ParameterRecord* flag = port.at(1000033);
  EXPECT_EQ(flag->access, 1);
  EXPECT_EQ(flag->data.integer.minimum, 0);
  EXPECT_EQ(flag->data.integer.maximum, 1);
  EXPECT_EQ(flag->data.integer.step, 1);
  EXPECT_EQ(static_cast<std::uint32_t>(port.at(1000048)->data.integer.maximum), 4294967295u);
  const ParameterRecord* wide = port.at(1000064);
  EXPECT_EQ(wide->kind, runtime::kKindUint64);
  EXPECT_EQ(wide->data.uint64.maximum, 1099511627775u);
  EXPECT_EQ(port.at(1000065)->data.uint64.maximum, ~std::uint64_t{0});
  EXPECT_STREQ(wide->unit, "");
}

TEST(RegisterDescription, WithoutAHardwareAppletTheCategoryStaysEmpty) {
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  buildRegisterDescription(tree, nodes, nullptr);
  ASSERT_NE(tree.root(0), nullptr);
  EXPECT_EQ(tree.root(0)->data.category.childCount, 0);
  EXPECT_TRUE(nodes[0].empty());
}

// --- Direct hardware parameters ---

// A runtime tree made by hand, in the shared layout: two roots, a nested category, and
// parameters of every kind. Categories carry their name in the name field too.
struct HandMadeRuntime {
  ParameterDescriptionTree tree{1};
  ParameterRecord* processA = nullptr;

  HandMadeRuntime() {
    ParameterRecord* processB = category(nullptr, "ProcessB");
    processA = category(nullptr, "ProcessA");
    ParameterRecord* camera = category(processA, "Camera");
    ParameterRecord* timing = category(camera, "Timing");
    const RecordHeader h{"Mode", "P_Camera_Mode", 7, 1, 1, "", 1, 0};
    ParameterRecord* mode = tree.createEnumeration(camera, h, 3);
    tree.setEnumerationEntry(mode, 0, "Fast", 2, "FAST");
    tree.setEnumerationEntry(mode, 2, "Slow", 1, nullptr);
    tree.createInteger2(timing, {"Delay", "P_Camera_Timing_Delay", 3, 2, 1, "ns", 2, 0}, -5, 5, 1);
    tree.createDouble(timing, {"Gain", "P_Camera_Timing_Gain", 7, 1, 1, "dB", 3, 0}, -1, 1, 0.5);
    tree.createIntegerField(camera, {"Table", "P_Camera_Table", 7, 1, 1, "", 4, 0}, 8, 0, 9, 1);
    tree.createUint64b(processB, {"Count", "P_B_Count", 1, 1, 0, "", 5, 0}, 0, 99, 1);
    tree.createString(processB, {"File", "P_B_File", 7, 1, 1, "", 6, 0}, "*.txt");
    tree.createInteger(processB, {"Level", "P_B_Level", 1, 1, 1, "V", 7, 0}, 0, 255, 1);
  }
  ParameterRecord* category(ParameterRecord* parent, const char* name) {
    return tree.createCategory(0, parent, name, name);
  }
};

TEST(DirectParameterDescription, CopiesRecordsWithTheirCategoryChains) {
  HandMadeRuntime runtimeTree;
  ParameterDescriptionTree tree(1);
  const DirectParameterIds entries{{"DTOLQA_P_B_Count", 2000005},
                                   {"DTOLQA_P_B_File", 2000006},
                                   {"DTOLQA_P_Camera_Mode", 2000001},
                                   {"DTOLQA_P_Camera_Table", 2000004},
                                   {"DTOLQA_P_Camera_Timing_Delay", 2000002},
                                   {"DTOLQA_P_Camera_Timing_Gain", 2000003},
                                   {"DTOLQA_Unknown", 2000099}};
  buildDirectParameterDescription(tree, runtimeTree.tree.root(0), entries);

  const ParameterRecord* root = tree.root(0);
  ASSERT_STREQ(root->displayName, "Direct Tolq Access");
  // Copies are made in the order of the entry names; a category is copied once.
  EXPECT_EQ(childNames(root), (std::vector<std::string>{"ProcessB", "ProcessA"}));
  const ParameterRecord* processB = child(root, "ProcessB");
  EXPECT_EQ(childNames(processB), (std::vector<std::string>{"Count", "File"}));
  EXPECT_STREQ(processB->name, "ProcessB");
  EXPECT_EQ(processB->depth, 1);
  const ParameterRecord* camera = child(child(root, "ProcessA"), "Camera");
  EXPECT_EQ(childNames(camera), (std::vector<std::string>{"Mode", "Timing"}));  // no field
  const ParameterRecord* timing = child(camera, "Timing");
  EXPECT_EQ(timing->depth, 3);
  EXPECT_STREQ(timing->parentName, "Camera");
  EXPECT_EQ(childNames(timing), (std::vector<std::string>{"Delay", "Gain"}));

  const ParameterRecord* delay = child(timing, "Delay");
  EXPECT_EQ(delay->kind, runtime::kKindInteger2);
  EXPECT_STREQ(delay->name, "DTOLQA_P_Camera_Timing_Delay");
  EXPECT_EQ(delay->id, 2000002);
  EXPECT_EQ(delay->access, 3);
  EXPECT_EQ(delay->visibility, 2);
  EXPECT_STREQ(delay->unit, "ns");
  EXPECT_EQ(delay->data.integer.minimum, -5);
  EXPECT_EQ(child(timing, "Gain")->data.real.step, 0.5);
  const ParameterRecord* count = child(processB, "Count");
  EXPECT_EQ(count->kind, runtime::kKindUint64b);
  EXPECT_EQ(count->flag, 0);
  EXPECT_EQ(count->data.uint64.maximum, 99u);
  EXPECT_STREQ(child(processB, "File")->data.string.fileFilter, "*.txt");

  const ParameterRecord* mode = child(camera, "Mode");
  ASSERT_EQ(mode->data.enumeration.entryCount, 3);
  EXPECT_STREQ(mode->data.enumeration.displayNames[0], "Fast");
  EXPECT_STREQ(mode->entryNames[0], "FAST");
  EXPECT_EQ(mode->data.enumeration.displayNames[1], nullptr);  // empty stays empty
  EXPECT_EQ(mode->data.enumeration.values[2], 1);
  EXPECT_EQ(mode->entryNames[2], nullptr);
}

TEST(DirectParameterDescription, NeedsEntriesAndTheRuntimesTree) {
  HandMadeRuntime runtimeTree;
  ParameterDescriptionTree none(1);
  buildDirectParameterDescription(none, runtimeTree.tree.root(0), {});
  EXPECT_EQ(none.root(0), nullptr);

  ParameterDescriptionTree missing(1);
  buildDirectParameterDescription(missing, nullptr, {{"DTOLQA_P_B_Level", 2000007}});
  ASSERT_NE(missing.root(0), nullptr);
  EXPECT_EQ(missing.root(0)->data.category.childCount, 0);
}

// A runtime tree that links a category into itself is walked once, not forever.
TEST(DirectParameterDescription, SurvivesACyclicRuntimeTree) {
  ParameterRecord loop{};
  ParameterRecord value{};
  ParameterRecord* children[] = {&loop, &value};
  loop.kind = runtime::kKindCategory;
  loop.displayName = const_cast<char*>("Loop");
  loop.data.category.childCount = 2;
  loop.data.category.children = children;
  loop.olderRoot = &loop;
  value.kind = runtime::kKindInteger;
  value.id = 3;
  value.name = const_cast<char*>("V");
  value.displayName = const_cast<char*>("Value");
  ParameterDescriptionTree tree(1);
  buildDirectParameterDescription(tree, &loop, {{"DTOLQA_V", 2000003}});
  const ParameterRecord* copy = child(child(tree.root(0), "Loop"), "Value");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->name, "DTOLQA_V");
}

TEST(DirectParameterDescription, CopiesFromTheSimulatedRuntimesTree) {
  SimulatedRuntime runtime(smallDesign());
  ASSERT_NE(runtime.tree(), nullptr);
  const std::int32_t countId = runtime.id("Device1_Process0_Block_Count");
  const std::int32_t levelId = runtime.id("Device1_Process1_Status_Level");
  ASSERT_GT(countId, 0);
  ParameterDescriptionTree tree(1);
  buildDirectParameterDescription(tree, runtime.tree(),
                                  {{"DTOLQA_Device1_Process0_Block_Count", 2000000 + countId},
                                   {"DTOLQA_Device1_Process1_Status_Level", 2000000 + levelId}});
  const ParameterRecord* block = child(child(tree.root(0), "Device1_Process0"), "Block");
  const ParameterRecord* count = child(block, "Count");
  ASSERT_NE(count, nullptr);
  EXPECT_STREQ(count->name, "DTOLQA_Device1_Process0_Block_Count");
  EXPECT_EQ(count->data.integer.maximum, 100);
  EXPECT_EQ(count->id, 2000000 + countId);
  const ParameterRecord* level =
      child(child(child(tree.root(0), "Device1_Process1"), "Status"), "Level");
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->access, runtime::kAccessReadOnly);
}

TEST(PortDescription, AddsDirectAccessRootsAfterTheSdkRoots) {
  SimulatedRuntime runtime(smallDesign());
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  const DirectParameterIds entries{
      {"DTOLQA_Device1_Process0_Other_Gain", 2000000 + runtime.id("Device1_Process0_Other_Gain")}};
  buildPortDescription({tree, nodes, true, runtime.hap(), runtime.tree(), entries});
  const auto roots = rootNames(tree.root(0));
  ASSERT_EQ(roots.size(), 13u);
  EXPECT_EQ(roots[0], "Direct Tolq Access");
  EXPECT_EQ(roots[1], "Direct Register Access");
  EXPECT_EQ(roots[2], "Miscellaneous");
  // Copies of runtime parameters are not entered by id; registers are.
  EXPECT_EQ(nodes.at(0).size(), 147u + 5u);

  ParameterDescriptionTree plain(1);
  DescriptionNodes plainNodes;
  buildPortDescription({plain, plainNodes, false, runtime.hap(), nullptr, {}});
  EXPECT_EQ(rootNames(plain.root(0)).size(), 11u);
}

}  // namespace
}  // namespace brenvik::description::test
