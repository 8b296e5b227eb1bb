// The simulated board's values and settings through its control interface.
#include "brenvik/Board.h"

#include <vector>

#include "brenvik/Error.h"
#include "simboard/control.h"

namespace brenvik {

namespace {

constexpr std::size_t kValueTextSize = 1 << 16;
constexpr const char* kSceneCamera = "scene";
constexpr const char* kNoCamera = "none";

[[noreturn]] void refused(std::int32_t code, const std::string& doing) {
  const ErrorCategory category =
      code == SIMBOARD_INVALID_PARAMETER ? ErrorCategory::kUnknownName : ErrorCategory::kRefused;
  throw Error(category, code, doing);
}

}  // namespace

std::string Board::value(std::string_view name) const {
  const std::string key(name);
  std::vector<char> text(kValueTextSize);
  const std::int32_t code = simboard_get(number_, key.c_str(), text.data(), text.size());
  if (code != 0) refused(code, "reading " + key + " on board " + std::to_string(number_));
  return text.data();
}

void Board::play(std::string_view name, std::string_view text) {
  const std::string key(name);
  const std::string value(text);
  const std::int32_t code = simboard_set(number_, key.c_str(), value.c_str());
  if (code != 0) {
    refused(code, "playing " + key + "=" + value + " on board " + std::to_string(number_));
  }
}

void Board::setSceneCamera(bool on) {
  play(SIMBOARD_SETTING_CAMERA, on ? kSceneCamera : kNoCamera);
}

void Board::setCameraFiles(const std::vector<std::string>& files) {
  std::string list;
  for (const std::string& file : files) list.append(list.empty() ? "" : ",").append(file);
  play(SIMBOARD_SETTING_CAMERA_INPUT, list);
}

void Board::setCameraImages(const std::vector<CameraImage>& images) {
  for (const CameraImage& image : images) {
    const std::size_t needed = std::size_t{image.width} * image.height * (image.bits > 8 ? 2 : 1);
    if (image.pixels.size() < needed) {
      throw Error(ErrorCategory::kBadValue,
                  "a camera image of " + std::to_string(image.width) + " x " +
                      std::to_string(image.height) + " pixels of " + std::to_string(image.bits) +
                      " bits needs " + std::to_string(needed) + " bytes, not " +
                      std::to_string(image.pixels.size()));
    }
  }
  std::vector<SimboardImage> views;
  views.reserve(images.size());
  for (const CameraImage& image : images) {
    views.push_back({image.width, image.height, image.bits, image.pixels.data()});
  }
  const std::int32_t code = simboard_camera_images(number_, views.data(), views.size());
  if (code != 0) refused(code, "giving the camera " + std::to_string(images.size()) + " images");
}

bool Board::cameraAttached() const {
  if (value(SIMBOARD_SETTING_CAMERA) != kNoCamera) return true;
  return !value(SIMBOARD_SETTING_CAMERA_INPUT).empty();
}

void Board::setPaced(bool paced) { play(SIMBOARD_SETTING_PACED, paced ? "1" : "0"); }

void Board::setPicturePeriod(std::uint32_t microseconds) {
  play(SIMBOARD_SETTING_PICTURE_PERIOD_US, std::to_string(microseconds));
}

}  // namespace brenvik
