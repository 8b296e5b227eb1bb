// The SDK runtime's functions that the applet looks up by name, at fixed table positions.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace brenvik {

class RuntimeFunctionTable {
 public:
  enum Index : std::size_t {
    kGetAppletId = 4,
    kSetParameter = 5,
    kSetParameterWithType = 6,
    kGetParameter = 7,
    kGetParameterWithType = 8,
    kFreeParameterStringWithType = 9,
    kSaveConfig = 11,
    kLoadConfig = 12,
    kAcquire = 13,
    kStopAcquire = 14,
    kGetLastPicNumberEx = 15,
    kGetLastPicNumberBlockingEx = 16,
    kFreeGrabber = 19,
    kGetLastErrorNumber = 20,
    kGetStatusEx = 29,
    kAcquireEx = 30,
    kStopAcquireEx = 31,
    kGetParameterInfo = 32,
    kAllocShading = 33,
    kFreeShading = 34,
    kShadGetMaxLine = 35,
    kShadSetSubValueLine = 36,
    kShadSetMultValueLine = 37,
    kShadSetFixedPatternNoiseLine = 38,
    kShadGetAccess = 39,
    kShadFreeAccess = 40,
    kShadWriteActLine = 41,
    kSize = 42,
  };

  struct Entry {
    Index index;
    std::string_view name;
  };

  // Every position the table fills, with the runtime function's name.
  static const std::array<Entry, 27>& entries();

  void* get(Index index) const { return slots_[index]; }
  void set(Index index, void* function) { slots_[index] = function; }

  template <typename Function>
  Function function(Index index) const {
    return reinterpret_cast<Function>(slots_[index]);
  }

 private:
  std::array<void*, kSize> slots_{};
};

}  // namespace brenvik
