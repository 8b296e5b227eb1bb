// Pictures lent in place: the buffer stays as it was while the application holds it, and
// the pictures due for it meanwhile are lost and counted.
#include <cstring>
#include <vector>

#include "ImagePathFixture.h"

namespace brenvik::simboard::test {
namespace {

class BorrowedPictures : public ImagePath {
 protected:
  void SetUp() override {
    ImagePath::SetUp();
    region(64, 16);  // a corner of the scene, which differs from frame to frame
    ASSERT_EQ(simboard_buffers_alloc(board_, 2, kBytes, &memory_), 0);
    ASSERT_EQ(Fg_AcquireEx(runtime_, 0, -1, 0, memory_), 0);
  }
  void TearDown() override {
    Fg_stopAcquireEx(runtime_, 0, memory_, 0);
    ImagePath::TearDown();
  }
  std::int64_t waitFor(std::int64_t picture) {
    return Fg_getLastPicNumberBlockingEx(runtime_, picture, 0, 1, memory_);
  }
  std::vector<std::uint8_t> copy(std::int64_t picture) {
    std::vector<std::uint8_t> bytes(kBytes);
    EXPECT_EQ(simboard_buffers_copy(memory_, picture, bytes.data(), bytes.size(), nullptr), 0);
    return bytes;
  }
  std::string overflow() const { return value("Device1_Process0_Overflow_OverflowOccurred"); }

  static constexpr std::size_t kBytes = 64 * 16;
};

TEST_F(BorrowedPictures, ALentBufferIsNotOverwrittenAndItsPicturesAreLost) {
  ASSERT_EQ(waitFor(1), 1);
  const void* pixels = nullptr;
  SimboardFrame frame{};
  ASSERT_EQ(simboard_buffers_borrow(memory_, 1, &pixels, &frame), 0);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(frame.picture, 1);
  EXPECT_EQ(frame.bytes, kBytes);
  const auto* bytes = static_cast<const std::uint8_t*>(pixels);
  const std::vector<std::uint8_t> held(bytes, bytes + kBytes);
  EXPECT_EQ(copy(1), held);  // the same layout as a copy
  // Borrowing read the picture: nothing is pending, no overflow.
  EXPECT_EQ(Fg_getStatusEx(runtime_, SIMBOARD_STATUS_PENDING, 0, 0, memory_), 0);

  // Pictures 3 and 5 are due for the lent buffer: both lost, the buffer untouched.
  ASSERT_EQ(waitFor(5), 5);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + kBytes), held);
  // Lost: 3 and 5, and 2, which 4 overwrote unread.
  EXPECT_EQ(Fg_getStatusEx(runtime_, SIMBOARD_STATUS_LOST, 0, 0, memory_), 3);
  EXPECT_EQ(overflow(), "1");
  std::vector<std::uint8_t> out(kBytes);
  EXPECT_EQ(simboard_buffers_copy(memory_, 3, out.data(), out.size(), nullptr), SIMBOARD_PICTURE_LOST);
  EXPECT_EQ(simboard_buffers_copy(memory_, 5, out.data(), out.size(), nullptr), SIMBOARD_PICTURE_LOST);
  EXPECT_EQ(simboard_buffers_copy(memory_, 7, out.data(), out.size(), nullptr), SIMBOARD_NO_PICTURE);
  EXPECT_EQ(simboard_buffers_borrow(memory_, 3, &pixels, nullptr), SIMBOARD_PICTURE_LOST);

  // Released, the buffer takes the next picture due for it.
  EXPECT_EQ(simboard_buffers_release(memory_, 3), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_buffers_release(memory_, 1), 0);
  EXPECT_EQ(simboard_buffers_release(memory_, 1), SIMBOARD_INVALID_PARAMETER);
  ASSERT_EQ(waitFor(7), 7);
  EXPECT_NE(copy(7), held);
}

TEST_F(BorrowedPictures, RefusesWhatCannotBeLent) {
  const void* pixels = nullptr;
  EXPECT_EQ(simboard_buffers_borrow(memory_, 1, &pixels, nullptr), SIMBOARD_NO_PICTURE);
  ASSERT_EQ(waitFor(1), 1);
  EXPECT_EQ(simboard_buffers_borrow(memory_, 1, nullptr, nullptr), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_buffers_borrow(memory_, 0, &pixels, nullptr), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_buffers_borrow(nullptr, 1, &pixels, nullptr), SIMBOARD_NO_BUFFERS);
  EXPECT_EQ(simboard_buffers_release(nullptr, 1), SIMBOARD_NO_BUFFERS);
  EXPECT_EQ(simboard_buffers_release(memory_, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_buffers_release(memory_, 0), SIMBOARD_INVALID_PARAMETER);
  // A second borrow lends the same view; a new acquisition waits for the buffer back.
  const void* again = nullptr;
  ASSERT_EQ(simboard_buffers_borrow(memory_, 1, &pixels, nullptr), 0);
  ASSERT_EQ(simboard_buffers_borrow(memory_, 1, &again, nullptr), 0);
  EXPECT_EQ(again, pixels);
  ASSERT_EQ(Fg_stopAcquireEx(runtime_, 0, memory_, 0), 0);
  EXPECT_EQ(Fg_AcquireEx(runtime_, 0, 1, 0, memory_), SIMBOARD_BUSY);
  ASSERT_EQ(simboard_buffers_release(memory_, 1), 0);
  EXPECT_EQ(Fg_AcquireEx(runtime_, 0, 1, 0, memory_), 0);
}

// Freeing a set with a lent buffer ends the loan along with the set.
TEST_F(BorrowedPictures, FreeingTheSetEndsItsLoans) {
  const std::int32_t sets = simboard_buffer_sets();
  ASSERT_EQ(waitFor(2), 2);
  const void* pixels = nullptr;
  ASSERT_EQ(simboard_buffers_borrow(memory_, 2, &pixels, nullptr), 0);
  EXPECT_EQ(simboard_buffers_free(memory_), 0);
  EXPECT_EQ(simboard_buffers_release(memory_, 2), SIMBOARD_NO_BUFFERS);
  EXPECT_EQ(simboard_buffer_sets(), sets - 1);
  memory_ = nullptr;
}

}  // namespace
}  // namespace brenvik::simboard::test
