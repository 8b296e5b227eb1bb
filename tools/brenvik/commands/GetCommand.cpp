// "brenvik get": reads parameters by name or id and prints each value in its own type.
#include <charconv>
#include <cstring>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "description/DescriptionRows.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/ParameterRecord.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

using parameters::ValueForm;

constexpr std::uint32_t kLutSize = 1024;
constexpr std::size_t kLutEntriesPerLine = 16;

struct Exports {
  decltype(&Fg_getParameterWithType) get;
  decltype(&Fg_freeParameterStringWithType) release;
  decltype(&Fg_getParameterIdByName) idByName;
};

std::optional<int> parseId(const std::string& text) {
  int id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return id;
}

// How a parameter outside the SDK table is read: the given type code, else 64 bits.
ValueForm formOfCode(int type) {
  switch (type) {
    case runtime::kTypeUint32:
      return ValueForm::kUint32;
    case runtime::kTypeDouble:
      return ValueForm::kDouble;
    case runtime::kTypeString:
    case runtime::kTypeStringCopy:
      return ValueForm::kText;
    default:
      return ValueForm::kUint64;
  }
}

// The enumeration list of a parameter that its description row declares an enumeration.
const parameters::EnumerationList* enumerationOf(int id) {
  const description::DescriptionRow* row = description::findDescribedRow(id);
  if (row == nullptr || row->kind != runtime::kKindEnumeration) return nullptr;
  return row->values.list;
}

// "FG_GRAY (3)" for an entry of the list; a number outside it (an output selector keeps the
// code its setter remapped) prints alone.
void printEntry(std::ostream& out, std::uint32_t value, const parameters::EnumerationList& list) {
  for (const parameters::EnumerationEntry& entry : list.entries) {
    if (static_cast<std::uint32_t>(entry.value) == value) {
      out << entry.name << " (" << value << ")";
      return;
    }
  }
  out << value;
}

// Reads one parameter and prints "value", an enumeration value by its symbol; returns the get's
// result.
int printValue(const Exports& exports, AppletHandle* handle, int id, ValueForm form,
               std::ostream& out) {
  int result = 0;
  switch (form) {
    case ValueForm::kUint32: {
      std::uint32_t value = 0;
      result = exports.get(handle, id, &value, 0, runtime::kTypeUint32);
      if (result != 0) break;
      if (const parameters::EnumerationList* list = enumerationOf(id)) {
        printEntry(out, value, *list);
      } else {
        out << value;
      }
      break;
    }
    case ValueForm::kUint64:
    case ValueForm::kAsRequested: {
      std::uint64_t value = 0;
      result = exports.get(handle, id, &value, 0, runtime::kTypeUint64);
      if (result == 0) out << value;
      break;
    }
    case ValueForm::kDouble: {
      double value = 0;
      result = exports.get(handle, id, &value, 0, runtime::kTypeDouble);
      if (result == 0) out << std::setprecision(std::numeric_limits<double>::max_digits10) << value;
      break;
    }
    case ValueForm::kText: {
      char* text = nullptr;
      result = exports.get(handle, id, &text, 0, runtime::kTypeStringCopy);
      if (result == 0) {
        out << '"' << (text != nullptr ? text : "") << '"';
        exports.release(handle, id, text, 0, runtime::kTypeStringCopy);
      }
      break;
    }
    case ValueForm::kLutEntries: {
      std::vector<std::uint32_t> entries(kLutSize);
      runtime::FieldParameterAccess access{2, 0, kLutSize, entries.data()};
      result = exports.get(handle, id, &access, 0, runtime::kTypeField);
      if (result != 0) break;
      out << kLutSize << " entries";
      for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i % kLutEntriesPerLine == 0) out << "\n  [" << std::setw(4) << i << "]";
        out << ' ' << entries[i];
      }
      break;
    }
  }
  return result;
}

int run(Context& context, const std::vector<std::string>& arguments) {
  std::optional<int> forcedType;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--type") {
      if (i + 1 == arguments.size() || !(forcedType = parseId(arguments[i + 1]))) {
        context.err << "brenvik get: --type takes a type code\n";
        return kExitUsage;
      }
      ++i;
    } else {
      names.push_back(arguments[i]);
    }
  }
  if (names.empty()) {
    context.err << "brenvik get: name the parameters to read (see brenvik get --help)\n";
    return kExitUsage;
  }
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  const Exports exports{
      host->function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType"),
      host->function<decltype(&Fg_freeParameterStringWithType)>("Fg_freeParameterStringWithType"),
      host->function<decltype(&Fg_getParameterIdByName)>("Fg_getParameterIdByName")};

  int status = kExitOk;
  for (const std::string& name : names) {
    const std::optional<int> number = parseId(name);
    const int id = number ? *number : exports.idByName(host->handle(), name.c_str());
    if (!number && id < 0) {
      context.err << "brenvik get: unknown parameter '" << name << "': " << describeCode(id)
                  << "\n";
      status = kExitFailed;
      continue;
    }
    const parameters::SdkParameter* row = parameters::findSdkParameter(id);
    const ValueForm form = row != nullptr ? row->form : formOfCode(forcedType.value_or(0));

    std::ostringstream value;
    const int result = printValue(exports, host->handle(), id, form, value);
    context.out << (row != nullptr ? row->name : std::string_view(name)) << " (" << id << ") = ";
    if (result == 0) {
      context.out << value.str() << "\n";
    } else {
      context.out << "error " << describeCode(result) << "\n";
      status = kExitFailed;
    }
  }
  return status;
}

}  // namespace

extern const Command kGetCommand{
    "get",
    "read parameters by name or id and print their values",
    "usage: brenvik [options] get [--type CODE] NAME|ID ...\n"
    "\n"
    "Creates the applet and reads each parameter, given by its name (FG_WIDTH, or a DRA_\n"
    "register name) or its id (100, 1000016, 2000042). SDK parameters print in their own\n"
    "type: integers, doubles, texts in quotes, and FG_LUT_VALUE as its 1024 entries;\n"
    "enumeration values as their symbol and number, FG_GRAY (3). Other ids are read as\n"
    "64-bit integers unless --type gives the type code (2, 4, 5 or 6).\n"
    "A failed read prints the error code and its meaning; the exit status is then 1.\n",
    &run,
};

}  // namespace brenvik::tool
