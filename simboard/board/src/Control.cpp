// The C control interface of control.h over the board registry.
#include "simboard/control.h"

#include <iterator>
#include <vector>

#include "Guarded.h"
#include "ParameterText.h"
#include "Registry.h"

using namespace brenvik::simboard;

namespace {

struct ErrorText {
  int32_t code;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {SIMBOARD_OK, "success"},
    {SIMBOARD_INVALID_HANDLE, "runtime handle null or already freed"},
    {SIMBOARD_INIT_FAILED, "the runtime could not be initialised"},
    {SIMBOARD_INVALID_PARAMETER, "unknown parameter name or id, or a null pointer"},
    {SIMBOARD_WRONG_TYPE, "type code not valid for the parameter"},
    {SIMBOARD_READ_ONLY, "write to a read-only parameter"},
    {SIMBOARD_OUT_OF_RANGE, "value, index or count out of range"},
    {SIMBOARD_NO_DESIGN, "no hardware applet on the board, or unknown register"},
    {SIMBOARD_TIMEOUT, "waiting for a picture timed out"},
    {SIMBOARD_BUFFER_TOO_SMALL, "a text or picture does not fit the caller's buffer"},
    {SIMBOARD_FILE_ERROR, "a file could not be written"},
    {SIMBOARD_NOT_SUPPORTED, "the simulated runtime does not offer the operation"},
    {SIMBOARD_BUSY, "an acquisition already runs on the DMA channel"},
    {SIMBOARD_INTERNAL_ERROR, "out of memory, or another failure inside the board"},
    {SIMBOARD_NO_BUFFERS, "no DMA buffers given, or they were freed"},
    {SIMBOARD_BUFFERS_TOO_SMALL, "the DMA buffers are smaller than a picture"},
    {SIMBOARD_NOT_RUNNING, "no acquisition to stop on the DMA channel"},
    {SIMBOARD_PICTURE_LOST, "the picture was overwritten before it was read"},
    {SIMBOARD_NO_PICTURE, "the picture has not arrived (yet)"},
    {SIMBOARD_BAD_IMAGE, "an input image could not be read"},
};

}  // namespace

extern "C" {

SIMBOARD_API int32_t simboard_get(uint64_t board, const char* name, char* text, size_t size) {
  if (name == nullptr) return SIMBOARD_INVALID_PARAMETER;
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return boardFor(board)->controlGet(name, text, size); });
}

SIMBOARD_API int32_t simboard_set(uint64_t board, const char* name, const char* text) {
  if (name == nullptr || text == nullptr) return SIMBOARD_INVALID_PARAMETER;
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return boardFor(board)->controlSet(name, text); });
}

SIMBOARD_API int32_t simboard_fail(uint64_t board, const char* name, uint32_t operations,
                                   int32_t code, int32_t count) {
  if (name == nullptr) return SIMBOARD_INVALID_PARAMETER;
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return boardFor(board)->fail(name, operations, code, count); });
}

SIMBOARD_API void simboard_clear_failures(uint64_t board) {
  guarded<bool>(false, [&] {
    boardFor(board)->clearFailures();
    return true;
  });
}

SIMBOARD_API size_t simboard_journal_size(uint64_t board) {
  return guarded<size_t>(0, [&] { return boardFor(board)->journalSize(); });
}

SIMBOARD_API int32_t simboard_journal_entry(uint64_t board, size_t index, SimboardWrite* entry) {
  if (entry == nullptr) return SIMBOARD_INVALID_PARAMETER;
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return boardFor(board)->journalEntry(index, *entry); });
}

SIMBOARD_API void simboard_journal_clear(uint64_t board) {
  guarded<bool>(false, [&] {
    boardFor(board)->clearJournal();
    return true;
  });
}

SIMBOARD_API int32_t simboard_camera_images(uint64_t board, const SimboardImage* images,
                                            size_t count) {
  if (images == nullptr && count > 0) return SIMBOARD_INVALID_PARAMETER;
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [&]() -> int32_t {
    // Every image is read before the board sees any, so a refused one changes nothing.
    std::vector<InputImage> read(count);
    for (size_t i = 0; i < count; ++i) {
      if (const int32_t result = readMemoryImage(images[i], read[i]); result != SIMBOARD_OK)
        return result;
    }
    boardFor(board)->setCameraImages(std::move(read));
    return SIMBOARD_OK;
  });
}

SIMBOARD_API int32_t simboard_open_designs(void) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [] { return designCount(); });
}

SIMBOARD_API int64_t simboard_pictures(uint64_t board, uint32_t dma) {
  return guarded<int64_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return boardFor(board)->lastPicture(dma); });
}

SIMBOARD_API int32_t simboard_buffers_alloc(uint64_t board, uint32_t count, uint64_t bytes,
                                            void** memory) {
  if (memory == nullptr) return SIMBOARD_INVALID_PARAMETER;
  *memory = nullptr;
  if (count < 1 || count > kMostBuffers || bytes < 1 || bytes > kMostBufferBytes / count) {
    return SIMBOARD_OUT_OF_RANGE;
  }
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [&]() -> int32_t {
    *memory = registerBuffers(std::make_shared<BufferSet>(boardFor(board), count, bytes));
    return SIMBOARD_OK;
  });
}

SIMBOARD_API int32_t simboard_buffers_free(void* memory) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [&]() -> int32_t {
    BufferSetPtr buffers = removeBuffers(memory);
    if (!buffers) return SIMBOARD_NO_BUFFERS;
    buffers->board().releaseBuffers(*buffers);
    return SIMBOARD_OK;
  });
}

SIMBOARD_API int32_t simboard_buffers_copy(void* memory, int64_t picture, void* out, size_t size,
                                           SimboardFrame* frame) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [&]() -> int32_t {
    BufferSetPtr buffers = findBuffers(memory);
    if (!buffers) return SIMBOARD_NO_BUFFERS;
    return buffers->board().copyPicture(*buffers, picture, out, size, frame);
  });
}

SIMBOARD_API int32_t simboard_buffers_borrow(void* memory, int64_t picture, const void** pixels,
                                             SimboardFrame* frame) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [&]() -> int32_t {
    BufferSetPtr buffers = findBuffers(memory);
    if (!buffers) return SIMBOARD_NO_BUFFERS;
    return buffers->board().borrowPicture(*buffers, picture, pixels, frame);
  });
}

SIMBOARD_API int32_t simboard_buffers_release(void* memory, int64_t picture) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [&]() -> int32_t {
    BufferSetPtr buffers = findBuffers(memory);
    if (!buffers) return SIMBOARD_NO_BUFFERS;
    return buffers->board().releasePicture(*buffers, picture);
  });
}

SIMBOARD_API int32_t simboard_latest_frame(uint64_t board, uint32_t dma, void* out, size_t size,
                                           SimboardFrame* frame) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return boardFor(board)->latestPicture(dma, out, size, frame); });
}

SIMBOARD_API int32_t simboard_buffer_sets(void) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [] { return bufferSetCount(); });
}

SIMBOARD_API const char* simboard_error_text(int32_t code) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == code) return entry.text;
  }
  return nullptr;
}

SIMBOARD_API int32_t simboard_last_design_error(char* text, size_t size) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR,
                          [&] { return copyText(lastDesignError(), text, size); });
}

SIMBOARD_API int32_t simboard_runtime_handles(void) {
  return guarded<int32_t>(SIMBOARD_INTERNAL_ERROR, [] { return sessionCount(); });
}

SIMBOARD_API int32_t simboard_strings_outstanding(void) { return outstandingStrings(); }

}  // extern "C"
