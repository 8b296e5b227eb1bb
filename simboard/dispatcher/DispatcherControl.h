/* Control entry of the logging dispatcher library for tests and tools. */
#ifndef BRENVIK_SIMBOARD_DISPATCHER_DISPATCHERCONTROL_H
#define BRENVIK_SIMBOARD_DISPATCHER_DISPATCHERCONTROL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define COMMON_LOGGING_DISPATCHER_SET_LEVEL_SYMBOL "common_logging_dispatcher_set_level"

/* Sets the threshold of the named logger in every attached facility, and for later requests
   of that name. Returns 0, or -1 when the name is null or unknown or no facility is attached. */
typedef int (*CommonLoggingDispatcherSetLevel)(const char* name, uint32_t level);

#ifdef __cplusplus
}
#endif

#endif
