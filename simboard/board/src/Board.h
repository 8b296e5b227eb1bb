// One simulated board: the design loaded on it, its parameter and register values, the
// runtime's own parameters, the journal and the failure plan, and the units that model the
// design (Behaviour.h: the trigger unit, the debug points, the image path, the pacing and
// the DMA buffers), to which it dispatches. Every operation takes the board's own mutex, so
// any thread may call; no thread runs on the board's behalf.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Behaviour.h"
#include "Design.h"
#include "DmaBuffers.h"
#include "FailurePlan.h"
#include "Journal.h"
#include "ParameterStore.h"
#include "RuntimeParameters.h"
#include "UnitInterfaces.h"
#include "simboard/control.h"

namespace brenvik::simboard {

class Board {
 public:
  Board();
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  // Loads a design: values to their initial state, journal cleared, acquisition reset.
  // The failure plan and the picture period stay.
  void load(DesignPtr design);
  DesignPtr design() const;

  // The runtime's typed access (journaled writes). Ids: 1 … n hardware parameters, the
  // runtime's own parameters under their fixed ids.
  std::int32_t parameterId(std::string_view name) const;
  std::int32_t setParameter(std::int32_t id, const void* value, std::uint32_t dma,
                            std::int32_t type);
  std::int32_t getParameter(std::int32_t id, void* value, std::uint32_t dma, std::int32_t type,
                            char** handedOut);
  std::int32_t saveConfiguration(const char* path) const;

  // Registers of the loaded design (writes journaled).
  std::int32_t writeRegister(std::uint32_t id, std::uint64_t value);
  std::int32_t readRegister(std::uint32_t id, std::uint64_t* value);

  // Acquisition on DMA 0 into buffers of this board (null: none given).
  std::int32_t startAcquisition(std::uint32_t dma, std::int64_t pictures, BufferSetPtr buffers);
  std::int32_t stopAcquisition(std::uint32_t dma);
  std::int64_t lastPicture(std::uint32_t dma);
  std::int64_t waitForPicture(std::int64_t picture, std::uint32_t dma, int timeoutSeconds);
  std::int64_t status(int selector, std::int64_t data, std::uint32_t dma);
  // A picture from a buffer set, which the application has then read; the newest picture
  // of the acquisition, which stays unread (a preview only watches).
  std::int32_t copyPicture(BufferSet& buffers, std::int64_t picture, void* out, std::size_t size,
                           SimboardFrame* frame);
  std::int32_t latestPicture(std::uint32_t dma, void* out, std::size_t size, SimboardFrame* frame);
  // Lends a picture in place (read, and its buffer kept from new pictures) and ends a loan.
  std::int32_t borrowPicture(BufferSet& buffers, std::int64_t picture, const void** pixels,
                             SimboardFrame* frame);
  std::int32_t releasePicture(BufferSet& buffers, std::int64_t picture);
  // Ends the acquisition that fills `buffers`, which are about to be freed.
  void releaseBuffers(const BufferSet& buffers);

  // The control interface.
  std::int32_t controlGet(std::string_view name, char* text, std::size_t size);
  std::int32_t controlSet(std::string_view name, std::string_view text);
  std::int32_t fail(std::string_view name, std::uint32_t operations, std::int32_t code,
                    std::int32_t count);
  void clearFailures();
  std::size_t journalSize() const;
  std::int32_t journalEntry(std::size_t index, SimboardWrite& entry) const;
  void clearJournal();
  // Images the caller handed over, already read, as the camera port's input.
  void setCameraImages(std::vector<InputImage> images);

 private:
  using Lock = std::unique_lock<std::mutex>;
  using Clock = Behaviour::Clock;

  // The design's parameter with runtime id `id` (1 … n), or null.
  const ParameterDefinition* designParameter(std::int32_t id) const;
  std::int32_t writeParameterLocked(std::size_t index, const ParameterDefinition& definition,
                                    const void* value, std::int32_t type, Moment& now);
  std::int32_t writeRuntimeLocked(std::int32_t id, const void* value, std::uint32_t dma,
                                  std::int32_t type, const char*& name);
  std::int32_t readRuntimeLocked(std::size_t index, void* value, std::uint32_t dma,
                                 std::int32_t type);
  std::uint64_t runtimeValueLocked(std::size_t index) const;
  std::int32_t registerIndexLocked(std::uint32_t id) const;
  std::int32_t controlGetRuntime(std::size_t index, std::string& out);
  std::int32_t controlSetRuntime(std::size_t index, std::string_view text);
  std::int32_t controlGetRegister(std::string_view name, std::string& out) const;
  std::int32_t controlSetRegister(std::string_view name, std::string_view text);
  std::int32_t controlSetBoard(std::string_view name, std::string_view text);

  // Delivers the pictures due by `now` into the DMA buffers (no clock read without an
  // acquisition).
  void deliverLocked(Moment& now) {
    if (dma_.active()) dma_.deliver(values_, now());
  }
  void deliverLocked() {
    Moment now;
    deliverLocked(now);
  }
  // Lets the behaviours that watch a parameter see its write or bring it up to date, and
  // every behaviour follow a change of values.
  // (Inline checks: most parameters have no watcher, and every write and read asks.)
  void notifyWritten(std::size_t index, Moment& now) {
    if (index < watchers_.size() && !watchers_[index].empty()) tellWritten(index, now);
  }
  void notifyReading(std::size_t index) const {
    if (index < watchers_.size() && !watchers_[index].empty()) tellReading(index);
  }
  void tellWritten(std::size_t index, Moment& now);
  void tellReading(std::size_t index) const;
  void changedLocked(Moment& now);

  mutable std::mutex mutex_;
  std::condition_variable pictureDelivered_;
  DesignPtr design_;
  ParameterStore values_;
  std::vector<std::uint64_t> registers_;
  RuntimeParameters runtime_;
  Journal journal_;
  FailurePlan failures_;
  // The models of the design's units, and for each parameter the ones that watch it. A read
  // may bring values up to date, so const reads reach the values through a mutable pointer.
  Units units_;
  DmaChannel& dma_ = units_.find<DmaChannel>();
  FrameSource& frames_ = units_.find<FrameSource>();
  std::vector<std::vector<Behaviour*>> watchers_;
  ParameterStore* const watchedValues_ = &values_;
};

// Mask of a register of `width` bits (1 … 64).
std::uint64_t registerMask(std::uint32_t width);

}  // namespace brenvik::simboard
