// "brenvik trigger": the trigger at a glance (mode, state, rate, queue and the four pulse
// form generators), and software triggers fired on the board with --fire.
#include <cstdint>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "parameters/SdkParameterTable.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/NumberText.h"

namespace brenvik::tool {

namespace {

using parameters::sdkId;

struct Reader {
  const Applet& applet;
  int failure = 0;  // the first failed read's code

  std::int64_t number(std::int32_t id) {
    try {
      return applet.getInteger(applet.handle(id));
    } catch (const Error& error) {
      note(error);
      return 0;
    }
  }
  double real(std::int32_t id) {
    try {
      return applet.getDouble(applet.handle(id));
    } catch (const Error& error) {
      note(error);
      return 0;
    }
  }
  // "ATM_SOFTWARE (4)": the value with its symbol, as the parameter's entries name it.
  std::string symbol(std::int32_t id) {
    const std::int64_t value = number(id);
    for (const EnumEntry& entry : applet.parameter(id).entries) {
      if (entry.value == value) return entry.symbol + " (" + std::to_string(value) + ")";
    }
    return std::to_string(value);
  }
  void note(const Error& error) {
    if (failure == 0) failure = error.code() != 0 ? error.code() : -1;
  }
};

struct Generator {
  std::int32_t delay, width, downscale, phase;
};
constexpr Generator kGenerators[] = {
    {sdkId("FG_TRIGGER_PULSEFORMGEN0_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN0_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE"),
     sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE")},
    {sdkId("FG_TRIGGER_PULSEFORMGEN1_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN1_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE"),
     sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE")},
    {sdkId("FG_TRIGGER_PULSEFORMGEN2_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN2_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE"),
     sdkId("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE")},
    {sdkId("FG_TRIGGER_PULSEFORMGEN3_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN3_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE"),
     sdkId("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE")},
};

void printView(Reader& read, std::ostream& out) {
  out << "mode        " << read.symbol(sdkId("FG_AREATRIGGERMODE")) << "\n";
  out << "state       " << read.symbol(sdkId("FG_TRIGGERSTATE")) << "\n";
  out << "rate        " << read.real(sdkId("FG_TRIGGER_FRAMESPERSECOND")) << " Hz\n";
  out << "queue       " << read.symbol(sdkId("FG_TRIGGERQUEUE_MODE")) << ", fill level "
      << read.number(sdkId("FG_TRIGGERQUEUE_FILLLEVEL")) << ", busy "
      << read.number(sdkId("FG_SOFTWARETRIGGER_IS_BUSY")) << "\n";
  out << "pulses out  " << read.number(sdkId("FG_TRIGGEROUT_STATS_PULSECOUNT")) << "\n";
  out << "generator   delay us     width us  downscale  phase\n";
  for (std::size_t g = 0; g < std::size(kGenerators); ++g) {
    const Generator& generator = kGenerators[g];
    out << std::left << std::setw(12) << g << std::right << std::setw(8)
        << read.real(generator.delay) << std::setw(13) << read.real(generator.width)
        << std::setw(11) << read.number(generator.downscale) << std::setw(7)
        << read.number(generator.phase) << "\n";
  }
}

// Puts the trigger into software mode, active, with the queue on when more than one pulse is
// to wait, and sends the pulses in one set.
void fire(Applet& applet, std::uint32_t pulses) {
  const std::pair<std::int32_t, const char*> steps[] = {
      {sdkId("FG_AREATRIGGERMODE"), "ATM_SOFTWARE"},
      {sdkId("FG_TRIGGERQUEUE_MODE"), pulses > 1 ? "FG_ON" : "FG_OFF"},
      {sdkId("FG_TRIGGERSTATE"), "TS_ACTIVE"},
  };
  for (const auto& [id, symbol] : steps) applet.set(applet.handle(id), Input::fromText(symbol));
  applet.fireSoftwareTrigger(pulses);
}

int run(Context& context, const std::vector<std::string>& arguments) {
  std::uint32_t pulses = 0;
  bool firing = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--fire" && i + 1 < arguments.size()) {
      firing = true;
      if (!parseWhole(arguments[++i], pulses)) pulses = 0;
    } else {
      context.err << "brenvik trigger: unexpected argument '" << arguments[i] << "'\n";
      return kExitUsage;
    }
  }
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  if (firing) {
    // The queue holds as many pulses as its fill level can count.
    const ParameterInfo queue = applet->parameter(sdkId("FG_TRIGGERQUEUE_FILLLEVEL"));
    const std::int64_t most = queue.maximum ? std::get<std::int64_t>(*queue.maximum) : 1;
    if (pulses < 1 || pulses > most) {
      context.err << "brenvik trigger: --fire takes a number of pulses from 1 to " << most << "\n";
      return kExitUsage;
    }
    try {
      fire(*applet, pulses);
    } catch (const Error& error) {
      context.err << "brenvik trigger: firing failed: " << describeCode(error.code()) << "\n";
      return kExitFailed;
    }
    context.out << "fired " << pulses << " software trigger" << (pulses > 1 ? "s" : "") << "\n";
  }
  Reader read{*applet};
  printView(read, context.out);
  if (read.failure != 0) {
    context.err << "brenvik trigger: a read failed: " << describeCode(read.failure) << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

extern const Command kTriggerCommand{
    "trigger",
    "show the trigger's mode, state, rate, queue and pulse form generators; fire pulses",
    "usage: brenvik [options] trigger [--fire N]\n"
    "\n"
    "Creates the applet and shows the area trigger mode, the trigger state, the generator's\n"
    "rate, the queue with its fill level and busy flag, the pulses sent out, and delay,\n"
    "width, downscale and phase of the four pulse form generators.\n"
    "--fire N first puts the trigger into software mode and the active state (with the\n"
    "queue on for more than one pulse) and sends N software triggers (1 to the queue's size);\n"
    "the view"
    "then shows the queue the board's generator is draining.\n",
    &run,
};

}  // namespace brenvik::tool
