// Tables that are written separately and must agree: the description rows with the SDK
// parameter table, the read-only list and the writable parameters with the description's
// access, and each writable parameter's value form with the form its get writes.
#include <gtest/gtest.h>

#include <set>

#include "description/DescriptionRows.h"
#include "parameters/SdkParameterTable.h"
#include "semantics/SetPath.h"

namespace brenvik::test {
namespace {

using parameters::ValueForm;

// The form that a get writes for each kind of description record.
ValueForm formOfKind(std::int32_t kind) {
  switch (kind) {
    case runtime::kKindInteger:
    case runtime::kKindEnumeration:
      return ValueForm::kUint32;
    case runtime::kKindUint64:
      return ValueForm::kUint64;
    case runtime::kKindDouble:
      return ValueForm::kDouble;
    case runtime::kKindString:
      return ValueForm::kText;
    case runtime::kKindIntegerField:
      return ValueForm::kLutEntries;
    default:
      return ValueForm::kAsRequested;
  }
}

bool isReadOnlyListed(std::int32_t id) {
  for (const semantics::ReadOnlyParameter& parameter : semantics::readOnlyParameters()) {
    if (parameter.id == id) return true;
  }
  return false;
}

TEST(TablesAgree, EveryDescribedParameterHasARowOfItsValueForm) {
  for (const parameters::SdkParameter& parameter : parameters::kSdkParameters) {
    const description::DescriptionRow* row = description::findDescribedRow(parameter.id);
    // The SDK runtime's own parameters carry no description text and have no row.
    EXPECT_EQ(row != nullptr, !parameter.description.empty()) << parameter.name;
    if (row == nullptr) continue;
    EXPECT_EQ(formOfKind(row->kind), parameter.form) << parameter.name;
    EXPECT_EQ(std::string_view(row->name), parameter.name);
  }
}

TEST(TablesAgree, ReadOnlyListMatchesTheDescriptionsAccess) {
  for (const parameters::SdkParameter& parameter : parameters::kSdkParameters) {
    const description::DescriptionRow* row = description::findDescribedRow(parameter.id);
    const bool writable =
        row != nullptr && (row->access & runtime::kAccessWrite) == runtime::kAccessWrite;
    EXPECT_EQ(isReadOnlyListed(parameter.id), !writable) << parameter.name;
  }
  // The description query is refused like a read-only parameter but has no row.
  EXPECT_TRUE(isReadOnlyListed(parameters::kParameterDescriptionQuery));
}

TEST(TablesAgree, WritableParametersAreDescribedWritableAndSetInTheirGetForm) {
  std::set<std::int32_t> seen;
  for (const semantics::WritableParameter& writable : semantics::writableParameters()) {
    EXPECT_TRUE(seen.insert(writable.id).second) << writable.id;
    const parameters::SdkParameter* parameter = parameters::findSdkParameter(writable.id);
    ASSERT_NE(parameter, nullptr) << writable.id;
    const description::DescriptionRow* row = description::findDescribedRow(writable.id);
    ASSERT_NE(row, nullptr) << parameter->name;
    EXPECT_NE(row->access & runtime::kAccessWrite, 0) << parameter->name;
    if (parameter->form != ValueForm::kLutEntries) {
      EXPECT_EQ(semantics::valueForm(writable.form), parameter->form) << parameter->name;
    }
  }
}

}  // namespace
}  // namespace brenvik::test
