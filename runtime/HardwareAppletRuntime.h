// The hardware-applet runtime (molvrt) and the register library (vurn_hw) as the applet
// calls them. Both are linked, not loaded by name; the comments give each operation's
// role in the platform's ordinal numbering.
#pragma once

#include <cstdint>

#ifndef MOLVRT_API
#define MOLVRT_API BRENVIK_IMPORT
#endif
#ifndef VURN_HW_API
#define VURN_HW_API BRENVIK_IMPORT
#endif

extern "C" {

// One event of the hardware applet; event number n has mask bit 2^n.
struct MolvrtEventDescriptor {
  const char* name;
  std::int32_t kind;  // 1: an event that the applet reports under its own name
  std::int32_t reserved;
  const char* description;
};

// Constant passed when opening a .hap file.
inline constexpr std::uint32_t kMolvrtOpenFileConstant = 29969;

MOLVRT_API void* Molvrt_OpenImage(const void* image, std::uint64_t size, std::int32_t flag);  // 143
MOLVRT_API void* Molvrt_OpenFile(const char* path, std::uint32_t constant, std::int32_t flag);  // 37
MOLVRT_API void Molvrt_Close(void* hap);                                                 // 38
MOLVRT_API std::int32_t Molvrt_RegisterCount(void* hap);                                 // 42
MOLVRT_API const char* Molvrt_RegisterName(void* hap, std::int32_t number);              // 43
MOLVRT_API std::uint32_t Molvrt_RegisterId(void* hap, const char* name);                 // 45
MOLVRT_API std::uint32_t Molvrt_RegisterWidth(void* hap, std::uint32_t id);              // 46
MOLVRT_API std::int32_t Molvrt_RegisterFlag(void* hap, std::uint32_t id);                // 49
MOLVRT_API const MolvrtEventDescriptor* Molvrt_EventDescriptor(void* hap,
                                                               std::uint32_t number);    // 150

VURN_HW_API std::int32_t VurnHw_WriteRegister(std::uint64_t board, std::uint32_t id,
                                              std::uint64_t value);                      // 12
VURN_HW_API std::int32_t VurnHw_ReadRegister(std::uint64_t board, std::uint32_t id,
                                             std::uint64_t* value);                      // 13
}
