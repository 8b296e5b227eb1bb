// Discovery of the debug points and the reads of their hardware parameters.
#include "debug/DebugPoints.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::debug {

namespace {

constexpr const char* kPointPrefix = "Device1_Process0_";
constexpr const char* kEntries = "Device1_Process0_Debug_Entries";
constexpr std::string_view kNamePrefix = "Device1_Process0_Debug_Name";
constexpr std::string_view kTypePrefix = "Device1_Process0_Debug_Type";
constexpr std::string_view kPathPrefix = "Device1_Process0_Debug_Path";
constexpr std::size_t kTextCapacity = 65536;  // room for any text the runtime reads back
constexpr std::size_t kNameCapacity = 512;    // prefix, a path of 127 characters and a suffix

constexpr std::uint32_t kInputBit = 1u << 0;
constexpr std::uint32_t kOutputBit = 1u << 1;

// A discovery parameter's name with the entry's digit appended.
std::array<char, 64> entryName(std::string_view prefix, std::int32_t entry) {
  std::array<char, 64> name{};
  std::snprintf(name.data(), name.size(), "%.*s%d", static_cast<int>(prefix.size()), prefix.data(),
                entry);
  return name;
}

// Longer texts are cut to what the slot holds.
void copyCut(std::array<char, DebugPoint::kTextSize>& slot, const char* text) {
  std::strncpy(slot.data(), text, slot.size() - 1);
  slot.back() = '\0';
}

}  // namespace

int DebugPoints::readDesignText(const char* name, char* text) const {
  return services_.getParameter(services_.parameterId(name), text, 0, runtime::kTypeString);
}

bool DebugPoints::discover() {
  std::vector<char> text(kTextCapacity + 1, '\0');
  count_ = 0;
  if (readDesignText(kEntries, text.data()) != 0) return true;
  if (text[0] < '0' || text[0] > '9') return true;
  count_ = text[0] - '0';
  for (std::int32_t entry = 0; entry < count_; ++entry) {
    DebugPoint& point = points_[static_cast<std::size_t>(entry)];
    if (readDesignText(entryName(kNamePrefix, entry).data(), text.data()) != 0) return false;
    copyCut(point.name, text.data());
    if (readDesignText(entryName(kTypePrefix, entry).data(), text.data()) != 0) return false;
    const std::string_view kind = text.data();
    if (kind == "Inject") {
      point.kind = kInject;
    } else if (kind == "InjectMonitor") {
      point.kind = kInjectMonitor;
    } else {
      return false;
    }
    if (readDesignText(entryName(kPathPrefix, entry).data(), text.data()) != 0) return false;
    copyCut(point.path, text.data());
  }
  return true;
}

const DebugPoint& DebugPoints::point(std::uint32_t index) const {
  static const DebugPoint kNoPoint{};
  return index < points_.size() ? points_[index] : kNoPoint;
}

int DebugPoints::readPointParameter(std::uint32_t index, const char* suffix, void* value,
                                    int type) const {
  std::array<char, kNameCapacity> name{};
  std::snprintf(name.data(), name.size(), "%s%s%s", kPointPrefix, point(index).path.data(), suffix);
  return services_.getParameter(services_.parameterId(name.data()), value, 0, type);
}

std::uint32_t DebugPoints::readUint32(std::uint32_t index, const char* suffix) const {
  std::uint32_t value = 0;
  if (readPointParameter(index, suffix, &value, runtime::kTypeUint32) != 0) {
    codes::raise(codes::kRuntimeMissing);
  }
  return value;
}

void DebugPoints::readText(std::uint32_t index, const char* suffix, char* destination) const {
  if (readPointParameter(index, suffix, destination, runtime::kTypeString) != 0) {
    codes::raise(codes::kRuntimeMissing);
  }
}

std::uint32_t DebugPoints::inputEnabled(std::uint32_t index) const {
  return (readUint32(index, "_OperationMode") & kInputBit) != 0 ? 1 : 0;
}

std::uint32_t DebugPoints::outputEnabled(std::uint32_t index) const {
  if (point(index).kind != kInjectMonitor) return 0;
  return (readUint32(index, "_OperationMode") & kOutputBit) != 0 ? 1 : 0;
}

std::uint32_t DebugPoints::monitored(std::uint32_t index, const char* suffix) const {
  if (point(index).kind != kInjectMonitor) return 0;
  return readUint32(index, suffix);
}

}  // namespace brenvik::debug
