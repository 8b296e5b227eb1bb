// Parameter values and what the applet says about a parameter: kind, limits, access,
// enumeration entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "brenvik/Export.h"

namespace brenvik {

// A parameter's value: an integer (also enumerations), a double, a text, or lookup-table
// entries. 64-bit unsigned parameters hold values up to 2^63 - 1 here.
using Value = std::variant<std::int64_t, double, std::string, std::vector<std::uint32_t>>;

// A value as a user gave it, before it is typed by a parameter's kind: a command-line text,
// or a value taken from JSON (integer, double, string, array; anything else is kOther).
struct Input {
  enum class Form { kText, kInteger, kDouble, kString, kArray, kOther };
  Form form = Form::kOther;
  std::int64_t integer = 0;
  double real = 0;
  std::string text;             // kText and kString
  std::vector<Input> elements;  // kArray

  static Input fromText(std::string text) { return {Form::kText, 0, 0, std::move(text), {}}; }
  static Input fromInteger(std::int64_t v) { return {Form::kInteger, v, 0, {}, {}}; }
  static Input fromDouble(double v) { return {Form::kDouble, 0, v, {}, {}}; }
  static Input fromString(std::string v) { return {Form::kString, 0, 0, std::move(v), {}}; }
  static Input fromArray(std::vector<Input> v) { return {Form::kArray, 0, 0, {}, std::move(v)}; }
  static Input other() { return {}; }
};

enum class Kind {
  kInteger,      // 32-bit unsigned, 32-bit signed or 64-bit unsigned integer
  kEnumeration,  // an integer from the parameter's own entries
  kDouble,
  kString,
  kLookupTable,  // a field of table entries
};

// "integer", "enumeration", "double", "string", "lookup table".
BRENVIK_HOST_API std::string kindName(Kind kind);

struct EnumEntry {
  std::int64_t value = 0;
  std::string symbol;       // FG_GRAY16
  std::string displayName;  // Gray 16 bit
};

// A parameter as the applet describes it at the moment it is asked.
struct ParameterInfo {
  std::string name;     // the SDK name, FG_WIDTH
  std::int32_t id = 0;  // the SDK id, 100
  // False for entries the applet lists without an id of their own (the direct hardware
  // entries); their id is then the applet's negative answer.
  bool listedId = true;
  std::string sdkText;  // the SDK's description text; empty when it has none
  // True when the applet's description tree has a record for the parameter; the fields
  // below up to `entries` then come from it. Without a record, kind and access follow the
  // SDK parameter table and display name and category stay empty.
  bool described = false;
  std::string displayName;  // Width
  std::string category;     // the category path, "Image Format / ROI"
  Kind kind = Kind::kInteger;
  bool isSigned = false;  // integers that take negative values
  bool readable = true;
  bool writable = false;
  std::optional<Value> minimum, maximum, step;  // integers and doubles (lookup table: entries)
  std::uint32_t elements = 0;                   // lookup table: its number of entries
  std::string unit;
  std::vector<EnumEntry> entries;  // enumerations
};

// "read-only", "read-write", "write-only" or "none".
BRENVIK_HOST_API std::string accessName(const ParameterInfo& info);

// A resolved parameter for the typed paths: its id and how its value travels. Obtained from
// Applet::handle (by name or id) and valid for the applet's life.
struct ParameterHandle {
  std::int32_t id = 0;
  std::int32_t typeCode = 0;  // the SDK value type code its gets and sets use
  Kind kind = Kind::kInteger;
  bool isSigned = false;
  std::uint32_t slot = 0;  // the parameter's position in the applet's catalogue
};

}  // namespace brenvik
