// One applet on one simulated board, shared by every request of the front end: each operation
// takes the session's lock, so requests reach the applet one at a time.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brenvik/Applet.h"

namespace brenvik::tool::serve {

// Texts joined by appending (GCC 12 warns wrongly about "literal" + std::string at -O3).
inline std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

// The outcome of an operation that the applet may refuse: its code (0 on success) and, on
// refusal, the code's meaning.
struct Outcome {
  int code = 0;
  std::string message;
  bool ok() const { return code == 0; }
};

// What a set of a parameter came to: the parameter (null when the name is unknown), a
// usage problem with the value (empty when none), or the applet's answer.
struct SetOutcome {
  bool known = false;
  std::string invalidValue;  // why the value does not fit the parameter's kind
  Outcome applet;
  nlohmann::json parameter;  // the parameter afterwards, on success
};

// A JSON value as the client library's parser takes it.
Input inputOf(const nlohmann::json& value);

class AppletSession {
 public:
  explicit AppletSession(std::unique_ptr<Applet> applet);
  ~AppletSession();  // stops the preview's acquisition
  AppletSession(const AppletSession&) = delete;
  AppletSession& operator=(const AppletSession&) = delete;

  // Every parameter the applet lists, the described ones in the description tree's order:
  // name, id, sdkText, described, displayName, category, kind, value, limits, unit, access
  // and enumeration entries.
  nlohmann::json parameters();
  std::optional<nlohmann::json> parameter(std::string_view name);
  SetOutcome set(std::string_view name, const nlohmann::json& value);

  // The current configuration as an .mcf file's content, or the save's refusal.
  Outcome saveConfiguration(std::string& content);
  // Loads an uploaded configuration file's content.
  Outcome loadConfiguration(std::string_view content);

  // The newest frame as PNG, from the session's own acquisition: started on the first
  // request, and started again when the picture's size or format has changed since.
  Outcome framePng(std::string& png);

  std::string descriptionXml();
  std::vector<std::uint32_t> lookupTable();
  Outcome fireSoftwareTrigger();

 private:
  // The picture an acquisition was started for.
  struct PictureShape {
    std::int64_t width = 0, height = 0, format = 0;
    bool operator==(const PictureShape&) const = default;
  };

  nlohmann::json describe(const ParameterInfo& info);
  // A scratch file of the session's own for configuration transfers.
  std::string scratchFile(const char* purpose) const;
  std::optional<std::string> cameraMissing();

  std::mutex lock_;
  std::unique_ptr<Applet> applet_;
  // The preview acquisition's shape, while one runs.
  std::optional<PictureShape> shape_;
};

}  // namespace brenvik::tool::serve
