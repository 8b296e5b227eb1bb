// The fixture of the image path's tests: the shipped design on a fresh board, driven by
// hardware values alone (no applet), unpaced, with an identity lookup table and the
// generator stopped so that the camera port free-runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BoardTestSupport.h"

namespace brenvik::simboard::test {

inline const std::string kPath = "Device1_Process0_";

class ImagePath : public RuntimeTest {
 protected:
  std::string design() const override { return realDesign(); }
  void SetUp() override {
    RuntimeTest::SetUp();
    ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PACED, "0"), 0);
    std::string identity;
    for (int i = 0; i < 1024; ++i) identity += (i == 0 ? "" : ",") + std::to_string(i);
    play("LookupTable_LookupTable_LUTcontent", identity);
    // The generator stands still, as after the applet's creation, so the camera free-runs.
    ASSERT_EQ(simboard_set(board_, "Device1_Process1_Trigger_TriggerCam0_Generators_ClearQueuePulse_Mode", "1"), 0);
  }
  void TearDown() override {
    if (memory_ != nullptr) {
      EXPECT_EQ(simboard_buffers_free(memory_), 0);
    }
    EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, ""), 0);
    RuntimeTest::TearDown();
  }

  void play(const std::string& name, const std::string& text) {
    ASSERT_EQ(simboard_set(board_, (kPath + name).c_str(), text.c_str()), 0) << name;
  }
  void region(std::uint32_t width, std::uint32_t height) {
    play("Buffer_0_DRAM_A_0_XLength", std::to_string(width));
    play("Buffer_0_DRAM_A_0_YLength", std::to_string(height));
  }
  // An 8-bit image file of the given samples, one row.
  std::string image(const std::string& name, const std::vector<int>& samples) {
    std::string content = "P5\n" + std::to_string(samples.size()) + " 1\n255\n";
    for (int sample : samples) content += static_cast<char>(sample);
    return directory_.write(name, content);
  }
  // The first `pictures` pictures of a fresh acquisition, as 16-bit values.
  std::vector<std::vector<std::uint32_t>> grab(std::int64_t pictures) {
    if (memory_ == nullptr) {
      EXPECT_EQ(simboard_buffers_alloc(board_, 4, 1 << 20, &memory_), 0);
    }
    std::vector<std::vector<std::uint32_t>> grabbed;
    EXPECT_EQ(Fg_AcquireEx(runtime_, 0, pictures, 0, memory_), 0);
    for (std::int64_t picture = 1; picture <= pictures; ++picture) {
      EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, picture, 0, 1, memory_), picture);
      std::vector<std::uint8_t> bytes(1 << 20);
      SimboardFrame frame{};
      EXPECT_EQ(simboard_buffers_copy(memory_, picture, bytes.data(), bytes.size(), &frame), 0);
      std::vector<std::uint32_t> pixels(frame.width * frame.height);
      for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = frame.bytesPerPixel == 1
                        ? bytes[i]
                        : std::uint32_t{bytes[2 * i]} | (std::uint32_t{bytes[2 * i + 1]} << 8);
      }
      grabbed.push_back(pixels);
    }
    EXPECT_EQ(Fg_stopAcquireEx(runtime_, 0, memory_, 0), 0);
    return grabbed;
  }

  TemporaryDirectory directory_;
  void* memory_ = nullptr;
};

}  // namespace brenvik::simboard::test
