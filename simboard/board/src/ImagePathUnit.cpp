// The image path as a unit of the board: its hardware values, the renderer that follows
// them, and the camera port, whose camera sends image files, in-memory images or, while it
// has none, the built-in scene.
#include <memory>
#include <string>

#include "Behaviour.h"
#include "CameraScene.h"
#include "ValueRules.h"
#include "UnitInterfaces.h"

namespace brenvik::simboard {

namespace {

constexpr std::string_view kCameraInput = SIMBOARD_SETTING_CAMERA_INPUT;
constexpr std::string_view kCamera = SIMBOARD_SETTING_CAMERA;
constexpr std::string_view kSceneCamera = "scene";
constexpr std::string_view kNoCamera = "none";
constexpr std::string_view kMemoryInput = "memory:";  // then the number of in-memory images
constexpr char kInputSeparator = ',';

class ImagePathUnit final : public Behaviour, public FrameSource {
 public:
  void reset() override { parameters_ = ImageParameters(); }

  std::vector<std::size_t> attach(const Design& design, ParameterStore&,
                                  Clock::time_point) override {
    if (!parameters_.resolve(design)) parameters_ = ImageParameters();
    return {};
  }

  std::int32_t control(std::string_view name, std::string_view text, ParameterStore&,
                       Clock::time_point) override {
    if (name == kCameraInput) return setFiles(text);
    if (name == kCamera) {
      if (text != kSceneCamera && text != kNoCamera) return SIMBOARD_INVALID_PARAMETER;
      scene_ = text == kSceneCamera;
      return SIMBOARD_OK;
    }
    return SIMBOARD_INVALID_PARAMETER;
  }

  std::int32_t setting(std::string_view name, std::string& out) const override {
    if (name == kCameraInput) {
      out = inputText_;
    } else if (name == kCamera) {
      out = scene_ ? kSceneCamera : kNoCamera;
    } else {
      return SIMBOARD_INVALID_PARAMETER;
    }
    return SIMBOARD_OK;
  }

  bool present() const override { return parameters_.present(); }
  ImageSettings settings(const ParameterStore& values) const override {
    return parameters_.read(values);
  }
  bool cameraPresent() const override { return !inputs_.empty() || scene_; }
  std::size_t fillLevelIndex() const override { return parameters_.fillLevel(); }
  std::size_t overflowIndex() const override { return parameters_.overflow(); }

  void render(std::uint64_t frame, const ImageSettings& settings, const FrameGeometry& geometry,
              std::byte* out) override {
    if (!parameters_.present()) return;
    renderer_.prepare(settings, geometry);
    if (settings.simulator) {
      renderer_.renderGenerated(frame, out);
    } else if (!inputs_.empty()) {
      renderer_.renderImage(inputs_[frame % inputs_.size()], out);
    } else if (scene_) {
      if (!sceneFrames_) sceneFrames_ = std::make_unique<CameraScene>();
      renderer_.renderImage(sceneFrames_->frame(frame), out);
    }
  }

  void setImages(std::vector<InputImage> images) override {
    inputText_.clear();
    if (!images.empty()) {
      inputText_ = kMemoryInput;
      appendUnsigned(inputText_, images.size());
    }
    inputs_ = std::move(images);
  }

 private:
  // Reads every image first, so that a file that does not read leaves the input as it was.
  std::int32_t setFiles(std::string_view text) {
    std::vector<InputImage> images;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find(kInputSeparator, start);
      if (end == std::string_view::npos) end = text.size();
      const std::string path(text.substr(start, end - start));
      start = end + 1;
      if (path.empty()) continue;
      InputImage image;
      std::string why;
      if (!readInputImage(path, image, why)) return SIMBOARD_BAD_IMAGE;
      images.push_back(std::move(image));
    }
    inputs_ = std::move(images);
    inputText_ = std::string(text);
    return SIMBOARD_OK;
  }

  ImageParameters parameters_;
  FrameRenderer renderer_;
  std::vector<InputImage> inputs_;  // the camera port's images, one per frame in turn
  std::string inputText_;
  bool scene_ = true;  // without images, the built-in camera sends its scene
  std::unique_ptr<CameraScene> sceneFrames_;  // drawn on first use
};

}  // namespace

std::unique_ptr<Behaviour> makeImagePathUnit() { return std::make_unique<ImagePathUnit>(); }

}  // namespace brenvik::simboard
