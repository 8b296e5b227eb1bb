// The front end's applet: parameters as JSON through the client library, sets through its
// one value parser, configuration files, XML, the lookup table, software triggers and the
// preview's frames.
#include "tools/brenvik/serve/AppletSession.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "tools/brenvik/GrayPng.h"

namespace brenvik::tool::serve {

namespace {

using nlohmann::json;
using parameters::sdkId;

constexpr std::uint32_t kPreviewBuffers = 4;
constexpr auto kPreviewWait = std::chrono::seconds(2);
constexpr auto kNoWait = std::chrono::milliseconds(0);

Outcome outcome(const Error& error) {
  return {error.code() != 0 ? error.code() : -1,
          error.code() != 0 ? error.meaning() : std::string(error.what())};
}

json jsonOf(const Value& value) {
  return std::visit([](const auto& v) { return json(v); }, value);
}

const char* accessText(const ParameterInfo& info) {
  if (info.readable && info.writable) return "RW";
  if (info.readable) return "RO";
  if (info.writable) return "WO";
  return "--";
}

}  // namespace

Input inputOf(const json& value) {
  if (value.is_number_integer()) {
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > INT64_MAX) {
      return Input::fromDouble(value.get<double>());
    }
    return Input::fromInteger(value.get<std::int64_t>());
  }
  if (value.is_number_float()) return Input::fromDouble(value.get<double>());
  if (value.is_string()) return Input::fromString(value.get<std::string>());
  if (value.is_array()) {
    std::vector<Input> elements;
    elements.reserve(value.size());
    for (const json& element : value) elements.push_back(inputOf(element));
    return Input::fromArray(std::move(elements));
  }
  return Input::other();
}

AppletSession::AppletSession(std::unique_ptr<Applet> applet) : applet_(std::move(applet)) {}

AppletSession::~AppletSession() {
  try {
    applet_->stop();
  } catch (const Error&) {  // the applet frees its acquisition when it closes anyway
  }
}

json AppletSession::describe(const ParameterInfo& info) {
  json result = {{"name", info.name},
                 {"id", info.id},
                 {"sdkText", info.sdkText},
                 {"described", info.described},
                 {"displayName", info.displayName},
                 {"category", info.category},
                 {"kind", kindName(info.kind)},
                 {"unit", info.unit},
                 {"access", accessText(info)}};
  if (info.minimum) result["minimum"] = jsonOf(*info.minimum);
  if (info.maximum) result["maximum"] = jsonOf(*info.maximum);
  if (info.step && info.kind != Kind::kLookupTable) result["step"] = jsonOf(*info.step);
  if (info.kind == Kind::kLookupTable) result["elements"] = info.elements;
  if (info.kind == Kind::kEnumeration) {
    json entries = json::array();
    for (const EnumEntry& entry : info.entries) {
      entries.push_back(
          {{"value", entry.value}, {"name", entry.symbol}, {"displayName", entry.displayName}});
    }
    result["entries"] = entries;
  }
  result["value"] = nullptr;
  if (info.kind == Kind::kLookupTable || !info.readable)
    return result;  // the table has its own resource
  try {
    result["value"] = jsonOf(applet_->get(applet_->handle(info.id)));
  } catch (const Error& error) {
    result["error"] = error.code();
  }
  return result;
}

json AppletSession::parameters() {
  std::lock_guard guard(lock_);
  json list = json::array();
  // The described ones in the description tree's order, then the others in the applet's.
  for (const ParameterInfo& info : applet_->descriptionTree()) list.push_back(describe(info));
  for (const ParameterInfo& info : applet_->parameters()) {
    if (!info.described) list.push_back(describe(info));
  }
  return list;
}

std::optional<json> AppletSession::parameter(std::string_view name) {
  std::lock_guard guard(lock_);
  try {
    return describe(applet_->parameter(name));
  } catch (const Error&) {
    return std::nullopt;
  }
}

SetOutcome AppletSession::set(std::string_view name, const json& value) {
  std::lock_guard guard(lock_);
  SetOutcome result;
  ParameterHandle handle;
  try {
    handle = applet_->handle(name);
    applet_->parameter(handle);
  } catch (const Error&) {
    return result;
  }
  result.known = true;
  Value typed;
  try {
    typed = applet_->parse(handle, inputOf(value));
  } catch (const Error& error) {
    result.invalidValue = error.what();
    return result;
  }
  try {
    applet_->set(handle, typed);
    result.parameter = describe(applet_->parameter(handle));
  } catch (const Error& error) {
    result.applet = outcome(error);
  }
  return result;
}

std::string AppletSession::scratchFile(const char* purpose) const {
  static std::atomic<unsigned> next{0};
  const std::string name = joined({"brenvik-serve-", std::to_string(applet_->board().number()), "-",
                                   purpose, "-", std::to_string(next++), ".mcf"});
  return (std::filesystem::temp_directory_path() / name).string();
}

Outcome AppletSession::saveConfiguration(std::string& content) {
  std::lock_guard guard(lock_);
  const std::string file = scratchFile("save");
  Outcome result;
  try {
    applet_->saveConfig(file);
    std::ifstream in(file, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const Error& error) {
    result = outcome(error);
  }
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return result;
}

Outcome AppletSession::loadConfiguration(std::string_view content) {
  std::lock_guard guard(lock_);
  const std::string file = scratchFile("load");
  Outcome result;
  {
    std::ofstream out(file, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  try {
    applet_->loadConfig(file);
  } catch (const Error& error) {
    result = outcome(error);
  }
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return result;
}

// --- The frame preview ---

std::optional<std::string> AppletSession::cameraMissing() {
  const bool fromCameraPort =
      applet_->getInteger(applet_->handle(sdkId("FG_CAMERASIMULATOR_ENABLE"))) ==
      parameters::enumUnsigned("FG_CAMPORT");
  if (fromCameraPort && !applet_->board().cameraAttached()) {
    return "no camera on the camera port: choose the simulator (FG_CAMERASIMULATOR_ENABLE), "
           "or start brenvik serve with --input FILE";
  }
  return std::nullopt;
}

Outcome AppletSession::framePng(std::string& png) {
  std::lock_guard guard(lock_);
  try {
    if (auto missing = cameraMissing()) {
      applet_->stop();
      shape_.reset();
      return {-1, *missing};
    }
    const PictureShape shape{applet_->getInteger(applet_->handle(sdkId("FG_WIDTH"))),
                             applet_->getInteger(applet_->handle(sdkId("FG_HEIGHT"))),
                             applet_->getInteger(applet_->handle(sdkId("FG_FORMAT")))};
    if (shape_ && !(*shape_ == shape)) {
      applet_->stop();
      shape_.reset();
    }
    if (!shape_) {
      applet_->start(kPreviewBuffers);
      shape_ = shape;
    }
    // The newest picture there is: wait for one, then take those that came after it (no more
    // than the buffers hold, so that a camera faster than this loop cannot keep it going).
    Frame frame = applet_->next(kPreviewWait);
    for (std::uint32_t newer = 0; newer < kPreviewBuffers; ++newer) {
      try {
        frame = applet_->next(kNoWait);
      } catch (const Error& error) {
        if (error.category() != ErrorCategory::kTimeout) throw;
        break;
      }
    }
    std::string error;
    if (!encodeGrayPng({static_cast<const std::uint8_t*>(frame.pixels()), frame.width(),
                        frame.height(), frame.bytesPerPixel()},
                       png, &error)) {
      return {-1, error};
    }
    return {};
  } catch (const Error& error) {
    return outcome(error);
  }
}

std::string AppletSession::descriptionXml() {
  std::lock_guard guard(lock_);
  try {
    return applet_->xml();
  } catch (const Error&) {
    return {};
  }
}

std::vector<std::uint32_t> AppletSession::lookupTable() {
  std::lock_guard guard(lock_);
  try {
    return applet_->lookupTable();
  } catch (const Error&) {
    return {};
  }
}

Outcome AppletSession::fireSoftwareTrigger() {
  std::lock_guard guard(lock_);
  try {
    applet_->fireSoftwareTrigger();
    return {};
  } catch (const Error& error) {
    return outcome(error);
  }
}

}  // namespace brenvik::tool::serve
