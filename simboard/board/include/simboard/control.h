/* Control interface of the simulated board, for tests and tools: read and play hardware
 * values, make hardware parameters fail, and read the journal of writes that reached the
 * hardware. Boards are keyed by the board handle that the SDK runtime was initialised on.
 * All functions are thread-safe. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#define SIMBOARD_API BRENVIK_EXPORT

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
  SIMBOARD_TIMEOUT = -2120,            /* waiting for a picture timed out (the caller's wait,
                                          or the runtime's image time-out FG_TIMEOUT) */
  SIMBOARD_BUFFER_TOO_SMALL = -500     /* a text or picture does not fit the caller's buffer */
};

/* Further result codes of the simulated board. */
enum {
  SIMBOARD_FILE_ERROR = -2080,     /* a file could not be written */
  SIMBOARD_NOT_SUPPORTED = -2081,  /* the simulated runtime does not offer the operation */
  SIMBOARD_BUSY = -2082,           /* an acquisition already runs on the DMA channel */
  SIMBOARD_INTERNAL_ERROR = -2083, /* out of memory, or another failure inside the board */
  SIMBOARD_NO_BUFFERS = -2084,     /* no DMA buffers given, or they were freed */
  SIMBOARD_BUFFERS_TOO_SMALL = -2085, /* the DMA buffers are smaller than a picture */
  SIMBOARD_NOT_RUNNING = -2086,    /* no acquisition to stop on the DMA channel */
  SIMBOARD_PICTURE_LOST = -2087,   /* the picture was overwritten before it was read */
  SIMBOARD_NO_PICTURE = -2088,     /* the picture has not arrived (yet) */
  SIMBOARD_BAD_IMAGE = -2089       /* an input image could not be read */
};

/* Selectors of the runtime's Fg_getStatusEx (DMA 0 only; others: SIMBOARD_INVALID_PARAMETER):
 * the pictures delivered by the current or last acquisition, 1 while an acquisition runs,
 * the picture count it was started with (-1: until stopped), the picture period in µs,
 * the pictures overwritten before they were read, the pictures in the buffers not yet read. */
enum {
  SIMBOARD_STATUS_DELIVERED = 1,
  SIMBOARD_STATUS_ACQUIRING = 2,
  SIMBOARD_STATUS_REQUESTED = 3,
  SIMBOARD_STATUS_PERIOD_US = 4,
  SIMBOARD_STATUS_LOST = 5,
  SIMBOARD_STATUS_PENDING = 6
};

/* Operations for simboard_fail. */
enum { SIMBOARD_READS = 1, SIMBOARD_WRITES = 2 };

/* Reads a hardware parameter, a register ("register:" + name) or one of the runtime's own
 * parameters (by its SDK name, such as "FG_CAMSTATUS_EXTENDED") as text: integers in
 * decimal, doubles with 17 significant digits, strings as they are, fields as their
 * elements separated by commas. */
SIMBOARD_API int32_t simboard_get(uint64_t board, const char* name, char* text, size_t size);

/* The board's own settings, read and played with simboard_get and simboard_set. Their
 * names begin with "simboard:"; they are kept when a design is loaded. */
/* Frame period of the camera port while the trigger does not drive it, and of designs
 * without an image path, 1 to 60000000 µs (default 1000). */
#define SIMBOARD_SETTING_PICTURE_PERIOD_US "simboard:picture_period_us"
/* Image files (binary PGM, or PNG) that the camera on the camera port sends in turn, one
 * per frame, separated by commas; empty: none. A file that does not read gives
 * SIMBOARD_BAD_IMAGE and keeps the previous input. While it names images they take
 * precedence over the built-in camera. After simboard_camera_images it reads
 * "memory:" + the number of in-memory images (such as "memory:3"). */
#define SIMBOARD_SETTING_CAMERA_INPUT "simboard:camera_input"
/* 1 (default): frames arrive in real time at the modelled timing; 0: a free-running source
 * delivers a picture as soon as it is waited for (for tests and benchmarks). Taken when an
 * acquisition starts. */
#define SIMBOARD_SETTING_PACED "simboard:paced"
/* The camera on the camera port while no input images are given: "scene" (the default on
 * every board) or "none" (the port stays empty: nothing arrives from it).
 * The scene is 1024 x 1024 pixels of 10 bits, the image path's own input width, so it
 * passes the tap geometry sorter, the region of interest, the image selector, the lookup
 * table and the output format like any camera image. It draws, over a diagonal gradient
 * that rises and falls in bands and scrolls 8 values a frame, a bright square circling
 * the centre once every 240 frames, a dark disc crossing the picture and bouncing off its
 * edges, and the camera's frame count (1 for the first frame of an acquisition) in large
 * white digits on black at the top left; so every frame differs from the one before and
 * the motion shows. Frames follow the camera port's pace: SIMBOARD_SETTING_PICTURE_PERIOD_US,
 * or the trigger's pulses while the trigger is active. */
#define SIMBOARD_SETTING_CAMERA "simboard:camera"

/* Plays a value into a hardware parameter, register, runtime parameter or board setting
 * (above), read-only ones included. The text is parsed as for simboard_get (integers also
 * as "0x" hexadecimal; a field takes 1 to N elements, which replace its first elements).
 * Not journaled. The runtime's computed parameters FG_TRANSFER_LEN and FG_DMASTATUS refuse
 * with SIMBOARD_READ_ONLY. */
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
 * It keeps the newest 65536 writes. Entries stay valid until the journal is cleared or
 * the entry is pushed out by newer writes. Index 0 is the oldest entry kept; an index past
 * the end gives SIMBOARD_OUT_OF_RANGE. A write to an unknown id is named "#" + id
 * ("register:#" + id for registers); a null value pointer gives an empty value text. */
SIMBOARD_API size_t simboard_journal_size(uint64_t board);
SIMBOARD_API int32_t simboard_journal_entry(uint64_t board, size_t index, SimboardWrite* entry);
SIMBOARD_API void simboard_journal_clear(uint64_t board);

/* An image held by the caller for the camera port: `width` x `height` pixels of `bits`
 * bits (8 or 16), row-major, each 16-bit pixel in native byte order. 8-bit pixels enter the
 * 10-bit image path in its top bits, 16-bit ones with their top ten bits. */
typedef struct SimboardImage {
  uint32_t width, height; /* 1 to 65536 each */
  uint32_t bits;          /* 8 or 16 */
  const void* pixels;     /* row-major, width*height pixels, native byte order */
} SimboardImage;

/* Makes `count` in-memory images the camera port's input, sent in turn one per frame like
 * image files; the board copies them, so the caller's memory is free again on return. They
 * replace the current input (files or earlier images); count 0 clears it. Null `images`
 * with a count, or an image with null pixels: SIMBOARD_INVALID_PARAMETER; a zero or larger
 * size than 65536, or bits other than 8 and 16: SIMBOARD_BAD_IMAGE. A refused call keeps
 * the previous input. */
SIMBOARD_API int32_t simboard_camera_images(uint64_t board, const SimboardImage* images,
                                            size_t count);

/* Hardware-applet handles opened and not yet closed, in the whole process. */
SIMBOARD_API int32_t simboard_open_designs(void);

/* Pictures delivered so far by the current acquisition on a DMA channel. */
SIMBOARD_API int64_t simboard_pictures(uint64_t board, uint32_t dma);

/* DMA buffers. An application allocates a set of buffers for a board and passes the handle
 * as the memory argument of Fg_AcquireEx (and, unchanged, of the other acquisition calls);
 * picture k lands in buffer (k - 1) mod count, drawn through the board's image path from
 * the hardware values: camera simulator or the camera port's camera, tap geometry sorter,
 * region of interest, image selector, lookup table, output format. A picture counts as read
 * once it is copied out or borrowed; a picture overwritten before that is lost (the board's overflow flag
 * rises, the fill level counts the buffers holding unread pictures). Handles are opaque
 * tokens: a freed one is refused, not dereferenced. */
typedef struct SimboardFrame {
  int64_t picture;        /* picture number, from 1 */
  uint32_t width;         /* pixels per line (the region of interest) */
  uint32_t height;        /* lines */
  uint32_t bits;          /* bits per pixel of the output format */
  uint32_t bytesPerPixel; /* 1 or 2 (native byte order) */
  uint64_t bytes;         /* width x height x bytesPerPixel */
} SimboardFrame;

/* Allocates `count` buffers (1 to 4096) of `bytes` bytes each (at most 4 GiB together). */
SIMBOARD_API int32_t simboard_buffers_alloc(uint64_t board, uint32_t count, uint64_t bytes,
                                            void** memory);
/* Frees a buffer set; an acquisition filling it stops first. */
SIMBOARD_API int32_t simboard_buffers_free(void* memory);
/* Copies picture `picture` out of its buffer into `out` (`size` bytes, at least the frame's)
 * and marks it read; with `out` null and `size` 0 only describes it. SIMBOARD_NO_PICTURE
 * before it arrives, SIMBOARD_PICTURE_LOST once a later picture took its buffer. */
SIMBOARD_API int32_t simboard_buffers_copy(void* memory, int64_t picture, void* out, size_t size,
                                           SimboardFrame* frame);
/* Lends picture `picture` in place, without a copy: `*pixels` points at the frame inside
 * its DMA buffer (laid out as simboard_buffers_copy would copy it) and stays valid until
 * the picture is released or the buffer set is freed. Marks the picture read, as a copy
 * does. While the buffer is lent it is never overwritten: a picture due for it is lost
 * (counted lost, the overflow flag rises), as on a grabber whose buffer the application
 * holds. Borrowing a lent picture again gives the same view; one release ends the loan.
 * Codes as for simboard_buffers_copy; a null `pixels` gives SIMBOARD_INVALID_PARAMETER.
 * `frame` may be null. Starting an acquisition into a set with a lent buffer gives
 * SIMBOARD_BUSY; freeing the set ends its loans. */
SIMBOARD_API int32_t simboard_buffers_borrow(void* memory, int64_t picture, const void** pixels,
                                             SimboardFrame* frame);
/* Ends the loan of a borrowed picture; the buffer takes pictures again. A picture that is
 * not lent gives SIMBOARD_INVALID_PARAMETER. */
SIMBOARD_API int32_t simboard_buffers_release(void* memory, int64_t picture);
/* The newest picture of the current or last acquisition on a DMA channel, as above, without
 * marking it read (a preview watches, the application reads). */
SIMBOARD_API int32_t simboard_latest_frame(uint64_t board, uint32_t dma, void* out, size_t size,
                                           SimboardFrame* frame);
/* Buffer sets allocated and not yet freed, in the whole process. */
SIMBOARD_API int32_t simboard_buffer_sets(void);

/* Meaning of a result code of the simulated board, or null for codes it does not use. */
SIMBOARD_API const char* simboard_error_text(int32_t code);

/* Why the most recent opening of a hardware-applet image or file in this process failed
 * ("line N: reason" for a malformed design); an empty text after a successful opening. */
SIMBOARD_API int32_t simboard_last_design_error(char* text, size_t size);

/* Runtime handles initialised and not yet freed, in the whole process. */
SIMBOARD_API int32_t simboard_runtime_handles(void);

/* Strings handed out by the runtime (type code 22) and not yet released, in the whole
 * process. A runtime handle releases its own leftovers when it is freed. */
SIMBOARD_API int32_t simboard_strings_outstanding(void);

#ifdef __cplusplus
}
#endif
