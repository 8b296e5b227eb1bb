// The front end's applet: parameters as JSON from the description tree and the get path,
// sets through the applet's own set path, configuration files, XML, the lookup table and
// software triggers.
#include "tools/brenvik/serve/AppletSession.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/DescriptionText.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/GrayPng.h"
#include "simboard/control.h"

namespace brenvik::tool::serve {

namespace {

using nlohmann::json;
using runtime::ParameterRecord;

constexpr std::uint32_t kLutEntries = 1024;
constexpr std::uint32_t kPreviewBuffers = 4;
constexpr std::int64_t kUntilStopped = -1;  // an acquisition without a picture count
constexpr int kPreviewWaitSeconds = 2;

Outcome outcome(int code) { return {code, code == 0 ? std::string() : codeMeaning(code)}; }

// Records of a category and its sub-categories, each with its category path.
void collect(const ParameterRecord& category, const std::string& path,
             std::vector<const ParameterRecord*>& records, std::vector<std::string>& paths) {
  const std::string here = path.empty() ? printable(category.displayName)
                                        : joined({path, " / ", printable(category.displayName)});
  for (const ParameterRecord* child : runtime::childrenOf(category)) {
    if (child == nullptr) continue;
    if (child->kind == runtime::kKindCategory) {
      collect(*child, here, records, paths);
    } else {
      records.push_back(child);
      paths.push_back(here);
    }
  }
}

json limits(const ParameterRecord& record) {
  const auto& d = record.data;
  switch (record.kind) {
    case runtime::kKindInteger:  // limits above 2^31 stand for unsigned values
      return {{"minimum", static_cast<std::uint32_t>(d.integer.minimum)},
              {"maximum", static_cast<std::uint32_t>(d.integer.maximum)},
              {"step", static_cast<std::uint32_t>(d.integer.step)}};
    case runtime::kKindInteger2:
      return {{"minimum", d.integer.minimum},
              {"maximum", d.integer.maximum},
              {"step", d.integer.step}};
    case runtime::kKindDouble:
      return {{"minimum", d.real.minimum}, {"maximum", d.real.maximum}, {"step", d.real.step}};
    case runtime::kKindUint64:
    case runtime::kKindUint64b:
      return {{"minimum", d.uint64.minimum},
              {"maximum", d.uint64.maximum},
              {"step", d.uint64.step}};
    case runtime::kKindIntegerField:
      return {{"minimum", d.field.minimum},
              {"maximum", d.field.maximum},
              {"elements", d.field.elementCount}};
    default:
      return json::object();
  }
}

json entries(const ParameterRecord& record) {
  json list = json::array();
  const auto& e = record.data.enumeration;
  for (std::int32_t i = 0; i < e.entryCount; ++i) {
    list.push_back(
        {{"value", e.values != nullptr ? e.values[i] : 0},
         {"name", record.entryNames != nullptr && record.entryNames[i] != nullptr
                      ? record.entryNames[i]
                      : ""},
         {"displayName", printable(e.displayNames != nullptr ? e.displayNames[i] : nullptr)}});
  }
  return list;
}

// The type code a value of this kind is read and written in.
int typeOf(std::int32_t kind) {
  switch (kind) {
    case runtime::kKindDouble:
      return runtime::kTypeDouble;
    case runtime::kKindUint64:
    case runtime::kKindUint64b:
      return runtime::kTypeUint64;
    case runtime::kKindString:
      return runtime::kTypeStringCopy;
    default:
      return runtime::kTypeUint32;
  }
}

}  // namespace

AppletSession::AppletSession(std::unique_ptr<AppletHost> host, std::uint64_t board)
    : host_(std::move(host)), board_(board) {
  exports_.get = host_->function<decltype(exports_.get)>("Fg_getParameterWithType");
  exports_.set = host_->function<decltype(exports_.set)>("Fg_setParameterWithType");
  exports_.freeString =
      host_->function<decltype(exports_.freeString)>("Fg_freeParameterStringWithType");
  exports_.info = host_->function<decltype(exports_.info)>("Fg_getParameterInfo");
  exports_.xml = host_->function<decltype(exports_.xml)>("Fg_getParameterInfoXML");
  exports_.save = host_->function<decltype(exports_.save)>("Fg_saveConfig");
  exports_.load = host_->function<decltype(exports_.load)>("Fg_loadConfig");
  exports_.acquire = host_->function<decltype(exports_.acquire)>("Fg_AcquireEx");
  exports_.wait = host_->function<decltype(exports_.wait)>("Fg_getLastPicNumberBlockingEx");
  exports_.stop = host_->function<decltype(exports_.stop)>("Fg_stopAcquireEx");
}

AppletSession::~AppletSession() { stopPreview(); }

std::vector<AppletSession::Described> AppletSession::described() const {
  std::vector<const ParameterRecord*> records;
  std::vector<std::string> paths;
  const auto* newest = reinterpret_cast<const ParameterRecord*>(
      static_cast<const void*>(exports_.info(host_->handle(), 0)));
  const ParameterRecord* oldest = newest;
  while (oldest != nullptr && oldest->olderRoot != nullptr) oldest = oldest->olderRoot;
  for (const ParameterRecord* root = oldest; root != nullptr; root = root->newerRoot) {
    collect(*root, "", records, paths);
  }
  std::vector<Described> result;
  result.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) result.push_back({records[i], paths[i]});
  return result;
}

json AppletSession::valueOf(const ParameterRecord& record) {
  AppletHandle* handle = host_->handle();
  switch (record.kind) {
    case runtime::kKindIntegerField:
      return nullptr;  // the lookup table has its own resource
    case runtime::kKindString: {
      char* text = nullptr;
      const int result = exports_.get(handle, record.id, &text, 0, runtime::kTypeStringCopy);
      if (result != 0) return {{"error", result}};
      json value = printable(text);
      exports_.freeString(handle, record.id, text, 0, runtime::kTypeStringCopy);
      return value;
    }
    case runtime::kKindDouble: {
      double value = 0;
      const int result = exports_.get(handle, record.id, &value, 0, runtime::kTypeDouble);
      return result == 0 ? json(value) : json{{"error", result}};
    }
    case runtime::kKindUint64:
    case runtime::kKindUint64b: {
      std::uint64_t value = 0;
      const int result = exports_.get(handle, record.id, &value, 0, runtime::kTypeUint64);
      return result == 0 ? json(value) : json{{"error", result}};
    }
    case runtime::kKindInteger2: {
      std::int32_t value = 0;
      const int result = exports_.get(handle, record.id, &value, 0, runtime::kTypeUint32);
      return result == 0 ? json(value) : json{{"error", result}};
    }
    default: {
      std::uint32_t value = 0;
      const int result = exports_.get(handle, record.id, &value, 0, runtime::kTypeUint32);
      return result == 0 ? json(value) : json{{"error", result}};
    }
  }
}

json AppletSession::describe(const Described& parameter) {
  const ParameterRecord& record = *parameter.record;
  json value = valueOf(record);
  json result = {{"name", printable(record.name)},
                 {"id", record.id},
                 {"displayName", printable(record.displayName)},
                 {"category", parameter.category},
                 {"kind", kindName(record.kind)},
                 {"unit", printable(record.unit)},
                 {"access", accessText(record.access)}};
  if (value.is_object() && value.contains("error")) {
    result["value"] = nullptr;
    result["error"] = value["error"];
  } else {
    result["value"] = value;
  }
  result.update(limits(record));
  if (record.kind == runtime::kKindEnumeration) result["entries"] = entries(record);
  return result;
}

json AppletSession::parameters() {
  std::lock_guard guard(lock_);
  json list = json::array();
  for (const Described& parameter : described()) list.push_back(describe(parameter));
  return list;
}

std::optional<json> AppletSession::parameter(std::string_view name) {
  std::lock_guard guard(lock_);
  for (const Described& parameter : described()) {
    if (parameter.record->name != nullptr && name == parameter.record->name) {
      return describe(parameter);
    }
  }
  return std::nullopt;
}

SetOutcome AppletSession::set(std::string_view name, const json& value) {
  std::lock_guard guard(lock_);
  SetOutcome result;
  const Described* found = nullptr;
  const std::vector<Described> all = described();
  for (const Described& parameter : all) {
    if (parameter.record->name != nullptr && name == parameter.record->name) found = &parameter;
  }
  if (found == nullptr) return result;
  result.known = true;
  const ParameterRecord& record = *found->record;
  AppletHandle* handle = host_->handle();
  int code = 0;
  switch (record.kind) {
    case runtime::kKindIntegerField:
      result.invalidValue = "the lookup table is set through its own parameters";
      return result;
    case runtime::kKindString: {
      if (!value.is_string()) {
        result.invalidValue = "the value must be a string";
        return result;
      }
      const std::string text = value.get<std::string>();
      code = exports_.set(handle, record.id, text.c_str(), 0, runtime::kTypeString);
      break;
    }
    case runtime::kKindDouble: {
      if (!value.is_number()) {
        result.invalidValue = "the value must be a number";
        return result;
      }
      const double number = value.get<double>();
      code = exports_.set(handle, record.id, &number, 0, runtime::kTypeDouble);
      break;
    }
    default: {
      std::int64_t number = 0;
      if (value.is_number_integer()) {
        number = value.get<std::int64_t>();
      } else if (value.is_string() && record.kind == runtime::kKindEnumeration) {
        // An enumeration value by its symbol.
        const std::string symbol = value.get<std::string>();
        const auto& e = record.data.enumeration;
        bool matched = false;
        for (std::int32_t i = 0; i < e.entryCount && !matched; ++i) {
          if (record.entryNames != nullptr && record.entryNames[i] != nullptr &&
              symbol == record.entryNames[i]) {
            number = e.values[i];
            matched = true;
          }
        }
        if (!matched) {
          result.invalidValue = joined({"'", symbol, "' is not one of the parameter's entries"});
          return result;
        }
      } else {
        result.invalidValue = "the value must be an integer";
        return result;
      }
      const bool wide = typeOf(record.kind) == runtime::kTypeUint64;
      if (number < (record.kind == runtime::kKindInteger2 ? INT32_MIN : 0) ||
          (!wide && number > static_cast<std::int64_t>(UINT32_MAX))) {
        result.invalidValue = "the value does not fit the parameter";
        return result;
      }
      if (wide) {
        const auto wideValue = static_cast<std::uint64_t>(number);
        code = exports_.set(handle, record.id, &wideValue, 0, runtime::kTypeUint64);
      } else {
        const auto narrow = static_cast<std::uint32_t>(number);
        code = exports_.set(handle, record.id, &narrow, 0, runtime::kTypeUint32);
      }
      break;
    }
  }
  result.applet = outcome(code);
  if (code == 0) result.parameter = describe(*found);
  return result;
}

std::string AppletSession::scratchFile(const char* purpose) const {
  static std::atomic<unsigned> next{0};
  const std::string name = joined({"brenvik-serve-", std::to_string(board_), "-", purpose, "-",
                                   std::to_string(next++), ".mcf"});
  return (std::filesystem::temp_directory_path() / name).string();
}

Outcome AppletSession::saveConfiguration(std::string& content) {
  std::lock_guard guard(lock_);
  const std::string file = scratchFile("save");
  const int code = exports_.save(host_->handle(), file.c_str());
  if (code == 0) {
    std::ifstream in(file, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return outcome(code);
}

Outcome AppletSession::loadConfiguration(std::string_view content) {
  std::lock_guard guard(lock_);
  const std::string file = scratchFile("load");
  {
    std::ofstream out(file, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) return outcome(codes::kConfigurationRead);
  }
  const int code = exports_.load(host_->handle(), file.c_str());
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return outcome(code);
}

// --- The frame preview ---

std::optional<std::string> AppletSession::cameraMissing() {
  std::uint32_t source = 0;
  char inputs[4096] = {};
  if (exports_.get(host_->handle(), parameters::sdkId("FG_CAMERASIMULATOR_ENABLE"), &source, 0,
                   runtime::kTypeUint32) == 0 &&
      source == parameters::enumUnsigned("FG_CAMPORT") &&
      simboard_get(board_, "simboard:camera_input", inputs, sizeof inputs) == 0 &&
      inputs[0] == '\0') {
    return "no camera on the camera port: choose the simulator (FG_CAMERASIMULATOR_ENABLE), "
           "or start brenvik serve with --input FILE";
  }
  return std::nullopt;
}

Outcome AppletSession::startPreview(const PictureShape& shape) {
  const std::uint64_t bytesPerPixel = shape.format == parameters::enumUnsigned("FG_GRAY") ? 1 : 2;
  const std::uint64_t bytes = std::uint64_t{shape.width} * shape.height * bytesPerPixel;
  int code = simboard_buffers_alloc(board_, kPreviewBuffers, bytes, &buffers_);
  if (code != 0) {
    buffers_ = nullptr;
    return outcome(code);
  }
  code = exports_.acquire(host_->handle(), 0, kUntilStopped, 0, buffers_);
  if (code != 0) {
    stopPreview();
    return outcome(code);
  }
  shape_ = shape;
  shown_ = 0;
  return {};
}

void AppletSession::stopPreview() {
  if (buffers_ == nullptr) return;
  exports_.stop(host_->handle(), 0, buffers_, 0);
  simboard_buffers_free(buffers_);
  buffers_ = nullptr;
}

Outcome AppletSession::framePng(std::string& png) {
  std::lock_guard guard(lock_);
  if (exports_.acquire == nullptr || exports_.wait == nullptr || exports_.stop == nullptr) {
    return {codes::kNotAvailable, codeMeaning(codes::kNotAvailable)};
  }
  if (auto missing = cameraMissing()) {
    stopPreview();
    return {codes::kNotAvailable, *missing};
  }
  PictureShape shape;
  AppletHandle* handle = host_->handle();
  for (const auto& [id, value] : {std::pair{parameters::sdkId("FG_WIDTH"), &shape.width},
                                  std::pair{parameters::sdkId("FG_HEIGHT"), &shape.height},
                                  std::pair{parameters::sdkId("FG_FORMAT"), &shape.format}}) {
    if (const int code = exports_.get(handle, id, value, 0, runtime::kTypeUint32);
        code != 0) {
      return outcome(code);
    }
  }
  if (buffers_ != nullptr && !(shape == shape_)) stopPreview();
  if (buffers_ == nullptr) {
    if (Outcome started = startPreview(shape); !started.ok()) return started;
  }
  const std::int64_t arrived =
      exports_.wait(handle, shown_ + 1, 0, kPreviewWaitSeconds, buffers_);
  if (arrived < 0) return outcome(static_cast<int>(arrived));
  SimboardFrame frame{};
  if (const int code = simboard_latest_frame(board_, 0, nullptr, 0, &frame); code != 0) {
    return outcome(code);
  }
  pixels_.resize(frame.bytes);
  if (const int code = simboard_latest_frame(board_, 0, pixels_.data(), pixels_.size(), &frame);
      code != 0) {
    return outcome(code);
  }
  shown_ = frame.picture;
  std::string error;
  if (!encodeGrayPng({pixels_.data(), frame.width, frame.height, frame.bytesPerPixel}, png,
                     &error)) {
    return {codes::kNotAvailable, error};
  }
  return {};
}

std::string AppletSession::descriptionXml() {
  std::lock_guard guard(lock_);
  std::uint64_t size = 0;
  if (exports_.xml(host_->handle(), 0, nullptr, &size) != 0 || size == 0) return {};
  std::string text(size, '\0');
  if (exports_.xml(host_->handle(), 0, text.data(), &size) != 0) return {};
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::vector<std::uint32_t> AppletSession::lookupTable() {
  std::lock_guard guard(lock_);
  std::vector<std::uint32_t> table(kLutEntries);
  runtime::FieldParameterAccess access{2, 0, kLutEntries, table.data()};
  if (exports_.get(host_->handle(), parameters::sdkId("FG_LUT_VALUE"), &access, 0,
                   runtime::kTypeField) != 0) {
    return {};
  }
  return table;
}

Outcome AppletSession::fireSoftwareTrigger() {
  std::lock_guard guard(lock_);
  const std::uint32_t pulses = 1;
  return outcome(exports_.set(host_->handle(), parameters::sdkId("FG_SENDSOFTWARETRIGGER"),
                              &pulses, 0, runtime::kTypeUint32));
}

}  // namespace brenvik::tool::serve
