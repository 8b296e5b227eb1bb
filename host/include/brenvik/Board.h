// The simulated board's side of an applet, for tests and demos: hardware values played
// into the board, the board's own settings, the camera on its camera port and the pacing
// of pictures. Every call may run on any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brenvik/Export.h"

namespace brenvik {

// An image for the camera on the camera port, in memory: width x height samples of `bits`
// bits (8: one byte each, 16: two bytes each in native byte order). The board keeps its
// own copy.
struct CameraImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bits = 8;
  std::vector<std::uint8_t> pixels;
};

class BRENVIK_HOST_API Board {
 public:
  explicit Board(std::uint64_t number) noexcept : number_(number) {}
  std::uint64_t number() const noexcept { return number_; }

  // A hardware parameter, a register ("register:" + name), one of the runtime's own
  // parameters or a board setting, as text; Error (kUnknownName or kRefused) otherwise.
  std::string value(std::string_view name) const;
  // Plays a value into any of those, read-only ones included (not journaled).
  void play(std::string_view name, std::string_view text);

  // The camera on the camera port: the built-in moving test scene (true, the default) or
  // none (false: the port stays empty).
  void setSceneCamera(bool on);
  // Image files (binary PGM, or PNG) that the camera sends in turn, one per frame.
  void setCameraFiles(const std::vector<std::string>& files);
  // In-memory images that the camera sends in turn.
  void setCameraImages(const std::vector<CameraImage>& images);
  // True while something is on the camera port (the scene, files or images).
  bool cameraAttached() const;
  // Paced (true, the default): pictures arrive in real time; unpaced: a free-running
  // source delivers a picture as soon as it is waited for. Taken when an acquisition starts.
  void setPaced(bool paced);
  // Frame period of the camera port while the trigger does not drive it, in µs.
  void setPicturePeriod(std::uint32_t microseconds);

 private:
  std::uint64_t number_;
};

}  // namespace brenvik
