// The board handle and hardware-applet handle of the most recent successful creation in
// this process, shared by all applet objects and read by Info.
#pragma once

#include <cstdint>

namespace brenvik {

// Records a creation's handles; a zero value leaves the previous one in place.
void recordCreatedHandles(std::uint64_t boardHandle, void* hapHandle);
std::uint64_t lastBoardHandle();
std::uint64_t lastAppletHandle();

}  // namespace brenvik
