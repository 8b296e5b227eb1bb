// Delivery when the camera sends faster than the board draws, and while the application holds
// most of the buffers: what a wait reports stays there for the next call, a board that
// cannot keep up still hands out pictures with the rest counted, and only the pictures due
// for lent buffers are lost.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "ImagePathFixture.h"

namespace brenvik::simboard::test {
namespace {

constexpr std::uint32_t kWidth = 256;  // a corner of the built-in scene
constexpr std::uint32_t kHeight = 64;
constexpr std::size_t kBytes = std::size_t{kWidth} * kHeight;
constexpr int kWaitSeconds = 5;

class DeliveryPace : public ImagePath {
 protected:
  void SetUp() override {
    ImagePath::SetUp();
    region(kWidth, kHeight);
  }
  void TearDown() override {
    Fg_stopAcquireEx(runtime_, 0, memory_, 0);
    ImagePath::TearDown();
  }

  void start(std::uint32_t buffers) {
    ASSERT_EQ(simboard_buffers_alloc(board_, buffers, kBytes, &memory_), 0);
    ASSERT_EQ(Fg_AcquireEx(runtime_, 0, -1, 0, memory_), 0);
  }
  // Paced, a picture every microsecond: far faster than any picture is drawn.
  void startFasterThanDrawing(std::uint32_t buffers) {
    ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PACED, "1"), 0);
    ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PICTURE_PERIOD_US, "1"), 0);
    start(buffers);
  }
  std::int64_t waitFor(std::int64_t picture) {
    return Fg_getLastPicNumberBlockingEx(runtime_, picture, 0, kWaitSeconds, memory_);
  }
  std::int32_t copy(std::int64_t picture) {
    std::vector<std::uint8_t> bytes(kBytes);
    return simboard_buffers_copy(memory_, picture, bytes.data(), bytes.size(), nullptr);
  }
  std::int32_t borrow(std::int64_t picture) {
    const void* pixels = nullptr;
    return simboard_buffers_borrow(memory_, picture, &pixels, nullptr);
  }
  std::int64_t status(int selector) { return Fg_getStatusEx(runtime_, selector, 0, 0, memory_); }
};

// A camera far faster than the board draws: every look still hands out the picture it
// reported, whether copied or lent, and every picture not handed out is counted lost or
// pending.
TEST_F(DeliveryPace, APictureAWaitReportedIsThereForTheNextCall) {
  startFasterThanDrawing(4);
  std::int64_t last = 0;
  constexpr std::int64_t kRounds = 20;
  for (int round = 0; round < kRounds; ++round) {
    const std::int64_t arrived = waitFor(last + 1);
    ASSERT_GT(arrived, last) << round;
    if (round % 2 == 0) {
      EXPECT_EQ(copy(arrived), 0) << round;
    } else {
      ASSERT_EQ(borrow(arrived), 0) << round;
      EXPECT_EQ(simboard_buffers_release(memory_, arrived), 0);
    }
    last = arrived;
  }
  ASSERT_EQ(Fg_stopAcquireEx(runtime_, 0, memory_, 0), 0);
  EXPECT_GT(status(SIMBOARD_STATUS_LOST), 0);
  EXPECT_EQ(status(SIMBOARD_STATUS_DELIVERED),
            kRounds + status(SIMBOARD_STATUS_LOST) + status(SIMBOARD_STATUS_PENDING));
}

// Pictures that came due for a lent buffer are lost, also when nobody asked the board for
// anything before the buffer came back. Two buffers and a picture every 100 ms: the loan
// spans the lent buffer's next picture, and the wait after the release comes before the one
// after that.
TEST_F(DeliveryPace, PicturesDueWhileABufferWasLentStayLostAfterItsRelease) {
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PACED, "1"), 0);
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PICTURE_PERIOD_US, "100000"), 0);
  start(2);
  const std::int64_t lent = waitFor(1);
  ASSERT_EQ(borrow(lent), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  ASSERT_EQ(simboard_buffers_release(memory_, lent), 0);
  ASSERT_GE(waitFor(lent + 1), lent + 2);
  EXPECT_EQ(copy(lent + 2), SIMBOARD_PICTURE_LOST);
}

// Holding 32 of 40 buffers, an application gets the 8 pictures of every 40 that are due for
// the buffers it left the board, and no fewer.
TEST_F(DeliveryPace, HoldingMostBuffersLeavesThePicturesDueForTheOthers) {
  constexpr std::uint32_t kBuffers = 40;
  constexpr std::int64_t kHeld = 32;
  start(kBuffers);
  for (std::int64_t picture = 1; picture <= kHeld; ++picture) {
    ASSERT_EQ(waitFor(picture), picture);
    ASSERT_EQ(borrow(picture), 0);
  }
  std::int64_t received = 0;
  for (std::int64_t picture = kHeld + 1; picture <= kHeld + 5 * kBuffers; ++picture) {
    ASSERT_EQ(waitFor(picture), picture);
    const bool free = (picture - 1) % kBuffers >= kHeld;
    const std::int32_t code = copy(picture);
    EXPECT_EQ(code, free ? 0 : SIMBOARD_PICTURE_LOST) << picture;
    received += code == 0 ? 1 : 0;
  }
  EXPECT_EQ(received, 5 * (kBuffers - kHeld));
  EXPECT_EQ(status(SIMBOARD_STATUS_LOST), 5 * kHeld);
  for (std::int64_t picture = 1; picture <= kHeld; ++picture) {
    EXPECT_EQ(simboard_buffers_release(memory_, picture), 0);
  }
}

}  // namespace
}  // namespace brenvik::simboard::test
