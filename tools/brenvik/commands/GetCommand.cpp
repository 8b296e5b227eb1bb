// "brenvik get": reads parameters by name or id and prints each value in its own type.
#include <cstring>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/NumberText.h"
#include "tools/brenvik/ValueText.h"

namespace brenvik::tool {

namespace {

constexpr std::size_t kLutEntriesPerLine = 16;

std::optional<int> parseId(const std::string& text) {
  int id = 0;
  if (!parseWhole(text, id)) return std::nullopt;
  return id;
}

// How an id the applet does not list is read: the given type code, else 64 bits.
void forceType(ParameterHandle& handle, int type) {
  handle.typeCode = type;
  handle.kind = type == runtime::kTypeDouble                                       ? Kind::kDouble
                : type == runtime::kTypeString || type == runtime::kTypeStringCopy ? Kind::kString
                                                                                   : Kind::kInteger;
}

// The value; a lookup table also with its entries, in rows.
void printValue(std::ostream& out, const Value& value, const std::vector<EnumEntry>& entries) {
  out << valueText(value, entries);
  if (const auto* table = std::get_if<std::vector<std::uint32_t>>(&value)) {
    for (std::size_t i = 0; i < table->size(); ++i) {
      if (i % kLutEntriesPerLine == 0) out << "\n  [" << std::setw(4) << i << "]";
      out << ' ' << (*table)[i];
    }
  }
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
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;

  int status = kExitOk;
  for (const std::string& name : names) {
    ParameterHandle handle;
    ParameterInfo info;
    try {
      handle = applet->handle(name);
      info = applet->parameter(handle);
      if (forcedType && !info.described) forceType(handle, *forcedType);
    } catch (const Error& error) {
      if (error.category() != ErrorCategory::kUnknownName || !parseId(name)) {
        context.err << "brenvik get: " << error.what() << "\n";
        status = kExitFailed;
        continue;
      }
      info.name = name;  // an id the applet does not list
      if (forcedType) forceType(handle, *forcedType);
    }
    context.out << info.name << " (" << handle.id << ") = ";
    try {
      std::ostringstream value;
      printValue(value, applet->get(handle), info.entries);
      context.out << value.str() << "\n";
    } catch (const Error& error) {
      context.out << "error " << (error.code() != 0 ? describeCode(error.code()) : error.what())
                  << "\n";
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
