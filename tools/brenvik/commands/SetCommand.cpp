// "brenvik set": sets parameters by name or id, each value read in the parameter's own type,
// in order, then optionally runs another command on the same applet.
#include <cstdint>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "applet/InfoQueries.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Assignments.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

using parameters::ValueForm;

constexpr int kValueOfNameQuery = info::namedQuery("value of name").code;

// One NAME=VALUE as given, and what it becomes once the applet is there.
struct Assignment {
  std::string name;
  std::string text;
  int id = 0;
  std::string label;  // "FG_WIDTH (100)"
  int type = runtime::kTypeUint32;
  std::uint32_t narrow = 0;
  std::uint64_t wide = 0;
  double real = 0;
  std::string shown;  // the value as it is printed
  const void* value() const {
    switch (type) {
      case runtime::kTypeUint64:
        return &wide;
      case runtime::kTypeDouble:
        return &real;
      case runtime::kTypeString:
        return text.c_str();
      default:
        return &narrow;
    }
  }
};

// An integer as a number or as a value name that Info knows (FG_GRAY16, ATM_SOFTWARE, ...).
std::optional<std::int64_t> parseInteger(const AppletHost& host, const std::string& text,
                                         std::string* shown) {
  if (const auto number = parseNumber<std::int64_t>(text)) {
    *shown = std::to_string(*number);
    return number;
  }
  const int value = host.info(kValueOfNameQuery, 0, 0, const_cast<char*>(text.c_str()), nullptr);
  if (value < 0) return std::nullopt;
  *shown = text + " (" + std::to_string(value) + ")";
  return value;
}

// Reads the value in the form of the parameter; false with a message when it does not fit.
bool parseValue(const AppletHost& host, ValueForm form, Assignment& assignment, std::ostream& err) {
  auto refuse = [&](const char* what) {
    err << "brenvik set: " << assignment.label << " takes " << what << ", not '" << assignment.text
        << "'\n";
    return false;
  };
  switch (form) {
    case ValueForm::kDouble: {
      const auto value = parseDouble(assignment.text);
      if (!value) return refuse("a number");
      assignment.type = runtime::kTypeDouble;
      assignment.real = *value;
      std::ostringstream shown;
      shown << std::setprecision(std::numeric_limits<double>::max_digits10) << *value;
      assignment.shown = shown.str();
      return true;
    }
    case ValueForm::kText:
      assignment.type = runtime::kTypeString;
      assignment.shown = '"' + assignment.text + '"';
      return true;
    case ValueForm::kUint64: {
      const auto value = parseNumber<std::uint64_t>(assignment.text);
      if (!value) return refuse("a 64-bit unsigned integer");
      assignment.type = runtime::kTypeUint64;
      assignment.wide = *value;
      assignment.shown = std::to_string(*value);
      return true;
    }
    case ValueForm::kLutEntries:
      err << "brenvik set: " << assignment.label
          << " holds lookup-table entries, which set does not write\n";
      return false;
    case ValueForm::kUint32:
    case ValueForm::kAsRequested: {
      const auto value = parseInteger(host, assignment.text, &assignment.shown);
      if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
          *value > std::numeric_limits<std::uint32_t>::max()) {
        return refuse("a 32-bit integer or a value name");
      }
      assignment.narrow = static_cast<std::uint32_t>(*value);
      return true;
    }
  }
  return false;
}

// Ids outside the SDK table (direct registers and hardware parameters) take an integer:
// 32 bits when it fits, else 64.
bool parseOtherValue(const AppletHost& host, Assignment& assignment, std::ostream& err) {
  if (const auto value = parseInteger(host, assignment.text, &assignment.shown);
      value && *value >= std::numeric_limits<std::int32_t>::min() &&
      *value <= std::numeric_limits<std::uint32_t>::max()) {
    assignment.narrow = static_cast<std::uint32_t>(*value);
    return true;
  }
  if (const auto wide = parseNumber<std::uint64_t>(assignment.text)) {
    assignment.type = runtime::kTypeUint64;
    assignment.wide = *wide;
    assignment.shown = std::to_string(*wide);
    return true;
  }
  err << "brenvik set: " << assignment.label << " takes an integer, not '" << assignment.text
      << "'\n";
  return false;
}

int run(Context& context, const std::vector<std::string>& arguments) {
  const auto parsed = parseAssignments("set", arguments, context.err);
  if (!parsed) return kExitUsage;
  std::vector<Assignment> assignments;
  for (const auto& [name, text] : parsed->pairs) {
    Assignment& assignment = assignments.emplace_back();
    assignment.name = name;
    assignment.text = text;
  }
  const Command* then = parsed->then;
  const std::vector<std::string>& thenArguments = parsed->thenArguments;

  std::int32_t creation = 0;
  auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  const auto idByName =
      host->function<decltype(&Fg_getParameterIdByName)>("Fg_getParameterIdByName");
  const auto setParameter =
      host->function<decltype(&Fg_setParameterWithType)>("Fg_setParameterWithType");

  // Every name and value is understood before the first one is set.
  for (Assignment& assignment : assignments) {
    const auto number = parseNumber<std::int32_t>(assignment.name);
    assignment.id = number ? *number : idByName(host->handle(), assignment.name.c_str());
    if (!number && assignment.id < 0) {
      context.err << "brenvik set: unknown parameter '" << assignment.name
                  << "': " << describeCode(assignment.id) << "\n";
      return kExitFailed;
    }
    const parameters::SdkParameter* row = parameters::findSdkParameter(assignment.id);
    assignment.label = (row != nullptr ? std::string(row->name) : assignment.name) + " (" +
                       std::to_string(assignment.id) + ")";
    const bool understood = row != nullptr ? parseValue(*host, row->form, assignment, context.err)
                                           : parseOtherValue(*host, assignment, context.err);
    if (!understood) return kExitUsage;
  }

  int status = kExitOk;
  for (const Assignment& assignment : assignments) {
    const int result =
        setParameter(host->handle(), assignment.id, assignment.value(), 0, assignment.type);
    if (result != 0) {
      context.err << "brenvik set: " << assignment.label << " = " << assignment.shown
                  << " refused: " << describeCode(result) << "\n";
      status = kExitFailed;
      break;
    }
    context.out << assignment.label << " := " << assignment.shown << "\n";
  }
  if (then == nullptr) return status;
  context.prepared = std::move(host);
  const int thenStatus = then->run(context, thenArguments);
  return status != kExitOk ? status : thenStatus;
}

}  // namespace

extern const Command kSetCommand{
    "set",
    "set parameters by name or id, in order, then optionally run a command",
    "usage: brenvik [options] set NAME=VALUE ... [then COMMAND [arguments]]\n"
    "\n"
    "Creates the applet (or takes the one that 'play ... then' prepared) and sets each\n"
    "parameter in the order given. NAME is a parameter name (FG_WIDTH) or an id. VALUE is\n"
    "read in the parameter's own type: an integer (decimal, 0x hexadecimal, or negative for\n"
    "signed values), a double, or a text. Enumeration values may be given by name\n"
    "(FG_GRAY16, FG_VANTAGEPOINT_TOP_RIGHT) as well as by number. Each value set prints as\n"
    "NAME (ID) := VALUE.\n"
    "\n"
    "A refused value prints the error code and its meaning; the values before it stay set,\n"
    "the ones after it are not tried, and the exit status is 1. With 'then' the command\n"
    "runs on the same applet afterwards (also after a refusal), so it shows what the\n"
    "applet kept:\n"
    "  brenvik set FG_WIDTH=512 FG_FORMAT=FG_GRAY16 then get FG_WIDTH FG_FORMAT\n",
    &run,
};

}  // namespace brenvik::tool
