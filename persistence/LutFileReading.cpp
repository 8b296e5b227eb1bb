// Reading lookup-table files: keys by a whole-file search, entries as the ascending run from
// index 0 after the section line, lines in pieces of at most 255 characters.
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "persistence/LutFile.h"

namespace brenvik::persistence {

namespace {

using Line = std::array<char, kLutLineLength + 1>;

// The leading decimal integer of `text` (white space skipped, optional sign), 0 when there
// is none; saturated at the 64-bit range.
std::int64_t leadingInteger(const char* text) {
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  std::int64_t value = 0;
  constexpr std::int64_t kCeiling = std::numeric_limits<std::int64_t>::max() / 10 - 9;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (value < kCeiling) value = value * 10 + (*text - '0');
  }
  return negative ? -value : value;
}

// A 32-bit entry or key from a 64-bit reading: saturated at the signed 32-bit range.
std::int32_t saturated(std::int64_t value) {
  constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < kLow ? kLow : (value > kHigh ? kHigh : value));
}

// The second piece of a line cut at "=" and "'": after the first piece and the run of
// delimiters behind it, up to the next delimiter; empty when there is none.
const char* secondPiece(char* line) {
  constexpr const char* kDelimiters = "='";
  char* piece = line + std::strspn(line, kDelimiters);
  piece += std::strcspn(piece, kDelimiters);
  piece += std::strspn(piece, kDelimiters);
  piece[std::strcspn(piece, kDelimiters)] = '\0';
  return piece;
}

bool readLine(std::FILE* file, Line& line) {
  return std::fgets(line.data(), static_cast<int>(line.size()), file) != nullptr;
}

// An element count as a vector size, or false when it is negative or too large.
bool acceptedCount(std::int64_t count) { return count >= 0 && count <= kMaxLutElements; }

template <typename Entry>
bool allocate(std::vector<Entry>& data, std::int64_t count) {
  try {
    data.assign(static_cast<std::size_t>(count), Entry{});
  } catch (const std::bad_alloc&) {
    data = {};
    return false;
  }
  return true;
}

}  // namespace

std::int64_t LutFile::keyValue(const char* key) {
  std::rewind(file_);
  Line line{};
  while (readLine(file_, line)) {
    if (std::strstr(line.data(), key) != nullptr) return leadingInteger(secondPiece(line.data()));
  }
  return 0;
}

template <typename Entry, typename Convert>
void LutFile::readEntries(std::vector<Entry>& data, std::string_view section, Convert convert) {
  std::rewind(file_);
  const std::string wanted(section);
  Line line{};
  bool inSection = false;
  std::size_t next = 0;
  std::array<char, 24> expected{};  // the next index followed by ","
  std::snprintf(expected.data(), expected.size(), "%zu,", next);
  while (next < data.size() && readLine(file_, line)) {
    if (!inSection) {
      // The section line itself may already hold entry 0.
      if (std::strstr(line.data(), wanted.c_str()) == nullptr) continue;
      inSection = true;
    }
    if (std::strstr(line.data(), expected.data()) == nullptr) continue;
    data[next] = convert(std::strchr(line.data(), ',') + 1);
    ++next;
    std::snprintf(expected.data(), expected.size(), "%zu,", next);
  }
}

int LutFile::readTableChannel(const std::string& name, LutChannel& channel,
                              std::string_view section) {
  channel.data = {};
  if (!openForReading(name, true)) return kLutFileNotOpened;
  channel.id = saturated(keyValue("id"));
  const std::int64_t count = keyValue("nrOfElements");
  channel.format = saturated(keyValue("format"));
  channel.number = static_cast<std::uint32_t>(saturated(keyValue("number")));
  if (!acceptedCount(count) || !allocate(channel.data, count)) {
    close();
    channel.nrOfElements = 0;
    return kLutFileRefused;
  }
  channel.nrOfElements = static_cast<std::uint32_t>(count);
  readEntries(channel.data, section, [](const char* text) {
    return static_cast<std::uint32_t>(saturated(leadingInteger(text)));
  });
  close();
  return kLutFileOk;
}

int LutFile::readColourTable(const std::string& name, LutChannel& red, LutChannel& green,
                             LutChannel& blue) {
  if (const int result = readTableChannel(name, red, "[red]"); result != 0) return result;
  if (const int result = readTableChannel(name, green, "[green]"); result != 0) return result;
  return readTableChannel(name, blue, "[blue]");
}

int LutFile::readKneeChannel(const std::string& name, KneeLutChannel& channel,
                             std::string_view section) {
  channel.data = {};
  if (!acceptedCount(channel.count)) return kLutFileRefused;
  if (!openForReading(name, true)) return kLutFileNotOpened;
  if (!allocate(channel.data, channel.count)) {
    close();
    return kLutFileRefused;
  }
  readEntries(channel.data, section, [](const char* text) { return std::strtod(text, nullptr); });
  close();
  return kLutFileOk;
}

int LutFile::readKneeColourTable(const std::string& name, KneeLutChannel& red,
                                 KneeLutChannel& green, KneeLutChannel& blue) {
  if (const int result = readKneeChannel(name, red, "[red]"); result != 0) return result;
  if (const int result = readKneeChannel(name, green, "[green]"); result != 0) return result;
  return readKneeChannel(name, blue, "[blue]");
}

}  // namespace brenvik::persistence
