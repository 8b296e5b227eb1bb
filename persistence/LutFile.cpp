// Opening and writing lookup-table files: the title, section and key lines and the entry
// lines of each form, in the order of its layout.
#include "persistence/LutFile.h"

#include <filesystem>

namespace brenvik::persistence {

namespace {

constexpr std::string_view kTitle = "# Lut data file v1.1";
constexpr std::string_view kKneeTitle10 = "# KneeLut data file v1.0";
constexpr std::string_view kKneeTitle11 = "# KneeLut data file v1.1";
constexpr std::string_view kBlank = "\n\n";  // a line end and an empty line
constexpr std::string_view kColourSections[] = {"[red]", "[green]", "[blue]"};

bool holdsItsCount(const LutChannel& channel) {
  return channel.data.size() >= channel.nrOfElements;
}
bool holdsItsCount(const KneeLutChannel& channel) { return channel.data.size() >= channel.count; }

}  // namespace

LutFile::~LutFile() { close(); }

bool LutFile::openForReading(const std::string& name, bool readOnly) {
  close();
  std::error_code error;
  // A directory would "open" on some systems and read as nothing.
  if (std::filesystem::is_directory(name, error)) return false;
  file_ = std::fopen(name.c_str(), readOnly ? "r" : "r+");
  return file_ != nullptr;
}

bool LutFile::openForWriting(const std::string& name) {
  close();
  file_ = std::fopen(name.c_str(), "w");
  return file_ != nullptr;
}

void LutFile::close() {
  if (file_ == nullptr) return;
  std::fflush(file_);
  std::fclose(file_);
  file_ = nullptr;
}

void LutFile::put(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fflush(file_);
}

void LutFile::putKey(const char* key, std::int32_t value) {
  std::fprintf(file_, "%s=%d;\n", key, value);
  std::fflush(file_);
}

void LutFile::putEntries(const LutChannel& channel) {
  for (std::uint32_t i = 0; i < channel.nrOfElements; ++i) {
    // Entries of 2^31 and above appear as negative numbers.
    std::fprintf(file_, "%d,%d;\n", static_cast<int>(i), static_cast<int>(channel.data[i]));
    std::fflush(file_);
  }
}

void LutFile::putEntries(const KneeLutChannel& channel) {
  for (std::uint32_t i = 0; i < channel.count; ++i) {
    std::fprintf(file_, "%d,%0.12lf;\n", static_cast<int>(i), channel.data[i]);
    std::fflush(file_);
  }
}

void LutFile::putChannel(std::string_view section, const LutChannel& channel) {
  put(section);
  put(kBlank);
  putKey("id", channel.id);
  putKey("nrOfElements", static_cast<std::int32_t>(channel.nrOfElements));
  putKey("format", channel.format);
  putKey("number", static_cast<std::uint8_t>(channel.number));
  putEntries(channel);
}

int LutFile::writeGrayTable(const std::string& name, const LutChannel& channel) {
  if (!holdsItsCount(channel) || !openForWriting(name)) return kLutFileNotOpened;
  put(kTitle);
  put(kBlank);
  put(kBlank);
  putChannel("[gray]", channel);
  return kLutFileOk;
}

int LutFile::writeColourTable(const std::string& name, const LutChannel& red,
                              const LutChannel& green, const LutChannel& blue) {
  if (!holdsItsCount(red) || !holdsItsCount(green) || !holdsItsCount(blue)) {
    return kLutFileNotOpened;
  }
  if (!openForWriting(name)) return kLutFileNotOpened;
  put(kTitle);
  put(kBlank);
  const LutChannel* channels[] = {&red, &green, &blue};
  for (std::size_t c = 0; c < 3; ++c) {
    putChannel(kColourSections[c], *channels[c]);
    if (c < 2) put(kBlank);
  }
  return kLutFileOk;
}

int LutFile::writeKneeTable(const std::string& name, const KneeLutChannel& channel,
                            std::string_view section) {
  if (!holdsItsCount(channel) || !openForWriting(name)) return kLutFileNotOpened;
  put(kKneeTitle10);
  put(kBlank);
  put(section);
  put(kBlank);
  putEntries(channel);
  return kLutFileOk;
}

int LutFile::writeKneeColourTable(const std::string& name, const KneeLutChannel& red,
                                  const KneeLutChannel& green, const KneeLutChannel& blue) {
  if (!holdsItsCount(red) || !holdsItsCount(green) || !holdsItsCount(blue)) {
    return kLutFileNotOpened;
  }
  if (!openForWriting(name)) return kLutFileNotOpened;
  put(kKneeTitle11);
  put(kBlank);
  const KneeLutChannel* channels[] = {&red, &green, &blue};
  for (std::size_t c = 0; c < 3; ++c) {
    put(kColourSections[c]);
    put(kBlank);
    putEntries(*channels[c]);
    if (c < 2) put(kBlank);
  }
  return kLutFileOk;
}

int LutFile::writePlainList(const std::string& name, std::string_view header,
                            const LutChannel& channel) {
  if (!holdsItsCount(channel) || !openForWriting(name)) return kLutFileNotOpened;
  put(header);
  putKey("nrOfElements", static_cast<std::int32_t>(channel.nrOfElements));
  putEntries(channel);
  return kLutFileOk;
}

bool lutFileExists(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(name, error) && !std::filesystem::is_directory(name, error);
}

}  // namespace brenvik::persistence
