// Acquisition through the applet's exports into DMA buffers of the simulated board, with
// frames lent out in place.
#include <chrono>

#include "Acquisition.h"
#include "AppletCore.h"
#include "parameters/SdkParameterTable.h"
#include "simboard/control.h"

namespace brenvik {

namespace {

using detail::AcquisitionState;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kDma = 0;
// The board's samples are one or two bytes (control.h), so buffers sized for two hold any
// output format.
constexpr std::uint64_t kWidestSample = 2;
// How often a wait looks for its picture and asks whether to stop; a picture is handed out
// at most this late.
constexpr auto kWaitSlice = std::chrono::milliseconds(1);
constexpr int kPoll = 0;  // a wait of no seconds: the board delivers what is due and answers

}  // namespace

void Applet::start(std::uint32_t buffers, std::int64_t frames) {
  AppletHandle* live = core_->live();
  if (buffers == 0)
    throw Error(ErrorCategory::kBadValue, "an acquisition needs at least one buffer");
  if (frames == 0 || frames < kUntilStopped) {
    throw Error(ErrorCategory::kBadValue,
                "an acquisition takes a positive number of frames, or runs until stopped");
  }
  std::lock_guard guard(core_->acquisitionLock);
  if (core_->acquisition) throw Error(ErrorCategory::kInvalidState, "an acquisition is running");
  const std::uint64_t width =
      static_cast<std::uint64_t>(getInteger(handle(parameters::sdkId("FG_WIDTH"))));
  const std::uint64_t height =
      static_cast<std::uint64_t>(getInteger(handle(parameters::sdkId("FG_HEIGHT"))));
  void* memory = nullptr;
  if (const std::int32_t code =
          simboard_buffers_alloc(core_->board, buffers, width * height * kWidestSample, &memory);
      code != 0) {
    throw Error(ErrorCategory::kRefused, code,
                "allocating " + std::to_string(buffers) + " DMA buffers");
  }
  auto state = std::make_shared<AcquisitionState>(memory, buffers);
  if (const int code = core_->exports->Fg_AcquireEx(live, kDma, frames, 0, memory); code != 0) {
    throw Error(ErrorCategory::kRefused, code, "starting the acquisition");
  }
  core_->acquisition = std::move(state);
}

Frame Applet::next(std::chrono::milliseconds timeout, const std::function<bool()>& shouldStop) {
  AppletHandle* live = core_->live();
  std::shared_ptr<AcquisitionState> state;
  {
    std::lock_guard guard(core_->acquisitionLock);
    state = core_->acquisition;
  }
  if (!state) throw Error(ErrorCategory::kInvalidState, "no acquisition is running");
  const detail::ExportTable& exports = *core_->exports;
  const auto deadline = Clock::now() + timeout;
  while (true) {
    const std::int64_t wanted = state->wanted();
    const std::int64_t arrived =
        exports.Fg_getLastPicNumberBlockingEx(live, wanted, kDma, kPoll, state->memory());
    if (arrived >= wanted) {
      // The board hands out a picture it has just reported before it draws more; pictures
      // older than a round of the buffers are written over, and one whose buffer a frame
      // still holds was lost.
      for (std::int64_t picture = state->oldestKept(arrived); picture <= arrived; ++picture) {
        Frame frame;
        const std::int32_t code = state->lend(picture, frame);
        if (code == 0) {
          // Asked only now: the question brings the board up to date.
          const std::int64_t lost =
              exports.Fg_getStatusEx(live, SIMBOARD_STATUS_LOST, 0, kDma, state->memory());
          detail::AcquisitionState::setLost(frame, lost < 0 ? 0 : lost);
          return frame;
        }
        if (code != SIMBOARD_PICTURE_LOST) {
          throw Error(ErrorCategory::kRefused, code, "reading picture " + std::to_string(picture));
        }
      }
      state->skipThrough(arrived);
    } else if (arrived != SIMBOARD_TIMEOUT) {
      throw Error(ErrorCategory::kRefused, static_cast<std::int32_t>(arrived),
                  "waiting for picture " + std::to_string(wanted));
    }
    if (core_->cancelRequested.exchange(false) || (shouldStop && shouldStop())) {
      throw Error(ErrorCategory::kCancelled,
                  "the wait for picture " + std::to_string(wanted) + " was cancelled");
    }
    const auto now = Clock::now();
    if (now >= deadline) {
      throw Error(ErrorCategory::kTimeout, SIMBOARD_TIMEOUT,
                  "no picture " + std::to_string(wanted) + " within " +
                      std::to_string(timeout.count()) + " ms");
    }
    std::unique_lock lock(core_->waitLock);
    core_->wake.wait_until(lock, std::min(deadline, now + kWaitSlice),
                           [&] { return core_->cancelRequested.load(); });
  }
}

void Applet::cancel() noexcept {
  {
    std::lock_guard guard(core_->waitLock);
    core_->cancelRequested = true;
  }
  core_->wake.notify_all();
}

void Applet::stop() {
  AppletHandle* live = core_->live();
  std::lock_guard guard(core_->acquisitionLock);
  if (!core_->acquisition) return;
  void* memory = core_->acquisition->memory();
  const std::int64_t lost =
      core_->exports->Fg_getStatusEx(live, SIMBOARD_STATUS_LOST, 0, kDma, memory);
  core_->lastLost = lost < 0 ? 0 : lost;
  const int code = core_->exports->Fg_stopAcquireEx(live, kDma, memory, 0);
  // The buffers go with the last frame lent out of them.
  core_->acquisition.reset();
  if (code != 0) throw Error(ErrorCategory::kRefused, code, "stopping the acquisition");
}

bool Applet::acquiring() const {
  core_->live();
  std::lock_guard guard(core_->acquisitionLock);
  return core_->acquisition != nullptr;
}

std::int64_t Applet::lostFrames() const {
  AppletHandle* live = core_->live();
  std::lock_guard guard(core_->acquisitionLock);
  if (!core_->acquisition) return core_->lastLost;
  const std::int64_t lost = core_->exports->Fg_getStatusEx(live, SIMBOARD_STATUS_LOST, 0, kDma,
                                                           core_->acquisition->memory());
  return lost < 0 ? 0 : lost;
}

}  // namespace brenvik
