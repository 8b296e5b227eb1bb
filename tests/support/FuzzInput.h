// Shared pieces of the fuzz targets: each input as a file of its own name, and a check that
// stops the fuzzer on a broken promise.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace brenvik::test {

// Aborts (which the fuzzer reports with its input) when a promise does not hold.
inline void require(bool condition) {
  if (!condition) std::abort();
}

// A scratch file for the inputs of one fuzzer process, removed when the fuzzer ends.
class FuzzInputFile {
 public:
  explicit FuzzInputFile(const char* suffix)
      : name_("/tmp/brenvik-fuzz-" + std::to_string(::getpid()) + suffix) {}
  ~FuzzInputFile() { std::remove(name_.c_str()); }
  FuzzInputFile(const FuzzInputFile&) = delete;
  FuzzInputFile& operator=(const FuzzInputFile&) = delete;

  // Writes the input as the file's whole content; false when the file cannot be written.
  bool write(const std::uint8_t* data, std::size_t size) const {
    std::FILE* file = std::fopen(name_.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
  }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
};

}  // namespace brenvik::test
