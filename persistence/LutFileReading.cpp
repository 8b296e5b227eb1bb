// Reading lookup-table files in one pass: keys from the first line pieces that contain them,
// entries as the ascending run from index 0 after the section line, lines in pieces of at most
// 255 characters. One pass reads anything that opens: regular files, devices, pipes.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <span>

#include "persistence/LutFile.h"

namespace brenvik::persistence {

namespace {

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

// The value of a key line: the second piece of the line cut at "=" and "'", after the first
// piece and the run of delimiters behind it, up to the next delimiter; 0 when there is none.
std::int64_t keyLineValue(const char* line) {
  constexpr const char* kDelimiters = "='";
  const char* piece = line + std::strspn(line, kDelimiters);
  piece += std::strcspn(piece, kDelimiters);
  piece += std::strspn(piece, kDelimiters);
  // The piece ends at the next delimiter, which the leading digits never cross.
  return leadingInteger(piece);
}

// Cuts a stream into the pieces a 256-character line buffer reads: up to and including a line
// end, at most 255 characters. Counts every byte, so that a stream without line ends or full
// of NUL characters still comes to its end of reading.
class PieceReader {
 public:
  explicit PieceReader(std::FILE* file) : file_(file) {}

  // The next piece as a C string (it ends at its first NUL, as a line buffer's text does);
  // false at the end of the stream or of what is read.
  bool next(std::array<char, kLutLineLength + 1>& piece) {
    std::size_t length = 0;
    while (length < kLutLineLength) {
      if (position_ == filled_ && !refill()) break;
      const char* start = buffer_.data() + position_;
      const std::size_t room = std::min(kLutLineLength - length, filled_ - position_);
      const auto* end = static_cast<const char*>(std::memchr(start, '\n', room));
      const std::size_t taken = end != nullptr ? static_cast<std::size_t>(end - start) + 1 : room;
      std::memcpy(piece.data() + length, start, taken);
      length += taken;
      position_ += taken;
      if (end != nullptr) break;
    }
    piece[length] = '\0';
    return length > 0;
  }

 private:
  bool refill() {
    if (read_ >= kLongestLutRead) return false;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), kLongestLutRead - read_));
    filled_ = std::fread(buffer_.data(), 1, wanted, file_);
    position_ = 0;
    read_ += filled_;
    return filled_ > 0;
  }

  std::FILE* file_;
  std::array<char, 65536> buffer_{};
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  std::uint64_t read_ = 0;
};

// A key searched for in the pass: found on the first piece that contains its text.
struct KeySearch {
  const char* name;
  bool found = false;
  std::int64_t value = 0;  // 0 when the file lacks the key
};

// A channel's four keys, in the order their values are assigned.
enum KeyIndex : std::size_t { kId, kCount, kFormat, kNumber, kKeyCount };

// One pass over the stream: the first piece containing each key gives its value, and from the
// first piece containing `section` on, the ascending entry run is collected. Reading ends at
// the end of the stream, or once every key is known and the run holds `count` entries.
// The count of entries wanted: the caller's, or the value of a key once the pass has found it.
struct WantedCount {
  const KeySearch* key = nullptr;
  std::int64_t fixed = 0;
  std::optional<std::int64_t> known() const {
    if (key == nullptr) return fixed;
    return key->found ? std::optional<std::int64_t>(key->value) : std::nullopt;
  }
};

template <typename Entry, typename Convert>
void scan(std::FILE* file, std::span<KeySearch> keys, std::string_view section,
          std::vector<Entry>& data, WantedCount count, Convert convert) {
  PieceReader reader(file);
  std::array<char, kLutLineLength + 1> piece{};
  const std::string wanted(section);
  bool inSection = false;
  std::array<char, 24> expected{};  // the next index followed by ","
  std::snprintf(expected.data(), expected.size(), "%zu,", data.size());
  // The run stops at the count once it is known; before that, it is cut to the count after the
  // pass, which gives the same entries because the run only ever advances.
  const auto runComplete = [&] {
    const std::optional<std::int64_t> entries = count.known();
    return entries && *entries >= 0 && data.size() >= static_cast<std::uint64_t>(*entries);
  };
  const auto keysComplete = [&] {
    return std::all_of(keys.begin(), keys.end(), [](const KeySearch& key) { return key.found; });
  };
  while (!(keysComplete() && runComplete()) && reader.next(piece)) {
    for (KeySearch& key : keys) {
      if (!key.found && std::strstr(piece.data(), key.name) != nullptr) {
        key.found = true;
        key.value = keyLineValue(piece.data());
      }
    }
    if (!inSection) {
      // The section line itself may already hold entry 0.
      if (std::strstr(piece.data(), wanted.c_str()) == nullptr) continue;
      inSection = true;
    }
    if (runComplete() || std::strstr(piece.data(), expected.data()) == nullptr) continue;
    data.push_back(convert(std::strchr(piece.data(), ',') + 1));
    std::snprintf(expected.data(), expected.size(), "%zu,", data.size());
  }
}

}  // namespace

int LutFile::readTableChannel(const std::string& name, LutChannel& channel,
                              std::string_view section) {
  channel.data = {};
  channel.nrOfElements = 0;
  if (!openForReading(name, true)) return kLutFileNotOpened;
  std::array<KeySearch, kKeyCount> keys{
      {{"id"}, {"nrOfElements"}, {"format"}, {"number"}}};
  scan(file_, keys, section, channel.data, WantedCount{&keys[kCount]}, [](const char* text) {
    return static_cast<std::uint32_t>(saturated(leadingInteger(text)));
  });
  close();
  channel.id = saturated(keys[kId].value);
  channel.format = saturated(keys[kFormat].value);
  channel.number = static_cast<std::uint32_t>(saturated(keys[kNumber].value));
  const std::int64_t count = keys[kCount].value;
  if (count < 0 || count > std::numeric_limits<std::uint32_t>::max()) {
    channel.data = {};
    return kLutFileRefused;
  }
  channel.nrOfElements = static_cast<std::uint32_t>(count);
  if (channel.data.size() > channel.nrOfElements) channel.data.resize(channel.nrOfElements);
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
  if (!openForReading(name, true)) return kLutFileNotOpened;
  scan(file_, {}, section, channel.data, WantedCount{nullptr, channel.count},
       [](const char* text) { return std::strtod(text, nullptr); });
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
