// Fg_ConfigFileParser: writing and searching configuration files line by line.
#include "persistence/ConfigFileParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>

#include "platform/logging/ErrorLogFile.h"

namespace brenvik::persistence {

namespace {

constexpr std::string_view kValueDelimiters = "=;'";
constexpr std::string_view kPieceDelimiters = "='";
// Formatted numbers fit this buffer.
constexpr std::size_t kNumberBuffer = 32;
constexpr int kDoublePrecision = 12;

bool isOneOf(char c, std::string_view set) { return c != '\0' && set.find(c) != set.npos; }

// The C locale's white space, whatever the process's locale is.
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char* skipBlanks(const char* text) {
  while (isBlank(*text)) ++text;
  return text;
}

// Copies `value` into the destination, cut to fit and terminated.
void copyInto(std::string_view value, std::span<char> destination) {
  if (destination.empty()) return;
  const std::size_t length = std::min(value.size(), destination.size() - 1);
  if (length > 0) std::memcpy(destination.data(), value.data(), length);
  destination[length] = '\0';
}

int notFound(std::span<char> destination) {
  copyInto(kNotFoundText, destination);
  return kKeyNotFound;
}

bool isRegularFile(const char* fileName) {
  std::error_code error;
  return std::filesystem::is_regular_file(fileName, error);
}

}  // namespace

Fg_ConfigFileParser::Fg_ConfigFileParser(vurn::tools::logging::ErrorLogFile* log,
                                         const char* fileName, bool readOnly)
    : log_(log) {
  if (checkFileType(fileName) && checkFileExist(fileName)) {
    file_ = std::fopen(fileName, readOnly ? "r" : "r+");
  }
}

Fg_ConfigFileParser::~Fg_ConfigFileParser() {
  if (file_ != nullptr) {
    std::fflush(file_);
    std::fclose(file_);
  }
}

bool Fg_ConfigFileParser::checkFileType(const char* fileName) {
  return fileName != nullptr && std::strstr(fileName, ".mcf") != nullptr;
}

// A directory opens for reading on some systems but holds no lines: it counts as missing.
bool Fg_ConfigFileParser::checkFileExist(const char* fileName) {
  if (fileName == nullptr || !isRegularFile(fileName)) return false;
  std::FILE* probe = std::fopen(fileName, "r");
  if (probe == nullptr) return false;
  std::fclose(probe);
  return true;
}

bool Fg_ConfigFileParser::setSaveFile(const char* fileName) {
  if (!checkFileType(fileName)) {
    if (log_ != nullptr) log_->error("Config File is Invalid");
    return false;
  }
  if (file_ != nullptr) std::fclose(file_);
  file_ = std::fopen(fileName, "w");
  if (file_ == nullptr) {
    if (log_ != nullptr) log_->error("Config File: fopen failed");
    return false;
  }
  return true;
}

// --- Writing ---

void Fg_ConfigFileParser::put(std::string_view text) {
  if (file_ == nullptr) return;
  snapshotRead_ = false;
  snapshot_.reset();
  std::fwrite(text.data(), 1, text.size(), file_);
}

void Fg_ConfigFileParser::writeConfigFileHeader() {
  put("[Kamerasektion]\n");
  put("\nConfigFileVersion=2.0;\n");
  if (file_ != nullptr) std::fflush(file_);
}

void Fg_ConfigFileParser::writeConfigFile(const char* key, const char* text) {
  put(key != nullptr ? key : "");
  put("='");
  put(text != nullptr ? text : "");
  put("';\n");
  if (file_ != nullptr) std::fflush(file_);
}

int Fg_ConfigFileParser::writeConfigFileValue(const char* key, const char* text) {
  put(key != nullptr ? key : "");
  put("=");
  put(text != nullptr ? text : "");
  put(";\n");
  return file_ != nullptr ? std::fflush(file_) : EOF;
}

namespace {

template <typename... Format>
std::string_view formatNumber(char (&buffer)[kNumberBuffer], auto value, Format... format) {
  const auto result = std::to_chars(buffer, buffer + kNumberBuffer - 1, value, format...);
  *result.ptr = '\0';
  return {buffer, result.ptr};
}

}  // namespace

void Fg_ConfigFileParser::writeConfigFileIntKey(const char* key, std::int32_t value) {
  char buffer[kNumberBuffer];
  writeConfigFileValue(key, formatNumber(buffer, value).data());
}

void Fg_ConfigFileParser::writeConfigFileUInt64Key(const char* key, std::uint64_t value) {
  char buffer[kNumberBuffer];
  writeConfigFileValue(key, formatNumber(buffer, value).data());
}

void Fg_ConfigFileParser::writeConfigFileUInt64Key(const char* key, std::int64_t value) {
  char buffer[kNumberBuffer];
  writeConfigFileValue(key, formatNumber(buffer, value).data());
}

// The general format with 12 significant digits, in the C locale's form whatever the
// process's locale is (the exponent has at least two digits: 1e+12).
void Fg_ConfigFileParser::wrtiteConfigFileDoubleKey(const char* key, double value) {
  char buffer[kNumberBuffer];
  writeConfigFileValue(key,
                       formatNumber(buffer, value, std::chars_format::general, kDoublePrecision)
                           .data());
}

std::string Fg_ConfigFileParser::portSectionName(std::uint32_t port) {
  std::string name = "[Port ";
  name += static_cast<char>('A' + port);
  name += ']';
  return name;
}

void Fg_ConfigFileParser::writePortHeader(std::uint32_t port) {
  put("\n");
  put(portSectionName(port));
  put("\n");
  if (file_ != nullptr) std::fflush(file_);
}

// --- Reading ---

// Searches rewind a hundred times per load: a file of ordinary size is read once and searched
// in memory; a larger one is searched on the stream.
bool Fg_ConfigFileParser::rewind() {
  if (file_ == nullptr) return false;
  if (!snapshotRead_) readSnapshot();
  cursor_ = 0;
  if (!snapshot_) std::rewind(file_);
  return true;
}

void Fg_ConfigFileParser::readSnapshot() {
  snapshotRead_ = true;
  snapshot_.reset();
  std::rewind(file_);
  std::string content;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file_)) > 0) {
    if (content.size() + read > kSnapshotLimit) return;
    content.append(buffer, read);
  }
  snapshot_ = std::move(content);
}

// The next piece of a line, as a 256-byte line read gives it: up to and including the line
// end, at most 255 characters. A CR LF line end reads as LF on every system, as text-mode
// streams read it where CR LF is the native line end, so files from either system read alike.
bool Fg_ConfigFileParser::nextLine() {
  std::size_t length = 0;
  if (snapshot_) {
    if (cursor_ >= snapshot_->size()) return false;
    const char* start = snapshot_->data() + cursor_;
    const std::size_t most = std::min(snapshot_->size() - cursor_, kConfigLineLength);
    const auto* end = static_cast<const char*>(std::memchr(start, '\n', most));
    length = end != nullptr ? static_cast<std::size_t>(end - start) + 1 : most;
    std::memcpy(line_, start, length);
    line_[length] = '\0';
    cursor_ += length;
  } else {
    if (std::fgets(line_, static_cast<int>(sizeof line_), file_) == nullptr) return false;
    length = std::strlen(line_);
  }
  if (length >= 2 && line_[length - 2] == '\r' && line_[length - 1] == '\n') {
    line_[length - 2] = '\n';
    line_[length - 1] = '\0';
  } else if (length >= 1 && line_[length - 1] == '\r' && takeLineFeed()) {
    line_[length - 1] = '\n';  // the piece ended between CR and LF
  }
  return true;
}

bool Fg_ConfigFileParser::takeLineFeed() {
  if (snapshot_) {
    if (cursor_ >= snapshot_->size() || (*snapshot_)[cursor_] != '\n') return false;
    ++cursor_;
    return true;
  }
  const int next = std::fgetc(file_);
  if (next == '\n') return true;
  if (next != EOF) std::ungetc(next, file_);
  return false;
}

int Fg_ConfigFileParser::parseKeyFromLine(const char* key, std::span<char> destination) {
  if (key == nullptr || !rewind()) return notFound(destination);
  while (nextLine()) {
    if (std::strstr(line_, key) == nullptr) continue;
    // The pieces of the line cut at = and ': the first is skipped, the second is the value.
    const std::string_view line(line_);
    std::size_t at = line.find_first_not_of(kPieceDelimiters);
    at = line.find_first_of(kPieceDelimiters, at == line.npos ? line.size() : at);
    at = line.find_first_not_of(kPieceDelimiters, at == line.npos ? line.size() : at);
    if (at == line.npos) {
      copyInto({}, destination);
    } else {
      const std::size_t end = line.find_first_of(kPieceDelimiters, at);
      copyInto(line.substr(at, end == line.npos ? line.npos : end - at), destination);
    }
    return kKeyFound;
  }
  return notFound(destination);
}

int Fg_ConfigFileParser::parseKey(const char* section, const char* key,
                                  std::span<char> destination) {
  if (section == nullptr || key == nullptr || !rewind()) return notFound(destination);
  bool inSection = false;
  while (!inSection) {
    if (!nextLine()) return notFound(destination);
    inSection = std::strstr(line_, section) != nullptr;
  }
  // Every line after the section line, to the end of the file: a later section's key matches
  // too, and the first match in file order wins.
  const std::size_t keyLength = std::strlen(key);
  while (nextLine()) {
    if (std::strncmp(line_, key, keyLength) != 0 || line_[keyLength] != '=') continue;
    const char* value = line_ + keyLength;
    while (isOneOf(*value, kValueDelimiters)) ++value;
    const char* end = value;
    while (*end != '\0' && !isOneOf(*end, kValueDelimiters)) ++end;
    if (*value == '\r' || *value == '\n') end = value;
    copyInto({value, static_cast<std::size_t>(end - value)}, destination);
    return kKeyFound;
  }
  return notFound(destination);
}

template <typename Number>
int Fg_ConfigFileParser::parseNumberKey(const char* section, const char* key,
                                        Number& destination) {
  char text[kConfigValueBuffer];
  parseKey(section, key, text);
  if (std::strstr(text, kNotFoundText) != nullptr) return kNumberNotFound;
  if constexpr (std::is_same_v<Number, double>) {
    getDoubleValue(text, destination);
  } else {
    getIntValue(text, destination);
  }
  return kKeyFound;
}

int Fg_ConfigFileParser::parseIntKey(const char* section, const char* key,
                                     std::uint32_t& destination) {
  return parseNumberKey(section, key, destination);
}
int Fg_ConfigFileParser::parseIntKey(const char* section, const char* key,
                                     std::uint64_t& destination) {
  return parseNumberKey(section, key, destination);
}
int Fg_ConfigFileParser::parseIntKey(const char* section, const char* key,
                                     std::int64_t& destination) {
  return parseNumberKey(section, key, destination);
}
int Fg_ConfigFileParser::parseDoubleKey(const char* section, const char* key,
                                        double& destination) {
  return parseNumberKey(section, key, destination);
}

int Fg_ConfigFileParser::parseIntKeyFromHeader(const char* key, std::uint32_t& destination) {
  return parseIntKey(kHeaderSection, key, destination);
}

template <typename Number>
int Fg_ConfigFileParser::parseNumberKeyFromPort(std::uint32_t port, const char* key,
                                                Number& destination) {
  if (key == nullptr) return kNumberNotFound;
  return parseNumberKey(portSectionName(port).c_str(), key, destination);
}

int Fg_ConfigFileParser::parseIntKeyFromPort(std::uint32_t port, const char* key,
                                             std::uint32_t& destination) {
  return parseNumberKeyFromPort(port, key, destination);
}
int Fg_ConfigFileParser::parseIntKeyFromPort(std::uint32_t port, const char* key,
                                             std::uint64_t& destination) {
  return parseNumberKeyFromPort(port, key, destination);
}
int Fg_ConfigFileParser::parseIntKeyFromPort(std::uint32_t port, const char* key,
                                             std::int64_t& destination) {
  return parseNumberKeyFromPort(port, key, destination);
}
int Fg_ConfigFileParser::parseDoubleKeyFromPort(std::uint32_t port, const char* key,
                                                double& destination) {
  return parseNumberKeyFromPort(port, key, destination);
}

int Fg_ConfigFileParser::parseKeyFromPort(std::uint32_t port, const char* key,
                                          std::span<char> destination) {
  if (key == nullptr) return kNumberNotFound;
  return parseKey(portSectionName(port).c_str(), key, destination);
}

// --- Conversions ---

// A decimal number beyond 64 bits saturates; the 32-bit result keeps the low 32 bits, so
// "-1" gives 0xffffffff, as a value written with "%d" from 2^32 - 1 must.
int Fg_ConfigFileParser::getIntValue(const char* text, std::uint32_t& destination) {
  destination = static_cast<std::uint32_t>(std::strtoll(text, nullptr, 10));
  return 0;
}

int Fg_ConfigFileParser::getIntValue(const char* text, std::uint64_t& destination) {
  destination = std::strtoull(text, nullptr, 10);
  return 0;
}

// Also takes a 0x prefix as hexadecimal and a leading 0 as octal.
int Fg_ConfigFileParser::getIntValue(const char* text, std::int64_t& destination) {
  destination = std::strtoll(text, nullptr, 0);
  return 0;
}

// The decimal point is a point whatever the process's locale is. A number is digits with an
// optional point and exponent: "inf", "nan" and "infinity" are no number and read as 0, and a
// number beyond the range of doubles reads as the largest double of its sign, so that what is
// read is always finite.
int Fg_ConfigFileParser::getDoubleValue(const char* text, double& destination) {
  const char* start = skipBlanks(text);
  if (*start == '+' && start[1] != '-') ++start;
  const char* digits = start + (*start == '-' ? 1 : 0);
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  destination = 0.0;
  if (!isDigit(digits[0]) && !(digits[0] == '.' && isDigit(digits[1]))) return 0;
  double value = 0;
  const auto result = std::from_chars(start, start + std::strlen(start), value,
                                      std::chars_format::general);
  if (result.ec == std::errc{}) {
    destination = value;
  } else if (result.ec == std::errc::result_out_of_range) {
    // Too large: the largest double of its sign; too small: 0 of its sign.
    const double nearest = std::strtod(start, nullptr);
    destination = std::isfinite(nearest) ? nearest
                                         : std::copysign(std::numeric_limits<double>::max(), nearest);
  }
  return 0;
}

}  // namespace brenvik::persistence
