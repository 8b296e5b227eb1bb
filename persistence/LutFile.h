// LutFile: the text files of lookup tables (gray, colour, knee and plain-list forms), written
// byte for byte and read with the family's forgiving rules.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ResultCodes.h"

namespace brenvik::persistence {

// Results of the read and write operations.
inline constexpr int kLutFileOk = 0;
inline constexpr int kLutFileNotOpened = -1;
// A count that is negative or beyond the channel's 32-bit field is refused. Any other count is
// taken: reading allocates only for the entries the file holds, never for the count alone.
inline constexpr int kLutFileRefused = codes::kConfigurationWrite;

// Reading ends after this many bytes, as at the end of the file: more than a table of 2^26
// entries takes, and a stream that never ends (a device such as /dev/zero) cannot hold a set
// for ever.
inline constexpr std::uint64_t kLongestLutRead = std::uint64_t{1} << 30;

// Lines are read in pieces of at most this many characters; a longer line arrives as several.
inline constexpr std::size_t kLutLineLength = 255;

// One table of integer entries and its keys.
// Read from a file, `data` holds the entries found there (the ascending run from index 0, at
// most nrOfElements); the entries from data.size() to nrOfElements - 1 were not in the file
// and count as 0. To be written, a channel holds all nrOfElements entries.
struct LutChannel {
  std::vector<std::uint32_t> data;  // entries; written as signed 32-bit numbers
  std::int32_t id = 0;
  std::uint32_t nrOfElements = 0;
  std::int32_t format = 0;
  std::uint32_t number = 0;  // written as 8 bits
};

// One knee table: entries as doubles; the count is the caller's. Read from a file, `data`
// holds the entries found (at most `count`), the rest counting as 0.
struct KneeLutChannel {
  std::vector<double> data;
  std::uint32_t count = 0;
};

// Thread-safety: none; one LutFile serves one save or load at a time. It owns its stream.
class LutFile {
 public:
  LutFile() = default;
  ~LutFile();
  LutFile(const LutFile&) = delete;
  LutFile& operator=(const LutFile&) = delete;

  // Opens an existing file for reading ("r", or "r+" without readOnly): anything that opens,
  // a device or a pipe too; false when it does not exist, is a directory, or does not open.
  bool openForReading(const std::string& name, bool readOnly);
  // Opens for writing ("w": created or truncated).
  bool openForWriting(const std::string& name);
  // Flushes and closes the stream if one is open.
  void close();

  // Reads a channel: its four keys from the first lines anywhere in the file that contain
  // them, then the ascending entry run 0, 1, … from the first line that contains `section`.
  // 0; kLutFileNotOpened; kLutFileRefused for a count that is negative or beyond 32 bits.
  int readTableChannel(const std::string& name, LutChannel& channel, std::string_view section);
  // "[red]", "[green]", "[blue]" in that order; the first non-zero result, else 0.
  int readColourTable(const std::string& name, LutChannel& red, LutChannel& green,
                      LutChannel& blue);
  // As readTableChannel with the caller's count and the entries read as doubles.
  int readKneeChannel(const std::string& name, KneeLutChannel& channel, std::string_view section);
  int readKneeColourTable(const std::string& name, KneeLutChannel& red, KneeLutChannel& green,
                          KneeLutChannel& blue);

  // Writers: 0, or kLutFileNotOpened when the file does not open for writing or a channel
  // holds fewer entries than its count. The stream stays open for the caller to close.
  int writeGrayTable(const std::string& name, const LutChannel& channel);
  int writeColourTable(const std::string& name, const LutChannel& red, const LutChannel& green,
                       const LutChannel& blue);
  int writeKneeTable(const std::string& name, const KneeLutChannel& channel,
                     std::string_view section);
  int writeKneeColourTable(const std::string& name, const KneeLutChannel& red,
                           const KneeLutChannel& green, const KneeLutChannel& blue);
  int writePlainList(const std::string& name, std::string_view header, const LutChannel& channel);

 private:
  // Every write is flushed at once.
  void put(std::string_view text);
  void putKey(const char* key, std::int32_t value);
  void putEntries(const LutChannel& channel);
  void putEntries(const KneeLutChannel& channel);
  void putChannel(std::string_view section, const LutChannel& channel);

  std::FILE* file_ = nullptr;
};

// True when something other than a directory exists under that name; a directory counts as
// missing, as it does for configuration files.
bool lutFileExists(const std::string& name);

}  // namespace brenvik::persistence
