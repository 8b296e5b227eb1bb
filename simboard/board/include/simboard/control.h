/* Control interface of the simulated board, for tests and tools: read and play hardware
 * values, make hardware parameters fail, and read the journal of writes that reached the
 * hardware. Boards are keyed by the board handle that the SDK runtime was initialised on.
 * All functions are thread-safe. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#define SIMBOARD_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes of the simulated board (0 is success). The applet passes them through. */
enum {
  SIMBOARD_OK = 0,
  SIMBOARD_INVALID_HANDLE = -2001,     /* runtime handle null or already freed */
  SIMBOARD_INIT_FAILED = -2022,        /* the runtime could not be initialised */
  SIMBOARD_INVALID_PARAMETER = -2070,  /* unknown parameter name or id, or a null pointer */
  SIMBOARD_WRONG_TYPE = -2071,         /* type code not valid for the parameter */
  SIMBOARD_READ_ONLY = -2072,          /* write to a read-only parameter */
  SIMBOARD_OUT_OF_RANGE = -2073,       /* value, index or count out of range */
  SIMBOARD_NO_DESIGN = -2074,          /* no hardware applet on the board, or unknown register */
  SIMBOARD_TIMEOUT = -2120,            /* waiting for a picture timed out */
  SIMBOARD_BUFFER_TOO_SMALL = -500     /* a text does not fit the caller's buffer */
};

/* Operations for simboard_fail. */
enum { SIMBOARD_READS = 1, SIMBOARD_WRITES = 2 };

/* Reads a hardware parameter, a register ("register:" + name) or one of the runtime's own
 * parameters (by its SDK name, such as "FG_CAMSTATUS_EXTENDED") as text: integers in
 * decimal, doubles with 17 significant digits, strings as they are, fields as their
 * elements separated by commas. */
SIMBOARD_API int32_t simboard_get(uint64_t board, const char* name, char* text, size_t size);

/* Plays a value into a hardware parameter, register or runtime parameter, read-only ones
 * included. The text is parsed as for simboard_get. Not journaled. */
SIMBOARD_API int32_t simboard_set(uint64_t board, const char* name, const char* text);

/* Makes the next `count` accesses (count < 0: every access until cleared) of the given
 * operations on a named parameter fail with `code`. Survives loading a new design. */
SIMBOARD_API int32_t simboard_fail(uint64_t board, const char* name, uint32_t operations,
                                   int32_t code, int32_t count);
SIMBOARD_API void simboard_clear_failures(uint64_t board);

/* One write that the applet made through the SDK runtime or the register library. */
typedef struct SimboardWrite {
  const char* name;  /* parameter or "register:" + register name */
  int32_t type;      /* the type code of the call (0 for register writes) */
  const char* value; /* the value as text (see simboard_get; a field write is
                        "index:v0,v1,..." and a single LUT entry "index=value") */
  int32_t result;    /* what the call returned */
} SimboardWrite;

/* The journal lists writes in order; it is cleared when a design is loaded onto the board.
 * Entries stay valid until the journal is cleared. */
SIMBOARD_API size_t simboard_journal_size(uint64_t board);
SIMBOARD_API int32_t simboard_journal_entry(uint64_t board, size_t index, SimboardWrite* entry);
SIMBOARD_API void simboard_journal_clear(uint64_t board);

/* Hardware-applet handles opened and not yet closed, in the whole process. */
SIMBOARD_API int32_t simboard_open_designs(void);

/* Pictures delivered so far by the current acquisition on a DMA channel. */
SIMBOARD_API int64_t simboard_pictures(uint64_t board, uint32_t dma);

/* Meaning of a result code of the simulated board, or null for codes it does not use. */
SIMBOARD_API const char* simboard_error_text(int32_t code);

#ifdef __cplusplus
}
#endif
