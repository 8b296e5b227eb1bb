// The image path's hardware parameters: found by name once per design, and read as one
// snapshot of values whenever the path has to follow a change. Only hardware values count;
// the board never sees the applet's own state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "Design.h"
#include "ParameterStore.h"

namespace brenvik::simboard {

inline constexpr std::size_t kSorterTaps = 10;
inline constexpr std::size_t kLutEntries = 1024;

struct ImageSettings {
  std::uint64_t version = 0;  // of the values the snapshot was taken from
  // Camera simulator (sizes in the registers' own units: 8-pixel groups and lines).
  bool simulator = false;  // the simulator, not the camera port, feeds the path
  std::uint32_t lineGroups = 0;    // whole line, 8-pixel groups
  std::uint32_t activeGroups = 0;  // active part of a line, 8-pixel groups
  std::uint32_t frameLines = 0;    // whole frame, lines
  std::uint32_t activeLines = 0;   // active part of a frame, lines
  std::uint32_t activePixels = 0;  // pixel-frequency numerator (of 2000)
  std::uint32_t sequenceLength = 0;  // ticks per line when the line clock rules
  std::uint32_t pixelClockMode = 0;  // 0: pixel frequency, otherwise the line clock
  bool countX = false;
  std::uint32_t yDivisor = 1;
  std::uint32_t frameDivisor = 1;
  std::uint32_t offset = 0;
  bool freeRun = true;
  std::uint32_t valveMode = 0;  // 1: a pulse triggers a line, 2: a pulse triggers a frame
  // Tap geometry sorter.
  std::uint32_t tapWidth = 0;
  std::uint32_t tapCount = 1;
  bool dummyTaps = false;
  std::array<std::uint32_t, kSorterTaps> tapOrder{};
  std::array<std::uint32_t, kSorterTaps> mirror{};
  // Region of interest in the frame buffer.
  std::uint32_t width = 0, height = 0, xOffset = 0, yOffset = 0;
  // Image selector: one frame of every `selectPeriod`, the one at `selectPhase`.
  std::uint32_t selectPeriod = 1, selectPhase = 0;
  // Lookup table (10 bits in, 10 out) and output format.
  std::array<std::uint16_t, kLutEntries> lut{};
  std::uint32_t shift = 0;
  std::uint32_t bits = 8;  // of the selected output format
};

class ImageParameters {
 public:
  // Finds the path's parameters; false (and an inert path) on a design that lacks one.
  bool resolve(const Design& design);
  bool present() const { return present_; }
  ImageSettings read(const ParameterStore& values) const;

  // Where the path publishes the frame buffer's state.
  std::size_t fillLevel() const { return fillLevel_; }
  std::size_t overflow() const { return overflow_; }

 private:
  bool present_ = false;
  std::vector<std::size_t> index_;
  std::vector<int> formatInputs_;  // text parameters naming each output format input
  std::size_t fillLevel_ = 0, overflow_ = 0;
};

// Bits per pixel of an output format input named by its text ("FG_GRAY10"), 0 if unknown.
std::uint32_t formatBits(std::string_view format);

}  // namespace brenvik::simboard
