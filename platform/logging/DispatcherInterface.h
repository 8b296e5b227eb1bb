/* The C interface between the logging facility and the external logging dispatcher library. */
#ifndef BRENVIK_PLATFORM_LOGGING_DISPATCHERINTERFACE_H
#define BRENVIK_PLATFORM_LOGGING_DISPATCHERINTERFACE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Base name of the dispatcher library, found in the "bin" folder of the installation. */
#define LOGGING_DISPATCHER_LIBRARY_NAME "common-logging-dispatcher"
/* Name of the descriptor data symbol that the library exports. */
#define LOGGING_DISPATCHER_DESCRIPTOR_SYMBOL "logging_dispatcher_descriptor"

/* Called by the dispatcher when it goes away while a facility is attached. */
typedef void (*LoggingDetachCallback)(void);
/* Called by the dispatcher to change the threshold of the logger with that id. */
typedef void (*LoggingSetLevelCallback)(uint64_t loggerId, uint32_t level);

/* Gives the id and initial threshold of a logger name; the same name always gets the same
   id. Returns 0, or a negative value (null argument, out of memory). */
typedef int (*LoggingGetLoggerFunction)(const char* name, uint64_t* loggerId, uint32_t* threshold);
/* Delivers one message; a and b are reserved and passed as 0. */
typedef void (*LoggingLogFunction)(uint64_t loggerId, uint32_t level, const char* text, uint64_t a,
                                   uint64_t b);

struct LoggingDispatcherDescriptor;

/* Attaches a facility: the dispatcher keeps the two callbacks and stores its get-logger and
   log functions through the two field addresses. Returns 0, or a negative value (null
   argument, facility already attached) after which the fields are left untouched. */
typedef int (*LoggingAttachFunction)(void* facility, LoggingDetachCallback detachCallback,
                                     LoggingSetLevelCallback setLevelCallback,
                                     LoggingGetLoggerFunction* getLoggerField,
                                     LoggingLogFunction* logField);
/* Detaches a facility that is going away; the dispatcher does not call its detach callback. */
typedef void (*LoggingDetachFunction)(void* facility,
                                      const struct LoggingDispatcherDescriptor* descriptor);

/* The record behind the descriptor symbol. */
struct LoggingDispatcherDescriptor {
  LoggingAttachFunction attach;
  LoggingDetachFunction detach;
};

#ifdef __cplusplus
}
#endif

#endif
