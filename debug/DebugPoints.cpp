// Discovery of the debug points and the accesses of their hardware parameters.
#include "debug/DebugPoints.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <set>
#include <string_view>
#include <vector>

#include "runtime/AppletServices.h"
#include "runtime/ParameterRecord.h"
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

constexpr std::array<const char*, static_cast<std::size_t>(PointParameter::kCount)> kSuffixes{
    "_DebugFile",         "_OperationMode",    "_Insert",
    "_Inject_WritePixel", "_Inject_WriteFlag", "_Inject_ReadyForInjection",
    "_XPosition",         "_YPosition",        "_PixelValue",
};

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

// The integer maximum of the runtime's record with this id, or 0 when it has none.
std::int32_t integerMaximumOf(const runtime::ParameterRecord* root, std::int32_t id) {
  std::deque<const runtime::ParameterRecord*> queue;
  if (root != nullptr) queue.push_back(root);
  std::set<const runtime::ParameterRecord*> seen;  // a tree that links back still ends
  while (!queue.empty()) {
    const runtime::ParameterRecord* node = queue.front();
    queue.pop_front();
    if (node == nullptr || !seen.insert(node).second) continue;
    if (node->kind == runtime::kKindCategory) {
      for (const runtime::ParameterRecord* child : runtime::childrenOf(*node)) {
        queue.push_back(child);
      }
      queue.push_back(node->olderRoot);
    } else if (node->id == id &&
               (node->kind == runtime::kKindInteger || node->kind == runtime::kKindInteger2)) {
      return node->data.integer.maximum;
    }
  }
  return 0;
}

std::size_t slot(PointParameter parameter) { return static_cast<std::size_t>(parameter); }

}  // namespace

const char* suffixOf(PointParameter parameter) { return kSuffixes[slot(parameter)]; }

int DebugPoints::readDesignText(std::int32_t id, char* text) const {
  return services_.getParameter(id, text, 0, runtime::kTypeString);
}

std::int32_t DebugPoints::currentCount() const {
  if (text_.empty()) return 0;  // never discovered
  text_[0] = '\0';
  if (readDesignText(entriesId_, text_.data()) != 0) return 0;
  if (text_[0] < '0' || text_[0] > '9') return 0;
  return text_[0] - '0';
}

void DebugPoints::resolve(DebugPoint& point) const {
  for (std::size_t i = 0; i < kSuffixes.size(); ++i) {
    std::array<char, kNameCapacity> name{};
    std::snprintf(name.data(), name.size(), "%s%s%s", kPointPrefix, point.path.data(),
                  kSuffixes[i]);
    point.ids[i] = services_.parameterId(name.data());
  }
  // The monitored pixel's range, for the description of the pixel read back.
  if (point.kind == kInjectMonitor) {
    point.pixelMaximum = integerMaximumOf(services_.runtimeParameterTree(),
                                          point.ids[slot(PointParameter::kPixelValue)]);
  }
}

bool DebugPoints::discover() {
  std::vector<char>& text = text_;
  text.assign(kTextCapacity + 1, '\0');
  count_ = 0;
  entriesId_ = services_.parameterId(kEntries);
  if (readDesignText(entriesId_, text.data()) != 0) return true;
  if (text[0] < '0' || text[0] > '9') return true;
  count_ = text[0] - '0';
  auto idOfName = [&](std::string_view prefix, std::int32_t entry) {
    return services_.parameterId(entryName(prefix, entry).data());
  };
  for (std::int32_t entry = 0; entry < count_; ++entry) {
    DebugPoint& point = points_[static_cast<std::size_t>(entry)];
    if (readDesignText(idOfName(kNamePrefix, entry), text.data()) != 0) return false;
    copyCut(point.name, text.data());
    if (readDesignText(idOfName(kTypePrefix, entry), text.data()) != 0) return false;
    const std::string_view kind = text.data();
    if (kind == "Inject") {
      point.kind = kInject;
    } else if (kind == "InjectMonitor") {
      point.kind = kInjectMonitor;
    } else {
      return false;
    }
    if (readDesignText(idOfName(kPathPrefix, entry), text.data()) != 0) return false;
    copyCut(point.path, text.data());
    resolve(point);
  }
  return true;
}

const DebugPoint& DebugPoints::point(std::uint32_t index) const {
  static const DebugPoint kNoPoint{};
  return index < points_.size() ? points_[index] : kNoPoint;
}

// An entry that discovery never reached keeps id 0, which the runtime refuses: its accesses
// fail with -2031 like those of a point whose parameters the design lacks.
std::int32_t DebugPoints::idOf(std::uint32_t index, PointParameter parameter) const {
  return point(index).ids[slot(parameter)];
}

namespace {
void requireSuccess(int result) {
  if (result != 0) codes::raise(codes::kRuntimeMissing);
}
}  // namespace

std::uint32_t DebugPoints::readUint32(std::uint32_t index, PointParameter parameter) const {
  std::uint32_t value = 0;
  requireSuccess(services_.getParameter(idOf(index, parameter), &value, 0, runtime::kTypeUint32));
  return value;
}

void DebugPoints::readText(std::uint32_t index, PointParameter parameter, char* destination) const {
  requireSuccess(
      services_.getParameter(idOf(index, parameter), destination, 0, runtime::kTypeString));
}

void DebugPoints::writeUint32(std::uint32_t index, PointParameter parameter,
                              std::uint32_t value) const {
  requireSuccess(services_.setParameter(idOf(index, parameter), &value, 0, runtime::kTypeUint32));
}

void DebugPoints::writeUint64(std::uint32_t index, PointParameter parameter,
                              std::uint64_t value) const {
  requireSuccess(services_.setParameter(idOf(index, parameter), &value, 0, runtime::kTypeUint64));
}

void DebugPoints::writeText(std::uint32_t index, PointParameter parameter, const char* text) const {
  requireSuccess(services_.setParameter(idOf(index, parameter), text, 0, runtime::kTypeString));
}

std::uint32_t DebugPoints::inputEnabled(std::uint32_t index) const {
  return (readUint32(index, PointParameter::kOperationMode) & kInputBit) != 0 ? 1 : 0;
}

std::uint32_t DebugPoints::outputEnabled(std::uint32_t index) const {
  if (point(index).kind != kInjectMonitor) return 0;
  return (readUint32(index, PointParameter::kOperationMode) & kOutputBit) != 0 ? 1 : 0;
}

std::uint32_t DebugPoints::monitored(std::uint32_t index, PointParameter parameter) const {
  if (point(index).kind != kInjectMonitor) return 0;
  return readUint32(index, parameter);
}

}  // namespace brenvik::debug
