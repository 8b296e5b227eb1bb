// The lookup-table family's setters: the table type and the access it gives the other
// parameters, the processing values, direct entry writes, and the lookup-table files.
#include "semantics/LookupTable.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "description/DescriptionRows.h"
#include "parameters/CurrentValues.h"
#include "parameters/HardwareBinding.h"
#include "persistence/LutFile.h"
#include "runtime/SdkRuntime.h"
#include "semantics/LutProcessing.h"
#include "semantics/SetterContract.h"

namespace brenvik::semantics {

namespace {

using parameters::enumValue;
using parameters::Hw;
using parameters::kLutSize;
using parameters::LutValues;
using parameters::sdkId;

constexpr std::int32_t kProcessing = enumValue("LUT_TYPE_PROCESSING");
constexpr std::int32_t kCustom = enumValue("LUT_TYPE_CUSTOM");
constexpr auto kEntryMaximum =
    static_cast<std::uint32_t>(description::describedRow("FG_LUT_VALUE").values.maximum);

// The applet's table as a file channel: identifier 3, format 0, channel 0.
constexpr std::int32_t kGrayTableId = 3;
constexpr std::string_view kGraySection = "[gray]";

// Element types of a field-form write: 32-bit entries, or {value, index} pairs.
constexpr std::uint32_t kElementsInt32 = 1;
constexpr std::uint32_t kElementsUint32 = 2;

// Raises `code` unless the condition holds, or returns false without reporting.
bool accepted(bool condition, std::int32_t code, bool reportErrors) {
  if (!condition && reportErrors) codes::raise(code);
  return condition;
}

void recomputeIfProcessing(SetContext& context) {
  if (context.values.lut.lutType == kProcessing) recomputeAndWriteTable(context);
}

// The type decides which parameters the caller may change in the description.
void setTypeAccess(SetContext& context, std::int32_t type) {
  using description::kReadOnly;
  using description::kReadWrite;
  setDescriptionAccess(context, sdkId("FG_LUT_CUSTOM_FILE"),
                       type == kCustom ? kReadWrite : kReadOnly);
  const std::int32_t processing = type == kProcessing ? kReadWrite : kReadOnly;
  for (const std::int32_t id : {sdkId("FG_PROCESSING_GAIN"), sdkId("FG_PROCESSING_GAMMA"),
                                sdkId("FG_PROCESSING_OFFSET"), sdkId("FG_PROCESSING_INVERT")}) {
    setDescriptionAccess(context, id, processing);
  }
}

void setLutEntry(SetContext& context, runtime::LutEntry entry, bool reportErrors) {
  // The index is checked before its entry is remembered.
  if (!accepted(entry.index < kLutSize && entry.value <= kEntryMaximum, codes::kValueOutOfRange,
                reportErrors)) {
    return;
  }
  runSetter(context, context.values.lut.table[entry.index], entry.value, reportErrors, kNothing,
            [&] {
              context.hardware.write(Hw::LookupTable_LookupTable_LUTcontent, &entry,
                                     runtime::kTypeLutEntry, true);
            });
}

// The values of a field-form write against the output range; for pairs, each pair's value
// (the pair's index is the hardware's to judge).
bool valuesInRange(const runtime::FieldParameterAccess& access) {
  for (std::uint32_t i = 0; i < access.count; ++i) {
    std::uint32_t value = 0;
    if (access.valueType == runtime::kTypeLutEntry) {
      runtime::LutEntry pair{};
      std::memcpy(&pair, static_cast<const runtime::LutEntry*>(access.values) + i, sizeof pair);
      value = pair.value;
    } else {
      std::memcpy(&value, static_cast<const std::uint32_t*>(access.values) + i, sizeof value);
    }
    if (value > kEntryMaximum) return false;
  }
  return true;
}

void setLutRange(SetContext& context, const void* value, bool reportErrors) {
  runtime::FieldParameterAccess access{};
  std::memcpy(&access, value, sizeof access);
  const bool inTable = access.index < kLutSize && access.count <= kLutSize &&
                       access.index <= kLutSize - access.count;
  if (!accepted(inTable, codes::kValueOutOfRange, reportErrors)) return;
  const bool known = access.valueType == kElementsInt32 || access.valueType == kElementsUint32 ||
                     access.valueType == runtime::kTypeLutEntry;
  // A range without values cannot be read.
  if (!accepted(known && (access.count == 0 || access.values != nullptr), codes::kInvalidParameter,
                reportErrors)) {
    return;
  }
  if (!accepted(valuesInRange(access), codes::kValueOutOfRange, reportErrors)) return;

  LutTable& table = context.values.lut.table;
  LutTable updated = table;
  // Pairs are passed on to the hardware as they are; the cache keeps its entries.
  if (access.valueType != runtime::kTypeLutEntry && access.count > 0) {
    std::memcpy(updated.data() + access.index, access.values, access.count * sizeof(std::uint32_t));
  }
  runSetter(context, table, updated, reportErrors, kNothing, [&] {
    context.hardware.write(Hw::LookupTable_LookupTable_LUTcontent, value, runtime::kTypeField,
                           true);
  });
}

void saveTable(const LutValues& lut) {
  if (lut.saveFile.empty()) return;
  persistence::LutChannel channel;
  channel.data.assign(lut.table.begin(), lut.table.end());
  channel.id = kGrayTableId;
  channel.nrOfElements = static_cast<std::uint32_t>(kLutSize);
  persistence::LutFile file;
  if (file.writeGrayTable(lut.saveFile, channel) != persistence::kLutFileOk) {
    codes::raise(codes::kConfigurationWrite);
  }
  file.close();
}

}  // namespace

void loadCustomTable(SetContext& context) {
  LutValues& lut = context.values.lut;
  if (lut.lutType != kCustom || lut.customFile.empty()) return;
  if (!persistence::lutFileExists(lut.customFile)) codes::raise(codes::kFileMissing);
  persistence::LutChannel channel;
  persistence::LutFile file;
  if (file.readTableChannel(lut.customFile, channel, kGraySection) != persistence::kLutFileOk) {
    codes::raise(codes::kConfigurationWrite);
  }
  // A shorter file leaves the entries beyond it as they were; a longer one gives its first 1024.
  // Entries within the count that the file lacks are 0.
  const std::size_t count = std::min<std::size_t>(channel.nrOfElements, kLutSize);
  const std::size_t found = std::min(count, channel.data.size());
  std::copy_n(channel.data.begin(), found, lut.table.begin());
  std::fill(lut.table.begin() + static_cast<std::ptrdiff_t>(found),
            lut.table.begin() + static_cast<std::ptrdiff_t>(count), 0u);
  writeWholeTable(context);
}

void setLutType(SetContext& context, std::int32_t type, bool reportErrors) {
  runSetter(
      context, context.values.lut.lutType, type, reportErrors,
      [&] { requireEntry("FG_LUT_TYPE", type); },
      [&] {
        if (type == kCustom) {
          loadCustomTable(context);
        } else {
          recomputeAndWriteTable(context);
        }
        setTypeAccess(context, type);
      });
}

void setProcessingOffset(SetContext& context, double offset, bool reportErrors) {
  runSetter(
      context, context.values.lut.processingOffset, offset, reportErrors,
      [&] { requireInRange("FG_PROCESSING_OFFSET", offset); },
      [&] { recomputeIfProcessing(context); });
}

void setProcessingGain(SetContext& context, double gain, bool reportErrors) {
  runSetter(
      context, context.values.lut.processingGain, gain, reportErrors,
      [&] { requireInRange("FG_PROCESSING_GAIN", gain); }, [&] { recomputeIfProcessing(context); });
}

void setProcessingGamma(SetContext& context, double gamma, bool reportErrors) {
  runSetter(
      context, context.values.lut.processingGamma, gamma, reportErrors,
      [&] { requireInRange("FG_PROCESSING_GAMMA", gamma); },
      [&] { recomputeIfProcessing(context); });
}

void setProcessingInvert(SetContext& context, std::int32_t invert, bool reportErrors) {
  runSetter(
      context, context.values.lut.processingInvert, invert, reportErrors,
      [&] { requireEntry("FG_PROCESSING_INVERT", invert); },
      [&] { recomputeIfProcessing(context); });
}

void setLutValue(SetContext& context, const void* value, std::int32_t type, bool reportErrors) {
  if (type == runtime::kTypeField) {
    setLutRange(context, value, reportErrors);
    return;
  }
  runtime::LutEntry entry{};
  std::memcpy(&entry, value, sizeof entry);
  setLutEntry(context, entry, reportErrors);
}

void setLutCustomFile(SetContext& context, const char* name, bool reportErrors) {
  runSetter(context, context.values.lut.customFile, std::string(name), reportErrors, kNothing,
            [&] { loadCustomTable(context); });
}

void setLutSaveFile(SetContext& context, const char* name, bool reportErrors) {
  runSetter(context, context.values.lut.saveFile, std::string(name), reportErrors, kNothing,
            [&] { saveTable(context.values.lut); });
}

}  // namespace brenvik::semantics
