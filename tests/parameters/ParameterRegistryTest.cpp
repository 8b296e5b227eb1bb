// Registration: the SDK table alone, the "DRA_" and "DTOLQA_" entries with dense ordinals,
// and the walk over the SDK runtime's parameter tree.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "parameters/ParameterRegistry.h"
#include "parameters/SdkParameterTable.h"
#include "parameters/SettingsStore.h"

namespace brenvik::parameters {
namespace {

using runtime::ParameterRecord;

// Runtime ids by name, registers by number, and an optional parameter tree.
class FakeSource final : public RegistrationSource {
 public:
  const ParameterRecord* runtimeParameterTree() override {
    ++treeRequests;
    return tree;
  }
  std::int32_t runtimeParameterId(const std::string& name) override {
    const auto entry = ids.find(name);
    return entry == ids.end() ? 0 : entry->second;
  }
  std::int32_t registerCount() override { return static_cast<std::int32_t>(registers.size()); }
  const char* registerName(std::int32_t number) override {
    return registers.at(static_cast<std::size_t>(number - 1)).first.c_str();
  }
  std::uint32_t registerId(const char* name) override {
    for (const auto& [registerName, id] : registers) {
      if (registerName == name) return id;
    }
    return 0;
  }

  std::map<std::string, std::int32_t> ids;
  std::vector<std::pair<std::string, std::uint32_t>> registers;
  const ParameterRecord* tree = nullptr;
  int treeRequests = 0;
};

// Records of a parameter tree, kept at stable addresses.
class Tree {
 public:
  ParameterRecord* category(std::vector<ParameterRecord*> children) {
    ParameterRecord* record = add(runtime::kKindCategory, "category");
    auto& list = lists_.emplace_back(std::move(children));
    record->data.category.childCount = static_cast<std::int32_t>(list.size());
    record->data.category.children = list.data();
    return record;
  }
  ParameterRecord* parameter(std::int32_t kind, const char* name) { return add(kind, name); }

 private:
  ParameterRecord* add(std::int32_t kind, const char* name) {
    ParameterRecord& record = records_.emplace_back();
    std::memset(&record, 0, sizeof record);
    record.kind = kind;
    record.name = const_cast<char*>(name);
    return &record;
  }
  std::deque<ParameterRecord> records_;
  std::deque<std::vector<ParameterRecord*>> lists_;
};

std::vector<std::string> ordinalsFrom(const ParameterRegistry& registry, std::int32_t first) {
  std::vector<std::string> names;
  for (std::int32_t ordinal = first; ordinal < registry.count(); ++ordinal) {
    names.push_back(*registry.nameAt(ordinal));
  }
  return names;
}

TEST(ParameterRegistry, WithoutDirectAccessHoldsExactlyTheTable) {
  FakeSource source;
  source.registers = {{"Ignored", 5}};
  SettingsStore settings(true, true);
  ParameterRegistry registry;
  registry.registerParameters(source, settings, {"Brenvik", false, false});

  ASSERT_EQ(registry.count(), static_cast<std::int32_t>(kSdkParameterCount));
  EXPECT_EQ(registry.parameterIds().size(), kSdkParameterCount);
  EXPECT_EQ(registry.parameterDescriptions().size(), kSdkParameterCount);
  EXPECT_TRUE(registry.dtolqaParameterIds().empty());
  EXPECT_EQ(source.treeRequests, 0);
  for (std::size_t i = 0; i < kSdkParameterCount; ++i) {
    const SdkParameter& row = kSdkParameters[i];
    ASSERT_EQ(*registry.nameAt(static_cast<std::int32_t>(i)), row.name);
    ASSERT_NE(registry.idOf(row.name), nullptr);
    EXPECT_EQ(*registry.idOf(row.name), row.id);
    EXPECT_EQ(*registry.descriptionOf(row.name), row.description);
  }
  EXPECT_EQ(registry.nameAt(static_cast<std::int32_t>(kSdkParameterCount)), nullptr);
  EXPECT_EQ(registry.nameAt(-1), nullptr);
  EXPECT_EQ(registry.dmaToProcess(), (std::map<std::int32_t, std::int32_t>{{0, 0}}));
  EXPECT_EQ(registry.processOf(1), nullptr);
  EXPECT_EQ(registry.processOf(0xFFFFFFFFu), nullptr);
}

TEST(ParameterRegistry, DirectEntriesFollowTheTableWithoutGaps) {
  FakeSource source;
  source.registers = {{"Status", 0x10}, {"Counter", 0x104}};
  source.ids = {{"Device1_Process0_A", 7}, {"Device1_Process1_B", 9}};
  SettingsStore settings(true, true);
  settings.set("Brenvik::Device1_Process1_B", "TRUE");
  settings.set("Brenvik::Device1_Process0_A", "On");
  settings.set("Brenvik::Device1_Process0_Off", "0");
  settings.set("Brenvik::Device1_Process0_Unknown", "yes");  // the runtime does not know it
  settings.set("Other::Device1_Process0_A2", "on");          // another section
  ParameterRegistry registry;
  registry.registerParameters(source, settings, {"Brenvik", true, false});

  EXPECT_EQ(ordinalsFrom(registry, kSdkParameterCount),
            (std::vector<std::string>{"DRA_Status", "DRA_Counter", "DTOLQA_Device1_Process0_A",
                                      "DTOLQA_Device1_Process1_B"}));
  EXPECT_EQ(*registry.idOf("DRA_Counter"), 1000000 + 0x104);
  EXPECT_EQ(registry.dtolqaParameterIds(), (NameToId{{"DTOLQA_Device1_Process0_A", 2000007},
                                                     {"DTOLQA_Device1_Process1_B", 2000009}}));
  // Direct parameter names are listed by ordinal but are not SDK ids.
  EXPECT_EQ(registry.idOf("DTOLQA_Device1_Process0_A"), nullptr);
  EXPECT_EQ(registry.descriptionOf("DRA_Status"), nullptr);
}

TEST(ParameterRegistry, TheEnvironmentSwitchesOnEveryParameterOfTheRuntimesTree) {
  Tree tree;
  ParameterRecord* older = tree.category({tree.parameter(12, "P_Unsigned64")});
  ParameterRecord* module =
      tree.category({tree.parameter(7, "P_Field"), tree.parameter(5, "P_Text"),
                     tree.parameter(2, "P_UnknownKind"), nullptr});
  ParameterRecord* newest = tree.category({tree.parameter(1, "P_Integer"), module});
  newest->olderRoot = older;
  older->olderRoot = newest;  // a tree that links back must still end

  FakeSource source;
  source.tree = newest;
  source.ids = {{"P_Unsigned64", 3}, {"P_Field", 4}, {"P_Text", 5}, {"P_Integer", 6}};
  SettingsStore settings(true, true);
  settings.set("Brenvik::P_Text", "on");  // also in the file: registered once
  ParameterRegistry registry;
  registry.registerParameters(source, settings, {"Brenvik", false, true});

  EXPECT_EQ(source.treeRequests, 1);
  EXPECT_EQ(settings.listSection("Brenvik"),
            (std::vector<std::string>{"P_Integer", "P_Text", "P_Unsigned64"}));
  EXPECT_EQ(settings.get("Brenvik::P_Integer"), "On");
  EXPECT_EQ(ordinalsFrom(registry, kSdkParameterCount),
            (std::vector<std::string>{"DTOLQA_P_Integer", "DTOLQA_P_Text", "DTOLQA_P_Unsigned64"}));
}

TEST(ParameterRegistry, AMissingTreeOrRegistersLeaveTheirEntriesOut) {
  FakeSource source;  // no tree, no registers
  SettingsStore settings(true, true);
  ParameterRegistry registry;
  registry.registerParameters(source, settings, {"Brenvik", true, true});
  EXPECT_EQ(source.treeRequests, 1);
  EXPECT_EQ(registry.count(), static_cast<std::int32_t>(kSdkParameterCount));
}

}  // namespace
}  // namespace brenvik::parameters
