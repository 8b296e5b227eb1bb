// libFuzzer target for the configuration file parser: any bytes as a file, searched the ways
// loading searches it. Every search must end in found or not found, with a terminated value
// that fits its buffer, and never read or write past a buffer.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "persistence/ConfigFileParser.h"

namespace {

using brenvik::persistence::Fg_ConfigFileParser;

// The file each input is written to, removed when the fuzzer ends.
struct ScratchFile {
  std::string name = "/tmp/brenvik-config-fuzz-" + std::to_string(::getpid()) + ".mcf";
  ~ScratchFile() { std::remove(name.c_str()); }
};

const std::string& scratchFile() {
  static const ScratchFile file;
  return file.name;
}

void require(bool condition) {
  if (!condition) std::abort();
}

void checkText(int result, const std::array<char, 1024>& text) {
  require(result == 0 || result == brenvik::persistence::kKeyNotFound);
  const void* end = std::memchr(text.data(), '\0', text.size());
  require(end != nullptr);
  require(std::strlen(text.data()) <= brenvik::persistence::kConfigLineLength);
  if (result != 0) require(std::strcmp(text.data(), "Error") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  Fg_ConfigFileParser parser(nullptr, scratchFile().c_str(), true);
  require(parser.isOpen());
  std::array<char, 1024> text{};
  checkText(parser.parseKeyFromLine("Typ", text), text);
  std::uint32_t port = 0;
  const int header = parser.parseIntKeyFromHeader("AktivePort", port);
  require(header == 0 || header == -1);
  for (const char* key : {"FG_WIDTH", "FG_DEBUGFILE", "A", ""}) {
    text.fill('\x55');
    checkText(parser.parseKeyFromPort(0, key, text), text);
    std::uint32_t narrow = 0;
    std::int64_t wide = 0;
    std::uint64_t unsignedWide = 0;
    double real = 0;
    for (const int result :
         {parser.parseIntKeyFromPort(0, key, narrow), parser.parseIntKeyFromPort(1, key, wide),
          parser.parseIntKeyFromPort(0, key, unsignedWide),
          parser.parseDoubleKeyFromPort(0, key, real)}) {
      require(result == 0 || result == -1);
    }
  }
  return 0;
}
