// ErrorLogFile: the line formats of the file log.
#include "platform/logging/ErrorLogFile.h"

#include <cstdarg>
#include <ctime>

namespace vurn::tools::logging {

namespace {
const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

constexpr const char* kRule =
    "-------------------------------------------------------------------------\n";  // 73 hyphens
constexpr int kDoublePrecision = 12;
constexpr std::size_t kDoubleFieldSize = 32;
}  // namespace

ErrorLogFile::~ErrorLogFile() { close(); }

bool ErrorLogFile::open(const std::string& path, bool append) {
  close();
  stream_ = std::fopen(path.c_str(), append ? "a" : "w");
  return stream_ != nullptr;
}

void ErrorLogFile::error(const char* text) {
  if (stream_ == nullptr) return;
  std::fprintf(stream_, "FalvoIV::Error >> %s;\n", orEmpty(text));
  std::fflush(stream_);
}

void ErrorLogFile::info(const char* text, int value) {
  if (stream_ == nullptr) return;
  std::fprintf(stream_, "FalvoIV::Info >> %s >> %d;\n", orEmpty(text), value);
  std::fflush(stream_);
}

void ErrorLogFile::error(const char* text, const char* detail, int value) {
  if (stream_ == nullptr) return;
  std::fprintf(stream_, "FalvoIV::Error >> %s >> %s >> %d;\n", orEmpty(text), orEmpty(detail),
               value);
  std::fflush(stream_);
}

void ErrorLogFile::error(const char* text, const char* detail, double value) {
  if (stream_ == nullptr) return;
  char field[kDoubleFieldSize];
  std::snprintf(field, sizeof field, "%.*g", kDoublePrecision, value);
  std::fprintf(stream_, "FalvoIV::Error >> %s >> %s >> %s;\n", orEmpty(text), orEmpty(detail),
               field);
  std::fflush(stream_);
}

void ErrorLogFile::formatted(const char* format, ...) {
  if (stream_ == nullptr || format == nullptr) return;
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stream_, format, arguments);
  va_end(arguments);
}

void ErrorLogFile::trace(const char*) {}

void ErrorLogFile::ok() {}

void ErrorLogFile::header() {
  if (stream_ == nullptr) return;
  std::fputs(kRule, stream_);
  std::fputs("Owner: Brenvik acquisition applet\n", stream_);
  std::fputs("Contents: Log details for Falvo Dll\n", stream_);
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  std::fputs(local != nullptr ? std::asctime(local) : "\n", stream_);
  std::fputs(kRule, stream_);
  std::fflush(stream_);
}

void ErrorLogFile::close() {
  if (stream_ == nullptr) return;
  std::fflush(stream_);
  std::fclose(stream_);
  stream_ = nullptr;
}

}  // namespace vurn::tools::logging
