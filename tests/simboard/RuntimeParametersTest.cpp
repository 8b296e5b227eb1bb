// The runtime's own parameters and the acquisition: ids and names, type codes, access,
// picture counting, blocking waits and status selectors.
#include <chrono>
#include <future>
#include <thread>

#include "BoardTestSupport.h"

namespace brenvik::simboard::test {
namespace {

using Clock = std::chrono::steady_clock;

struct OwnParameter {
  const char* name;
  int id;
  std::uint32_t initial;
  bool writable;
};

constexpr OwnParameter kOwnParameters[] = {
    {"FG_TIMEOUT", 600, 1000000, true},        {"FG_APC_STOP_TIMEOUT", 601, 10, false},
    {"FG_CAMSTATUS_EXTENDED", 2050, 7, false}, {"FG_NR_OF_DMAS", 3050, 1, false},
    {"FG_NR_OF_CAMS", 3060, 1, false},         {"FG_DMA_PORT", 3080, 0, false},
    {"FG_CAM_PORT", 3090, 0, false},           {"FG_TRANSFER_LEN", 5210, 0, false},
    {"FG_DMASTATUS", 24092, 0, false}};

using RuntimeParameters = RuntimeTest;

TEST_F(RuntimeParameters, AnswerEveryNumericCodeUnderTheirFixedIds) {
  for (const OwnParameter& parameter : kOwnParameters) {
    SCOPED_TRACE(parameter.name);
    EXPECT_EQ(id(parameter.name), parameter.id);
    std::uint32_t u32 = 99;
    std::int64_t i64 = -1;
    std::uint64_t u64 = 0;
    double real = -1;
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter.id, &u32, 0, 2), 0);
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter.id, &i64, 0, 3), 0);
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter.id, &u64, 0, 4), 0);
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter.id, &real, 0, 5), 0);
    EXPECT_EQ(u32, parameter.initial);
    EXPECT_EQ(i64, static_cast<std::int64_t>(parameter.initial));
    EXPECT_EQ(u64, parameter.initial);
    EXPECT_EQ(real, static_cast<double>(parameter.initial));
    char text[16];
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter.id, text, 0, 6), SIMBOARD_WRONG_TYPE);
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter.id, &u32, 1, 2),
              SIMBOARD_INVALID_PARAMETER);
    EXPECT_EQ(Fg_setParameterWithType(runtime_, parameter.id, &u32, 0, 2),
              parameter.writable ? 0 : SIMBOARD_READ_ONLY);
  }
}

TEST_F(RuntimeParameters, TheTimeoutIsWrittenAsAWholeNumberAndResetByALoad) {
  double real = 2.5;
  EXPECT_EQ(set("FG_TIMEOUT", &real, 5), SIMBOARD_OUT_OF_RANGE);
  real = 2;
  EXPECT_EQ(set("FG_TIMEOUT", &real, 5), 0);
  std::int64_t i64 = -2;
  EXPECT_EQ(set("FG_TIMEOUT", &i64, 3), SIMBOARD_OUT_OF_RANGE);
  std::uint64_t u64 = 1ull << 32;
  EXPECT_EQ(set("FG_TIMEOUT", &u64, 4), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(Fg_setParameterWithType(runtime_, 600, &u64, 1, 4), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(value("FG_TIMEOUT"), "2");
  void* again = Fg_InitHandle("x", board_, hap_);
  EXPECT_EQ(value("FG_TIMEOUT"), "1000000");
  EXPECT_EQ(Fg_FreeGrabber(again), 0);
}

TEST_F(RuntimeParameters, StoredOnesArePlayedByTheControlInterfaceComputedOnesAreNot) {
  EXPECT_EQ(simboard_set(board_, "FG_CAMSTATUS_EXTENDED", "0x27"), 0);
  std::uint32_t status = 0;
  EXPECT_EQ(set("FG_CAMSTATUS_EXTENDED", &status, 2), SIMBOARD_READ_ONLY);
  EXPECT_EQ(get("FG_CAMSTATUS_EXTENDED", &status, 2), 0);
  EXPECT_EQ(status, 0x27u);
  EXPECT_EQ(simboard_set(board_, "FG_TRANSFER_LEN", "5"), SIMBOARD_READ_ONLY);
  EXPECT_EQ(simboard_set(board_, "FG_DMASTATUS", "1"), SIMBOARD_READ_ONLY);
  EXPECT_EQ(simboard_set(board_, "FG_NR_OF_DMAS", "4294967296"), SIMBOARD_OUT_OF_RANGE);
}

// The small design has no image path: pictures of its transfer's 15 bytes arrive at the
// picture period.
class Acquisition : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    ASSERT_EQ(simboard_buffers_alloc(board_, 2, 15, &memory_), 0);
  }
  void TearDown() override {
    EXPECT_EQ(simboard_buffers_free(memory_), 0);
    RuntimeTest::TearDown();
  }
  std::int64_t status(int selector) const {
    return Fg_getStatusEx(runtime_, selector, 0, 0, memory_);
  }
  void* memory_ = nullptr;
};

TEST_F(Acquisition, DeliversTheRequestedPicturesAtThePeriod) {
  // 20 ms apart, so that the checks while it runs come before the last picture even on a
  // slow machine or under valgrind.
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PICTURE_PERIOD_US, "20000"), 0);
  EXPECT_EQ(value("FG_TRANSFER_LEN"), "0");
  EXPECT_EQ(Fg_getLastPicNumberEx(runtime_, 0, nullptr), 0);
  const auto start = Clock::now();
  ASSERT_EQ(Fg_AcquireEx(runtime_, 0, 5, 0, memory_), 0);
  EXPECT_EQ(value("FG_DMASTATUS"), "1");
  EXPECT_EQ(status(SIMBOARD_STATUS_ACQUIRING), 1);
  EXPECT_EQ(status(SIMBOARD_STATUS_REQUESTED), 5);
  EXPECT_EQ(Fg_AcquireEx(runtime_, 0, 5, 0, memory_), SIMBOARD_BUSY);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 5, 0, 5, nullptr), 5);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));  // 5 x 20 ms
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 2, 0, 5, nullptr), 5);
  EXPECT_EQ(simboard_pictures(board_, 0), 5);
  EXPECT_EQ(value("FG_DMASTATUS"), "0");  // all pictures delivered: the acquisition ended
  EXPECT_EQ(status(SIMBOARD_STATUS_DELIVERED), 5);
  EXPECT_EQ(status(SIMBOARD_STATUS_PERIOD_US), 20000);
  // Width 5 x height 3 x 1 byte per pixel: the small design's transfer parameters.
  EXPECT_EQ(value("FG_TRANSFER_LEN"), "15");
  // Three of the five went unread into two buffers.
  EXPECT_EQ(status(SIMBOARD_STATUS_LOST), 3);
  EXPECT_EQ(status(SIMBOARD_STATUS_PENDING), 2);
  EXPECT_EQ(Fg_stopAcquireEx(runtime_, 0, nullptr, 0), 0);
  EXPECT_EQ(Fg_stopAcquireEx(runtime_, 0, nullptr, 0), SIMBOARD_NOT_RUNNING);
  EXPECT_EQ(Fg_getLastPicNumberEx(runtime_, 0, nullptr), 5);
}

// A long stretch that nobody reads costs one round of the buffers, and every picture but
// the last two is counted lost.
TEST_F(Acquisition, CountsEveryPictureLostWhileNobodyReads) {
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_PICTURE_PERIOD_US, "1"), 0);
  ASSERT_EQ(Fg_AcquireEx(runtime_, 0, -1, 0, memory_), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(Fg_stopAcquireEx(runtime_, 0, memory_, 0), 0);
  const std::int64_t delivered = status(SIMBOARD_STATUS_DELIVERED);
  EXPECT_GE(delivered, 10000);
  EXPECT_EQ(status(SIMBOARD_STATUS_LOST), delivered - 2);
  EXPECT_EQ(status(SIMBOARD_STATUS_PENDING), 2);
  char bytes[15];
  EXPECT_EQ(simboard_buffers_copy(memory_, delivered - 1, bytes, sizeof bytes, nullptr), 0);
  EXPECT_EQ(simboard_buffers_copy(memory_, delivered, bytes, sizeof bytes, nullptr), 0);
  EXPECT_EQ(simboard_buffers_copy(memory_, delivered - 2, bytes, sizeof bytes, nullptr),
            SIMBOARD_PICTURE_LOST);
  EXPECT_EQ(status(SIMBOARD_STATUS_PENDING), 0);
}

TEST_F(Acquisition, AWaiterIsWokenByALaterStart) {
  auto waiter = std::async(std::launch::async, [this] {
    return Fg_getLastPicNumberBlockingEx(runtime_, 1, 0, 20, nullptr);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto start = Clock::now();
  ASSERT_EQ(Fg_AcquireEx(runtime_, 0, -1, 0, memory_), 0);  // until stopped
  EXPECT_GE(waiter.get(), 1);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(status(SIMBOARD_STATUS_REQUESTED), -1);
  EXPECT_EQ(Fg_stopAcquireEx(runtime_, 0, memory_, 0), 0);
  const std::int64_t stoppedAt = Fg_getLastPicNumberEx(runtime_, 0, nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(Fg_getLastPicNumberEx(runtime_, 0, nullptr), stoppedAt);
  EXPECT_EQ(status(SIMBOARD_STATUS_ACQUIRING), 0);
}

// The caller's wait of 30 s is cut short by the runtime's image time-out (FG_TIMEOUT) of 1 s.
TEST_F(Acquisition, BlockingWaitsTimeOut) {
  const std::uint32_t imageTimeout = 1;
  ASSERT_EQ(set("FG_TIMEOUT", &imageTimeout, 2), 0);
  ASSERT_EQ(Fg_AcquireEx(runtime_, 0, 2, 0, memory_), 0);
  const auto start = Clock::now();
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 3, 0, 30, nullptr), SIMBOARD_TIMEOUT);
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, std::chrono::seconds(1));
  EXPECT_LT(waited, std::chrono::seconds(3));
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), SIMBOARD_TIMEOUT);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 3, 0, 0, nullptr), SIMBOARD_TIMEOUT);
}

TEST_F(Acquisition, RefusesOtherChannelsAndMeaninglessArguments) {
  EXPECT_EQ(Fg_AcquireEx(runtime_, 1, 5, 0, memory_), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_AcquireEx(runtime_, 0, 0, 0, memory_), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(Fg_stopAcquireEx(runtime_, 1, nullptr, 0), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_getLastPicNumberEx(runtime_, 1, nullptr), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 0, 0, 1, nullptr), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 1, 0, -1, nullptr), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(Fg_getStatusEx(runtime_, 99, 0, 0, nullptr), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_getStatusEx(runtime_, SIMBOARD_STATUS_DELIVERED, 0, 1, nullptr),
            SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_pictures(board_, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_PICTURE_PERIOD_US, "0"), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_PICTURE_PERIOD_US, "fast"), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(value(SIMBOARD_SETTING_PICTURE_PERIOD_US), "1000");
}

TEST_F(Acquisition, EndsWhenTheHandleIsFreed) {
  ASSERT_EQ(Fg_AcquireEx(runtime_, 0, -1, 0, memory_), 0);
  EXPECT_EQ(Fg_FreeGrabber(runtime_), 0);
  runtime_ = nullptr;
  EXPECT_EQ(boardValue(board_, "FG_DMASTATUS"), "0");
}

}  // namespace
}  // namespace brenvik::simboard::test
