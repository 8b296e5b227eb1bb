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
// A count below 0 or above kMaxLutElements is refused before anything is allocated.
inline constexpr int kLutFileRefused = codes::kConfigurationWrite;

// The largest table read: the files give no bound, so a count above 2^20 entries (a 20-bit
// table, 4 MiB) counts as unallocatable and the file is refused.
inline constexpr std::int64_t kMaxLutElements = std::int64_t{1} << 20;

// Lines are read in pieces of at most this many characters; a longer line arrives as several.
inline constexpr std::size_t kLutLineLength = 255;

// One table of integer entries and its keys.
struct LutChannel {
  std::vector<std::uint32_t> data;  // entries; written as signed 32-bit numbers
  std::int32_t id = 0;
  std::uint32_t nrOfElements = 0;
  std::int32_t format = 0;
  std::uint32_t number = 0;  // written as 8 bits
};

// One knee table: entries as doubles; the count is the caller's.
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

  // Opens an existing regular file ("r", or "r+" without readOnly); false when it does not
  // exist, is no regular file (a directory), or does not open.
  bool openForReading(const std::string& name, bool readOnly);
  // Opens for writing ("w": created or truncated).
  bool openForWriting(const std::string& name);
  // Flushes and closes the stream if one is open.
  void close();

  // Reads a channel: its four keys from the first lines anywhere in the file that contain
  // them, then the ascending entry run 0, 1, … from the first line that contains `section`.
  // 0; kLutFileNotOpened; kLutFileRefused for a count that is negative or too large.
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

  // Reading: the value of the first line containing `key` (0 when none), and the entry lines.
  std::int64_t keyValue(const char* key);
  template <typename Entry, typename Convert>
  void readEntries(std::vector<Entry>& data, std::string_view section, Convert convert);

  std::FILE* file_ = nullptr;
};

// True when a file or directory of that name exists.
bool lutFileExists(const std::string& name);

}  // namespace brenvik::persistence
