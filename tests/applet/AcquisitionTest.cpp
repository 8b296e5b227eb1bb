// What a user sees through the acquisition exports: pictures drawn by the simulated board's
// image path from the applet's settings, into DMA buffers of the board's own buffer API.
// Unpaced, so that no test waits for the modelled timing unless it measures it.
#include <chrono>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "AppletFixture.h"
#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::test {
namespace {

using parameters::enumUnsigned;
using parameters::sdkId;

class Acquisition : public AppletTest {
 protected:
  void SetUp() override {
    AppletTest::SetUp();
    ASSERT_EQ(simboard_set(board_, "simboard:paced", "0"), 0);
  }
  void TearDown() override {
    if (memory_ != nullptr) {
      EXPECT_EQ(simboard_buffers_free(memory_), 0);
    }
    EXPECT_EQ(simboard_set(board_, "simboard:camera_input", ""), 0);
    AppletTest::TearDown();
  }

  void set(std::int32_t id, std::uint32_t value) {
    ASSERT_EQ(Fg_setParameterWithType(&handle_, id, &value, 0, runtime::kTypeUint32), 0) << id;
  }
  void setReal(std::int32_t id, double value) {
    ASSERT_EQ(Fg_setParameterWithType(&handle_, id, &value, 0, runtime::kTypeDouble), 0) << id;
  }
  std::uint32_t get(std::int32_t id) {
    std::uint32_t value = 0;
    EXPECT_EQ(Fg_getParameterWithType(&handle_, id, &value, 0, runtime::kTypeUint32), 0) << id;
    return value;
  }
  void useSimulator(std::uint32_t pattern, bool roll) {
    set(sdkId("FG_CAMERASIMULATOR_ENABLE"), enumUnsigned("FG_CAMERASIMULATOR"));
    set(sdkId("FG_CAMERASIMULATOR_PATTERN"), pattern);
    set(sdkId("FG_CAMERASIMULATOR_ROLL"), roll ? enumUnsigned("FG_ON") : enumUnsigned("FG_OFF"));
  }
  void allocate(std::uint32_t count, std::uint64_t bytes) {
    ASSERT_EQ(simboard_buffers_alloc(board_, count, bytes, &memory_), 0);
  }
  // Starts an acquisition of `pictures` and copies them out one by one.
  std::vector<std::vector<std::uint8_t>> grab(std::int64_t pictures, SimboardFrame* frame = nullptr) {
    std::vector<std::vector<std::uint8_t>> grabbed;
    EXPECT_EQ(Fg_AcquireEx(&handle_, 0, pictures, 0, memory_), 0);
    for (std::int64_t picture = 1; picture <= pictures; ++picture) {
      EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, picture, 0, 1, memory_), picture);
      SimboardFrame described{};
      EXPECT_EQ(simboard_buffers_copy(memory_, picture, nullptr, 0, &described), 0);
      std::vector<std::uint8_t> bytes(described.bytes);
      EXPECT_EQ(simboard_buffers_copy(memory_, picture, bytes.data(), bytes.size(), frame), 0);
      grabbed.push_back(std::move(bytes));
    }
    EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory_, 0), 0);
    return grabbed;
  }

  void* memory_ = nullptr;
};

TEST_F(Acquisition, APictureHasTheRegionsSizeAndFormat) {
  useSimulator(enumUnsigned("FG_DIAGONAL"), true);
  set(sdkId("FG_WIDTH"), 256);
  set(sdkId("FG_HEIGHT"), 100);
  set(sdkId("FG_FORMAT"), enumUnsigned("FG_GRAY10"));
  allocate(2, 256 * 100 * 2);
  SimboardFrame frame{};
  ASSERT_EQ(grab(1, &frame).size(), 1u);
  EXPECT_EQ(frame.picture, 1);
  EXPECT_EQ(frame.width, 256u);
  EXPECT_EQ(frame.height, 100u);
  EXPECT_EQ(frame.bits, 10u);
  EXPECT_EQ(frame.bytesPerPixel, 2u);
  EXPECT_EQ(frame.bytes, 256u * 100u * 2u);
}

// The horizontal pattern counts along the line from its offset; a gain of 2 doubles the
// 10-bit value and clamps at 1023; the 8-bit format keeps its top eight bits and the 16-bit
// format puts all ten at its top.
TEST_F(Acquisition, AKnownPatternThroughAKnownTableGivesKnownPixels) {
  useSimulator(enumUnsigned("FG_HORIZONTAL"), false);
  set(sdkId("FG_CAMERASIMULATOR_PATTERN_OFFSET"), 10);
  set(sdkId("FG_WIDTH"), 512);
  set(sdkId("FG_HEIGHT"), 4);
  setReal(sdkId("FG_PROCESSING_GAIN"), 2.0);
  allocate(2, 512 * 4 * 2);
  const std::vector<std::uint8_t> gray = grab(1).front();
  set(sdkId("FG_FORMAT"), enumUnsigned("FG_GRAY16"));
  const std::vector<std::uint8_t> wide = grab(1).front();
  for (std::uint32_t y = 0; y < 4; ++y) {
    for (std::uint32_t x = 0; x < 512; ++x) {
      const std::uint32_t value = (x + 10) % 256;
      const std::uint32_t table = std::min<std::uint32_t>(8 * value, 1023);
      ASSERT_EQ(gray[y * 512 + x], table >> 2) << x << "," << y;
      const std::size_t at = 2 * (y * 512 + x);
      std::uint16_t word = 0;
      std::memcpy(&word, wide.data() + at, sizeof word);
      ASSERT_EQ(word, table << 6) << x << "," << y;
    }
  }
}

// Also where the region reaches past the simulator's 1000 x 200 image (black comes in there).
TEST_F(Acquisition, InversionTurnsEveryPixelIntoItsComplement) {
  useSimulator(enumUnsigned("FG_DIAGONAL"), true);
  set(sdkId("FG_CAMERASIMULATOR_PATTERN_OFFSET"), 77);
  set(sdkId("FG_CAMERASIMULATOR_WIDTH"), 1000);
  set(sdkId("FG_CAMERASIMULATOR_HEIGHT"), 200);
  set(sdkId("FG_HEIGHT"), 300);
  allocate(3, 1024 * 300);
  const auto plain = grab(3);
  set(sdkId("FG_PROCESSING_INVERT"), enumUnsigned("FG_ON"));
  const auto inverted = grab(3);
  for (std::size_t picture = 0; picture < 3; ++picture) {
    ASSERT_EQ(plain[picture].size(), inverted[picture].size());
    for (std::size_t i = 0; i < plain[picture].size(); ++i) {
      ASSERT_EQ(inverted[picture][i], 255 - plain[picture][i]) << picture << ":" << i;
    }
  }
  // Rolling moves the diagonal by one value per frame; black past the image's edges.
  EXPECT_EQ(plain[0][0], 77);
  EXPECT_EQ(plain[1][0], 78);
  EXPECT_EQ(plain[0][1024 + 3], 81);
  EXPECT_EQ(plain[0][1020], 0);
  EXPECT_EQ(plain[0][250 * 1024], 0);
  EXPECT_EQ(inverted[0][250 * 1024], 255);
}

// One frame of every three, the second: the roll shows which frames came through.
TEST_F(Acquisition, TheImageSelectorPassesOneFrameOfEveryPeriod) {
  useSimulator(enumUnsigned("FG_HORIZONTAL"), true);
  set(sdkId("FG_HEIGHT"), 2);
  set(sdkId("FG_IMG_SELECT_PERIOD"), 3);
  set(sdkId("FG_IMG_SELECT"), 1);
  allocate(4, 1024 * 2);
  const auto pictures = grab(4);
  for (std::size_t k = 0; k < pictures.size(); ++k) EXPECT_EQ(pictures[k][0], 1 + 3 * k) << k;
}

TEST_F(Acquisition, ASoftwareTriggerYieldsExactlyOneFramePerTrigger) {
  useSimulator(enumUnsigned("FG_VERTICAL"), true);
  set(sdkId("FG_HEIGHT"), 8);
  set(sdkId("FG_CAMERASIMULATOR_TRIGGER_MODE"), enumUnsigned("RISING_EDGE_TRIGGERS_FRAME"));
  setReal(sdkId("FG_TRIGGER_FRAMESPERSECOND"), 100000.0);  // the generator is busy 10 µs
  set(sdkId("FG_AREATRIGGERMODE"), enumUnsigned("ATM_SOFTWARE"));
  set(sdkId("FG_TRIGGERSTATE"), enumUnsigned("TS_ACTIVE"));
  allocate(4, 1024 * 8);
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, -1, 0, memory_), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(Fg_getLastPicNumberEx(&handle_, 0, memory_), 0);
  for (std::int64_t trigger = 1; trigger <= 3; ++trigger) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    set(sdkId("FG_SENDSOFTWARETRIGGER"), 1);
    EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, trigger, 0, 1, memory_), trigger);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(Fg_getLastPicNumberEx(&handle_, 0, memory_), 3);
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory_, 0), 0);
}

// Rising edges that trigger lines: a frame takes as many pulses as the simulator's frame has
// lines. The queue holds the software triggers, the generator drains them every 10 µs.
TEST_F(Acquisition, LineTriggersCompleteAFrameEveryFrameOfLines) {
  useSimulator(enumUnsigned("FG_VERTICAL"), false);
  set(sdkId("FG_HEIGHT"), 4);
  set(sdkId("FG_CAMERASIMULATOR_HEIGHT"), 4);
  set(sdkId("FG_CAMERASIMULATOR_TRIGGER_MODE"), enumUnsigned("RISING_EDGE_TRIGGERS_LINE"));
  setReal(sdkId("FG_TRIGGER_FRAMESPERSECOND"), 100000.0);
  set(sdkId("FG_AREATRIGGERMODE"), enumUnsigned("ATM_SOFTWARE"));
  set(sdkId("FG_TRIGGERQUEUE_MODE"), enumUnsigned("FG_ON"));
  set(sdkId("FG_TRIGGERSTATE"), enumUnsigned("TS_ACTIVE"));
  allocate(2, 1024 * 4);
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, -1, 0, memory_), 0);
  set(sdkId("FG_SENDSOFTWARETRIGGER"), 8);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 2, 0, 1, memory_), 2);
  set(sdkId("FG_SENDSOFTWARETRIGGER"), 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(Fg_getLastPicNumberEx(&handle_, 0, memory_), 2);
  set(sdkId("FG_SENDSOFTWARETRIGGER"), 1);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 3, 0, 1, memory_), 3);
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory_, 0), 0);
}

// While the trigger is active, the camera on the camera port sends one frame per generator
// pulse: three frames at 200 pulses a second take no less than two periods.
TEST_F(Acquisition, TheCameraFollowsTheActiveGenerator) {
  const std::string path = std::string(BRENVIK_BUILD_DIR) + "/tests/acquisition-generator.pgm";
  {
    std::ofstream file(path, std::ios::binary);
    file << "P5\n8 1\n255\n01234567";
  }
  ASSERT_EQ(simboard_set(board_, "simboard:camera_input", path.c_str()), 0);
  set(sdkId("FG_WIDTH"), 8);
  set(sdkId("FG_HEIGHT"), 1);
  setReal(sdkId("FG_TRIGGER_FRAMESPERSECOND"), 200.0);
  set(sdkId("FG_TRIGGERSTATE"), enumUnsigned("TS_ACTIVE"));
  allocate(2, 8);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, 3, 0, memory_), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 3, 0, 1, memory_), 3);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(9));
  EXPECT_LT(waited, std::chrono::milliseconds(500));
}

// A camera-port image through the sorter: seen from the top right, each line is mirrored.
TEST_F(Acquisition, TheCameraPortSendsTheUsersImages) {
  const std::string path = std::string(BRENVIK_BUILD_DIR) + "/tests/acquisition-input.pgm";
  {
    std::ofstream file(path, std::ios::binary);
    file << "P5\n16 2\n255\n";
    for (int i = 0; i < 32; ++i) file.put(static_cast<char>(i * 8));
  }
  ASSERT_EQ(simboard_set(board_, "simboard:camera_input", path.c_str()), 0);
  set(sdkId("FG_WIDTH"), 16);
  set(sdkId("FG_HEIGHT"), 2);
  allocate(1, 32);
  const auto straight = grab(1).front();
  set(sdkId("FG_SENSORWIDTH"), 16);
  set(sdkId("FG_VANTAGEPOINT"), enumUnsigned("FG_VANTAGEPOINT_TOP_RIGHT"));
  const auto mirrored = grab(1).front();
  for (std::size_t y = 0; y < 2; ++y) {
    for (std::size_t x = 0; x < 16; ++x) {
      EXPECT_EQ(straight[y * 16 + x], (y * 16 + x) * 8);
      EXPECT_EQ(mirrored[y * 16 + x], (y * 16 + 15 - x) * 8);
    }
  }
}

// Two buffers and nobody reading: the third picture overwrites the first, the overflow flag
// rises and the fill level is full; reading a picture lowers both.
TEST_F(Acquisition, FillLevelOverflowAndLostPicturesFollowTheBuffers) {
  useSimulator(enumUnsigned("FG_DIAGONAL"), true);
  set(sdkId("FG_HEIGHT"), 4);
  allocate(2, 1024 * 4);
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, 10, 0, memory_), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 1, 0, 1, memory_), 1);
  EXPECT_EQ(get(sdkId("FG_FILLLEVEL")), 50u);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 3, 0, 1, memory_), 3);
  EXPECT_EQ(get(sdkId("FG_OVERFLOW")), 1u);
  EXPECT_EQ(get(sdkId("FG_FILLLEVEL")), 100u);
  EXPECT_EQ(Fg_getStatusEx(&handle_, SIMBOARD_STATUS_LOST, 0, 0, memory_), 1);
  std::vector<std::uint8_t> bytes(1024 * 4);
  EXPECT_EQ(simboard_buffers_copy(memory_, 1, bytes.data(), bytes.size(), nullptr),
            SIMBOARD_PICTURE_LOST);
  EXPECT_EQ(simboard_buffers_copy(memory_, 4, bytes.data(), bytes.size(), nullptr),
            SIMBOARD_NO_PICTURE);
  EXPECT_EQ(simboard_buffers_copy(memory_, 3, bytes.data(), bytes.size(), nullptr), 0);
  EXPECT_EQ(get(sdkId("FG_OVERFLOW")), 0u);
  EXPECT_EQ(get(sdkId("FG_FILLLEVEL")), 50u);
  EXPECT_EQ(Fg_getStatusEx(&handle_, SIMBOARD_STATUS_PENDING, 0, 0, memory_), 1);
  // The preview sees the newest picture and leaves it unread.
  SimboardFrame latest{};
  EXPECT_EQ(simboard_latest_frame(board_, 0, bytes.data(), bytes.size(), &latest), 0);
  EXPECT_EQ(latest.picture, 3);
  EXPECT_EQ(Fg_getStatusEx(&handle_, SIMBOARD_STATUS_PENDING, 0, 0, memory_), 1);
}

// Paced, the simulator's frame rate sets the pace: 100 frames per second, 2 pictures in no
// less than 20 ms.
TEST_F(Acquisition, PacedPicturesFollowTheSimulatorsFrameRate) {
  ASSERT_EQ(simboard_set(board_, "simboard:paced", "1"), 0);
  useSimulator(enumUnsigned("FG_DIAGONAL"), true);
  set(sdkId("FG_HEIGHT"), 64);
  set(sdkId("FG_CAMERASIMULATOR_HEIGHT"), 64);
  setReal(sdkId("FG_CAMERASIMULATOR_FRAMERATE"), 100.0);
  allocate(2, 1024 * 64);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, 2, 0, memory_), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 2, 0, 2, memory_), 2);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(19));
  EXPECT_LT(waited, std::chrono::milliseconds(500));
}

TEST_F(Acquisition, RefusesBadRequestsWithClearCodes) {
  // No buffers, freed ones, ones too small for a picture.
  EXPECT_EQ(Fg_AcquireEx(&handle_, 0, 1, 0, nullptr), SIMBOARD_NO_BUFFERS);
  EXPECT_EQ(lastError(), SIMBOARD_NO_BUFFERS);
  void* freed = nullptr;
  ASSERT_EQ(simboard_buffers_alloc(board_, 1, 16, &freed), 0);
  ASSERT_EQ(simboard_buffers_free(freed), 0);
  EXPECT_EQ(simboard_buffers_free(freed), SIMBOARD_NO_BUFFERS);
  EXPECT_EQ(Fg_AcquireEx(&handle_, 0, 1, 0, freed), SIMBOARD_NO_BUFFERS);
  allocate(2, 1024 * 1024 - 1);
  EXPECT_EQ(Fg_AcquireEx(&handle_, 0, 1, 0, memory_), SIMBOARD_BUFFERS_TOO_SMALL);
  void* none = nullptr;
  EXPECT_EQ(simboard_buffers_alloc(board_, 0, 16, &none), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_buffers_alloc(board_, 1, 0, &none), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(none, nullptr);
  // Stopping what never started, or twice.
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory_, 0), SIMBOARD_NOT_RUNNING);
  // The camera port without a camera delivers nothing: the wait times out.
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA, "none"), 0);
  set(sdkId("FG_HEIGHT"), 1023);
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, 1, 0, memory_), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 1, 0, 0, memory_), SIMBOARD_TIMEOUT);
  EXPECT_EQ(lastError(), SIMBOARD_TIMEOUT);
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory_, 0), 0);
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory_, 0), SIMBOARD_NOT_RUNNING);
  // An image that does not read keeps the input as it was.
  EXPECT_EQ(simboard_set(board_, "simboard:camera_input", "/nonexistent/picture.pgm"),
            SIMBOARD_BAD_IMAGE);
  EXPECT_EQ(simboard_set(board_, "simboard:paced", "maybe"), SIMBOARD_INVALID_PARAMETER);
  // A freed runtime is gone for good.
  EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
  EXPECT_EQ(Fg_AcquireEx(&handle_, 0, 1, 0, memory_), -2001);
}

// Freeing the buffers ends the acquisition that fills them, and no set is left behind.
TEST_F(Acquisition, FreeingTheBuffersEndsTheirAcquisition) {
  const std::int32_t before = simboard_buffer_sets();
  useSimulator(enumUnsigned("FG_DIAGONAL"), true);
  allocate(2, 1024 * 1024);
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, -1, 0, memory_), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 2, 0, 1, memory_), 2);
  EXPECT_EQ(simboard_buffers_free(memory_), 0);
  memory_ = nullptr;
  EXPECT_EQ(Fg_getStatusEx(&handle_, SIMBOARD_STATUS_ACQUIRING, 0, 0, nullptr), 0);
  EXPECT_EQ(simboard_buffer_sets(), before);
}

}  // namespace
}  // namespace brenvik::test
