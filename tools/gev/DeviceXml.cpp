// Writing the description. Registers are read afresh on every access (NoCache): many values
// change through others (a width changes the payload size, a trigger mode the frame rate).
#include "tools/gev/DeviceXml.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace brenvik::gev {

namespace {

constexpr const char* kPort = "Device";
// The largest magnitude an XML float holds.
constexpr double kMostFloat = 3.4e38;

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.9g", std::clamp(value, -kMostFloat, kMostFloat));
  return text;
}

std::int64_t integerOf(const Value& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) return *integer;
  if (const auto* real = std::get_if<double>(&value)) {
    constexpr double kEdge = 9.2e18;  // inside the 64-bit range
    return static_cast<std::int64_t>(std::clamp(*real, -kEdge, kEdge));
  }
  return 0;
}

double realOf(const Value& value) {
  if (const auto* real = std::get_if<double>(&value)) return *real;
  if (const auto* integer = std::get_if<std::int64_t>(&value)) return static_cast<double>(*integer);
  return 0;
}

const char* accessMode(Access access) {
  switch (access) {
    case Access::kReadOnly: return "RO";
    case Access::kWriteOnly: return "WO";
    default: return "RW";
  }
}

class Writer {
 public:
  void element(std::string_view name, std::string_view text) {
    out_ += "    <";
    out_ += name;
    out_ += '>';
    out_ += text;
    out_ += "</";
    out_ += name;
    out_ += ">\n";
  }
  void open(std::string_view node, std::string_view name, bool standard) {
    out_ += "  <";
    out_ += node;
    out_ += " Name=\"";
    out_ += escaped(name);
    out_ += standard ? "\" NameSpace=\"Standard\">\n" : "\">\n";
  }
  void close(std::string_view node) {
    out_ += "  </";
    out_ += node;
    out_ += ">\n";
  }
  void raw(std::string_view text) { out_ += text; }
  std::string take() { return std::move(out_); }

  // ToolTip, Description and DisplayName: what every feature node begins with.
  void texts(const Register& reg) {
    if (!reg.description.empty()) element("ToolTip", escaped(reg.description));
    if (!reg.displayName.empty()) element("DisplayName", escaped(reg.displayName));
  }

  // The register node that holds a feature's value.
  void valueRegister(const Register& reg, std::string_view node, std::string_view name) {
    open(node, name, false);
    element("Address", hex(reg.address));
    element("Length", std::to_string(reg.length));
    element("AccessMode", accessMode(reg.access));
    element("pPort", kPort);
    element("Cachable", "NoCache");
    if (node == "MaskedIntReg") {
      if (reg.msb == reg.lsb) {
        element("Bit", std::to_string(reg.lsb));
      } else {
        element("LSB", std::to_string(reg.lsb));
        element("MSB", std::to_string(reg.msb));
      }
    }
    if (node != "FloatReg" && node != "StringReg") {
      element("Sign", reg.isSigned ? "Signed" : "Unsigned");
    }
    if (node != "StringReg") element("Endianess", "BigEndian");
    close(node);
  }

  void feature(const Register& reg) {
    const std::string valueName = reg.name + "_Reg";
    const bool masked = reg.msb != 0 || reg.lsb != 31;
    switch (reg.shape) {
      case Shape::kString:
        open("StringReg", reg.name, reg.standard);
        texts(reg);
        element("Address", hex(reg.address));
        element("Length", std::to_string(reg.length));
        element("AccessMode", accessMode(reg.access));
        element("pPort", kPort);
        element("Cachable", "NoCache");
        close("StringReg");
        return;
      case Shape::kInteger:
        open("Integer", reg.name, reg.standard);
        texts(reg);
        element("pValue", valueName);
        if (reg.minimum) element("Min", std::to_string(integerOf(*reg.minimum)));
        if (reg.maximum) element("Max", std::to_string(integerOf(*reg.maximum)));
        if (reg.step && integerOf(*reg.step) > 0) {
          element("Inc", std::to_string(integerOf(*reg.step)));
        }
        close("Integer");
        valueRegister(reg, masked ? "MaskedIntReg" : "IntReg", valueName);
        return;
      case Shape::kFloat:
        open("Float", reg.name, reg.standard);
        texts(reg);
        element("pValue", valueName);
        if (reg.minimum) element("Min", number(realOf(*reg.minimum)));
        if (reg.maximum) element("Max", number(realOf(*reg.maximum)));
        if (!reg.unit.empty()) element("Unit", escaped(reg.unit));
        close("Float");
        valueRegister(reg, "FloatReg", valueName);
        return;
      case Shape::kEnumeration:
        open("Enumeration", reg.name, reg.standard);
        texts(reg);
        for (const auto& [name, value] : reg.entries) {
          raw("    <EnumEntry Name=\"" + escaped(name) + "\">\n");
          raw("      <Value>" + std::to_string(value) + "</Value>\n");
          raw("    </EnumEntry>\n");
        }
        element("pValue", valueName);
        close("Enumeration");
        valueRegister(reg, "IntReg", valueName);
        return;
      case Shape::kCommand:
        open("Command", reg.name, reg.standard);
        texts(reg);
        element("pValue", valueName);
        element("CommandValue", "1");
        close("Command");
        valueRegister(reg, "IntReg", valueName);
        return;
    }
  }

 private:
  std::string out_;
};

}  // namespace

std::string deviceXml(const RegisterMap& registers, const XmlIdentity& identity) {
  Writer writer;
  writer.raw("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
  writer.raw("<RegisterDescription ModelName=\"" + escaped(identity.model) + "\" VendorName=\"" +
             escaped(identity.vendor) +
             "\" ToolTip=\"The grabber on the simulated board as a GigE Vision device\""
             " StandardNameSpace=\"None\" SchemaMajorVersion=\"1\" SchemaMinorVersion=\"0\""
             " SchemaSubMinorVersion=\"1\" MajorVersion=\"1\" MinorVersion=\"0\""
             " SubMinorVersion=\"0\" ProductGuid=\"0\" VersionGuid=\"0\""
             " xmlns=\"http://www.genicam.org/GenApi/Version_1_0\""
             " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
             " xsi:schemaLocation=\"http://www.genicam.org/GenApi/Version_1_0"
             " GenApiSchema_Version_1_0.xsd\">\n");
  writer.open("Category", "Root", true);
  for (const std::string_view category : kCategories) writer.element("pFeature", category);
  writer.close("Category");
  for (const std::string_view category : kCategories) {
    writer.open("Category", category, category != kGrabberCategory);
    for (const Register& reg : registers.registers()) {
      if (reg.category == category) writer.element("pFeature", escaped(reg.name));
    }
    writer.close("Category");
  }
  for (const Register& reg : registers.registers()) writer.feature(reg);
  writer.raw("  <Port Name=\"Device\" NameSpace=\"Standard\"/>\n");
  writer.raw("</RegisterDescription>\n");
  return writer.take();
}

}  // namespace brenvik::gev
