// "brenvik debug": the design's debug points and the selected point's state, and injection
// of single pixels or a PGM image through the debug parameters.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "parameters/SdkParameterTable.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/NumberText.h"

namespace brenvik::tool {

namespace {

constexpr std::uint32_t kOn = 1;
constexpr std::uint32_t kEndOfLine = 0;

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

// The applet's debug parameters, each failure printed with its parameter.
class Debug {
 public:
  Debug(Applet& applet, Context& context) : applet_(applet), context_(context) {}

  std::optional<std::uint32_t> number(Parameter parameter) {
    return attempt("reading", parameter, [&] {
      return static_cast<std::uint32_t>(applet_.getInteger(applet_.handle(parameter.id)));
    });
  }
  std::string text(Parameter parameter) {
    return attempt("reading", parameter,
                   [&] { return std::get<std::string>(applet_.get(applet_.handle(parameter.id))); })
        .value_or("?");
  }
  bool set(Parameter parameter, std::uint64_t value) {
    return attempt("setting", parameter,
                   [&] {
                     applet_.setInteger(applet_.handle(parameter.id),
                                        static_cast<std::int64_t>(value));
                     return true;
                   })
        .has_value();
  }
  bool setText(Parameter parameter, const std::string& value) {
    return attempt("setting", parameter,
                   [&] {
                     applet_.set(applet_.handle(parameter.id), Value(value));
                     return true;
                   })
        .has_value();
  }
  // Quiet selection, for finding how many points there are.
  bool select(std::uint32_t index) {
    try {
      applet_.setInteger(applet_.handle(kSource.id), index);
      return true;
    } catch (const Error&) {
      return false;
    }
  }

 private:
  template <typename Call>
  auto attempt(const char* doing, Parameter parameter, Call call)
      -> std::optional<decltype(call())> {
    try {
      return call();
    } catch (const Error& error) {
      context_.err << "brenvik debug: " << doing << " " << parameter.name
                   << " failed: " << (error.code() != 0 ? describeCode(error.code()) : error.what())
                   << "\n";
      return std::nullopt;
    }
  }

  Applet& applet_;
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
  if (!parseWhole(text, value, Radix::kDecimalOrHex)) return std::nullopt;
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

  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  Debug debug(*applet, context);
  if (point && !debug.set(kSource, *point)) return kExitFailed;

  if (action != "show") {
    // Input and output on; an Inject point has no output and only keeps the setting.
    if (!debug.set(kInput, kOn) || !debug.set(kOutput, kOn)) return kExitFailed;
  }
  if (action == "pixel") {
    for (const std::uint64_t pixel : pixels) {
      if (!debug.set(kWritePixel, pixel)) return kExitFailed;
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
