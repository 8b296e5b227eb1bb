// "brenvik describe": prints the applet's parameter description tree, categories indented,
// each parameter with its kind, range, unit and access.
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ParameterRecord.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/DescriptionText.h"

namespace brenvik::tool {

namespace {

using runtime::ParameterRecord;

constexpr int kRealDigits = 12;

// The range of a parameter record as text; kind 1 keeps limits above 2^31 as unsigned
// 32-bit patterns.
std::string rangeText(const ParameterRecord& record) {
  std::ostringstream range;
  range.precision(kRealDigits);
  const auto& d = record.data;
  switch (record.kind) {
    case runtime::kKindInteger:
      range << static_cast<std::uint32_t>(d.integer.minimum) << " .. "
            << static_cast<std::uint32_t>(d.integer.maximum) << ", step "
            << static_cast<std::uint32_t>(d.integer.step);
      break;
    case runtime::kKindInteger2:
      range << d.integer.minimum << " .. " << d.integer.maximum << ", step " << d.integer.step;
      break;
    case runtime::kKindIntegerField:
      range << d.field.elementCount << " x " << d.field.minimum << " .. " << d.field.maximum;
      break;
    case runtime::kKindDouble:
      range << d.real.minimum << " .. " << d.real.maximum << ", step " << d.real.step;
      break;
    case runtime::kKindUint64:
    case runtime::kKindUint64b:
      range << d.uint64.minimum << " .. " << d.uint64.maximum << ", step " << d.uint64.step;
      break;
    case runtime::kKindEnumeration:
      range << d.enumeration.entryCount << (d.enumeration.entryCount == 1 ? " entry" : " entries");
      break;
    case runtime::kKindString:
      if (d.string.fileFilter != nullptr && *d.string.fileFilter != '\0') {
        range << "filter " << d.string.fileFilter;
      }
      break;
    default:
      break;
  }
  return range.str();
}

class TreePrinter {
 public:
  TreePrinter(std::ostream& out, bool entries) : out_(out), entries_(entries) {}

  void category(const ParameterRecord& record, int depth) {
    indent(depth);
    out_ << printable(record.displayName) << "\n";
    for (const ParameterRecord* child : runtime::childrenOf(record)) {
      if (child == nullptr) continue;
      if (child->kind == runtime::kKindCategory) {
        category(*child, depth + 1);
      } else {
        parameter(*child, depth + 1);
      }
    }
  }

 private:
  void indent(int depth) { out_ << std::string(static_cast<std::size_t>(depth) * 2, ' '); }

  void parameter(const ParameterRecord& record, int depth) {
    indent(depth);
    out_ << printable(record.name) << " \"" << printable(record.displayName) << "\"  "
         << kindName(record.kind);
    const std::string range = rangeText(record);
    if (!range.empty()) out_ << " " << range;
    if (record.unit != nullptr && *record.unit != '\0') out_ << "  " << printable(record.unit);
    out_ << "  " << accessText(record.access) << "\n";
    if (!entries_ || record.kind != runtime::kKindEnumeration) return;
    const auto& entries = record.data.enumeration;
    for (std::int32_t i = 0; i < entries.entryCount; ++i) {
      indent(depth + 2);
      out_ << (entries.values != nullptr ? entries.values[i] : 0) << " = "
           << printable(entries.displayNames != nullptr ? entries.displayNames[i] : nullptr);
      if (record.entryNames != nullptr && record.entryNames[i] != nullptr) {
        out_ << " (" << record.entryNames[i] << ")";
      }
      out_ << "\n";
    }
  }

  std::ostream& out_;
  bool entries_;
};

int run(Context& context, const std::vector<std::string>& arguments) {
  bool entries = false;
  for (const auto& argument : arguments) {
    if (argument != "--entries") {
      context.err << "brenvik describe: unexpected argument '" << argument << "'\n";
      return kExitUsage;
    }
    entries = true;
  }
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  const auto info = host->function<decltype(&Fg_getParameterInfo)>("Fg_getParameterInfo");
  const auto* newest =
      reinterpret_cast<const ParameterRecord*>(info != nullptr ? info(host->handle(), 0) : nullptr);
  if (newest == nullptr) {
    context.err << "brenvik describe: the applet hands out no description for port 0 (the SDK "
                   "runtime offers no Fg_getParameterInfo)\n";
    return kExitFailed;
  }
  // Roots are linked newest first; print them in the order they were made.
  const ParameterRecord* oldest = newest;
  while (oldest->olderRoot != nullptr) oldest = oldest->olderRoot;
  TreePrinter printer(context.out, entries);
  for (const ParameterRecord* root = oldest; root != nullptr; root = root->newerRoot) {
    printer.category(*root, 0);
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
