// The DMA channel and its buffers as a unit of the board: what is due is delivered into the
// buffers whenever the board is asked, rendered by the image path from the hardware values
// of that moment, and the frame buffer's fill level and overflow flag follow.
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "Behaviour.h"
#include "UnitInterfaces.h"

namespace brenvik::simboard {

namespace {

using Clock = UnitClock;

// A triggered source is looked at this often while a picture is waited for.
constexpr std::chrono::milliseconds kPulsePoll{1};
constexpr std::uint64_t kFullPercent = 100;

std::int32_t copyOut(const BufferSet::Slot& slot, const std::byte* data, void* out,
                     std::size_t size, SimboardFrame* frame) {
  if (frame != nullptr) {
    *frame = SimboardFrame{.picture = slot.picture,
                           .width = slot.geometry.width,
                           .height = slot.geometry.height,
                           .bits = slot.geometry.bits,
                           .bytesPerPixel = slot.geometry.bytesPerPixel,
                           .bytes = slot.geometry.bytes()};
  }
  if (out == nullptr && size == 0) return SIMBOARD_OK;  // only the frame's description
  if (out == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (size < slot.geometry.bytes()) return SIMBOARD_BUFFER_TOO_SMALL;
  std::memcpy(out, data, slot.geometry.bytes());
  return SIMBOARD_OK;
}

class DmaUnit final : public Behaviour, public DmaChannel {
 public:
  void connect(const Units& units) override {
    frames_ = &units.find<FrameSource>();
    pacer_ = &units.find<FramePacer>();
  }

  void reset() override {
    design_ = nullptr;
    acquisition_.reset();
    overflow_ = false;
    publishedFill_.reset();
    publishedOverflow_.reset();
  }

  // Reading the frame buffer's state brings the buffers up to date first.
  std::vector<std::size_t> attach(const Design& design, ParameterStore&,
                                  Clock::time_point) override {
    design_ = &design;
    if (!frames_->present()) return {};
    return {frames_->fillLevelIndex(), frames_->overflowIndex()};
  }

  void reading(std::size_t, ParameterStore& values, Clock::time_point now) override {
    deliver(values, now);
  }

  // A hardware value changed: an acquisition goes on at its new pace.
  bool followsChanges() const override { return true; }
  void changed(ParameterStore& values, Moment& moment) override {
    if (!acquisition_.active()) return;
    const Clock::time_point now = moment();
    const Pace pace = pacer_->pace(frames_->settings(values), values);
    if (!(pace == acquisition_.pace())) acquisition_.repace(pace, now, pacer_->pulses(values, now));
  }

  std::int32_t start(std::int64_t pictures, BufferSetPtr buffers, ParameterStore& values,
                     Clock::time_point now) override {
    deliver(values, now);
    // One acquisition at a time, as on the hardware; it ends by a stop or by its last picture.
    if (acquisition_.running()) return SIMBOARD_BUSY;
    // A lent buffer belongs to the application until it gives it back.
    if (buffers->anyLent()) return SIMBOARD_BUSY;
    const ImageSettings settings = frames_->settings(values);
    FrameGeometry geometry;
    if (frames_->present()) {
      geometry = geometryOf(settings);
    } else {
      // Without an image path a picture is the design's transfer, byte for byte.
      geometry.width =
          static_cast<std::uint32_t>(std::min<std::uint64_t>(transferBytes(values), 0xffffffffu));
      geometry.height = 1;
    }
    if (geometry.bytes() > buffers->bytes()) return SIMBOARD_BUFFERS_TOO_SMALL;
    buffers->clear();
    Acquisition::Start start{.pictures = pictures,
                             .buffers = std::move(buffers),
                             .geometry = geometry,
                             .selectPeriod = settings.selectPeriod,
                             .selectPhase = settings.selectPhase,
                             .pace = pacer_->pace(settings, values),
                             .paced = pacer_->paced()};
    acquisition_.start(std::move(start), now, pacer_->pulses(values, now));
    overflow_ = false;
    publish(values);
    return SIMBOARD_OK;
  }

  bool stop() override { return acquisition_.stop(); }

  bool detach(const BufferSet& buffers, ParameterStore& values) override {
    if (acquisition_.buffers() != &buffers) return false;
    deliver(values, Clock::now());
    acquisition_.detachBuffers();
    publish(values);
    return true;
  }

  // Works buffer by buffer, so that a long stretch of pictures nobody asked for costs no
  // more than one round of the buffers.
  void deliver(ParameterStore& values, Clock::time_point now) override {
    if (!acquisition_.active()) return;
    const std::int64_t due = acquisition_.due(now, pacer_->pulses(values, now));
    const std::int64_t from = acquisition_.delivered();
    if (due <= from) return;
    BufferSet& buffers = *acquisition_.buffers();
    const std::int64_t count = buffers.count();
    const ImageSettings settings = frames_->settings(values);
    // Pictures 1 ... n that land in buffer b (picture k lands in (k - 1) mod count).
    auto landed = [count](std::int64_t pictures, std::int64_t buffer) {
      return pictures > buffer ? (pictures - buffer - 1) / count + 1 : 0;
    };
    std::uint64_t pending = acquisition_.pending();
    for (std::int64_t buffer = 0; buffer < count; ++buffer) {
      const std::int64_t arrivals = landed(due, buffer) - landed(from, buffer);
      if (arrivals == 0) continue;
      BufferSet::Slot& slot = buffers.slot(static_cast<std::uint32_t>(buffer));
      const std::int64_t newest = buffer + 1 + (landed(due, buffer) - 1) * count;
      if (slot.lent) {
        // The application holds the buffer: every picture due for it is lost.
        acquisition_.countLost(static_cast<std::uint64_t>(arrivals));
        overflow_ = true;
        slot.passedBy = newest;
        continue;
      }
      // Each arrival overwrites the picture before it; one never read is lost.
      const std::int64_t lost = (slot.unread ? 1 : 0) + arrivals - 1;
      if (lost > 0) {
        acquisition_.countLost(static_cast<std::uint64_t>(lost));
        overflow_ = true;
      }
      if (!slot.unread) ++pending;
      slot.picture = newest;
      slot.unread = true;
      slot.geometry = acquisition_.geometry();
      frames_->render(acquisition_.sourceFrame(slot.picture), settings, acquisition_.geometry(),
                      buffers.data(static_cast<std::uint32_t>(buffer)));
    }
    acquisition_.setPending(pending);
    acquisition_.setDelivered(due);
    publish(values);
  }

  bool active() const override { return acquisition_.active(); }
  std::int64_t delivered() const override { return acquisition_.delivered(); }
  bool running() const override { return acquisition_.running(); }
  std::uint64_t transferLength() const override { return acquisition_.transferLength(); }

  std::int64_t status(int selector) const override {
    switch (selector) {
      case SIMBOARD_STATUS_DELIVERED:
        return acquisition_.delivered();
      case SIMBOARD_STATUS_ACQUIRING:
        return acquisition_.running() ? 1 : 0;
      case SIMBOARD_STATUS_REQUESTED:
        return acquisition_.requested();
      case SIMBOARD_STATUS_PERIOD_US:
        return pacer_->period().count();
      case SIMBOARD_STATUS_LOST:
        return static_cast<std::int64_t>(acquisition_.lost());
      case SIMBOARD_STATUS_PENDING:
        return static_cast<std::int64_t>(acquisition_.pending());
      default:
        return SIMBOARD_INVALID_PARAMETER;
    }
  }

  void demand(std::int64_t picture) override { acquisition_.demand(picture); }

  std::optional<Clock::time_point> nextLook(std::int64_t picture,
                                            Clock::time_point now) const override {
    std::optional<Clock::time_point> wake = acquisition_.readyTime(picture);
    const Pacing pacing = acquisition_.pace().pacing;
    if (acquisition_.running() && (pacing == Pacing::FramePulses || pacing == Pacing::LinePulses)) {
      wake = wake ? std::min(*wake, now + kPulsePoll) : now + kPulsePoll;
    }
    return wake;
  }

  std::int32_t copy(BufferSet& buffers, std::int64_t picture, void* out, std::size_t size,
                    SimboardFrame* frame, ParameterStore& values) override {
    std::uint32_t index = 0;
    if (const std::int32_t found = arrived(buffers, picture, values, index); found != SIMBOARD_OK) {
      return found;
    }
    BufferSet::Slot& slot = buffers.slot(index);
    const std::int32_t result = copyOut(slot, buffers.data(index), out, size, frame);
    if (result == SIMBOARD_OK && out != nullptr) read(buffers, slot, values);
    return result;
  }

  std::int32_t borrow(BufferSet& buffers, std::int64_t picture, const void** pixels,
                      SimboardFrame* frame, ParameterStore& values) override {
    if (pixels == nullptr) return SIMBOARD_INVALID_PARAMETER;
    std::uint32_t index = 0;
    if (const std::int32_t found = arrived(buffers, picture, values, index); found != SIMBOARD_OK) {
      return found;
    }
    BufferSet::Slot& slot = buffers.slot(index);
    copyOut(slot, buffers.data(index), nullptr, 0, frame);
    slot.lent = true;
    *pixels = buffers.data(index);
    read(buffers, slot, values);
    return SIMBOARD_OK;
  }

  std::int32_t release(BufferSet& buffers, std::int64_t picture, ParameterStore& values,
                       Clock::time_point now) override {
    if (picture < 1) return SIMBOARD_INVALID_PARAMETER;
    const auto index = static_cast<std::uint32_t>((picture - 1) % buffers.count());
    BufferSet::Slot& slot = buffers.slot(index);
    if (!slot.lent || slot.picture != picture) return SIMBOARD_INVALID_PARAMETER;
    // Pictures due until now passed the lent buffer by; later ones land in it again.
    deliver(values, now);
    slot.lent = false;
    return SIMBOARD_OK;
  }

  std::int32_t latest(void* out, std::size_t size, SimboardFrame* frame) const override {
    BufferSet* buffers = acquisition_.buffers();
    const std::int64_t picture = acquisition_.delivered();
    if (buffers == nullptr || picture < 1) return SIMBOARD_NO_PICTURE;
    const auto index = static_cast<std::uint32_t>((picture - 1) % buffers->count());
    return copyOut(buffers->slot(index), buffers->data(index), out, size, frame);
  }

 private:
  // Finds a picture's buffer (see find), bringing the buffers up to date only when the
  // picture has not arrived yet: a picture that a wait has just reported is handed out before
  // the catch-up that would overwrite it on a board that draws slower than its camera sends.
  std::int32_t arrived(BufferSet& buffers, std::int64_t picture, ParameterStore& values,
                       std::uint32_t& index) {
    if (picture < 1) return SIMBOARD_OUT_OF_RANGE;
    if (const std::int32_t found = find(buffers, picture, index); found != SIMBOARD_NO_PICTURE) {
      return found;
    }
    deliver(values, Clock::now());
    return find(buffers, picture, index);
  }

  // Finds a picture's buffer: SIMBOARD_NO_PICTURE or SIMBOARD_PICTURE_LOST when it is not
  // there, else SIMBOARD_OK with its index.
  static std::int32_t find(BufferSet& buffers, std::int64_t picture, std::uint32_t& index) {
    index = static_cast<std::uint32_t>((picture - 1) % buffers.count());
    const BufferSet::Slot& slot = buffers.slot(index);
    if (slot.picture == picture) return SIMBOARD_OK;
    // Overwritten by a later picture, or passed by while the buffer was lent.
    if (slot.picture > picture || picture <= slot.passedBy) return SIMBOARD_PICTURE_LOST;
    return SIMBOARD_NO_PICTURE;
  }

  // A picture of the acquisition's set was read: one fewer pending, the overflow clears.
  void read(BufferSet& buffers, BufferSet::Slot& slot, ParameterStore& values) {
    if (!slot.unread) return;
    slot.unread = false;
    if (acquisition_.buffers() == &buffers) {
      acquisition_.setPending(acquisition_.pending() - 1);
      overflow_ = false;
      publish(values);
    }
  }

  // Writes the fill level and overflow flag, only on news, so that values played in stay
  // until the model changes them.
  void publish(ParameterStore& values) {
    if (!frames_->present()) return;
    const BufferSet* buffers = acquisition_.buffers();
    const std::uint64_t fill =
        buffers == nullptr ? 0 : acquisition_.pending() * kFullPercent / buffers->count();
    const std::uint64_t overflow = overflow_ ? 1 : 0;
    if (publishedFill_ != fill) {
      publishedFill_ = fill;
      values.at(frames_->fillLevelIndex()).bits = fill;
    }
    if (publishedOverflow_ != overflow) {
      publishedOverflow_ = overflow;
      values.at(frames_->overflowIndex()).bits = overflow;
    }
  }

  // Width x height x bytes per pixel from the design's transfer parameters; the bytes are
  // chosen by the format selector's value (1 when the design lists none for it).
  std::uint64_t transferBytes(const ParameterStore& values) const {
    if (design_ == nullptr || design_->transfer.widthParameter < 0) return 0;
    const TransferDefinition& transfer = design_->transfer;
    auto valueOf = [&](int parameter) -> std::uint64_t {
      const auto index = static_cast<std::size_t>(parameter);
      const std::uint64_t bits = values.at(index).bits;
      const bool negative =
          isSigned(design_->parameters[index].type) && static_cast<std::int64_t>(bits) < 0;
      return negative ? 0 : bits;
    };
    std::uint64_t bytes = 1;
    if (transfer.formatParameter >= 0) {
      const std::uint64_t format = valueOf(transfer.formatParameter);
      if (format < transfer.bytesPerPixel.size()) bytes = transfer.bytesPerPixel[format];
    }
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t result = bytes;
    for (int parameter : {transfer.widthParameter, transfer.heightParameter}) {
      const std::uint64_t factor = valueOf(parameter);
      result = factor != 0 && result > kMost / factor ? kMost : result * factor;
    }
    return result;
  }

  FrameSource* frames_ = nullptr;
  FramePacer* pacer_ = nullptr;
  const Design* design_ = nullptr;  // kept alive by the board while loaded
  Acquisition acquisition_;
  bool overflow_ = false;  // a picture was lost since the application last read one
  std::optional<std::uint64_t> publishedFill_;
  std::optional<std::uint64_t> publishedOverflow_;
};

}  // namespace

std::unique_ptr<Behaviour> makeDmaUnit() { return std::make_unique<DmaUnit>(); }

}  // namespace brenvik::simboard
