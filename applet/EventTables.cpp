// Building the event tables from the hardware applet's event descriptors.
#include "applet/EventTables.h"

#include "platform/logging/LogMessage.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik {

namespace {

constexpr std::uint32_t kLevelUnknownEvent = 4;
constexpr std::int32_t kPublishedKind = 1;

std::uint64_t maskOfNumber(std::uint32_t number) { return std::uint64_t{1} << number; }

}  // namespace

void EventTables::build(const DescriptorSource& descriptor, vurn::tools::logging::Logger* logger) {
  std::uint32_t count = 0;
  while (count < kEventLimit && descriptor(count) != nullptr) ++count;

  for (std::uint32_t n = 0; n < count; ++n) {
    const MolvrtEventDescriptor* event = descriptor(n);
    if (event == nullptr || event->kind != kPublishedKind || event->name == nullptr) continue;
    byName_[event->name] = maskOfNumber(n);
    byMask_[maskOfNumber(n)] = event->name;
  }

  for (const EventAlias& alias : kEventAliases) {
    bool found = false;
    for (std::uint32_t n = 0; n < count && !found; ++n) {
      const MolvrtEventDescriptor* event = descriptor(n);
      if (event == nullptr || event->name == nullptr || alias.hardwareName != event->name) {
        continue;
      }
      byName_[std::string(alias.sdkName)] = maskOfNumber(n);
      byMask_[maskOfNumber(n)] = alias.sdkName;
      found = true;
    }
    if (!found) {
      vurn::tools::logging::logMessage(logger, kLevelUnknownEvent,
                                       "cannot retrieve event id for internal event: '",
                                       alias.hardwareName, "'");
    }
  }
}

const std::uint64_t* EventTables::maskOf(std::string_view name) const {
  const auto entry = byName_.find(name);
  return entry == byName_.end() ? nullptr : &entry->second;
}

const char* EventTables::nameOf(std::uint64_t mask) const {
  const auto entry = byMask_.find(mask);
  return entry == byMask_.end() ? nullptr : entry->second.c_str();
}

}  // namespace brenvik
