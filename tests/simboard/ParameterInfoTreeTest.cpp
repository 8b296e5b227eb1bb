// The runtime's parameter-information tree: roots per process linked newest first, module
// categories with their children, one record per parameter with kind, id, access and limits.
#include <cstring>
#include <deque>
#include <limits>

#include "BoardTestSupport.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::simboard::test {
namespace {

using runtime::ParameterRecord;

class ParameterInfoTree : public RuntimeTest {
 protected:
  const ParameterRecord* root() const {
    return reinterpret_cast<const ParameterRecord*>(Fg_getParameterInfo(runtime_, 0));
  }
  static const ParameterRecord* child(const ParameterRecord* category, const char* name) {
    for (int i = 0; i < category->data.category.childCount; ++i) {
      const ParameterRecord* record = category->data.category.children[i];
      if (std::strcmp(record->displayName, name) == 0) return record;
    }
    return nullptr;
  }
};

TEST_F(ParameterInfoTree, LinksOneRootPerProcessNewestFirst) {
  const ParameterRecord* newest = root();
  ASSERT_NE(newest, nullptr);
  EXPECT_EQ(newest, root());  // built once
  std::vector<std::string> names;
  const ParameterRecord* previous = nullptr;
  for (const ParameterRecord* record = newest; record != nullptr; record = record->olderRoot) {
    EXPECT_EQ(record->kind, runtime::kKindCategory);
    EXPECT_EQ(record->newerRoot, previous);
    EXPECT_EQ(record->depth, 0);
    EXPECT_EQ(record->parentName, nullptr);
    names.push_back(record->displayName);
    previous = record;
  }
  // Names without a process part ("Plain") gather under "Other".
  EXPECT_EQ(names, (std::vector<std::string>{"Other", "Device1_Process1", "Device1_Process0"}));
  EXPECT_EQ(Fg_getParameterInfo(runtime_, 1), nullptr);
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), SIMBOARD_INVALID_PARAMETER);
}

TEST_F(ParameterInfoTree, GroupsParametersByModuleWithKindsIdsAndLimits) {
  const ParameterRecord* process0 = root()->olderRoot->olderRoot;
  ASSERT_EQ(process0->data.category.childCount, 4);
  for (int i = 0; i < 4; ++i) {
    const ParameterRecord* module = process0->data.category.children[i];
    EXPECT_EQ(module->index, i);
    EXPECT_EQ(module->depth, 1);
    EXPECT_STREQ(module->parentName, "Device1_Process0");
  }
  const ParameterRecord* block = child(process0, "Block");
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block->data.category.childCount, 2);
  EXPECT_EQ(block->data.category.nextIndex, 2);

  const ParameterRecord* count = child(block, "Count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->kind, runtime::kKindInteger);
  EXPECT_STREQ(count->name, "Device1_Process0_Block_Count");
  EXPECT_EQ(count->id, 1);
  EXPECT_EQ(count->access, runtime::kAccessReadWrite);
  EXPECT_EQ(count->visibility, 1);
  EXPECT_EQ(count->flag, 1);
  EXPECT_EQ(count->port, 0);
  EXPECT_EQ(count->data.integer.minimum, 1);
  EXPECT_EQ(count->data.integer.maximum, 100);
  EXPECT_EQ(count->data.integer.step, 1);
  const ParameterRecord* offset = child(block, "Offset");
  EXPECT_EQ(offset->kind, runtime::kKindInteger2);
  EXPECT_EQ(offset->data.integer.minimum, std::numeric_limits<std::int32_t>::min());

  const ParameterRecord* other = child(process0, "Other");
  const ParameterRecord* big = child(other, "Big");
  EXPECT_EQ(big->kind, runtime::kKindUint64);
  EXPECT_EQ(big->data.uint64.maximum, std::numeric_limits<std::uint64_t>::max());
  const ParameterRecord* signedOne = child(other, "Signed");
  EXPECT_EQ(signedOne->kind, runtime::kKindUint64b);
  EXPECT_EQ(static_cast<std::int64_t>(signedOne->data.uint64.minimum),
            std::numeric_limits<std::int64_t>::min());
  const ParameterRecord* gain = child(other, "Gain");
  EXPECT_EQ(gain->kind, runtime::kKindDouble);
  EXPECT_EQ(gain->data.real.minimum, -1.0);
  EXPECT_EQ(gain->data.real.maximum, 1.0);
  EXPECT_EQ(child(child(process0, "Text"), "Name")->kind, runtime::kKindString);
  const ParameterRecord* table = child(child(process0, "Table"), "Values");
  EXPECT_EQ(table->kind, runtime::kKindIntegerField);
  EXPECT_EQ(table->data.field.elementCount, 8);
  EXPECT_EQ(table->data.field.maximum, 1000);

  const ParameterRecord* level = child(child(root()->olderRoot, "Status"), "Level");
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->access, runtime::kAccessReadOnly);
  EXPECT_EQ(level->id, 8);
  // The u32 maximum without a design limit is the full range, as a 32-bit pattern.
  const ParameterRecord* plain = child(child(root(), "Other"), "Plain");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(static_cast<std::uint32_t>(plain->data.integer.maximum), 0xFFFFFFFFu);
}

TEST_F(ParameterInfoTree, AWalkOverAllRootsFindsEveryParameterOnce) {
  std::deque<const ParameterRecord*> queue;
  for (const ParameterRecord* record = root(); record != nullptr; record = record->olderRoot) {
    queue.push_back(record);
  }
  std::vector<int> ids;
  while (!queue.empty()) {
    const ParameterRecord* category = queue.front();
    queue.pop_front();
    for (int i = 0; i < category->data.category.childCount; ++i) {
      const ParameterRecord* record = category->data.category.children[i];
      if (record->kind == runtime::kKindCategory) {
        queue.push_back(record);
      } else {
        EXPECT_EQ(Fg_getParameterIdByName(runtime_, record->name), record->id);
        ids.push_back(record->id);
      }
    }
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

}  // namespace
}  // namespace brenvik::simboard::test
