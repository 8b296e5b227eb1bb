// Acquisition through the client library: frames seen in place, their lifetime rules, and
// waits that time out or are ended by their caller.
#include <chrono>
#include <thread>

#include "HostTestSupport.h"

namespace brenvik::test {
namespace {

using namespace std::chrono_literals;

class FrameTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    // The camera simulator needs nothing on the camera port; unpaced, a picture is there as
    // soon as it is waited for.
    applet().set(handle("FG_CAMERASIMULATOR_ENABLE"), Input::fromText("FG_CAMERASIMULATOR"));
    applet().setInteger(handle("FG_WIDTH"), 256);
    applet().setInteger(handle("FG_HEIGHT"), 64);
    applet().board().setPaced(false);
  }
};

TEST_F(FrameTest, FramesShowThePictureInPlace) {
  applet().set(handle("FG_FORMAT"), Input::fromText("FG_GRAY16"));
  applet().start(4, 3);
  EXPECT_TRUE(applet().acquiring());
  for (std::int64_t number = 1; number <= 3; ++number) {
    Frame frame = applet().next(5s);
    ASSERT_TRUE(frame.valid());
    EXPECT_EQ(frame.number(), number);
    EXPECT_EQ(frame.width(), 256u);
    EXPECT_EQ(frame.height(), 64u);
    EXPECT_EQ(frame.bytesPerPixel(), 2u);
    EXPECT_EQ(frame.bytes(), 256u * 64u * 2u);
    EXPECT_NE(frame.pixels(), nullptr);
    EXPECT_EQ(frame.lost(), 0);
  }
  applet().stop();
  EXPECT_FALSE(applet().acquiring());
}

// The built-in camera and images from memory, without the simulator.
TEST(CameraFrames, TheSceneOutOfTheBoxAndImagesFromMemory) {
  OpenOptions options;
  options.board = freshBoard();
  Applet applet(options);
  applet.board().setPaced(false);
  applet.start(2, 1);
  const Frame scene = applet.next(5s);
  EXPECT_EQ(scene.width(), 1024u);
  applet.stop();

  // An 8 x 2 ramp comes out of the default (straight) table as it went in.
  std::vector<std::uint8_t> ramp(16);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint8_t>(10 * i);
  applet.board().setCameraImages({CameraImage{8, 2, 8, ramp}});
  applet.setInteger(applet.handle("FG_WIDTH"), 8);
  applet.setInteger(applet.handle("FG_HEIGHT"), 2);
  applet.start(2, 1);
  const Frame image = applet.next(5s);
  ASSERT_EQ(image.bytes(), ramp.size());
  const auto* pixels = static_cast<const std::uint8_t*>(image.pixels());
  EXPECT_EQ(std::vector<std::uint8_t>(pixels, pixels + ramp.size()), ramp);
}

// A camera far faster than the board draws (a picture every microsecond): frames still
// come, in order, with the pictures in between counted lost.
TEST(CameraFrames, ACameraFasterThanDrawingStillYieldsFrames) {
  OpenOptions options;
  options.board = freshBoard();
  Applet applet(options);
  applet.setInteger(applet.handle("FG_WIDTH"), 256);
  applet.setInteger(applet.handle("FG_HEIGHT"), 64);
  applet.board().setPicturePeriod(1);
  applet.start(4);
  std::int64_t previous = 0;
  for (int i = 0; i < 20; ++i) {
    const Frame frame = applet.next(5s);
    EXPECT_GT(frame.number(), previous);
    EXPECT_GE(frame.lost(), frame.number() - i - 1);
    previous = frame.number();
  }
  EXPECT_GT(applet.lostFrames(), 0);
}

// A fresh applet's first acquisition, the camera port's scene at the trigger generator's
// 1000 Hz: about as fast as the board draws the scene, so frames come only if the one a wait
// reports is read before anything else makes the board draw more.
TEST(CameraFrames, TheFirstAcquisitionAtTheGeneratorsPaceDeliversFrames) {
  OpenOptions options;
  options.board = freshBoard();
  Applet applet(options);
  applet.setDouble(applet.handle("FG_TRIGGER_FRAMESPERSECOND"), 1000.0);
  applet.set(applet.handle("FG_TRIGGERSTATE"), Input::fromText("TS_ACTIVE"));
  applet.start(8);
  std::int64_t previous = 0;
  for (int i = 0; i < 3; ++i) {
    const Frame frame = applet.next(5s);
    EXPECT_GT(frame.number(), previous);
    EXPECT_EQ(frame.width(), 1024u);
    previous = frame.number();
  }
}

// A frame held keeps its buffer: the pictures due for it are lost, not written over it.
TEST_F(FrameTest, AHeldFrameIsNotOverwritten) {
  applet().start(2);
  Frame held = applet().next(5s);
  const std::vector<std::uint8_t> before(
      static_cast<const std::uint8_t*>(held.pixels()),
      static_cast<const std::uint8_t*>(held.pixels()) + held.bytes());
  for (int i = 0; i < 4; ++i) applet().next(5s).release();
  EXPECT_EQ(
      std::vector<std::uint8_t>(static_cast<const std::uint8_t*>(held.pixels()),
                                static_cast<const std::uint8_t*>(held.pixels()) + held.bytes()),
      before);
  EXPECT_GT(applet().lostFrames(), 0);
}

TEST_F(FrameTest, ReleaseOnceThenItIsAnError) {
  applet().start(2);
  Frame frame = applet().next(5s);
  frame.release();
  EXPECT_FALSE(frame.valid());
  EXPECT_EQ(frame.pixels(), nullptr);
  const Error twice = expectError(ErrorCategory::kInvalidState, [&] { frame.release(); });
  EXPECT_NE(std::string(twice.what()).find("already released"), std::string::npos);
  Frame empty;
  expectError(ErrorCategory::kInvalidState, [&] { empty.release(); });

  // A moved frame is released once, by its new owner.
  Frame first = applet().next(5s);
  Frame moved = std::move(first);
  EXPECT_FALSE(first.valid());  // NOLINT(bugprone-use-after-move): the rule under test
  EXPECT_TRUE(moved.valid());
  moved.release();
}

TEST_F(FrameTest, FramesOutliveTheirAcquisitionAndApplet) {
  applet().start(3);
  Frame frame = applet().next(5s);
  const auto* pixels = static_cast<const std::uint8_t*>(frame.pixels());
  const std::uint8_t first = pixels[0];
  applet().stop();
  EXPECT_EQ(static_cast<const std::uint8_t*>(frame.pixels())[0], first);
  applet_.reset();
  EXPECT_EQ(static_cast<const std::uint8_t*>(frame.pixels())[0], first);
  frame.release();
}

TEST_F(FrameTest, StateErrors) {
  expectError(ErrorCategory::kInvalidState, [&] { applet().next(10ms); });
  expectError(ErrorCategory::kBadValue, [&] { applet().start(0); });
  expectError(ErrorCategory::kBadValue, [&] { applet().start(2, 0); });
  applet().start(2);
  expectError(ErrorCategory::kInvalidState, [&] { applet().start(2); });
  applet().stop();
  applet().stop();  // nothing running: nothing to do
}

TEST_F(FrameTest, WaitsTimeOutOrEndWhenAsked) {
  applet().start(2, 1);
  applet().next(5s).release();
  // The acquisition asked for one picture: a second never comes.
  const auto begin = std::chrono::steady_clock::now();
  const Error late = expectError(ErrorCategory::kTimeout, [&] { applet().next(50ms); });
  EXPECT_GE(std::chrono::steady_clock::now() - begin, 50ms);
  EXPECT_NE(std::string(late.what()).find("no picture 2 within 50 ms"), std::string::npos);

  int asked = 0;
  expectError(ErrorCategory::kCancelled, [&] { applet().next(60s, [&] { return ++asked == 3; }); });
  EXPECT_EQ(asked, 3);

  std::thread canceller([&] {
    std::this_thread::sleep_for(20ms);
    applet().cancel();
  });
  expectError(ErrorCategory::kCancelled, [&] { applet().next(60s); });
  canceller.join();
  // The cancel was spent on that wait.
  expectError(ErrorCategory::kTimeout, [&] { applet().next(5ms); });
}

}  // namespace
}  // namespace brenvik::test
