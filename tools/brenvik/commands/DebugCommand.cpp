// "brenvik debug": the design's debug points and the selected point's state, and injection
// of single pixels or a PGM image through the debug parameters.
#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

constexpr std::uint32_t kOn = 1;
constexpr std::uint32_t kEndOfLine = 0;
constexpr std::size_t kTextSize = 1024;

// A debug parameter by its id and its name for messages.
struct Parameter {
  std::int32_t id;
  std::string_view name;
};
consteval Parameter debugParameter(parameters::SdkName parameter) {
  return {parameter.id(), parameter.name()};
}
constexpr Parameter kSource = debugParameter("FG_DEBUGSOURCE");
constexpr Parameter kSourceName = debugParameter("FG_DEBUGSOURCENAME");
constexpr Parameter kInput = debugParameter("FG_DEBUGINENABLE");
constexpr Parameter kOutput = debugParameter("FG_DEBUGOUTENABLE");
constexpr Parameter kReady = debugParameter("FG_DEBUGREADY");
constexpr Parameter kFile = debugParameter("FG_DEBUGFILE");
constexpr Parameter kXPosition = debugParameter("FG_DEBUGOUTXPOS");
constexpr Parameter kYPosition = debugParameter("FG_DEBUGOUTYPOS");
constexpr Parameter kPixel = debugParameter("FG_DEBUGOUTPIXEL");
constexpr Parameter kWritePixel = debugParameter("FG_DEBUGWRITEPIXEL");
constexpr Parameter kWriteFlag = debugParameter("FG_DEBUGWRITEFLAG");
constexpr Parameter kInsert = debugParameter("FG_DEBUGINSERT");

// The applet's get and set exports, each failure printed with its parameter.
class Debug {
 public:
  Debug(AppletHost& host, Context& context)
      : get_(host.function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType")),
        set_(host.function<decltype(&Fg_setParameterWithType)>("Fg_setParameterWithType")),
        handle_(host.handle()),
        context_(context) {}

  bool usable() const { return get_ != nullptr && set_ != nullptr; }

  std::optional<std::uint32_t> number(Parameter parameter) {
    std::uint32_t value = 0;
    if (!check(get_(handle_, parameter.id, &value, 0, runtime::kTypeUint32), "reading",
               parameter.name)) {
      return std::nullopt;
    }
    return value;
  }
  std::string text(Parameter parameter) {
    std::string value(kTextSize, '\0');
    if (!check(get_(handle_, parameter.id, value.data(), 0, runtime::kTypeString), "reading",
               parameter.name)) {
      return "?";
    }
    return value.c_str();
  }
  bool set(Parameter parameter, std::uint32_t value) {
    return check(set_(handle_, parameter.id, &value, 0, runtime::kTypeUint32), "setting",
                 parameter.name);
  }
  bool setWide(Parameter parameter, std::uint64_t value) {
    return check(set_(handle_, parameter.id, &value, 0, runtime::kTypeUint64), "setting",
                 parameter.name);
  }
  bool setText(Parameter parameter, const std::string& value) {
    return check(set_(handle_, parameter.id, value.c_str(), 0, runtime::kTypeString), "setting",
                 parameter.name);
  }
  // Quiet selection, for finding how many points there are.
  bool select(std::uint32_t index) {
    return set_(handle_, kSource.id, &index, 0, runtime::kTypeUint32) == 0;
  }

 private:
  bool check(int result, const char* doing, std::string_view name) {
    if (result == 0) return true;
    context_.err << "brenvik debug: " << doing << " " << name << " failed: " << describeCode(result)
                 << "\n";
    return false;
  }

  decltype(&Fg_getParameterWithType) get_;
  decltype(&Fg_setParameterWithType) set_;
  AppletHandle* handle_;
  Context& context_;
};

std::string onOff(std::optional<std::uint32_t> value) {
  return !value ? "?" : *value != 0 ? "on" : "off";
}
std::string shown(std::optional<std::uint32_t> value) {
  return value ? std::to_string(*value) : "?";
}

// Every point by index and name, the selected one marked, then the selected point's state.
void show(Debug& debug, std::ostream& out) {
  const std::optional<std::uint32_t> selected = debug.number(kSource);
  if (!selected) return;
  std::uint32_t count = 0;
  std::vector<std::string> names;
  // The applet offers no count: each index is selected until one is refused, then the
  // original selection is restored.
  while (debug.select(count)) {
    names.push_back(debug.text(kSourceName));
    ++count;
  }
  if (count > 0) debug.select(*selected);
  out << "debug points: " << count << "\n";
  for (std::uint32_t index = 0; index < count; ++index) {
    out << (index == *selected ? "* " : "  ") << index << " " << names[index] << "\n";
  }
  if (count == 0) return;
  out << "point " << *selected << ": input " << onOff(debug.number(kInput)) << ", output "
      << onOff(debug.number(kOutput)) << ", ready " << shown(debug.number(kReady)) << "\n"
      << "  file '" << debug.text(kFile) << "'\n"
      << "  monitor x " << shown(debug.number(kXPosition)) << ", y "
      << shown(debug.number(kYPosition)) << ", pixel " << shown(debug.number(kPixel)) << "\n";
}

template <typename Number>
std::optional<Number> parse(std::string_view text) {
  Number value{};
  int base = 10;
  if (text.starts_with("0x")) {
    text.remove_prefix(2);
    base = 16;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int usage(Context& context, const std::string& why) {
  context.err << "brenvik debug: " << why << "\n";
  return kExitUsage;
}

int run(Context& context, const std::vector<std::string>& arguments) {
  std::size_t next = 0;
  std::optional<std::uint32_t> point;
  if (next < arguments.size() && arguments[next] == "--point") {
    if (next + 1 >= arguments.size()) return usage(context, "--point takes a number");
    point = parse<std::uint32_t>(arguments[next + 1]);
    if (!point) return usage(context, "--point takes a number");
    next += 2;
  }
  const std::string action = next < arguments.size() ? arguments[next++] : "show";
  const std::vector<std::string> rest(arguments.begin() + static_cast<std::ptrdiff_t>(next),
                                      arguments.end());
  std::vector<std::uint64_t> pixels;
  if (action == "pixel") {
    if (rest.empty()) return usage(context, "pixel takes one or more values");
    for (const std::string& text : rest) {
      const auto pixel = parse<std::uint64_t>(text);
      if (!pixel) return usage(context, "not a pixel value: '" + text + "'");
      pixels.push_back(*pixel);
    }
  } else if (action == "image") {
    if (rest.size() != 1) return usage(context, "image takes one PGM file");
  } else if (action != "show" || !rest.empty()) {
    return usage(context, "unknown action '" + action + "'");
  }

  std::int32_t creation = 0;
  auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  Debug debug(*host, context);
  if (!debug.usable()) return kExitFailed;
  if (point && !debug.set(kSource, *point)) return kExitFailed;

  if (action != "show") {
    // Input and output on; an Inject point has no output and only keeps the setting.
    if (!debug.set(kInput, kOn) || !debug.set(kOutput, kOn)) return kExitFailed;
  }
  if (action == "pixel") {
    for (const std::uint64_t pixel : pixels) {
      if (!debug.setWide(kWritePixel, pixel)) return kExitFailed;
    }
    // The pixels given form one line of their own.
    if (!debug.set(kWriteFlag, kEndOfLine)) return kExitFailed;
    context.out << "injected " << pixels.size() << " pixel(s)\n";
  } else if (action == "image") {
    if (!debug.setText(kFile, rest[0]) || !debug.set(kInsert, kOn)) {
      return kExitFailed;
    }
    context.out << "inserted " << rest[0] << "\n";
  }
  show(debug, context.out);
  return kExitOk;
}

}  // namespace

extern const Command kDebugCommand{
    "debug",
    "show the debug points, or inject pixels or a PGM image at one",
    "usage: brenvik [options] debug [--point N] [show | pixel VALUE ... | image FILE.pgm]\n"
    "\n"
    "Lists the design's debug points with the selected one marked, and that point's input,\n"
    "output, ready flag, debug file and monitored position and pixel. --point N selects a\n"
    "point first. 'pixel' switches the point's input and output on and injects the values as\n"
    "one line; 'image' names a binary PGM file as the point's debug file and inserts it.\n"
    "  brenvik debug --point 1 image frame.pgm\n",
    &run,
};

}  // namespace brenvik::tool
