// The rendered document read by Aravis, an independent GenICam implementation: features are
// found by name and report the limits, increments and entries that the description holds.
// A program of its own, so that the library's process-wide state stays out of other tests.
#include <arv.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "description/DescriptionBuilder.h"
#include "description/ParameterInfoBuilderXML.h"

namespace brenvik::description::test {
namespace {

class AravisReadsTheDocument : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ParameterDescriptionTree tree(1);
    DescriptionNodes nodes;
    buildSdkDescription(tree, nodes);
    document_ = new std::string(ParameterInfoBuilderXML(tree, "Brenvik", 0).build());
    genicam_ = arv_gc_new(nullptr, document_->data(), document_->size());
  }
  static void TearDownTestSuite() {
    if (genicam_ != nullptr) g_object_unref(genicam_);
    delete document_;
  }

  static ArvGcNode* node(const char* name) {
    return genicam_ == nullptr ? nullptr : arv_gc_get_node(genicam_, name);
  }

  // Runs a getter that may fail; a failure becomes a test failure with Aravis' message.
  template <typename Getter>
  static auto read(Getter&& getter) {
    GError* error = nullptr;
    auto value = getter(&error);
    if (error != nullptr) {
      ADD_FAILURE() << error->message;
      g_error_free(error);
    }
    return value;
  }

  static std::string* document_;
  static ArvGc* genicam_;
};

std::string* AravisReadsTheDocument::document_ = nullptr;
ArvGc* AravisReadsTheDocument::genicam_ = nullptr;

TEST_F(AravisReadsTheDocument, IntegerLimitsAndIncrement) {
  ArvGcNode* width = node("FG_WIDTH");
  ASSERT_TRUE(width != nullptr && ARV_IS_GC_INTEGER(width));
  EXPECT_EQ(read([&](GError** e) { return arv_gc_integer_get_min(ARV_GC_INTEGER(width), e); }), 8);
  EXPECT_EQ(read([&](GError** e) { return arv_gc_integer_get_max(ARV_GC_INTEGER(width), e); }),
            16384);
  EXPECT_EQ(read([&](GError** e) { return arv_gc_integer_get_inc(ARV_GC_INTEGER(width), e); }), 8);
  EXPECT_STREQ(arv_gc_feature_node_get_description(ARV_GC_FEATURE_NODE(width)), "Width");
  ArvGcNode* height = node("FG_HEIGHT");
  ASSERT_TRUE(height != nullptr && ARV_IS_GC_INTEGER(height));
  EXPECT_EQ(read([&](GError** e) { return arv_gc_integer_get_max(ARV_GC_INTEGER(height), e); }),
            65535);
}

TEST_F(AravisReadsTheDocument, EnumerationEntriesByValue) {
  ArvGcNode* lutType = node("FG_LUT_TYPE");
  ASSERT_TRUE(lutType != nullptr && ARV_IS_GC_ENUMERATION(lutType));
  std::map<std::string, gint64> entries;
  for (const GSList* item = arv_gc_enumeration_get_entries(ARV_GC_ENUMERATION(lutType));
       item != nullptr; item = item->next) {
    auto* entry = ARV_GC_ENUM_ENTRY(item->data);
    entries[arv_gc_feature_node_get_name(ARV_GC_FEATURE_NODE(entry))] =
        read([&](GError** e) { return arv_gc_enum_entry_get_value(entry, e); });
  }
  EXPECT_EQ(entries,
            (std::map<std::string, gint64>{{"LUT_TYPE_CUSTOM", 0}, {"LUT_TYPE_PROCESSING", 3}}));
  ArvGcNode* cc0 = node("FG_TRIGGERCC_SELECT0");
  ASSERT_TRUE(cc0 != nullptr && ARV_IS_GC_ENUMERATION(cc0));
  EXPECT_EQ(
      g_slist_length(const_cast<GSList*>(arv_gc_enumeration_get_entries(ARV_GC_ENUMERATION(cc0)))),
      42u);
}

TEST_F(AravisReadsTheDocument, FloatLimits) {
  ArvGcNode* debounce = node("FG_TRIGGERIN_DEBOUNCE");
  ASSERT_TRUE(debounce != nullptr && ARV_IS_GC_FLOAT(debounce));
  EXPECT_DOUBLE_EQ(
      read([&](GError** e) { return arv_gc_float_get_min(ARV_GC_FLOAT(debounce), e); }), 0.048);
  EXPECT_DOUBLE_EQ(
      read([&](GError** e) { return arv_gc_float_get_max(ARV_GC_FLOAT(debounce), e); }), 1.512);
  ArvGcNode* rate = node("FG_TRIGGER_FRAMESPERSECOND");
  ASSERT_TRUE(rate != nullptr && ARV_IS_GC_FLOAT(rate));
  EXPECT_DOUBLE_EQ(read([&](GError** e) { return arv_gc_float_get_max(ARV_GC_FLOAT(rate), e); }),
                   12500000.0);
}

TEST_F(AravisReadsTheDocument, CategoriesListTheirFeatures) {
  ArvGcNode* roi = node("ROI");
  ASSERT_TRUE(roi != nullptr && ARV_IS_GC_CATEGORY(roi));
  std::vector<std::string> features;
  for (const GSList* item = arv_gc_category_get_features(ARV_GC_CATEGORY(roi)); item != nullptr;
       item = item->next) {
    features.emplace_back(static_cast<const char*>(item->data));
  }
  EXPECT_EQ(features,
            (std::vector<std::string>{"FG_WIDTH", "FG_HEIGHT", "FG_XOFFSET", "FG_YOFFSET"}));
  EXPECT_TRUE(ARV_IS_GC_CATEGORY(node("Root")));
  EXPECT_TRUE(node("FG_HAP_FILE") != nullptr);
  EXPECT_TRUE(node("FG_LUT_VALUE") == nullptr);
}

}  // namespace
}  // namespace brenvik::description::test
