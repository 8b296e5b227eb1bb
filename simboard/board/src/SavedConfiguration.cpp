// The runtime's own configuration file: the design's identity, the runtime's stored values
// and every hardware parameter's current value, one "name = value" line each.
#include <fstream>

#include "Board.h"
#include "ParameterText.h"
#include "ValueRules.h"

namespace brenvik::simboard {

namespace {

// Strings are quoted with \" \\ and \n escaped, so every value stays on its line.
void appendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::int32_t Board::saveConfiguration(const char* path) const {
  if (path == nullptr) return SIMBOARD_INVALID_PARAMETER;
  std::string text = "# Configuration of the simulated board's runtime\n";
  {
    Lock lock(mutex_);
    if (!design_) return SIMBOARD_NO_DESIGN;
    text += "applet = ";
    appendQuoted(text, design_->appletName);
    text += "\napplet-id = ";
    appendSigned(text, design_->appletId);
    text += '\n';
    for (std::size_t i = 0; i < kRuntimeParameters.size(); ++i) {
      if (kRuntimeParameters[i].source != RuntimeSource::Stored) continue;
      text += kRuntimeParameters[i].name;
      text += " = ";
      appendUnsigned(text, runtime_.stored(i));
      text += '\n';
    }
    for (std::size_t i = 0; i < design_->parameters.size(); ++i) {
      const ParameterDefinition& definition = design_->parameters[i];
      text += definition.name;
      text += " = ";
      if (definition.type == ValueType::Str) {
        appendQuoted(text, values_.at(i).text);
      } else {
        renderParameter(definition, values_.at(i), text);
      }
      text += '\n';
    }
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return SIMBOARD_FILE_ERROR;
  file << text;
  file.close();
  if (!file) return SIMBOARD_FILE_ERROR;
  return SIMBOARD_OK;
}

}  // namespace brenvik::simboard
