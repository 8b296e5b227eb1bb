// The register map: the standard features in table order from kStandardBase, then every FG_
// parameter from kParameterBase, each register aligned to its own size.
#include "tools/gev/Features.h"

#include <algorithm>

#include "runtime/SdkRuntime.h"
#include "tools/gev/ControlChannel.h"

namespace brenvik::gev {

namespace {

constexpr std::uint32_t kAlignment = 8;
constexpr std::int64_t kLeastHeartbeat = bootstrap::kLeastHeartbeatMs;
constexpr std::int64_t kMostHeartbeat = kMostHeartbeatMs;

std::uint32_t aligned(std::uint32_t address) {
  return (address + kAlignment - 1) / kAlignment * kAlignment;
}

// The wider of two optional limits: the lower of two minima (or the higher of two maxima).
std::optional<Value> wider(const std::optional<Value>& a, const std::optional<Value>& b,
                           bool lower) {
  if (!a || !b || !std::holds_alternative<double>(*a) || !std::holds_alternative<double>(*b)) {
    return a ? a : b;
  }
  const double x = std::get<double>(*a), y = std::get<double>(*b);
  return Value(lower ? std::min(x, y) : std::max(x, y));
}

void takeDescription(Register& reg, const ParameterInfo& info) {
  reg.minimum = info.minimum;
  reg.maximum = info.maximum;
  reg.step = info.step;
  reg.unit = info.unit;
  reg.isSigned = info.isSigned;
}

Register standardRegister(const Applet& applet, const StandardFeature& row,
                          std::uint32_t mostPacketSize) {
  Register reg;
  reg.name = std::string(row.name);
  reg.category = row.category;
  reg.shape = row.shape;
  reg.access = row.access;
  reg.route = row.route;
  reg.length = row.length;
  reg.address = row.address;
  reg.msb = row.msb;
  reg.lsb = row.lsb;
  reg.description = std::string(row.description);
  reg.standard = true;
  for (const EntryName& entry : row.entries) reg.entries.emplace_back(entry.name, entry.value);
  if (!row.parameter.empty()) {
    reg.parameter = applet.handle(row.parameter);
    if (row.shape != Shape::kEnumeration) takeDescription(reg, applet.parameter(reg.parameter));
  }
  switch (row.route) {
    case Route::kFrameRate: {
      const ParameterInfo generator = applet.parameter("FG_TRIGGER_FRAMESPERSECOND");
      const ParameterInfo simulator = applet.parameter("FG_CAMERASIMULATOR_FRAMERATE");
      reg.minimum = wider(generator.minimum, simulator.minimum, true);
      reg.maximum = wider(generator.maximum, simulator.maximum, false);
      reg.unit = generator.unit;
      break;
    }
    case Route::kParamsLocked:
      reg.minimum = std::int64_t{0};
      reg.maximum = std::int64_t{1};
      break;
    case Route::kBootstrap:
      if (row.address == bootstrap::kStreamPacketSize && row.lsb != row.msb) {
        reg.minimum = std::int64_t{gvsp::kLeastPacketSize};
        reg.maximum = std::int64_t{mostPacketSize};
        reg.step = std::int64_t{gvsp::kPacketSizeStep};
      } else if (row.address == bootstrap::kStreamPacketSize) {
        reg.minimum = std::int64_t{0};
        reg.maximum = std::int64_t{1};
      } else if (row.address == bootstrap::kHeartbeatTimeout) {
        reg.minimum = kLeastHeartbeat;
        reg.maximum = kMostHeartbeat;
        reg.unit = "ms";
      }
      break;
    default:
      break;
  }
  return reg;
}

// A register for an FG_ parameter, or nothing for one a register cannot hold.
std::optional<Register> parameterRegister(const Applet& applet, const ParameterInfo& info) {
  if (info.name.rfind("FG_", 0) != 0 || !info.listedId || info.kind == Kind::kLookupTable ||
      (!info.readable && !info.writable)) {
    return std::nullopt;
  }
  Register reg;
  reg.name = info.name;
  reg.category = kGrabberCategory;
  reg.parameter = applet.handle(info.id);
  reg.displayName = info.displayName;
  reg.description = info.sdkText.empty() ? info.displayName : info.sdkText;
  takeDescription(reg, info);
  reg.access = info.writable ? (info.readable ? Access::kReadWrite : Access::kWriteOnly)
                             : Access::kReadOnly;
  switch (info.kind) {
    case Kind::kInteger:
      reg.shape = Shape::kInteger;
      reg.length = reg.parameter.typeCode == runtime::kTypeUint32 ? 4 : 8;
      break;
    case Kind::kEnumeration:
      reg.shape = Shape::kEnumeration;
      reg.length = 4;
      for (const EnumEntry& entry : info.entries) reg.entries.emplace_back(entry.symbol, entry.value);
      break;
    case Kind::kDouble:
      reg.shape = Shape::kFloat;
      reg.length = 8;
      break;
    default:
      // Texts are shown, never written from the network: some of them name files on the
      // host, which a remote client must not choose.
      reg.shape = Shape::kString;
      reg.length = kStringLength;
      reg.access = Access::kReadOnly;
      break;
  }
  return reg;
}

}  // namespace

RegisterMap RegisterMap::build(const Applet& applet, std::uint32_t mostPacketSize) {
  RegisterMap map;
  std::uint32_t next = kStandardBase;
  for (const StandardFeature& row : kStandardFeatures) {
    Register reg = standardRegister(applet, row, mostPacketSize);
    if (row.route != Route::kBootstrap) {
      reg.address = next;
      next = aligned(next + reg.length);
    }
    map.registers_.push_back(std::move(reg));
  }
  next = kParameterBase;
  for (const ParameterInfo& info : applet.parameters()) {
    std::optional<Register> reg = parameterRegister(applet, info);
    if (!reg) continue;
    reg->address = next;
    next = aligned(next + reg->length);
    map.registers_.push_back(std::move(*reg));
  }
  // Bootstrap features are served by the bootstrap space, not looked up here.
  for (std::uint32_t i = 0; i < map.registers_.size(); ++i) {
    if (map.registers_[i].route != Route::kBootstrap) map.order_.push_back(i);
  }
  std::sort(map.order_.begin(), map.order_.end(), [&](std::uint32_t a, std::uint32_t b) {
    return map.registers_[a].address < map.registers_[b].address;
  });
  return map;
}

const Register* RegisterMap::find(std::uint32_t address) const noexcept {
  const auto after = std::upper_bound(
      order_.begin(), order_.end(), address,
      [&](std::uint32_t value, std::uint32_t index) { return value < registers_[index].address; });
  if (after == order_.begin()) return nullptr;
  const Register& reg = registers_[*(after - 1)];
  return address - reg.address < reg.length ? &reg : nullptr;
}

}  // namespace brenvik::gev
