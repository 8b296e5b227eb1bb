// The output-format block: discovering its inputs at creation, the bit-shift arithmetic and
// the setters of format, bit alignment and custom shift.
#include "semantics/OutputFormat.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "parameters/CurrentValues.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/PixelFormats.h"
#include "runtime/SdkRuntime.h"
#include "semantics/SetterContract.h"

namespace brenvik::semantics {

namespace {

using parameters::GeometryValues;
using parameters::Hw;
using parameters::sdkId;

constexpr std::int32_t kRightAligned = parameters::enumValue("FG_RIGHT_ALIGNED");
constexpr std::int32_t kLeftAligned = parameters::enumValue("FG_LEFT_ALIGNED");
constexpr std::int32_t kCustomShift = parameters::enumValue("FG_CUSTOM_BIT_SHIFT_MODE");
constexpr std::uint32_t kRightAlignedBits = 10;  // right alignment keeps at most ten bits
constexpr std::uint32_t kConverterOn = 0;
constexpr std::uint32_t kConverterOff = 1;

constexpr const char* kInputCount = "Device1_Process0_OutputFormat_FG_FORMAT_NoOfInputs";
constexpr const char* kMaxBits = "Device1_Process0_OutputFormat_FG_FORMAT_MaxBits";
// Per-input names: prefix, the input's digit, suffix.
constexpr std::string_view kInputName = "Device1_Process0_OutputFormat_FG_FORMAT_Input";
constexpr std::string_view kInputFlagName = "Device1_Process0_OutputFormat_FG_FORMAT_InputFlag";
constexpr std::string_view kConvertName = "Device1_Process0_OutputFormat_Convert";
constexpr std::string_view kConvertSuffix = "_VirtualTrash_EnableTrash_Value";
constexpr std::size_t kTextCapacity = 65536;  // room for any text the runtime reads back

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a hardware parameter of the design as text, by name.
class DesignTexts {
 public:
  explicit DesignTexts(const runtime::AppletServices& services)
      : services_(services), text_(kTextCapacity + 1, '\0') {}

  const char* read(const char* name) {
    const int id = services_.parameterId(name);
    return services_.getParameter(id, text_.data(), 0, runtime::kTypeString) == 0
               ? text_.data()
               : nullptr;
  }
  const char* read(std::string_view prefix, int input) { return read(name(prefix, input, "")); }
  int id(std::string_view prefix, int input, std::string_view suffix) {
    return services_.parameterId(name(prefix, input, suffix));
  }

 private:
  const char* name(std::string_view prefix, int input, std::string_view suffix) {
    std::snprintf(name_.data(), name_.size(), "%.*s%d%.*s", static_cast<int>(prefix.size()),
                  prefix.data(), input, static_cast<int>(suffix.size()), suffix.data());
    return name_.data();
  }

  const runtime::AppletServices& services_;
  std::vector<char> text_;
  std::array<char, 128> name_{};
};

void shiftLimit(SetContext& context) {
  const std::uint32_t bits = bitsOfFormat(context.values.geometry.format);
  setDescriptionMaximum(context, sdkId("FG_CUSTOM_BIT_SHIFT_RIGHT"),
                        static_cast<std::int32_t>(bits > 1 ? bits - 1 : 0));
}

// Turns the converter of the selected input on and every other one off; returns the
// selected input's position. A failing switch raises -2031; a format that no input delivers
// raises -6000 (after the switches).
std::int32_t selectInput(SetContext& context, std::uint32_t format) {
  const OutputFormatTable& table = context.outputFormats;
  std::int32_t selected = -1;
  for (std::int32_t i = 0; i < table.count; ++i) {
    const OutputFormatInput& input = table.entries[static_cast<std::size_t>(i)];
    const std::uint32_t converter = input.format == format ? kConverterOn : kConverterOff;
    if (converter == kConverterOn) selected = i;
    if (input.hasConvert &&
        context.services.setParameter(static_cast<int>(input.convertId), &converter, 0,
                                            runtime::kTypeUint32) != 0) {
      codes::raise(codes::kRuntimeMissing);
    }
  }
  require(selected >= 0);
  return selected;
}

}  // namespace

bool discoverOutputFormats(const runtime::AppletServices& services, OutputFormatTable& table) {
  table = OutputFormatTable{};
  DesignTexts texts(services);
  const char* count = texts.read(kInputCount);
  if (count == nullptr || !isDigit(count[0])) return false;
  const int inputs = count[0] - '0';
  const char* maxBits = texts.read(kMaxBits);
  if (maxBits == nullptr || !isDigit(maxBits[0]) || !isDigit(maxBits[1])) return false;
  table.maxBits = (maxBits[0] - '0') * 10 + (maxBits[1] - '0');

  for (int i = 0; i < inputs; ++i) {
    const char* name = texts.read(kInputName, i);
    const runtime::PixelFormat* known =
        name == nullptr ? nullptr : runtime::findPixelFormat(std::string_view(name));
    if (known == nullptr) return false;
    OutputFormatInput input{known->code, known->bits, false, 0};
    const char* flag = texts.read(kInputFlagName, i);
    if (flag == nullptr) return false;
    if (flag[0] == '1') {
      input.hasConvert = true;
      input.convertId = static_cast<std::uint32_t>(texts.id(kConvertName, i, kConvertSuffix));
    }
    table.entries[static_cast<std::size_t>(i)] = input;
    table.count = i + 1;
  }
  return true;
}

std::uint32_t bitsOfFormat(std::uint32_t format) {
  const std::uint32_t bits = runtime::shiftableBitsOf(format);
  if (bits == 0) codes::raise(codes::kRuntimeMissing);
  return bits;
}

std::int32_t outputShift(std::int32_t alignment, std::uint32_t customShift, std::uint32_t bits,
                         std::int32_t maxBits) {
  const std::int64_t room = static_cast<std::int64_t>(maxBits) - bits;
  switch (alignment) {
    case kRightAligned:
      return static_cast<std::int32_t>(
          bits > kRightAlignedBits ? static_cast<std::int64_t>(maxBits) - kRightAlignedBits : room);
    case kLeftAligned:
      return static_cast<std::int32_t>(room);
    case kCustomShift: {
      const std::int64_t shift = static_cast<std::int64_t>(customShift) + room;
      require(shift >= 0 && shift <= static_cast<std::int64_t>(maxBits) - 1);
      return static_cast<std::int32_t>(shift);
    }
    default:
      codes::raise(codes::kRuntimeMissing);
  }
}

void setFormat(SetContext& context, std::uint32_t format, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.format, format, reportErrors,
      [&] { requireEntry("FG_FORMAT", format); },
      [&] {
        const std::int32_t input = selectInput(context, format);
        const std::uint32_t bits =
            context.outputFormats.entries[static_cast<std::size_t>(input)].bits;
        const std::int32_t shift = outputShift(geometry.bitAlignment, geometry.customBitShiftRight,
                                               bits, context.outputFormats.maxBits);
        context.hardware.writeUint32(Hw::OutputFormat_DynamicShift_Shift_Value,
                                     static_cast<std::uint32_t>(shift), true);
        context.hardware.writeUint32(Hw::OutputFormat_FG_FORMAT_SelectSource,
                                     static_cast<std::uint32_t>(input), true);
      },
      {shiftLimit});
}

void setBitAlignment(SetContext& context, std::int32_t alignment, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.bitAlignment, alignment, reportErrors,
      [&] { requireEntry("FG_BITALIGNMENT", alignment); },
      [&] { setFormat(context, geometry.format, true); });
}

void setCustomBitShiftRight(SetContext& context, std::uint32_t shift, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.customBitShiftRight, shift, reportErrors,
      [&] { require(shift <= bitsOfFormat(geometry.format) - 1); },
      [&] { setBitAlignment(context, geometry.bitAlignment, true); });
}

}  // namespace brenvik::semantics
