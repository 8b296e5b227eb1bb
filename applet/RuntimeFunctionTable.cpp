// Names of the SDK runtime functions at their table positions.
#include "applet/RuntimeFunctionTable.h"

namespace brenvik {

const std::array<RuntimeFunctionTable::Entry, 27>& RuntimeFunctionTable::entries() {
  static constexpr std::array<Entry, 27> kEntries{{
      {kGetAppletId, "Fg_getAppletId"},
      {kSetParameter, "Fg_setParameter"},
      {kSetParameterWithType, "Fg_setParameterWithType"},
      {kGetParameter, "Fg_getParameter"},
      {kGetParameterWithType, "Fg_getParameterWithType"},
      {kFreeParameterStringWithType, "Fg_freeParameterStringWithType"},
      {kSaveConfig, "Fg_saveConfig"},
      {kLoadConfig, "Fg_loadConfig"},
      {kAcquire, "Fg_Acquire"},
      {kStopAcquire, "Fg_stopAcquire"},
      {kGetLastPicNumberEx, "Fg_getLastPicNumberEx"},
      {kGetLastPicNumberBlockingEx, "Fg_getLastPicNumberBlockingEx"},
      {kFreeGrabber, "Fg_FreeGrabber"},
      {kGetLastErrorNumber, "Fg_getLastErrorNumber"},
      {kGetStatusEx, "Fg_getStatusEx"},
      {kAcquireEx, "Fg_AcquireEx"},
      {kStopAcquireEx, "Fg_stopAcquireEx"},
      {kGetParameterInfo, "Fg_getParameterInfo"},
      {kAllocShading, "Fg_AllocShading"},
      {kFreeShading, "Fg_FreeShading"},
      {kShadGetMaxLine, "Shad_GetMaxLine"},
      {kShadSetSubValueLine, "Shad_SetSubValueLine"},
      {kShadSetMultValueLine, "Shad_SetMultValueLine"},
      {kShadSetFixedPatternNoiseLine, "Shad_SetFixedPatternNoiseLine"},
      {kShadGetAccess, "Shad_GetAccess"},
      {kShadFreeAccess, "Shad_FreeAccess"},
      {kShadWriteActLine, "Shad_WriteActLine"},
  }};
  return kEntries;
}

}  // namespace brenvik
