// The hardware-applet runtime stand-in: opens design images and files and answers register
// and event questions, as a thin layer over the board library.
#include "runtime/HardwareAppletRuntime.h"
#include "simboard/BoardApi.h"

namespace api = brenvik::simboard::api;

extern "C" {

// Both open functions take only the flag value 1; anything else is refused with null.
MOLVRT_API void* Molvrt_OpenImage(const void* image, std::uint64_t size, std::int32_t flag) {
  if (flag != 1) return nullptr;
  return api::openDesignImage(image, size);
}

MOLVRT_API void* Molvrt_OpenFile(const char* path, std::uint32_t constant, std::int32_t flag) {
  if (constant != kMolvrtOpenFileConstant || flag != 1) return nullptr;
  return api::openDesignFile(path);
}

MOLVRT_API void Molvrt_Close(void* hap) { api::closeDesign(hap); }

MOLVRT_API std::int32_t Molvrt_RegisterCount(void* hap) { return api::registerCount(hap); }

MOLVRT_API const char* Molvrt_RegisterName(void* hap, std::int32_t number) {
  return api::registerName(hap, number);
}

MOLVRT_API std::uint32_t Molvrt_RegisterId(void* hap, const char* name) {
  return api::registerId(hap, name);
}

MOLVRT_API std::uint32_t Molvrt_RegisterWidth(void* hap, std::uint32_t id) {
  return api::registerWidth(hap, id);
}

// The flag of a register is 1 when it is writable.
MOLVRT_API std::int32_t Molvrt_RegisterFlag(void* hap, std::uint32_t id) {
  return api::registerWritable(hap, id);
}

MOLVRT_API const MolvrtEventDescriptor* Molvrt_EventDescriptor(void* hap, std::uint32_t number) {
  return api::eventDescriptor(hap, number);
}

}  // extern "C"
