// Waiting for frames without the GIL (Ctrl-C ends a wait), and frames handed to Python as
// copies or as views that own their frame.
#include "Acquisition.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "PythonTypes.h"

namespace brenvik::python {

namespace {

using std::chrono::milliseconds;

// No time-out (None) waits this long: longer than any session, short enough that the
// deadline it makes never overflows the clock.
constexpr milliseconds kNoTimeout = std::chrono::hours(24 * 365);

milliseconds waitTime(std::optional<double> seconds) {
  if (!seconds) return kNoTimeout;
  if (!std::isfinite(*seconds) || *seconds < 0) {
    raise(PyExc_ValueError,
          "a time-out is a number of seconds from 0, or None to wait as long "
          "as it takes, not " +
              std::to_string(*seconds));
  }
  const double count = std::ceil(*seconds * 1000.0);
  return count >= static_cast<double>(kNoTimeout.count())
             ? kNoTimeout
             : milliseconds(static_cast<long long>(count));
}

// The next frame, waited for without the GIL (the caller holds the applet's use and wait
// locks). Pending signals are checked with the GIL taken briefly each time the library asks.
Frame waitFrame(PyApplet& owner, milliseconds timeout) {
  bool interrupted = false;
  try {
    return owner.applet().next(timeout, [&interrupted] {
      py::gil_scoped_acquire gil;
      interrupted = signalRaised();
      return interrupted;
    });
  } catch (const Error& error) {
    if (error.category() != ErrorCategory::kCancelled) throw;
    if (interrupted) throw Interrupted{};
    if (owner.closing()) {
      throw Error(ErrorCategory::kClosed, "the applet was closed while waiting for a frame");
    }
    throw;
  }
}

py::dtype dtypeOf(const Frame& frame) {
  switch (frame.bytesPerPixel()) {
    case 1:
      return py::dtype::of<std::uint8_t>();
    case 2:
      return py::dtype::of<std::uint16_t>();
    default:
      break;
  }
  throw Error(ErrorCategory::kInvalidState, "frames of " + std::to_string(frame.bytesPerPixel()) +
                                                " bytes a pixel are not supported");
}

py::array toArray(Frame&& frame, bool copy) {
  const py::dtype type = dtypeOf(frame);
  const std::vector<py::ssize_t> shape{frame.height(), frame.width()};
  if (copy) {
    py::array out(type, shape);
    void* target = out.mutable_data();
    {
      py::gil_scoped_release released;
      std::memcpy(target, frame.pixels(), frame.bytes());
      frame.release();
    }
    return out;
  }
  // The view's base owns the frame: the buffer is lent out until the last array on it dies.
  auto* held = new Frame(std::move(frame));
  const py::capsule base(held, [](void* owned) { delete static_cast<Frame*>(owned); });
  py::array view(type, shape, {}, held->pixels(), base);
  view.attr("setflags")(py::arg("write") = false);
  return view;
}

// Copies frames into a grab's array on a thread of its own, so that the copy (and the first
// touch of the array's fresh memory) overlaps the board drawing the next picture. Each frame
// stays lent out until it is copied; at most `limit` are, so that the board always has a
// buffer to draw into instead of dropping pictures. Destruction copies what is queued, then
// joins.
class Copier {
 public:
  explicit Copier(std::size_t limit) : limit_(limit), thread_([this] { run(); }) {}
  ~Copier() {
    {
      std::lock_guard guard(lock_);
      done_ = true;
    }
    ready_.notify_one();
    thread_.join();
  }
  Copier(const Copier&) = delete;
  Copier& operator=(const Copier&) = delete;

  void add(Frame frame, std::uint8_t* target) {
    {
      std::unique_lock guard(lock_);
      copied_.wait(guard, [this] { return lent_ < limit_; });
      ++lent_;
      queue_.push_back({std::move(frame), target});
    }
    ready_.notify_one();
  }

 private:
  struct Job {
    Frame frame;
    std::uint8_t* target;
  };

  void run() {
    std::unique_lock guard(lock_);
    while (true) {
      ready_.wait(guard, [this] { return done_ || !queue_.empty(); });
      if (queue_.empty()) return;
      Job job = std::move(queue_.front());
      queue_.pop_front();
      guard.unlock();
      std::memcpy(job.target, job.frame.pixels(), job.frame.bytes());
      job.frame = Frame();  // the buffer goes back to the board
      guard.lock();
      --lent_;
      copied_.notify_one();
    }
  }

  const std::size_t limit_;
  std::mutex lock_;
  std::condition_variable ready_;   // a job was queued, or the copier is done
  std::condition_variable copied_;  // a frame went back to the board
  std::deque<Job> queue_;
  std::size_t lent_ = 0;  // frames queued or being copied
  bool done_ = false;
  std::thread thread_;  // last: it starts once the members above exist
};

}  // namespace

PyAcquisition::PyAcquisition(py::object applet, std::uint32_t buffers,
                             std::optional<std::int64_t> frames)
    : owner_(std::move(applet)), applet_(owner_.cast<PyApplet&>()), frames_(frames) {
  if (frames_ && *frames_ < 1) raise(PyExc_ValueError, "frames is a count from 1, or None");
  applet_.unlocked([&] { applet_.applet().start(buffers, frames_.value_or(kUntilStopped)); });
}

PyAcquisition::~PyAcquisition() {
  try {
    stop();
  } catch (const std::exception&) {  // nobody is left to tell
  }
}

py::array PyAcquisition::next(std::optional<double> timeout, bool copy) {
  if (stopped_) raise(PyExc_RuntimeError, "the acquisition is stopped");
  const milliseconds wait = waitTime(timeout);
  Frame frame = applet_.unlocked([&] {
    std::lock_guard one(applet_.waitLock());
    return waitFrame(applet_, wait);
  });
  ++delivered_;
  return toArray(std::move(frame), copy);
}

py::array PyAcquisition::iterate() {
  // A counted acquisition ends with its last picture, read or lost.
  if (stopped_ || (frames_ && delivered_ + lost() >= *frames_)) throw py::stop_iteration();
  return next(std::nullopt, true);
}

void PyAcquisition::stop() {
  if (stopped_) return;
  stopped_ = true;
  if (!applet_.closed()) applet_.unlocked([&] { applet_.applet().stop(); });
}

py::array grab(PyApplet& applet, std::int64_t count, std::uint32_t buffers,
               std::optional<double> timeout) {
  if (count < 1) raise(PyExc_ValueError, "grab takes a frame count from 1");
  const milliseconds wait = waitTime(timeout);
  py::array out;
  applet.unlocked([&] {
    std::lock_guard one(applet.waitLock());
    Applet& host = applet.applet();
    // Until stopped: pictures lost on the way are made up by later ones.
    host.start(buffers, kUntilStopped);
    struct Stop {
      Applet& host;
      ~Stop() {
        try {
          host.stop();
        } catch (const Error&) {  // the frames or the error at hand say more
        }
      }
    } stop{host};
    // One buffer stays the board's to draw into.
    Copier copier(buffers > 1 ? buffers - 1 : 1);  // finishes before the acquisition stops
    std::uint8_t* target = nullptr;
    std::uint32_t width = 0, height = 0, bytesPerPixel = 0;
    for (std::int64_t index = 0; index < count; ++index) {
      Frame frame = waitFrame(applet, wait);
      if (index == 0) {
        width = frame.width();
        height = frame.height();
        bytesPerPixel = frame.bytesPerPixel();
        py::gil_scoped_acquire gil;
        out = py::array(dtypeOf(frame), std::vector<py::ssize_t>{count, height, width});
        target = static_cast<std::uint8_t*>(out.mutable_data());
      } else if (frame.width() != width || frame.height() != height ||
                 frame.bytesPerPixel() != bytesPerPixel) {
        throw Error(ErrorCategory::kInvalidState, "the frame size changed during the grab");
      }
      const std::size_t bytes = frame.bytes();
      copier.add(std::move(frame), target);
      target += bytes;
    }
  });
  return out;
}

}  // namespace brenvik::python
