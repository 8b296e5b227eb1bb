// ErrorLogFile: a small file log with fixed line formats, an optional error sink of file parsers.
#pragma once

#include <cstdio>
#include <string>

namespace vurn::tools::logging {

// Holds one open stream or none; every write does nothing without a stream, and every line
// except formatted() is flushed at once. Null texts are written as empty texts.
// Thread-safety: none; one owner at a time.
class ErrorLogFile {
 public:
  ErrorLogFile() = default;
  ~ErrorLogFile();
  ErrorLogFile(const ErrorLogFile&) = delete;
  ErrorLogFile& operator=(const ErrorLogFile&) = delete;

  // Opens (appending, or truncating when append is false) the file; closes any stream held
  // before. False when the file cannot be opened, which leaves no stream.
  bool open(const std::string& path, bool append = true);
  bool isOpen() const { return stream_ != nullptr; }

  void error(const char* text);                                   // "FalvoIV::Error >> t;"
  void info(const char* text, int value);                         // "FalvoIV::Info >> t >> v;"
  void error(const char* text, const char* detail, int value);    // "... >> t >> d >> v;"
  void error(const char* text, const char* detail, double value); // value as %.12g
  // The caller's format and arguments, unchanged and not flushed.
  void formatted(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void trace(const char* text);  // writes nothing
  void ok();                     // writes nothing
  // Hyphen rule, owner line, contents line, local time, hyphen rule.
  void header();
  // Flushes and closes the stream and forgets it.
  void close();

 private:
  std::FILE* stream_ = nullptr;
};

}  // namespace vurn::tools::logging
