// libFuzzer target for the configuration file parser: any bytes as a file, searched the ways
// loading searches it. Every search must end in found or not found, with a terminated value
// that fits its buffer, and never read or write past a buffer.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzInput.h"
#include "persistence/ConfigFileParser.h"

namespace {

using brenvik::persistence::Fg_ConfigFileParser;

const brenvik::test::FuzzInputFile& scratch() {
  static const brenvik::test::FuzzInputFile file(".mcf");
  return file;
}

using brenvik::test::require;

void checkText(int result, const std::array<char, 1024>& text) {
  require(result == 0 || result == brenvik::persistence::kKeyNotFound);
  const void* end = std::memchr(text.data(), '\0', text.size());
  require(end != nullptr);
  require(std::strlen(text.data()) <= brenvik::persistence::kConfigLineLength);
  if (result != 0) require(std::strcmp(text.data(), "Error") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!scratch().write(data, size)) return 0;
  Fg_ConfigFileParser parser(nullptr, scratch().name().c_str(), true);
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
