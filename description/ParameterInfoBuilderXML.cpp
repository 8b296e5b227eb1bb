// GenICam GenApi XML rendering of a description tree: a register and a feature node per
// parameter, then the categories, all appended to one growing text.
#include "description/ParameterInfoBuilderXML.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace brenvik::description {

using runtime::ParameterRecord;

namespace {

constexpr std::uint32_t kIntegerLength = 4;
constexpr std::uint32_t kWideIntegerLength = 8;
constexpr std::uint32_t kDoubleLength = 8;
constexpr std::uint32_t kStringLength = 4096;
constexpr int kRealDigits = 12;
constexpr std::string_view kWideIntegerName = "FG_TRANSFER_LEN";
constexpr std::string_view kSkippedParent = "Direct Register Access";
constexpr std::string_view kParameterEnd = "\n\r";

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "\n"
    "<RegisterDescription\n"
    "ModelName=\"";
constexpr std::string_view kHeaderRest =
    "\"\n"
    "VendorName=\"Orvane\"\n"
    "StandardNameSpace=\"None\"\n"
    "SchemaMajorVersion=\"1\"\n"
    "SchemaMinorVersion=\"0\"\n"
    "SchemaSubMinorVersion=\"1\"\n"
    "MajorVersion=\"1\"\n"
    "MinorVersion=\"0\"\n"
    "SubMinorVersion=\"0\"\n"
    "ProductGuid=\"0\"\n"
    "VersionGuid=\"0\"\n"
    "xmlns=\"http://www.genicam.org/GenApi/Version_1_0\"\n"
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
    "xsi:schemaLocation=\"http://www.genicam.org/GenApi/Version_1_0 "
    "GenApiSchema_Version_1_0.xsd\">\n";
constexpr std::string_view kFooter =
    "<Port Name=\"DevicePort\"></Port>\n"
    "</RegisterDescription>\n";

// Rough size of one parameter's text, to grow the document in few steps.
constexpr std::size_t kBytesPerRecord = 640;

template <typename Integer>
void appendNumber(std::string& out, Integer value) {
  std::array<char, 24> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  out.append(digits.data(), result.ptr);
}

// The integer limits as unsigned numbers: kind 1 reads its 32-bit fields as unsigned,
// kind 11 sign-extends them to 64 bits first.
std::uint64_t unsignedLimit(const ParameterRecord& record, std::int32_t field) {
  if (record.kind == runtime::kKindInteger2) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(field));
  }
  return static_cast<std::uint32_t>(field);
}

std::string_view textOf(const char* text) { return text != nullptr ? text : std::string_view(); }

const char* accessMode(std::int32_t access) {
  const bool readable = (access & runtime::kAccessRead) != 0;
  const bool writable = (access & runtime::kAccessWrite) != 0;
  if (readable && writable) return "RW";
  if (readable) return "RO";
  if (writable) return "WO";
  return "";
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "&quot;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
}

std::string categoryName(std::string_view text) {
  std::string name;
  for (const char c : text) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool laterOnly = (c >= '0' && c <= '9') || c == '_';
    if (letter || (laterOnly && !name.empty())) name += c;
  }
  return name;
}

void appendReal(std::string& out, double value) {
  std::array<char, 40> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                    std::chars_format::general, kRealDigits);
  out.append(digits.data(), result.ptr);
}

ParameterInfoBuilderXML::ParameterInfoBuilderXML(const ParameterDescriptionTree& tree,
                                                 std::string_view appletName, std::uint32_t port)
    : tree_(tree), appletName_(appletName), port_(port) {}

ParameterInfoBuilderXML::~ParameterInfoBuilderXML() = default;

std::string ParameterInfoBuilderXML::build() {
  text_.clear();
  categories_.clear();
  categoryIndex_.clear();
  const auto port = static_cast<std::int32_t>(port_);
  const ParameterRecord* newest = port < 0 ? nullptr : tree_.root(port);
  if (newest == nullptr) return {};
  text_.reserve(kHeader.size() + kHeaderRest.size() + tree_.recordCount(port) * kBytesPerRecord);
  text_ += kHeader;
  appendEscaped(text_, appletName_);
  text_ += kHeaderRest;
  for (const ParameterRecord* root = newest; root != nullptr; root = root->olderRoot) walk(*root);
  writeCategories();
  text_ += kFooter;
  return std::move(text_);
}

// Depth-first, children in index order.
void ParameterInfoBuilderXML::walk(const ParameterRecord& category) {
  for (const ParameterRecord* child : runtime::childrenOf(category)) {
    if (child == nullptr) continue;
    if (child->kind == runtime::kKindCategory) {
      walk(*child);
    } else {
      writeParameter(*child, category);
    }
  }
}

void ParameterInfoBuilderXML::writeParameter(const ParameterRecord& record,
                                             const ParameterRecord& parent) {
  if (record.flag == 0 || textOf(parent.displayName) == kSkippedParent) return;
  switch (record.kind) {
    case runtime::kKindInteger:
    case runtime::kKindInteger2:
      writeInteger(record);
      break;
    case runtime::kKindDouble:
      writeDouble(record);
      break;
    case runtime::kKindString:
      writeString(record);
      break;
    case runtime::kKindEnumeration:
      writeEnumeration(record);
      break;
    default:  // integer fields and 64-bit kinds have no node
      return;
  }
  text_ += kParameterEnd;
  addFeature(parent.displayName, record.name);
}

void ParameterInfoBuilderXML::writeRegisterPart(const ParameterRecord& record,
                                                std::uint32_t length) {
  if (record.id != 0) {
    text_ += "<Address>";
    appendNumber(text_, record.id);
    text_ += "</Address>\n";
  }
  text_ += "<Length>";
  appendNumber(text_, length);
  text_ += "</Length>\n<AccessMode>";
  text_ += accessMode(record.access);
  text_ += "</AccessMode>\n<pPort>DevicePort</pPort>\n";
}

void ParameterInfoBuilderXML::writeDescription(const ParameterRecord& record) {
  const std::string_view display = textOf(record.displayName);
  if (display.empty()) return;
  text_ += "<Description>";
  appendEscaped(text_, display);
  text_ += "</Description>\n";
}

void ParameterInfoBuilderXML::writeInteger(const ParameterRecord& record) {
  const std::string_view name = textOf(record.name);
  text_ += "<IntReg Name=\"";
  appendEscaped(text_, name);
  text_ += "_Reg\">\n";
  writeRegisterPart(record, name == kWideIntegerName ? kWideIntegerLength : kIntegerLength);
  text_ += "<Sign>Signed</Sign>\n<Endianess>LittleEndian</Endianess>\n</IntReg>\n";
  text_ += "<Integer Name='";
  appendEscaped(text_, name);
  text_ += "'>\n";
  writeDescription(record);
  text_ += "<pValue>";
  appendEscaped(text_, name);
  text_ += "_Reg</pValue>\n<Min>";
  const auto& limits = record.data.integer;
  appendNumber(text_, unsignedLimit(record, limits.minimum));
  text_ += "</Min>\n<Max>";
  appendNumber(text_, unsignedLimit(record, limits.maximum));
  text_ += "</Max>\n";
  if (limits.step != 0) {
    text_ += "<Inc>";
    appendNumber(text_, unsignedLimit(record, limits.step));
    text_ += "</Inc>\n";
  }
  text_ += "</Integer>\n";
}

void ParameterInfoBuilderXML::writeDouble(const ParameterRecord& record) {
  const std::string_view name = textOf(record.name);
  text_ += "<FloatReg Name=\"";
  appendEscaped(text_, name);
  text_ += "_Reg\">\n";
  writeRegisterPart(record, kDoubleLength);
  text_ += "<Endianess>LittleEndian</Endianess>\n</FloatReg>\n<Float Name=\"";
  appendEscaped(text_, name);
  text_ += "\">\n";
  writeDescription(record);
  text_ += "<pValue>";
  appendEscaped(text_, name);
  text_ += "_Reg</pValue>\n<Min>";
  appendReal(text_, record.data.real.minimum);
  text_ += "</Min>\n<Max>";
  appendReal(text_, record.data.real.maximum);
  text_ += "</Max>\n</Float>\n";
}

void ParameterInfoBuilderXML::writeString(const ParameterRecord& record) {
  text_ += "<StringReg Name=\"";
  appendEscaped(text_, textOf(record.name));
  text_ += "\">\n";
  writeDescription(record);
  writeRegisterPart(record, kStringLength);
  text_ += "</StringReg>\n";
}

// Entries with a name, ascending by value; of equal values the later entry's name wins.
void ParameterInfoBuilderXML::writeEnumeration(const ParameterRecord& record) {
  const std::string_view name = textOf(record.name);
  text_ += "<Enumeration Name='";
  appendEscaped(text_, name);
  text_ += "'>\n";
  writeDescription(record);
  const auto& entries = record.data.enumeration;
  std::vector<std::pair<std::int32_t, const char*>> named;
  if (record.entryNames != nullptr && entries.entryCount > 0) {
    named.reserve(static_cast<std::size_t>(entries.entryCount));
    for (std::int32_t i = 0; i < entries.entryCount; ++i) {
      if (record.entryNames[i] == nullptr) continue;
      const std::int32_t value = entries.values != nullptr ? entries.values[i] : 0;
      named.emplace_back(value, record.entryNames[i]);
    }
  }
  std::stable_sort(named.begin(), named.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < named.size(); ++i) {
    if (i + 1 < named.size() && named[i + 1].first == named[i].first) continue;
    text_ += "<EnumEntry Name=\"";
    appendEscaped(text_, named[i].second);
    text_ += "\">\n<Value>";
    appendNumber(text_, named[i].first);
    text_ += "</Value>\n</EnumEntry>\n";
  }
  text_ += "<pValue>";
  appendEscaped(text_, name);
  text_ += "_Reg</pValue>\n</Enumeration>\n<IntReg Name=\"";
  appendEscaped(text_, name);
  text_ += "_Reg\">\n";
  writeRegisterPart(record, kIntegerLength);
  text_ += "<Sign>Unsigned</Sign>\n<Endianess>LittleEndian</Endianess>\n</IntReg>\n";
}

// The category named after the parent is made on first use; all sit directly below Root.
void ParameterInfoBuilderXML::addFeature(const char* categoryText, const char* featureText) {
  std::string category = categoryName(textOf(categoryText));
  auto [position, inserted] = categoryIndex_.try_emplace(category, categories_.size());
  if (inserted) categories_.push_back({std::move(category), {}});
  categories_[position->second].features.push_back(categoryName(textOf(featureText)));
}

void ParameterInfoBuilderXML::writeCategories() {
  text_ += "<Category Name='Root' NameSpace='Standard' >\n";
  for (const Category& category : categories_) {
    text_ += "<pFeature>";
    text_ += category.name;
    text_ += "</pFeature>\n";
  }
  text_ += "</Category>\n";
  for (const Category& category : categories_) {
    text_ += "<Category Name='";
    text_ += category.name;
    text_ += "'  >\n";
    for (const std::string& feature : category.features) {
      text_ += "<pFeature>";
      text_ += feature;
      text_ += "</pFeature>\n";
    }
    text_ += "</Category>\n";
  }
}

}  // namespace brenvik::description
