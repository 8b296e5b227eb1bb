/* The exported functions of the applet module, as the SDK runtime (and our tool and tests)
 * call them. Every function but Std_entry and Info takes the SDK runtime's per-board handle
 * structure, whose first field holds the applet object that Std_entry returned. */
#pragma once

#include <stdint.h>

#define BRENVIK_API BRENVIK_LISTED

#ifdef __cplusplus
extern "C" {
#endif

/* The SDK runtime's per-board structure; the applet reads only its first field. */
typedef struct AppletHandle {
  void* applet;
} AppletHandle;

BRENVIK_API void* Std_entry(uint64_t boardHandle, int32_t* errorCode, uint32_t flags);
BRENVIK_API int Info(int query, unsigned index1, unsigned index2, void* out1, void* out2);

BRENVIK_API int Fg_setParameterWithType(AppletHandle* handle, int id, const void* value,
                                        unsigned dma, int type);
BRENVIK_API int Fg_getParameterWithType(AppletHandle* handle, int id, void* value, unsigned dma,
                                        int type);
BRENVIK_API int Fg_freeParameterStringWithType(AppletHandle* handle, int id, void* value,
                                               unsigned dma, int type);
BRENVIK_API int Fg_getParameterIdByName(AppletHandle* handle, const char* name);
BRENVIK_API const char* Fg_getParameterName(AppletHandle* handle, int index);
BRENVIK_API int Fg_getParameterId(AppletHandle* handle, int index);
BRENVIK_API int Fg_getNrOfParameter(AppletHandle* handle);
BRENVIK_API int Fg_getLastErrorNumber(AppletHandle* handle);

BRENVIK_API int Fg_saveConfig(AppletHandle* handle, const char* fileName);
BRENVIK_API int Fg_loadConfig(AppletHandle* handle, const char* fileName);
BRENVIK_API int Fg_getParameterInfoXML(AppletHandle* handle, int port, char* buffer,
                                       uint64_t* bufferSize);
BRENVIK_API const char* Fg_getParameterInfo(AppletHandle* handle, int port);
BRENVIK_API uint64_t Fg_getEventMask(AppletHandle* handle, const char* name);
BRENVIK_API const char* Fg_getEventName(AppletHandle* handle, uint64_t mask);

BRENVIK_API int Fg_getAppletId(AppletHandle* handle, int64_t ignored);
BRENVIK_API int64_t Fg_getLastPicNumberEx(AppletHandle* handle, unsigned dma, void* memory);
BRENVIK_API int64_t Fg_getLastPicNumberBlockingEx(AppletHandle* handle, int64_t picture,
                                                  unsigned dma, int timeout, void* memory);
BRENVIK_API int64_t Fg_getStatusEx(AppletHandle* handle, int status, int64_t data, unsigned dma,
                                   void* memory);
BRENVIK_API int Fg_AcquireEx(AppletHandle* handle, unsigned dma, int64_t pictures, int flags,
                             void* memory);
BRENVIK_API int Fg_stopAcquireEx(AppletHandle* handle, unsigned dma, void* memory, int flags);
BRENVIK_API int Fg_FreeGrabber(AppletHandle* handle);

BRENVIK_API void* Fg_AllocShading(AppletHandle* handle);
BRENVIK_API int Fg_FreeShading(AppletHandle* handle, void* shading);
BRENVIK_API int Shad_SetSubValueLine(AppletHandle* handle, void* access, int x, int channel,
                                     float value);
BRENVIK_API int Shad_SetMultValueLine(AppletHandle* handle, void* access, int x, int channel,
                                      float value);
BRENVIK_API int Shad_SetFixedPatternNoiseLine(AppletHandle* handle, void* access, int x,
                                              int channel, int value);
BRENVIK_API int Shad_GetMaxLine(AppletHandle* handle, void* access);
BRENVIK_API int Shad_GetAccess(AppletHandle* handle, void* shading);
BRENVIK_API int Shad_FreeAccess(AppletHandle* handle, void* access);
BRENVIK_API int Shad_WriteActLine(AppletHandle* handle, void* access, int line);

#ifdef __cplusplus
}
#endif
