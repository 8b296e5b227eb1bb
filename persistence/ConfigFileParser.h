// Fg_ConfigFileParser: the one class that touches a configuration file (.mcf). It writes the
// header, section lines and key lines, and finds keys again on reading, converting their
// text to numbers. Which keys exist and what their values mean is its users' business.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vurn::tools::logging {
class ErrorLogFile;
}

namespace brenvik::persistence {

// Results of the key searches.
inline constexpr int kKeyFound = 0;
inline constexpr int kKeyNotFound = -8000;  // the text readers
inline constexpr int kNumberNotFound = -1;  // the number readers

// Lines are read in pieces of at most this many characters (a 256-byte buffer); a longer
// physical line arrives as several lines.
inline constexpr std::size_t kConfigLineLength = 255;
// Destinations of the text readers hold at least this much (a value never exceeds a line).
inline constexpr std::size_t kConfigValueBuffer = kConfigLineLength + 1;

// What a failed text search leaves in its destination.
inline constexpr char kNotFoundText[] = "Error";

// The header section, as searched for (with its line end).
inline constexpr char kHeaderSection[] = "[Kamerasektion]\n";

// Thread-safety: none; a parser serves one save or one load on one thread. It owns its
// stream, not its log.
class Fg_ConfigFileParser {
 public:
  // Opens `fileName` for reading ("r" when readOnly, else "r+") when the name passes
  // checkFileType and checkFileExist; otherwise stays without a stream, silently.
  Fg_ConfigFileParser(vurn::tools::logging::ErrorLogFile* log, const char* fileName,
                      bool readOnly);
  ~Fg_ConfigFileParser();
  Fg_ConfigFileParser(const Fg_ConfigFileParser&) = delete;
  Fg_ConfigFileParser& operator=(const Fg_ConfigFileParser&) = delete;

  bool isOpen() const { return file_ != nullptr; }

  // True when the name contains ".mcf" anywhere (case-sensitive); false for no name.
  static bool checkFileType(const char* fileName);
  // True when the name is a regular file that opens for reading.
  static bool checkFileExist(const char* fileName);

  // Opens the file for writing (created or truncated); logs and returns false when the name
  // fails checkFileType or the file does not open.
  bool setSaveFile(const char* fileName);

  // --- Writing: appends in call order, each write flushed ---
  void writeConfigFileHeader();
  void writeConfigFile(const char* key, const char* text);        // KEY='TEXT';
  int writeConfigFileValue(const char* key, const char* text);    // KEY=TEXT;  → flush result
  void writeConfigFileIntKey(const char* key, std::int32_t value);
  void writeConfigFileUInt64Key(const char* key, std::uint64_t value);
  void writeConfigFileUInt64Key(const char* key, std::int64_t value);
  void wrtiteConfigFileDoubleKey(const char* key, double value);  // 12 significant digits
  void writePortHeader(std::uint32_t port);

  static std::string portSectionName(std::uint32_t port);  // "[Port A]" for 0

  // --- Reading: every search starts at the beginning of the file ---
  // The first line containing `key` anywhere; its second piece cut at = and '.
  int parseKeyFromLine(const char* key, std::span<char> destination);
  // The first line after the `section` line that begins with KEY=.
  int parseKey(const char* section, const char* key, std::span<char> destination);
  int parseIntKey(const char* section, const char* key, std::uint32_t& destination);
  int parseIntKey(const char* section, const char* key, std::uint64_t& destination);
  int parseIntKey(const char* section, const char* key, std::int64_t& destination);
  int parseDoubleKey(const char* section, const char* key, double& destination);
  int parseIntKeyFromHeader(const char* key, std::uint32_t& destination);
  int parseIntKeyFromPort(std::uint32_t port, const char* key, std::uint32_t& destination);
  int parseIntKeyFromPort(std::uint32_t port, const char* key, std::uint64_t& destination);
  int parseIntKeyFromPort(std::uint32_t port, const char* key, std::int64_t& destination);
  int parseKeyFromPort(std::uint32_t port, const char* key, std::span<char> destination);
  int parseDoubleKeyFromPort(std::uint32_t port, const char* key, double& destination);

  // --- Conversions of a value's text (leading white space skipped; 0 when no number) ---
  static int getIntValue(const char* text, std::uint32_t& destination);
  static int getIntValue(const char* text, std::uint64_t& destination);
  static int getIntValue(const char* text, std::int64_t& destination);
  static int getDoubleValue(const char* text, double& destination);

 private:
  void put(std::string_view text);
  template <typename Number>
  int parseNumberKey(const char* section, const char* key, Number& destination);
  template <typename Number>
  int parseNumberKeyFromPort(std::uint32_t port, const char* key, Number& destination);
  // Rewinds, and reads the next line piece into line_ (false at the end of the file).
  bool rewind();
  bool nextLine();
  void readSnapshot();
  bool takeLineFeed();

  // Files up to this size are read once and searched in memory.
  static constexpr std::size_t kSnapshotLimit = std::size_t{1} << 20;

  std::FILE* file_ = nullptr;
  vurn::tools::logging::ErrorLogFile* log_ = nullptr;
  char line_[kConfigLineLength + 1] = {};
  std::optional<std::string> snapshot_;  // the whole file, when it is small enough
  bool snapshotRead_ = false;
  std::size_t cursor_ = 0;  // the next byte of the snapshot
};

}  // namespace brenvik::persistence
