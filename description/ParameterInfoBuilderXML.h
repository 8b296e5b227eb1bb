// Renders a port's parameter description tree as a GenICam GenApi XML document.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "description/ParameterDescriptionTree.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::description {

class ParameterInfoBuilderXML {
 public:
  ParameterInfoBuilderXML(const ParameterDescriptionTree& tree, std::string_view appletName,
                          std::uint32_t port);
  virtual ~ParameterInfoBuilderXML();
  ParameterInfoBuilderXML(const ParameterInfoBuilderXML&) = delete;
  ParameterInfoBuilderXML& operator=(const ParameterInfoBuilderXML&) = delete;

  // The whole document, built in one pass over the port's tree; empty when the port has
  // no description.
  std::string build();

 private:
  // A category below "Root": its name and the names of its features, in insertion order.
  struct Category {
    std::string name;
    std::vector<std::string> features;
  };

  void walk(const runtime::ParameterRecord& category);
  void writeParameter(const runtime::ParameterRecord& record,
                      const runtime::ParameterRecord& parent);
  void writeInteger(const runtime::ParameterRecord& record);
  void writeDouble(const runtime::ParameterRecord& record);
  void writeString(const runtime::ParameterRecord& record);
  void writeEnumeration(const runtime::ParameterRecord& record);
  void writeRegisterPart(const runtime::ParameterRecord& record, std::uint32_t length);
  void writeDescription(const runtime::ParameterRecord& record);
  void addFeature(const char* categoryName, const char* featureName);
  void writeCategories();

  const ParameterDescriptionTree& tree_;
  std::string appletName_;
  std::uint32_t port_;
  std::string text_;
  std::vector<Category> categories_;
  std::unordered_map<std::string, std::size_t> categoryIndex_;
};

// Escapes the five XML special characters; every other byte passes unchanged.
void appendEscaped(std::string& out, std::string_view text);

// Category and feature-list names: letters anywhere, digits and "_" after the first kept
// character, everything else dropped ("Pulse Form Generator 0" -> "PulseFormGenerator0").
std::string categoryName(std::string_view text);

// A double in the document's number format: 12 significant digits, general notation.
void appendReal(std::string& out, double value);

}  // namespace brenvik::description
