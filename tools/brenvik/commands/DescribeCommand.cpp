// "brenvik describe": prints the applet's parameter description tree, categories indented,
// each parameter with its kind, range, unit and access.
#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/brenvik/Command.h"

namespace brenvik::tool {

namespace {

constexpr int kRealDigits = 12;
constexpr std::string_view kCategorySeparator = " / ";

std::string numberText(const std::optional<Value>& value) {
  std::ostringstream text;
  text.precision(kRealDigits);
  if (!value) return "-";
  if (const auto* integer = std::get_if<std::int64_t>(&*value)) text << *integer;
  if (const auto* real = std::get_if<double>(&*value)) text << *real;
  return text.str();
}

// The range of a parameter as text.
std::string rangeText(const ParameterInfo& info) {
  switch (info.kind) {
    case Kind::kInteger:
    case Kind::kDouble:
      return numberText(info.minimum) + " .. " + numberText(info.maximum) + ", step " +
             numberText(info.step);
    case Kind::kLookupTable:
      return std::to_string(info.elements) + " x " + numberText(info.minimum) + " .. " +
             numberText(info.maximum);
    case Kind::kEnumeration:
      return std::to_string(info.entries.size()) +
             (info.entries.size() == 1 ? " entry" : " entries");
    case Kind::kString:
      break;
  }
  return {};
}

const char* accessText(const ParameterInfo& info) {
  if (info.readable && info.writable) return "RW";
  if (info.readable) return "RO";
  if (info.writable) return "WO";
  return "--";
}

std::vector<std::string> categoriesOf(const std::string& path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find(kCategorySeparator, start);
    names.push_back(path.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return names;
    start = end + kCategorySeparator.size();
  }
}

void indent(std::ostream& out, std::size_t depth) { out << std::string(depth * 2, ' '); }

void printParameter(std::ostream& out, const ParameterInfo& info, std::size_t depth, bool entries) {
  indent(out, depth);
  out << info.name << " \"" << info.displayName << "\"  " << kindName(info.kind);
  const std::string range = rangeText(info);
  if (!range.empty()) out << " " << range;
  if (!info.unit.empty()) out << "  " << info.unit;
  out << "  " << accessText(info) << "\n";
  if (!entries) return;
  for (const EnumEntry& entry : info.entries) {
    indent(out, depth + 2);
    out << entry.value << " = " << entry.displayName;
    if (!entry.symbol.empty()) out << " (" << entry.symbol << ")";
    out << "\n";
  }
}

int run(Context& context, const std::vector<std::string>& arguments) {
  bool entries = false;
  for (const auto& argument : arguments) {
    if (argument != "--entries") {
      context.err << "brenvik describe: unexpected argument '" << argument << "'\n";
      return kExitUsage;
    }
    entries = true;
  }
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  const std::vector<ParameterInfo> tree = applet->descriptionTree();
  if (tree.empty()) {
    context.err << "brenvik describe: the applet hands out no description for port 0 (the SDK "
                   "runtime offers no Fg_getParameterInfo)\n";
    return kExitFailed;
  }
  // A category prints where the path of the parameters first enters it.
  std::vector<std::string> open;
  for (const ParameterInfo& info : tree) {
    const std::vector<std::string> path = categoriesOf(info.category);
    std::size_t same = 0;
    while (same < open.size() && same < path.size() && open[same] == path[same]) ++same;
    for (std::size_t depth = same; depth < path.size(); ++depth) {
      indent(context.out, depth);
      context.out << path[depth] << "\n";
    }
    open = path;
    printParameter(context.out, info, path.size(), entries);
  }
  return kExitOk;
}

}  // namespace

extern const Command kDescribeCommand{
    "describe",
    "print the parameter description tree: categories, kinds, ranges, units, access",
    "usage: brenvik [options] describe [--entries]\n"
    "\n"
    "Creates the applet and prints the description tree that Fg_getParameterInfo hands out\n"
    "for port 0, root categories in the order they were made, sub-categories indented. Each\n"
    "parameter shows its name, display name, kind, range (integer limits above 2^31 as the\n"
    "unsigned values they stand for), unit and access (RW, RO, WO). --entries also lists\n"
    "each enumeration's entries as value = display name (entry name). With VURN_ENABLE_DRA\n"
    "the tree ends with \"Direct Register Access\". Exits with 1 when the applet hands out no\n"
    "description.\n",
    &run,
};

}  // namespace brenvik::tool
