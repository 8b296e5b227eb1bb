// Creating and freeing the applet, and its parameters: descriptions, typed and generic gets
// and sets, files, the XML, events, the lookup table and the software trigger.
#include <charconv>
#include <cstring>
#include <limits>

#include "Acquisition.h"
#include "AppletCore.h"
#include "ValueParser.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"

namespace brenvik {

namespace {

using detail::AppletCore;
using detail::CatalogueEntry;

constexpr std::uint32_t kDma = 0;  // the applet's one DMA channel
constexpr std::size_t kForcedTextSize = 4096;

[[noreturn]] void refused(const AppletCore& core, const ParameterHandle& parameter,
                          const char* doing, std::int32_t code) {
  const CatalogueEntry* entry = core.find(parameter.id);
  const std::string name =
      entry != nullptr ? entry->name : "parameter " + std::to_string(parameter.id);
  throw Error(ErrorCategory::kRefused, code, std::string(doing) + " " + name);
}

[[noreturn]] void wrongKind(const AppletCore& core, const ParameterHandle& parameter,
                            const char* wanted) {
  const CatalogueEntry* entry = core.find(parameter.id);
  const std::string name =
      entry != nullptr ? entry->name : "parameter " + std::to_string(parameter.id);
  throw Error(ErrorCategory::kBadValue, name + " is " +
                                            (parameter.kind == Kind::kInteger ? "an " : "a ") +
                                            kindName(parameter.kind) + ", not " + wanted);
}

// Writes an integer that fits the parameter's type (the caller holds describeLock).
// Registers and hardware entries take 32 bits when the value fits, like the SDK's own.
void writeInteger(const AppletCore& core, AppletHandle* live, const CatalogueEntry& entry,
                  std::int64_t value) {
  const ParameterHandle& parameter = entry.handle;
  const bool narrow =
      parameter.typeCode == runtime::kTypeUint32 ||
      (!entry.sdk && value >= 0 && value <= std::numeric_limits<std::uint32_t>::max());
  std::int32_t code = 0;
  if (narrow) {
    const auto bits = static_cast<std::uint32_t>(value);
    code = core.exports->Fg_setParameterWithType(live, parameter.id, &bits, kDma,
                                                 runtime::kTypeUint32);
  } else {
    const auto bits = static_cast<std::uint64_t>(value);
    code =
        core.exports->Fg_setParameterWithType(live, parameter.id, &bits, kDma, parameter.typeCode);
  }
  if (code != 0) refused(core, parameter, "setting", code);
}

}  // namespace

// --- Creation ---

Applet::Applet(const OpenOptions& options)
    : Applet(Module::load(options.appletPath, options.runtimeDirectory), options.board,
             options.flags) {}

Applet::Applet(std::shared_ptr<Module> module, std::uint64_t board, std::uint32_t flags)
    : core_(std::make_shared<AppletCore>()) {
  if (!module) throw Error(ErrorCategory::kCannotLoad, "no applet module given");
  core_->module = std::move(module);
  core_->exports = &core_->module->core_->exports;
  core_->board = board;
  std::int32_t code = 0;
  core_->handle.applet = core_->exports->Std_entry(board, &code, flags);
  if (core_->handle.applet == nullptr || code != 0) {
    if (core_->handle.applet != nullptr) core_->exports->Fg_FreeGrabber(&core_->handle);
    throw Error(ErrorCategory::kCannotLoad, code,
                "creating the applet on board " + std::to_string(board) + " failed");
  }
  try {
    detail::buildCatalogue(*core_);
  } catch (...) {
    core_->exports->Fg_FreeGrabber(&core_->handle);
    throw;
  }
}

Applet::~Applet() {
  try {
    close();
  } catch (...) {  // nothing to report to from a destructor
  }
}

void Applet::close() {
  if (core_->handle.applet == nullptr) return;
  try {
    stop();
  } catch (const Error&) {  // a refused stop still leaves the applet to be freed
  }
  core_->exports->Fg_FreeGrabber(&core_->handle);
  core_->handle.applet = nullptr;
}

bool Applet::closed() const noexcept { return core_->handle.applet == nullptr; }
const Module& Applet::module() const noexcept { return *core_->module; }
Board Applet::board() const noexcept { return Board(core_->board); }

std::int32_t Applet::lastError() const {
  return core_->exports->Fg_getLastErrorNumber(core_->live());
}

// --- Descriptions ---

std::vector<ParameterInfo> Applet::parameters() const {
  core_->live();
  std::lock_guard guard(core_->describeLock);
  std::vector<ParameterInfo> list;
  list.reserve(core_->entries.size());
  for (const CatalogueEntry& entry : core_->entries) list.push_back(detail::describe(entry));
  return list;
}

std::vector<ParameterInfo> Applet::descriptionTree() const {
  core_->live();
  std::lock_guard guard(core_->describeLock);
  std::vector<ParameterInfo> list;
  list.reserve(core_->treeOrder.size());
  for (const std::uint32_t slot : core_->treeOrder)
    list.push_back(detail::describe(core_->entries[slot]));
  return list;
}

ParameterInfo Applet::parameter(std::string_view name) const {
  const ParameterHandle found = handle(name);
  std::lock_guard guard(core_->describeLock);
  return detail::describe(core_->entry(found));
}

ParameterInfo Applet::parameter(std::int32_t id) const {
  const ParameterHandle found = handle(id);
  std::lock_guard guard(core_->describeLock);
  return detail::describe(core_->entry(found));
}

ParameterInfo Applet::parameter(const ParameterHandle& parameter) const {
  core_->live();
  std::lock_guard guard(core_->describeLock);
  return detail::describe(core_->entry(parameter));
}

ParameterHandle Applet::handle(std::string_view nameOrId) const {
  AppletHandle* live = core_->live();
  if (const CatalogueEntry* entry = core_->find(nameOrId)) return entry->handle;
  std::int32_t id = 0;
  const auto [end, error] = std::from_chars(nameOrId.data(), nameOrId.data() + nameOrId.size(), id);
  if (error == std::errc{} && end == nameOrId.data() + nameOrId.size() && !nameOrId.empty()) {
    return handle(id);
  }
  const std::string name(nameOrId);
  const int code = core_->exports->Fg_getParameterIdByName(live, name.c_str());
  if (code < 0) throw Error(ErrorCategory::kUnknownName, code, "unknown parameter '" + name + "'");
  throw Error(ErrorCategory::kUnknownName, "unknown parameter '" + name + "'");
}

ParameterHandle Applet::handle(std::int32_t id) const {
  core_->live();
  if (const CatalogueEntry* entry = core_->find(id)) return entry->handle;
  // An id the applet does not list is read as 64 bits; the applet answers for it.
  ParameterHandle unlisted;
  unlisted.id = id;
  unlisted.typeCode = runtime::kTypeUint64;
  unlisted.slot = std::numeric_limits<std::uint32_t>::max();
  return unlisted;
}

const std::string& Applet::name(const ParameterHandle& parameter) const {
  return core_->entry(parameter).name;
}

// --- Typed paths ---

std::int64_t Applet::getInteger(const ParameterHandle& parameter) const {
  AppletHandle* live = core_->live();
  const auto get = core_->exports->Fg_getParameterWithType;
  std::int32_t code = 0;
  switch (parameter.typeCode) {
    case runtime::kTypeUint32: {
      std::uint32_t value = 0;
      code = get(live, parameter.id, &value, kDma, runtime::kTypeUint32);
      if (code == 0) {
        return parameter.isSigned ? std::int64_t{static_cast<std::int32_t>(value)}
                                  : std::int64_t{value};
      }
      break;
    }
    case runtime::kTypeInt64:
    case runtime::kTypeUint64: {
      std::uint64_t value = 0;
      code = get(live, parameter.id, &value, kDma, parameter.typeCode);
      if (code == 0 &&
          value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return static_cast<std::int64_t>(value);
      }
      if (code == 0) {
        throw Error(ErrorCategory::kBadValue, name(parameter) + " holds " + std::to_string(value) +
                                                  ", beyond the integers this library carries");
      }
      break;
    }
    default:
      wrongKind(*core_, parameter, "an integer");
  }
  refused(*core_, parameter, "reading", code);
}

double Applet::getDouble(const ParameterHandle& parameter) const {
  AppletHandle* live = core_->live();
  if (parameter.typeCode != runtime::kTypeDouble) wrongKind(*core_, parameter, "a double");
  double value = 0;
  const std::int32_t code = core_->exports->Fg_getParameterWithType(live, parameter.id, &value,
                                                                    kDma, runtime::kTypeDouble);
  if (code != 0) refused(*core_, parameter, "reading", code);
  return value;
}

void Applet::setInteger(const ParameterHandle& parameter, std::int64_t value) {
  AppletHandle* live = core_->live();
  if (parameter.kind != Kind::kInteger && parameter.kind != Kind::kEnumeration) {
    wrongKind(*core_, parameter, "an integer");
  }
  const CatalogueEntry& entry = core_->entry(parameter);
  std::lock_guard guard(core_->describeLock);
  if (!detail::fitsType(parameter, value)) {
    detail::checkValue(parameter, detail::describe(entry), value);
  }
  writeInteger(*core_, live, entry, value);
}

void Applet::setDouble(const ParameterHandle& parameter, double value) {
  AppletHandle* live = core_->live();
  if (parameter.typeCode != runtime::kTypeDouble) wrongKind(*core_, parameter, "a double");
  std::lock_guard guard(core_->describeLock);
  const std::int32_t code = core_->exports->Fg_setParameterWithType(live, parameter.id, &value,
                                                                    kDma, runtime::kTypeDouble);
  if (code != 0) refused(*core_, parameter, "setting", code);
}

// --- Generic values ---

Value Applet::get(const ParameterHandle& parameter) const {
  AppletHandle* live = core_->live();
  const detail::ExportTable& exports = *core_->exports;
  switch (parameter.typeCode) {
    case runtime::kTypeDouble:
      return getDouble(parameter);
    case runtime::kTypeStringCopy: {
      char* text = nullptr;
      const std::int32_t code = exports.Fg_getParameterWithType(live, parameter.id, &text, kDma,
                                                                runtime::kTypeStringCopy);
      if (code != 0) refused(*core_, parameter, "reading", code);
      std::string value = detail::utf8(text);
      exports.Fg_freeParameterStringWithType(live, parameter.id, text, kDma,
                                             runtime::kTypeStringCopy);
      return value;
    }
    case runtime::kTypeString: {
      std::vector<char> text(kForcedTextSize);
      const std::int32_t code = exports.Fg_getParameterWithType(live, parameter.id, text.data(),
                                                                kDma, runtime::kTypeString);
      if (code != 0) refused(*core_, parameter, "reading", code);
      text.back() = '\0';
      return detail::utf8(text.data());
    }
    case runtime::kTypeField: {
      std::uint32_t elements = 0;
      {
        std::lock_guard guard(core_->describeLock);
        elements = detail::describe(core_->entry(parameter)).elements;
      }
      std::vector<std::uint32_t> entries(elements);
      runtime::FieldParameterAccess access{runtime::kTypeUint32, 0, elements, entries.data()};
      const std::int32_t code =
          exports.Fg_getParameterWithType(live, parameter.id, &access, kDma, runtime::kTypeField);
      if (code != 0) refused(*core_, parameter, "reading", code);
      return entries;
    }
    default:
      return getInteger(parameter);
  }
}

void Applet::set(const ParameterHandle& parameter, const Value& value) {
  AppletHandle* live = core_->live();
  std::lock_guard guard(core_->describeLock);
  const CatalogueEntry& entry = core_->entry(parameter);
  const Value checked = detail::checkValue(parameter, detail::describe(entry), value);
  const detail::ExportTable& exports = *core_->exports;
  std::int32_t code = 0;
  switch (parameter.typeCode) {
    case runtime::kTypeDouble: {
      const double real = std::get<double>(checked);
      code = exports.Fg_setParameterWithType(live, parameter.id, &real, kDma, runtime::kTypeDouble);
      break;
    }
    case runtime::kTypeString:
    case runtime::kTypeStringCopy:
      code = exports.Fg_setParameterWithType(
          live, parameter.id, std::get<std::string>(checked).c_str(), kDma, runtime::kTypeString);
      break;
    case runtime::kTypeField: {
      const auto& entries = std::get<std::vector<std::uint32_t>>(checked);
      runtime::FieldParameterAccess access{runtime::kTypeUint32, 0,
                                           static_cast<std::uint32_t>(entries.size()),
                                           const_cast<std::uint32_t*>(entries.data())};
      code =
          exports.Fg_setParameterWithType(live, parameter.id, &access, kDma, runtime::kTypeField);
      break;
    }
    default:
      writeInteger(*core_, live, entry, std::get<std::int64_t>(checked));
      break;
  }
  if (code != 0) refused(*core_, parameter, "setting", code);
}

Value Applet::parse(const ParameterHandle& parameter, const Input& given) const {
  core_->live();
  ParameterInfo info;
  {
    std::lock_guard guard(core_->describeLock);
    info = detail::describe(core_->entry(parameter));
  }
  return detail::parseValue(parameter, info, given);
}

// --- Files, description, events, lookup table, trigger ---

void Applet::saveConfig(const std::string& path) const {
  AppletHandle* live = core_->live();
  if (const int code = core_->exports->Fg_saveConfig(live, path.c_str()); code != 0) {
    throw Error(ErrorCategory::kRefused, code, "saving the configuration to " + path);
  }
}

void Applet::loadConfig(const std::string& path) {
  AppletHandle* live = core_->live();
  std::lock_guard guard(core_->describeLock);
  if (const int code = core_->exports->Fg_loadConfig(live, path.c_str()); code != 0) {
    throw Error(ErrorCategory::kRefused, code, "loading the configuration " + path);
  }
}

std::string Applet::xml(int port) const {
  AppletHandle* live = core_->live();
  std::lock_guard guard(core_->describeLock);
  std::uint64_t size = 0;
  int code = core_->exports->Fg_getParameterInfoXML(live, port, nullptr, &size);
  std::string text;
  if (code == 0) {
    text.assign(size, '\0');
    code = core_->exports->Fg_getParameterInfoXML(live, port, text.data(), &size);
  }
  if (code != 0) {
    throw Error(ErrorCategory::kRefused, code,
                "describing port " + std::to_string(port) + " in XML");
  }
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::uint64_t Applet::eventMask(std::string_view name) const {
  AppletHandle* live = core_->live();
  const std::string text(name);
  const std::uint64_t mask = core_->exports->Fg_getEventMask(live, text.c_str());
  if (mask == 0) {
    throw Error(ErrorCategory::kUnknownName, core_->exports->Fg_getLastErrorNumber(live),
                "no event named '" + text + "'");
  }
  return mask;
}

std::optional<std::string> Applet::eventName(std::uint64_t mask) const {
  const char* name = core_->exports->Fg_getEventName(core_->live(), mask);
  if (name == nullptr) return std::nullopt;
  return std::string(name);
}

std::vector<std::uint32_t> Applet::lookupTable() const {
  return std::get<std::vector<std::uint32_t>>(get(handle(parameters::sdkId("FG_LUT_VALUE"))));
}

void Applet::setLookupTable(const std::vector<std::uint32_t>& entries, std::uint32_t first) {
  AppletHandle* live = core_->live();
  const ParameterHandle table = handle(parameters::sdkId("FG_LUT_VALUE"));
  runtime::FieldParameterAccess access{runtime::kTypeUint32, first,
                                       static_cast<std::uint32_t>(entries.size()),
                                       const_cast<std::uint32_t*>(entries.data())};
  std::lock_guard guard(core_->describeLock);
  const std::int32_t code =
      core_->exports->Fg_setParameterWithType(live, table.id, &access, kDma, runtime::kTypeField);
  if (code != 0) refused(*core_, table, "setting", code);
}

void Applet::fireSoftwareTrigger(std::uint32_t pulses) {
  setInteger(handle(parameters::sdkId("FG_SENDSOFTWARETRIGGER")), pulses);
}

}  // namespace brenvik
