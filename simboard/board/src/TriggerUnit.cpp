// The trigger unit of the simulated board: a pulse queue that software triggers fill and the
// generator drains at its minimum period, with the fill level, the busy state and the output
// pulse counter the applet reads back.
// Software triggers enter the queue (or, with the queue off, only an idle
// generator), the running generator starts one pulse per period, and the status values
// follow. The unit publishes a status value only when its own model changes it, so values
// played in through the control interface stay until the unit has news.
#include <array>
#include <optional>

#include "Behaviour.h"
#include "HardwareNames.h"
#include "UnitInterfaces.h"

namespace brenvik::simboard {

namespace {

constexpr std::string_view kPrefix = "Device1_Process1_Trigger_";

enum class Watched : std::size_t {
  kSoftwareTrigger,
  kClearQueuePulse,
  kPulseFormClear,
  kMinimumPeriod,
  kQueueFullValue,
  kQueueEnabled,
  kEnableQueue,
  kClearOutputPulses,
  kQueueValue,
  kMaximumReached,
  kQueueStatus,
  kOutputPulses,
  kCount
};
using enum Watched;

constexpr NamedSlot<Watched> kNames[] = {
    {.slot = kSoftwareTrigger, .name = "TriggerCam0_TriggerMode_SoftwareTrigger_Mode"},
    {.slot = kClearQueuePulse, .name = "TriggerCam0_Generators_ClearQueuePulse_Mode"},
    {.slot = kPulseFormClear, .name = "TriggerCam0_PulseFormGenerators_Clear_Mode"},
    {.slot = kMinimumPeriod, .name = "TriggerCam0_Generators_Generator_MinimumPeriod_Number"},
    {.slot = kQueueFullValue, .name = "TriggerCam0_Generators_Queue_QueueFullValue_Number"},
    {.slot = kQueueEnabled, .name = "TriggerCam0_Generators_Queue_QueueEnabled_Select"},
    {.slot = kEnableQueue, .name = "TriggerCam0_Generators_EnableQueue_Select"},
    {.slot = kClearOutputPulses, .name = "TriggerCam0_OutputStatistics_ClearPulses_Mode"},
    {.slot = kQueueValue, .name = "TriggerCam0_Generators_QueueValue_Status"},
    {.slot = kMaximumReached, .name = "TriggerCam0_Generators_Generator_MaximumReached_Status"},
    {.slot = kQueueStatus, .name = "Monitoring_ReadQueueStatus_Status"},
    {.slot = kOutputPulses, .name = "TriggerCam0_OutputStatistics_ReadPulses_Status"},
};
static_assert(namesEverySlotOnce(kNames));

constexpr std::uint64_t kTickNanoseconds = 8;
constexpr std::uint64_t kPeriodOffsetTicks = 9;  // the generator adds these to each period
constexpr std::uint64_t kFire = 2;              // the one-shot value of a trigger or clear
constexpr std::uint64_t kQueueFullBit = 1u << 1;
constexpr std::uint64_t kPulseCountLimit = 65536;  // the counter is 16 bits wide

class TriggerUnit final : public Behaviour, public PulseSource {
 public:
  std::vector<std::size_t> attach(const Design& design, ParameterStore& values,
                                  Clock::time_point now) override {
    index_ = resolveNames(design, kPrefix, kNames);
    if (!index_) return {};  // a design without a trigger unit
    queued_ = 0;
    pulses_ = 0;
    started_ = 0;
    busyUntil_ = now;
    lastUpdate_ = now;
    // The design's initial values are the idle unit's: nothing to publish until it changes.
    published_ = {0, 1, 0};
    publishedFull_ = false;
    static_cast<void>(values);
    return {index_->begin(), index_->end()};
  }

  void written(std::size_t index, ParameterStore& values, Moment& moment) override {
    const Clock::time_point now = moment();
    advance(values, now);
    if (index == at(kSoftwareTrigger) && bits(values, kSoftwareTrigger) == kFire) {
      if (queued_ < bits(values, kQueueFullValue)) ++queued_;
    } else if (index == at(kClearQueuePulse) && bits(values, kClearQueuePulse) == 1) {
      queued_ = 0;
    } else if (index == at(kClearOutputPulses) && bits(values, kClearOutputPulses) == kFire) {
      pulses_ = 0;
    }
    advance(values, now);
    publish(values, now);
  }

  void reading(std::size_t, ParameterStore& values, Clock::time_point now) override {
    advance(values, now);
    publish(values, now);
  }

  std::uint64_t pulsesStarted(ParameterStore& values, Clock::time_point now) override {
    if (!index_) return 0;
    advance(values, now);
    return started_;
  }

  bool active(const ParameterStore& values) const override {
    return index_.has_value() && running(values);
  }

 private:
  std::size_t at(Watched watched) const { return (*index_)[static_cast<std::size_t>(watched)]; }
  std::uint64_t bits(const ParameterStore& values, Watched watched) const {
    return values.at(at(watched)).bits;
  }

  bool running(const ParameterStore& values) const {
    return bits(values, kClearQueuePulse) == 0 && bits(values, kPulseFormClear) != 1;
  }
  bool freeRunning(const ParameterStore& values) const {
    return bits(values, kEnableQueue) == 0;
  }
  Clock::duration period(const ParameterStore& values) const {
    return std::chrono::nanoseconds((bits(values, kMinimumPeriod) + kPeriodOffsetTicks) *
                                    kTickNanoseconds);
  }

  // Starts the pulses that fall between the last update and `now`.
  void advance(const ParameterStore& values, Clock::time_point now) {
    if (!running(values)) {
      lastUpdate_ = now;
      return;
    }
    const Clock::duration length = period(values);
    if (freeRunning(values)) {
      // The generator triggers itself once per period.
      const Clock::time_point from = std::max(busyUntil_, lastUpdate_);
      if (now >= from) {
        const auto started = static_cast<std::uint64_t>((now - from) / length) + 1;
        pulses_ = (pulses_ + started) % kPulseCountLimit;
        started_ += started;
        busyUntil_ = from + length * static_cast<Clock::rep>(started);
      }
    } else {
      while (queued_ > 0 && busyUntil_ <= now) {
        const Clock::time_point start = std::max(busyUntil_, lastUpdate_);
        --queued_;
        pulses_ = (pulses_ + 1) % kPulseCountLimit;
        ++started_;
        busyUntil_ = start + length;
      }
    }
    lastUpdate_ = now;
  }

  // Writes the status values that the model changed since it last wrote them.
  void publish(ParameterStore& values, Clock::time_point now) {
    // Only the full bit of the queue status is the unit's; the monitors own the others.
    const bool full = queued_ > 0 && queued_ >= bits(values, kQueueFullValue) &&
                      bits(values, kQueueEnabled) == 1;
    if (full != publishedFull_) {
      publishedFull_ = full;
      std::uint64_t& status = values.at(at(kQueueStatus)).bits;
      status = full ? (status | kQueueFullBit) : (status & ~kQueueFullBit);
    }
    const std::array<std::pair<Watched, std::uint64_t>, 3> model{{
        {kQueueValue, queued_},
        {kMaximumReached, busyUntil_ <= now ? 1u : 0u},
        {kOutputPulses, pulses_},
    }};
    for (std::size_t i = 0; i < model.size(); ++i) {
      const auto& [watched, value] = model[i];
      if (published_[i] == value) continue;
      published_[i] = value;
      values.at(at(watched)).bits = value;
    }
  }

  std::optional<std::array<std::size_t, static_cast<std::size_t>(kCount)>> index_;
  std::uint64_t queued_ = 0;
  std::uint64_t pulses_ = 0;
  std::uint64_t started_ = 0;
  Clock::time_point busyUntil_{};
  Clock::time_point lastUpdate_{};
  std::array<std::optional<std::uint64_t>, 3> published_{};
  bool publishedFull_ = false;
};

}  // namespace

std::unique_ptr<Behaviour> makeTriggerUnit() { return std::make_unique<TriggerUnit>(); }

}  // namespace brenvik::simboard
