// "brenvik info": creates the applet on the simulated board and prints what it says about
// itself through Info.
#include <cstring>
#include <iomanip>
#include <ostream>
#include <string>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

struct TextQuery {
  int code;
  const char* label;
};

// Queries that hand out a text pointer through out2.
constexpr TextQuery kTexts[] = {
    {0x1050, "applet name"},   {0x1060, "version"},        {0x1070, "build"},
    {0x1010, "family"},        {0x1020, "properties"},     {0x1000, "description"},
    {0x413, "identifier 1"},   {0x414, "identifier 2"},
};

// Queries answered by their result alone (selectors 0).
constexpr int kNumbers[] = {0x350, 0x410, 0x415, 0x700, 0x750, 0x760, 0x800, 0x870,
                            0x880, 0x890, 0x900, 0xA00, 0xB00, 0xC00, 0xD00, 0x1200,
                            0x1210, 0x1220, 0x1230, 0x1240, 0x1250, 0x1260};

void printLabel(std::ostream& out, const std::string& label) {
  out << "  " << std::left << std::setw(24) << label;
}

// "PNG 32 x 32" from the image header, or a note that the block is not a PNG.
std::string describeImage(const unsigned char* data, std::uint64_t size) {
  static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (data == nullptr || size < 24 || std::memcmp(data, kSignature, sizeof kSignature) != 0) {
    return "not a PNG image";
  }
  auto bigEndian = [&](std::size_t at) {
    return (std::uint32_t{data[at]} << 24) | (std::uint32_t{data[at + 1]} << 16) |
           (std::uint32_t{data[at + 2]} << 8) | std::uint32_t{data[at + 3]};
  };
  return "PNG " + std::to_string(bigEndian(16)) + " x " + std::to_string(bigEndian(20));
}

int run(Context& context, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    context.err << "brenvik info: unexpected argument '" << arguments.front() << "'\n";
    return kExitUsage;
  }
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host) return kExitFailed;
  auto& out = context.out;
  out << "Brenvik on simulated board " << context.options.board << "\n";
  printLabel(out, "creation");
  out << (host->created() ? "ok" : "failed: " + describeCode(creation)) << "\n";

  out << "Info:\n";
  for (const auto& text : kTexts) {
    std::uint64_t pointer = 0;
    const int result = host->info(text.code, 0, 0, nullptr, &pointer);
    printLabel(out, text.label);
    if (result != 0 || pointer == 0) {
      out << "(no answer: " << describeCode(result) << ")\n";
    } else {
      out << reinterpret_cast<const char*>(pointer) << "\n";
    }
  }
  for (const auto& [code, label] : {std::pair{0x411, "icon"}, std::pair{0x412, "hardware applet"}}) {
    std::uint64_t size = 0;
    std::uint64_t pointer = 0;
    host->info(code, 0, 0, &size, &pointer);
    const auto* data = reinterpret_cast<const unsigned char*>(pointer);
    printLabel(out, label);
    out << size << " bytes";
    if (code == 0x411) out << ", " << describeImage(data, size);
    out << "\n";
  }
  std::uint64_t board = 0;
  std::uint64_t applet = 0;
  host->info(0x1030, 0, 0, &board, nullptr);
  host->info(0x1040, 0, 0, &applet, nullptr);
  printLabel(out, "last board handle");
  out << board << "\n";
  printLabel(out, "last applet handle");
  out << "0x" << std::hex << applet << std::dec << "\n";
  out << "Capabilities (query = answer):\n ";
  for (const int code : kNumbers) {
    std::uint64_t scratch = 0;
    out << " 0x" << std::hex << code << std::dec << "="
        << host->info(code, 0, 0, &scratch, nullptr);
  }
  out << "\n";
  return host->created() ? kExitOk : kExitFailed;
}

}  // namespace

extern const Command kInfoCommand{
    "info",
    "create the applet on the board and print what Info reports (the default)",
    "usage: brenvik [options] info\n"
    "\n"
    "Creates the applet on the simulated board, reports whether creation succeeded (with\n"
    "the error code and its meaning), and prints every answer of the applet's Info export:\n"
    "name, version, build, family, properties, description, identifiers, icon, the\n"
    "embedded hardware-applet image, the handles of the last creation and the capability\n"
    "numbers. Exits with 1 when creation fails.\n",
    &run,
};

}  // namespace brenvik::tool
