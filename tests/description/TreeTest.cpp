// The description tree: roots newest first, children with running indices, every kind's
// values at its byte offsets, owned texts, and refusals for bad ports and parents.
#include <limits>

#include "DescriptionTestSupport.h"

namespace brenvik::description::test {
namespace {

RecordHeader header(const char* name, std::int32_t id, std::int32_t port = 0) {
  return RecordHeader{name, name, runtime::kAccessReadWrite, 2, 1, "unit", id, port};
}

TEST(DescriptionTree, LinksRootsNewestFirstAndChildrenByRunningIndex) {
  ParameterDescriptionTree tree(2);
  EXPECT_EQ(tree.root(0), nullptr);
  ParameterRecord* first = tree.createCategory(0, nullptr, "First");
  ParameterRecord* second = tree.createCategory(0, nullptr, "Second");
  ParameterRecord* other = tree.createCategory(1, nullptr, "Other port");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(tree.root(0), second);
  EXPECT_EQ(tree.root(1), other);
  EXPECT_EQ(rootNames(tree.root(0)), (std::vector<std::string>{"Second", "First"}));
  EXPECT_EQ(second->newerRoot, nullptr);
  EXPECT_EQ(first->newerRoot, second);
  EXPECT_EQ(first->olderRoot, nullptr);
  EXPECT_EQ(other->olderRoot, nullptr);  // ports do not share roots

  ParameterRecord* sub = tree.createCategory(0, first, "Sub");
  ParameterRecord* value = tree.createInteger(first, header("X", 10), 0, 5, 1);
  ParameterRecord* deeper = tree.createCategory(0, sub, "Deeper");
  ASSERT_NE(deeper, nullptr);
  EXPECT_EQ(childNames(first), (std::vector<std::string>{"Sub", "X"}));
  EXPECT_EQ(sub->index, 0);
  EXPECT_EQ(value->index, 1);
  EXPECT_EQ(first->data.category.childCount, 2);
  EXPECT_EQ(first->data.category.nextIndex, 2);
  EXPECT_EQ(sub->depth, 1);
  EXPECT_EQ(deeper->depth, 2);
  EXPECT_STREQ(deeper->parentName, "Sub");
  EXPECT_EQ(first->parentName, nullptr);
  EXPECT_EQ(first->name, nullptr);  // a category of our own has no name field
  EXPECT_EQ(tree.recordCount(0), 5u);
}

TEST(DescriptionTree, CopiesTextsSoCallersMayReuseTheirBuffers) {
  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "Root", "source name");
  char display[] = "Shown";
  char unit[] = "ms";
  ParameterRecord* record =
      tree.createDouble(root, RecordHeader{display, "FG_X", 1, 1, 1, unit, 5, 0}, 0, 1, 0.5);
  display[0] = unit[0] = '?';
  EXPECT_STREQ(record->displayName, "Shown");
  EXPECT_STREQ(record->unit, "ms");
  EXPECT_STREQ(root->name, "source name");
  EXPECT_NE(record->displayName, display);
  // A missing unit stays missing; an empty one is an empty text.
  ParameterRecord* noUnit =
      tree.createString(root, RecordHeader{"S", "FG_S", 1, 1, 1, nullptr, 6, 0}, nullptr);
  EXPECT_EQ(noUnit->unit, nullptr);
  EXPECT_EQ(noUnit->data.string.fileFilter, nullptr);
}

// Offsets as another module reads them: if a create operation filled the wrong member, a
// value would show up at the wrong place.
TEST(DescriptionTree, EveryKindKeepsItsValuesAtTheirOffsets) {
  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "Root");

  const ParameterRecord* integer = tree.createInteger(root, header("I", 1), -4, 1000, 8);
  EXPECT_EQ(at<std::int32_t>(integer, 0), runtime::kKindInteger);
  EXPECT_EQ(at<std::int32_t>(integer, 24), runtime::kAccessReadWrite);
  EXPECT_EQ(at<std::int32_t>(integer, 28), 2);
  EXPECT_EQ(at<std::int32_t>(integer, 32), 1);
  EXPECT_EQ(at<std::int32_t>(integer, 36), 1);
  EXPECT_EQ(at<std::int32_t>(integer, 40), -4);
  EXPECT_EQ(at<std::int32_t>(integer, 44), 1000);
  EXPECT_EQ(at<std::int32_t>(integer, 48), 8);
  EXPECT_EQ(at<std::int32_t>(integer, 52), 0);
  EXPECT_STREQ(at<const char*>(integer, 112), "unit");
  EXPECT_EQ(at<std::int32_t>(integer, 120), 0);

  const ParameterRecord* real = tree.createDouble(root, header("D", 2), -1.5, 2.5, 0.25);
  EXPECT_EQ(at<double>(real, 40), -1.5);
  EXPECT_EQ(at<double>(real, 48), 2.5);
  EXPECT_EQ(at<double>(real, 56), 0.25);

  const ParameterRecord* wide =
      tree.createUint64(root, header("U", 3), 1, std::numeric_limits<std::uint64_t>::max(), 2);
  EXPECT_EQ(at<std::uint64_t>(wide, 40), 1u);
  EXPECT_EQ(at<std::uint64_t>(wide, 48), std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(at<std::uint64_t>(wide, 56), 2u);

  const ParameterRecord* field = tree.createIntegerField(root, header("F", 4), 1024, 3, 1023, 1);
  EXPECT_EQ(at<std::int32_t>(field, 0), runtime::kKindIntegerField);
  EXPECT_EQ(at<std::int32_t>(field, 40), 3);
  EXPECT_EQ(at<std::int32_t>(field, 44), 1023);
  EXPECT_EQ(at<std::int32_t>(field, 48), 1024);
  EXPECT_EQ(at<std::int32_t>(field, 56), 3);  // the minimum again, not the step

  const ParameterRecord* text = tree.createString(root, header("S", 5), "*.lut");
  EXPECT_STREQ(at<const char*>(text, 48), "*.lut");

  ParameterRecord* choice = tree.createEnumeration(root, header("E", 6), 2);
  ASSERT_EQ(tree.setEnumerationEntry(choice, 1, "On", 1, "FG_ON"), 0);
  EXPECT_EQ(at<std::int32_t>(choice, 40), 2);
  EXPECT_STREQ(at<char**>(choice, 48)[1], "On");
  EXPECT_EQ(at<std::int32_t*>(choice, 56)[1], 1);
  EXPECT_STREQ(at<char**>(choice, 72)[1], "FG_ON");

  EXPECT_EQ(at<std::int32_t>(root, 40), 6);
  EXPECT_EQ(at<ParameterRecord**>(root, 48)[5], choice);
  EXPECT_EQ(at<std::int32_t>(root, 56), 6);
  EXPECT_EQ(at<std::int32_t>(root, 96), 0);

  const ParameterRecord* signedKind = tree.createInteger2(root, header("I2", 7), -1, 7, 1);
  const ParameterRecord* wideKind = tree.createUint64b(root, header("U2", 8), 0, 9, 3);
  EXPECT_EQ(signedKind->kind, runtime::kKindInteger2);
  EXPECT_EQ(at<std::int32_t>(signedKind, 40), -1);
  EXPECT_EQ(wideKind->kind, runtime::kKindUint64b);
  EXPECT_EQ(at<std::uint64_t>(wideKind, 56), 3u);
}

TEST(DescriptionTree, EnumerationEntriesStartEmptyAndAreReplaced) {
  ParameterDescriptionTree tree(1);
  ParameterRecord* root = tree.createCategory(0, nullptr, "Root");
  ParameterRecord* choice = tree.createEnumeration(root, header("E", 1), 3);
  const auto& entries = choice->data.enumeration;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(entries.displayNames[i], nullptr);
    EXPECT_EQ(entries.values[i], 0);
    EXPECT_EQ(choice->entryNames[i], nullptr);
  }
  EXPECT_EQ(tree.setEnumerationEntry(choice, 0, "Old", 5, "OLD"), 0);
  EXPECT_EQ(tree.setEnumerationEntry(choice, 0, "New", 6, nullptr), 0);
  EXPECT_STREQ(entries.displayNames[0], "New");
  EXPECT_EQ(entries.values[0], 6);
  EXPECT_EQ(choice->entryNames[0], nullptr);

  EXPECT_EQ(tree.setEnumerationEntry(choice, 3, "Past", 1, "X"), -2070);
  EXPECT_EQ(tree.setEnumerationEntry(choice, -1, "Before", 1, "X"), -2070);
  EXPECT_EQ(tree.setEnumerationEntry(root, 0, "Not an enumeration", 1, "X"), -2070);
  ParameterRecord stranger{};
  stranger.kind = runtime::kKindEnumeration;
  EXPECT_EQ(tree.setEnumerationEntry(&stranger, 0, "Not ours", 1, "X"), -2070);

  ParameterRecord* empty = tree.createEnumeration(root, header("None", 2), 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->data.enumeration.displayNames, nullptr);
  EXPECT_EQ(tree.createEnumeration(root, header("Negative", 3), -1), nullptr);
}

TEST(DescriptionTree, RefusesRecordsForBadPortsFrozenPortsAndBadParents) {
  ParameterDescriptionTree tree(2);
  ParameterRecord* root = tree.createCategory(0, nullptr, "Root");
  ParameterRecord* value = tree.createInteger(root, header("X", 1), 0, 1, 1);
  ParameterDescriptionTree otherTree(1);
  ParameterRecord* foreign = otherTree.createCategory(0, nullptr, "Foreign");

  EXPECT_EQ(tree.createCategory(2, nullptr, "Past the ports"), nullptr);
  EXPECT_EQ(tree.createCategory(-1, nullptr, "Negative port"), nullptr);
  EXPECT_EQ(tree.createCategory(1, root, "Parent on another port"), nullptr);
  EXPECT_EQ(tree.createInteger(nullptr, header("Orphan", 2), 0, 1, 1), nullptr);
  EXPECT_EQ(tree.createInteger(value, header("Below a parameter", 3), 0, 1, 1), nullptr);
  EXPECT_EQ(tree.createInteger(foreign, header("Other tree", 4), 0, 1, 1), nullptr);
  EXPECT_EQ(tree.createInteger(root, header("Wrong port", 5, 1), 0, 1, 1), nullptr);
  EXPECT_EQ(tree.createDouble(root, header("Out of range", 6, 7), 0, 1, 1), nullptr);

  tree.freeze(0);
  EXPECT_TRUE(tree.frozen(0));
  EXPECT_FALSE(tree.frozen(1));
  EXPECT_EQ(tree.createCategory(0, nullptr, "Late root"), nullptr);
  EXPECT_EQ(tree.createString(root, header("Late", 7), ""), nullptr);
  EXPECT_NE(tree.createCategory(1, nullptr, "Port 1 is still open"), nullptr);

  EXPECT_EQ(tree.recordCount(0), 2u);
  EXPECT_EQ(root->data.category.childCount, 1);
  EXPECT_EQ(tree.root(0), root);
  EXPECT_EQ(tree.root(5), nullptr);
  EXPECT_EQ(ParameterDescriptionTree(0).root(0), nullptr);
}

}  // namespace
}  // namespace brenvik::description::test
