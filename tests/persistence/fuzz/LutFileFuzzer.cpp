// libFuzzer target for the lookup-table file reader: any bytes as a file, read as a gray
// table, a colour table and a knee table. The reader must never crash, read or write past a
// buffer, allocate for more entries than the file holds, or report anything but success or a refused count.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "persistence/LutFile.h"

namespace {

using brenvik::persistence::kLutFileOk;
using brenvik::persistence::kLutFileRefused;
using brenvik::persistence::KneeLutChannel;
using brenvik::persistence::LutChannel;
using brenvik::persistence::LutFile;

const brenvik::test::FuzzInputFile& scratch() {
  static const brenvik::test::FuzzInputFile file(".lut");
  return file;
}

using brenvik::test::require;

void checkChannel(int result, const LutChannel& channel) {
  require(result == kLutFileOk || result == kLutFileRefused);
  // The entries found, never more than the count, and nothing for a refused count.
  require(channel.data.size() <= (result == kLutFileOk ? channel.nrOfElements : 0u));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!scratch().write(data, size)) return 0;
  const std::string& scratchFile = scratch().name();

  LutFile reader;
  LutChannel gray;
  checkChannel(reader.readTableChannel(scratchFile, gray, "[gray]"), gray);

  LutChannel red, green, blue;
  const int colour = reader.readColourTable(scratchFile, red, green, blue);
  require(colour == kLutFileOk || colour == kLutFileRefused);

  // The knee count is the caller's: take it from the first two bytes.
  KneeLutChannel knee;
  knee.count = size >= 2 ? static_cast<std::uint32_t>(data[0] | data[1] << 8) : 0;
  const int kneeResult = reader.readKneeChannel(scratchFile, knee, "[k]");
  require(kneeResult == kLutFileOk && knee.data.size() <= knee.count);
  return 0;
}
