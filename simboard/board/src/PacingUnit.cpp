// The acquisition's pacing as a unit of the board: where frames come from and how fast, from
// the image path's source, the trigger unit's pulses and the board's own picture period.
#include <algorithm>
#include <memory>

#include "Behaviour.h"
#include "UnitInterfaces.h"
#include "ValueRules.h"

namespace brenvik::simboard {

namespace {

constexpr std::string_view kPicturePeriod = SIMBOARD_SETTING_PICTURE_PERIOD_US;
constexpr std::string_view kPaced = SIMBOARD_SETTING_PACED;

constexpr std::int64_t kNanosecondsPerTick = 8;
// Simulator pixels last 2000 / A ns at a pixel-frequency numerator A (A / 2 MHz).
constexpr std::int64_t kPixelFrequencyDenominator = 2000;

class PacingUnit final : public Behaviour, public FramePacer {
 public:
  void connect(const Units& units) override {
    frames_ = &units.find<FrameSource>();
    trigger_ = &units.find<PulseSource>();
  }

  std::vector<std::size_t> attach(const Design&, ParameterStore&, Clock::time_point) override {
    return {};
  }

  std::int32_t control(std::string_view name, std::string_view text, ParameterStore&,
                       Clock::time_point) override {
    if (name == kPicturePeriod) {
      std::int64_t period = 0;
      if (!parseSigned(text, period)) return SIMBOARD_INVALID_PARAMETER;
      if (period < kShortestPicturePeriod.count() || period > kLongestPicturePeriod.count()) {
        return SIMBOARD_OUT_OF_RANGE;
      }
      period_ = std::chrono::microseconds(period);
      return SIMBOARD_OK;
    }
    if (name == kPaced) {
      if (text != "0" && text != "1") return SIMBOARD_INVALID_PARAMETER;
      // Takes effect with the next acquisition.
      paced_ = text == "1";
      return SIMBOARD_OK;
    }
    return SIMBOARD_INVALID_PARAMETER;
  }

  std::int32_t setting(std::string_view name, std::string& out) const override {
    if (name == kPicturePeriod) {
      appendSigned(out, period_.count());
    } else if (name == kPaced) {
      appendUnsigned(out, paced_ ? 1 : 0);
    } else {
      return SIMBOARD_INVALID_PARAMETER;
    }
    return SIMBOARD_OK;
  }

  // Where frames come from: the simulator at its own timing or at trigger pulses; the
  // camera port's camera at trigger pulses while the trigger is active and free-running at
  // the picture period otherwise (no camera: nothing arrives). A design without an image
  // path delivers pictures at the picture period.
  Pace pace(const ImageSettings& settings, const ParameterStore& values) const override {
    const Pace freeRun{Pacing::FreeRun, period_, 1};
    if (!frames_->present()) return freeRun;
    if (!settings.simulator) {
      if (!frames_->cameraPresent()) return {};
      if (trigger_->active(values)) return {Pacing::FramePulses, {}, 1};
      return freeRun;
    }
    if (!settings.freeRun) {
      if (settings.valveMode == 2) return {Pacing::FramePulses, {}, 1};
      if (settings.valveMode == 1) {
        return {Pacing::LinePulses, {}, std::max<std::uint32_t>(settings.frameLines, 1)};
      }
      return {};
    }
    const std::int64_t lines = settings.frameLines;
    std::int64_t nanoseconds = 0;
    if (settings.pixelClockMode == 0) {
      // A stopped pixel clock delivers nothing.
      if (settings.activePixels == 0) return {};
      nanoseconds = std::int64_t{settings.lineGroups} * 8 * lines * kPixelFrequencyDenominator /
                    settings.activePixels;
    } else {
      nanoseconds = std::int64_t{settings.sequenceLength} * kNanosecondsPerTick * lines;
    }
    if (nanoseconds <= 0) return {};
    return {Pacing::FreeRun, std::chrono::nanoseconds(nanoseconds), 1};
  }

  std::uint64_t pulses(ParameterStore& values, Clock::time_point now) override {
    return trigger_->pulsesStarted(values, now);
  }
  bool paced() const override { return paced_; }
  std::chrono::microseconds period() const override { return period_; }

 private:
  const FrameSource* frames_ = nullptr;
  PulseSource* trigger_ = nullptr;
  std::chrono::microseconds period_ = kDefaultPicturePeriod;
  bool paced_ = true;
};

}  // namespace

std::unique_ptr<Behaviour> makePacingUnit() { return std::make_unique<PacingUnit>(); }

}  // namespace brenvik::simboard
