// "brenvik trigger": the trigger at a glance (mode, state, rate, queue and the four pulse
// form generators), and software triggers fired on the board with --fire.
#include <charconv>
#include <cstdint>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "description/DescriptionRows.h"
#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/ParameterRecord.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

using parameters::sdkId;

constexpr std::uint32_t kMostQueuedPulses = 2040;

struct Reader {
  decltype(&Fg_getParameterWithType) get;
  AppletHandle* handle;
  int failure = 0;  // the first failed read's code

  std::uint32_t number(std::int32_t id) {
    std::uint32_t value = 0;
    note(get(handle, id, &value, 0, runtime::kTypeUint32));
    return value;
  }
  double real(std::int32_t id) {
    double value = 0;
    note(get(handle, id, &value, 0, runtime::kTypeDouble));
    return value;
  }
  void note(int result) {
    if (failure == 0) failure = result;
  }
};

// "ATM_SOFTWARE (4)": the symbol of an enumeration value as its description lists it.
std::string symbol(std::int32_t id, std::uint32_t value) {
  const description::DescriptionRow* row = description::findDescribedRow(id);
  if (row != nullptr && row->values.list != nullptr) {
    for (const parameters::EnumerationEntry& entry : row->values.list->entries) {
      if (static_cast<std::uint32_t>(entry.value) == value) {
        return std::string(entry.name) + " (" + std::to_string(value) + ")";
      }
    }
  }
  return std::to_string(value);
}

struct Generator {
  std::int32_t delay, width, downscale, phase;
};
constexpr Generator kGenerators[] = {
    {sdkId("FG_TRIGGER_PULSEFORMGEN0_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN0_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE"), sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE")},
    {sdkId("FG_TRIGGER_PULSEFORMGEN1_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN1_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE"), sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE")},
    {sdkId("FG_TRIGGER_PULSEFORMGEN2_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN2_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE"), sdkId("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE")},
    {sdkId("FG_TRIGGER_PULSEFORMGEN3_DELAY"), sdkId("FG_TRIGGER_PULSEFORMGEN3_WIDTH"),
     sdkId("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE"), sdkId("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE")},
};

void printView(Reader& read, std::ostream& out) {
  constexpr std::int32_t kMode = sdkId("FG_AREATRIGGERMODE");
  constexpr std::int32_t kState = sdkId("FG_TRIGGERSTATE");
  constexpr std::int32_t kQueue = sdkId("FG_TRIGGERQUEUE_MODE");
  out << "mode        " << symbol(kMode, read.number(kMode)) << "\n";
  out << "state       " << symbol(kState, read.number(kState)) << "\n";
  out << "rate        " << read.real(sdkId("FG_TRIGGER_FRAMESPERSECOND")) << " Hz\n";
  out << "queue       " << symbol(kQueue, read.number(kQueue)) << ", fill level "
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
int fire(decltype(&Fg_setParameterWithType) set, AppletHandle* handle, std::uint32_t pulses) {
  const std::pair<std::int32_t, std::uint32_t> steps[] = {
      {sdkId("FG_AREATRIGGERMODE"), parameters::enumUnsigned("ATM_SOFTWARE")},
      {sdkId("FG_TRIGGERQUEUE_MODE"),
       pulses > 1 ? parameters::enumUnsigned("FG_ON") : parameters::enumUnsigned("FG_OFF")},
      {sdkId("FG_TRIGGERSTATE"), parameters::enumUnsigned("TS_ACTIVE")},
      {sdkId("FG_SENDSOFTWARETRIGGER"), pulses},
  };
  for (auto [id, value] : steps) {
    const int result = set(handle, id, &value, 0, runtime::kTypeUint32);
    if (result != 0) return result;
  }
  return 0;
}

int run(Context& context, const std::vector<std::string>& arguments) {
  std::uint32_t pulses = 0;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--fire" && i + 1 < arguments.size()) {
      const std::string& text = arguments[++i];
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pulses);
      if (error != std::errc{} || end != text.data() + text.size() || pulses < 1 ||
          pulses > kMostQueuedPulses) {
        context.err << "brenvik trigger: --fire takes a number of pulses from 1 to "
                    << kMostQueuedPulses << "\n";
        return kExitUsage;
      }
    } else {
      context.err << "brenvik trigger: unexpected argument '" << arguments[i] << "'\n";
      return kExitUsage;
    }
  }
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  if (pulses > 0) {
    const int result =
        fire(host->function<decltype(&Fg_setParameterWithType)>("Fg_setParameterWithType"),
             host->handle(), pulses);
    if (result != 0) {
      context.err << "brenvik trigger: firing failed: " << describeCode(result) << "\n";
      return kExitFailed;
    }
    context.out << "fired " << pulses << " software trigger" << (pulses > 1 ? "s" : "") << "\n";
  }
  Reader read{host->function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType"),
              host->handle()};
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
    "queue on for more than one pulse) and sends N software triggers (1 to 2040); the view\n"
    "then shows the queue the board's generator is draining.\n",
    &run,
};

}  // namespace brenvik::tool
