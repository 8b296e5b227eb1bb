// "brenvik lut": shows the lookup table compactly, draws its curve as a PNG, and saves or
// loads it through the applet's own file parameters.
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/CurvePng.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

constexpr std::size_t kMostRuns = 32;  // beyond this the table prints as plain rows
constexpr std::size_t kEntriesPerRow = 16;

struct LutArguments {
  std::string load, save, png;
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

// Sets a parameter by name from text; prints the refusal and returns false when it fails.
bool setByName(Context& context, Applet& applet, const char* name, const std::string& text) {
  try {
    applet.set(applet.handle(name), Input::fromText(text));
    return true;
  } catch (const Error& error) {
    context.err << "brenvik lut: " << name << " refused: " << describeCode(error.code()) << "\n";
    return false;
  }
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
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;

  if (!parsed.load.empty()) {
    if (!setByName(context, *applet, "FG_LUT_TYPE", "LUT_TYPE_CUSTOM") ||
        !setByName(context, *applet, "FG_LUT_CUSTOM_FILE", parsed.load)) {
      return kExitFailed;
    }
    context.out << "loaded " << parsed.load << "\n";
  }
  if (!parsed.save.empty()) {
    if (!setByName(context, *applet, "FG_LUT_SAVE_FILE", parsed.save)) return kExitFailed;
    context.out << "saved " << parsed.save << "\n";
  }

  std::vector<std::uint32_t> entries;
  std::int64_t outBits = 0;
  try {
    entries = applet->lookupTable();
    outBits = applet->getInteger(applet->handle("FG_LUT_OUT_BITS"));
  } catch (const Error& error) {
    context.err << "brenvik lut: cannot read the table: " << describeCode(error.code()) << "\n";
    return kExitFailed;
  }
  if (outBits <= 0 || outBits > 32) {
    context.err << "brenvik lut: cannot read the table: " << outBits << " output bits\n";
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
