// Renders a port's parameter description tree as a GenICam GenApi XML document.
#pragma once

#include <string>

#include "runtime/ParameterRecord.h"

namespace brenvik::description {

class ParameterInfoBuilderXML {
 public:
  explicit ParameterInfoBuilderXML(const runtime::ParameterRecord* root) : root_(root) {}
  std::string build() const;

 private:
  [[maybe_unused]] const runtime::ParameterRecord* root_;
};

}  // namespace brenvik::description
