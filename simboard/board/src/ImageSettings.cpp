// The image path's parameter names and how a snapshot of their values is taken.
#include "ImageSettings.h"

#include "HardwareNames.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace brenvik::simboard {

namespace {

constexpr std::string_view kPrefix = "Device1_Process0_";

enum class Slot : std::size_t {
  kEnable,
  kLineGroups,
  kActiveGroups,
  kFrameLines,
  kActiveLines,
  kActivePixels,
  kSequenceLength,
  kPixelClockMode,
  kCountX,
  kYDivisor,
  kFrameDivisor,
  kOffset,
  kFreeRun,
  kValveMode,
  kTapWidth,
  kTapCount,
  kDummyTaps,
  kTapOrder,
  kMirror,
  kWidth,
  kHeight,
  kXOffset,
  kYOffset,
  kSelectPeriod,
  kSelectPhase,
  kLut,
  kShift,
  kSelectSource,
  kFillLevel,
  kOverflow,
  kCount
};
using enum Slot;

constexpr NamedSlot<Slot> kNames[] = {
    {.slot = kEnable, .name = "CameraSimulator_Enable_SelectSource"},
    {.slot = kLineGroups, .name = "CameraSimulator_Size_ImageWidth"},
    {.slot = kActiveGroups, .name = "CameraSimulator_LineGap_Number"},
    {.slot = kFrameLines, .name = "CameraSimulator_Size_ImageHeight"},
    {.slot = kActiveLines, .name = "CameraSimulator_FrameGap_Number"},
    {.slot = kActivePixels, .name = "CameraSimulator_PixelFrequency_ActivePixel_Number"},
    {.slot = kSequenceLength, .name = "CameraSimulator_PixelFrequency_SequenceLength_ImageWidth"},
    {.slot = kPixelClockMode, .name = "CameraSimulator_ControlPixelClock_Mode"},
    {.slot = kCountX, .name = "CameraSimulator_EnableX_Enable_Value"},
    {.slot = kYDivisor, .name = "CameraSimulator_Y_Divisor"},
    {.slot = kFrameDivisor, .name = "CameraSimulator_Frame_Divisor"},
    {.slot = kOffset, .name = "CameraSimulator_Offset_Value"},
    {.slot = kFreeRun, .name = "CameraSimulator_TriggerValve_FreeRun_Select"},
    {.slot = kValveMode, .name = "CameraSimulator_TriggerValve_TriggerValve_Mode"},
    {.slot = kTapWidth, .name = "Buffer_0_TapGeometrySorter_TapWidth"},
    {.slot = kTapCount, .name = "Buffer_0_TapGeometrySorter_TapCount"},
    {.slot = kDummyTaps, .name = "Buffer_0_TapGeometrySorter_DummyTaps"},
    {.slot = kTapOrder, .name = "Buffer_0_TapGeometrySorter_TapOrder"},
    {.slot = kMirror, .name = "Buffer_0_TapGeometrySorter_ReferenceTapMirror_Field"},
    {.slot = kWidth, .name = "Buffer_0_DRAM_A_0_XLength"},
    {.slot = kHeight, .name = "Buffer_0_DRAM_A_0_YLength"},
    {.slot = kXOffset, .name = "Buffer_0_DRAM_A_0_XOffset"},
    {.slot = kYOffset, .name = "Buffer_0_DRAM_A_0_YOffset"},
    {.slot = kSelectPeriod, .name = "ImageSelector_FG_IMG_SELECT_PERIOD_Divisor"},
    {.slot = kSelectPhase, .name = "ImageSelector_FG_IMG_SELECT_PHASE_Number"},
    {.slot = kLut, .name = "LookupTable_LookupTable_LUTcontent"},
    {.slot = kShift, .name = "OutputFormat_DynamicShift_Shift_Value"},
    {.slot = kSelectSource, .name = "OutputFormat_FG_FORMAT_SelectSource"},
    {.slot = kFillLevel, .name = "Buffer_0_DRAM_A_0_FillLevel"},
    {.slot = kOverflow, .name = "Overflow_OverflowOccurred"},
};
static_assert(namesEverySlotOnce(kNames));

constexpr std::string_view kFormatInput = "OutputFormat_FG_FORMAT_Input";
constexpr std::size_t kMostFormatInputs = 10;

// Bits per pixel of each output format the block may deliver, by the name the design gives
// its input: the board's one home of this fact (its tests hold it against the applet's
// format names).
struct FormatBits {
  std::string_view name;
  std::uint32_t bits;
};
constexpr FormatBits kFormatBits[] = {
    {"FG_GRAY", 8}, {"FG_GRAY10", 10}, {"FG_GRAY12", 12}, {"FG_GRAY14", 14}, {"FG_GRAY16", 16},
};

std::uint32_t clamp32(std::uint64_t value) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xffffffffu));
}

}  // namespace

std::uint32_t formatBits(std::string_view format) {
  for (const FormatBits& entry : kFormatBits) {
    if (entry.name == format) return entry.bits;
  }
  return 0;
}

bool ImageParameters::resolve(const Design& design) {
  present_ = false;
  index_.clear();
  formatInputs_.clear();
  const auto found = resolveNames(design, kPrefix, kNames);
  if (!found) return false;
  index_.assign(found->begin(), found->end());
  for (std::size_t input = 0; input < kMostFormatInputs; ++input) {
    formatInputs_.push_back(design.parameterIndex(std::string(kPrefix) +
                                                  std::string(kFormatInput) +
                                                  std::to_string(input)));
  }
  fillLevel_ = index_[static_cast<std::size_t>(kFillLevel)];
  overflow_ = index_[static_cast<std::size_t>(kOverflow)];
  present_ = true;
  return true;
}

ImageSettings ImageParameters::read(const ParameterStore& values) const {
  ImageSettings s;
  s.version = values.version();
  if (!present_) return s;
  auto at = [&](Slot slot) -> const ParameterValue& {
    return values.at(index_[static_cast<std::size_t>(slot)]);
  };
  auto bits = [&](Slot slot) { return clamp32(at(slot).bits); };
  auto field = [&](Slot slot, std::array<std::uint32_t, kSorterTaps>& out) {
    const std::vector<std::uint32_t>& elements = at(slot).elements;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = i < elements.size() ? elements[i] : 0;
  };
  s.simulator = bits(kEnable) == 1;
  s.lineGroups = bits(kLineGroups);
  s.activeGroups = bits(kActiveGroups);
  s.frameLines = bits(kFrameLines);
  s.activeLines = bits(kActiveLines);
  s.activePixels = bits(kActivePixels);
  s.sequenceLength = bits(kSequenceLength);
  s.pixelClockMode = bits(kPixelClockMode);
  s.countX = bits(kCountX) != 0;
  s.yDivisor = bits(kYDivisor);
  s.frameDivisor = bits(kFrameDivisor);
  s.offset = bits(kOffset);
  s.freeRun = bits(kFreeRun) == 1;
  s.valveMode = bits(kValveMode);
  s.tapWidth = bits(kTapWidth);
  s.tapCount = bits(kTapCount);
  s.dummyTaps = bits(kDummyTaps) != 0;
  field(kTapOrder, s.tapOrder);
  field(kMirror, s.mirror);
  s.width = bits(kWidth);
  s.height = bits(kHeight);
  s.xOffset = bits(kXOffset);
  s.yOffset = bits(kYOffset);
  s.selectPeriod = std::max<std::uint32_t>(bits(kSelectPeriod), 1);
  s.selectPhase = bits(kSelectPhase) % s.selectPeriod;
  const std::vector<std::uint32_t>& table = at(kLut).elements;
  for (std::size_t i = 0; i < kLutEntries; ++i) {
    s.lut[i] = static_cast<std::uint16_t>((i < table.size() ? table[i] : 0) & (kLutEntries - 1));
  }
  s.shift = bits(kShift);
  // An input the design does not name is taken as 8 bits wide.
  const std::uint32_t source = bits(kSelectSource);
  s.bits = 8;
  if (source < formatInputs_.size() && formatInputs_[source] >= 0) {
    const std::uint32_t found =
        formatBits(values.at(static_cast<std::size_t>(formatInputs_[source])).text);
    if (found != 0) s.bits = found;
  }
  return s;
}

}  // namespace brenvik::simboard
