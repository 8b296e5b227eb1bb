// "brenvik lut": shows the lookup table compactly, draws its curve as a PNG, and saves or
// loads it through the applet's own file parameters.
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "parameters/Enumerations.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/CurvePng.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

constexpr std::uint32_t kLutSize = 1024;
constexpr std::size_t kMostRuns = 32;  // beyond this the table prints as plain rows
constexpr std::size_t kEntriesPerRow = 16;

struct LutArguments {
  std::string load, save, png;
};

struct Exports {
  decltype(&Fg_getParameterWithType) get;
  decltype(&Fg_setParameterWithType) set;
  decltype(&Fg_getParameterIdByName) idByName;
};

bool parseArguments(Context& context, const std::vector<std::string>& arguments,
                    LutArguments& parsed) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    std::string* target = option == "--load"   ? &parsed.load
                          : option == "--save" ? &parsed.save
                          : option == "--png"  ? &parsed.png
                                               : nullptr;
    if (target == nullptr) {
      context.err << "brenvik lut: unexpected argument '" << option << "'\n";
      return false;
    }
    if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
      context.err << "brenvik lut: " << option << " takes a file name\n";
      return false;
    }
    *target = arguments[++i];
  }
  return true;
}

// Sets a parameter by name; prints the refusal and returns false when it fails.
bool setByName(Context& context, const Exports& exports, AppletHandle* handle, const char* name,
               const void* value, int type) {
  const int result = exports.set(handle, exports.idByName(handle, name), value, 0, type);
  if (result != 0)
    context.err << "brenvik lut: " << name << " refused: " << describeCode(result) << "\n";
  return result == 0;
}

// Runs of entries with one step between neighbours: "[first .. last]  from .. to  (step s)".
struct Run {
  std::size_t first, last;
};

std::vector<Run> runsOf(const std::vector<std::uint32_t>& entries) {
  std::vector<Run> runs;
  std::size_t first = 0;
  while (first < entries.size()) {
    std::size_t last = first;
    if (first + 1 < entries.size()) {
      const auto step = static_cast<std::int64_t>(entries[first + 1]) - entries[first];
      last = first + 1;
      while (last + 1 < entries.size() &&
             static_cast<std::int64_t>(entries[last + 1]) - entries[last] == step) {
        ++last;
      }
    }
    runs.push_back({first, last});
    first = last + 1;
  }
  return runs;
}

void printTable(std::ostream& out, const std::vector<std::uint32_t>& entries) {
  const std::vector<Run> runs = runsOf(entries);
  if (runs.size() > kMostRuns) {
    out << "FG_LUT_VALUE: " << entries.size() << " entries\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (i % kEntriesPerRow == 0) out << (i == 0 ? "" : "\n") << "  [" << std::setw(4) << i << "]";
      out << ' ' << std::setw(4) << entries[i];
    }
    out << "\n";
    return;
  }
  out << "FG_LUT_VALUE: " << entries.size() << " entries in " << runs.size()
      << (runs.size() == 1 ? " straight run\n" : " straight runs\n");
  for (const Run& run : runs) {
    out << "  [" << std::setw(4) << run.first;
    if (run.last == run.first) {
      out << "        ]  " << entries[run.first] << "\n";
      continue;
    }
    const auto step = static_cast<std::int64_t>(entries[run.first + 1]) - entries[run.first];
    out << " .. " << std::setw(4) << run.last << "]  " << entries[run.first] << " .. "
        << entries[run.last] << "  (step " << step << ")\n";
  }
}

int run(Context& context, const std::vector<std::string>& arguments) {
  LutArguments parsed;
  if (!parseArguments(context, arguments, parsed)) return kExitUsage;
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  const Exports exports{
      host->function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType"),
      host->function<decltype(&Fg_setParameterWithType)>("Fg_setParameterWithType"),
      host->function<decltype(&Fg_getParameterIdByName)>("Fg_getParameterIdByName")};
  AppletHandle* handle = host->handle();

  if (!parsed.load.empty()) {
    constexpr std::uint32_t kCustom = parameters::enumUnsigned("LUT_TYPE_CUSTOM");
    if (!setByName(context, exports, handle, "FG_LUT_TYPE", &kCustom, runtime::kTypeUint32) ||
        !setByName(context, exports, handle, "FG_LUT_CUSTOM_FILE", parsed.load.c_str(),
                   runtime::kTypeString)) {
      return kExitFailed;
    }
    context.out << "loaded " << parsed.load << "\n";
  }
  if (!parsed.save.empty()) {
    if (!setByName(context, exports, handle, "FG_LUT_SAVE_FILE", parsed.save.c_str(),
                   runtime::kTypeString)) {
      return kExitFailed;
    }
    context.out << "saved " << parsed.save << "\n";
  }

  std::vector<std::uint32_t> entries(kLutSize);
  runtime::FieldParameterAccess access{2, 0, kLutSize, entries.data()};
  std::uint32_t outBits = 0;
  int result = exports.get(handle, exports.idByName(handle, "FG_LUT_VALUE"), &access, 0,
                           runtime::kTypeField);
  if (result == 0) {
    result = exports.get(handle, exports.idByName(handle, "FG_LUT_OUT_BITS"), &outBits, 0,
                         runtime::kTypeUint32);
  }
  if (result != 0 || outBits == 0 || outBits > 32) {
    context.err << "brenvik lut: cannot read the table: " << describeCode(result) << "\n";
    return kExitFailed;
  }
  printTable(context.out, entries);

  if (!parsed.png.empty()) {
    const auto maximum = static_cast<std::uint32_t>((std::uint64_t{1} << outBits) - 1);
    std::string error;
    if (!writeCurvePng(parsed.png, entries, maximum, &error)) {
      context.err << "brenvik lut: " << error << "\n";
      return kExitFailed;
    }
    context.out << "drew the curve into " << parsed.png << " (" << kCurvePictureSize << " x "
                << kCurvePictureSize << " PNG)\n";
  }
  return kExitOk;
}

}  // namespace

extern const Command kLutCommand{
    "lut",
    "show the lookup table, draw its curve, save or load it",
    "usage: brenvik [options] lut [--load FILE] [--save FILE] [--png FILE]\n"
    "\n"
    "Creates the applet and, in this order: with --load switches FG_LUT_TYPE to\n"
    "LUT_TYPE_CUSTOM and loads FILE through FG_LUT_CUSTOM_FILE; with --save writes the table\n"
    "to FILE through FG_LUT_SAVE_FILE; prints the table as its straight runs (or as rows of\n"
    "entries when it has many); with --png draws the curve, input to the right and output\n"
    "upwards, into a PNG picture. Combine with 'set ... then lut' to see processing values.\n",
    &run,
};

}  // namespace brenvik::tool
