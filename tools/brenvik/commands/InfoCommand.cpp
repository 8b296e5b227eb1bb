// "brenvik info": creates the applet on the simulated board and prints what it says about
// itself through Info, each query by its name and code.
#include <cstring>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>

#include "applet/InfoQueries.h"
#include "parameters/Enumerations.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

using info::Output;

void printLabel(std::ostream& out, const std::string& label) {
  out << "  " << std::left << std::setw(34) << label;
}

// "applet name (0x1050)"
std::string labelOf(const info::Query& query) {
  std::ostringstream label;
  label << query.name << " (0x" << std::hex << std::uppercase << query.code << ")";
  return label.str();
}

// The queries that answer with a number alone, listed apart as the capabilities.
bool answersWithNumber(const info::Query& query) {
  return query.output == Output::kNone || query.output == Output::kZero32;
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

// Prints what a query hands out: its texts, block sizes or handles, else its result.
void printAnswer(const Module& host, const info::Query& query, std::ostream& out) {
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  switch (query.output) {
    case Output::kIcon:
    case Output::kImage:
      host.info(query.code, 0, 0, &first, &second);
      out << first << " bytes";
      if (query.output == Output::kIcon) {
        out << ", " << describeImage(reinterpret_cast<const unsigned char*>(second), first);
      }
      return;
    case Output::kLastBoard:
      host.info(query.code, 0, 0, &first, nullptr);
      out << first;
      return;
    case Output::kLastApplet:
      host.info(query.code, 0, 0, &first, nullptr);
      out << "0x" << std::hex << first << std::dec;
      return;
    case Output::kValueOfName: {
      // One symbol of the enumeration lists, to show the translation at work.
      const char* symbol = parameters::enumerations::kAll.front()->entries.front().name;
      out << symbol << " = " << host.info(query.code, 0, 0, const_cast<char*>(symbol), nullptr);
      return;
    }
    case Output::kFirstGuid:
    case Output::kSecondGuid:
    case Output::kDescription:
    case Output::kFamily:
    case Output::kProperties:
    case Output::kAppletName:
    case Output::kVersion:
    case Output::kBuild: {
      const int result = host.info(query.code, 0, 0, nullptr, &second);
      if (result != 0 || second == 0) {
        out << "(no answer: " << describeCode(result) << ")";
      } else {
        out << reinterpret_cast<const char*>(second);
      }
      return;
    }
    case Output::kNone:
    case Output::kZero32:
      out << host.info(query.code, 0, 0, &first, nullptr);
      return;
  }
}

int run(Context& context, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    context.err << "brenvik info: unexpected argument '" << arguments.front() << "'\n";
    return kExitUsage;
  }
  // Info answers without an applet, so a failed creation is reported beside the answers.
  std::unique_ptr<Applet> applet = std::move(context.prepared);
  std::shared_ptr<Module> loaded;
  std::string creation = "ok";
  if (!applet) {
    loaded = openModule(context);
    if (!loaded) return kExitFailed;
    try {
      applet = std::make_unique<Applet>(loaded, context.options.board, context.options.flags);
    } catch (const Error& error) {
      context.err << "brenvik: " << error.what() << "\n";
      creation = "failed: " + describeCode(error.code());
    }
  }
  const Module& host = applet ? applet->module() : *loaded;
  auto& out = context.out;
  out << "Brenvik on simulated board " << context.options.board << "\n";
  printLabel(out, "creation");
  out << creation << "\n";

  for (const bool numbers : {false, true}) {
    out << (numbers ? "Capabilities:\n" : "Info:\n");
    for (const info::Query& query : info::kQueries) {
      if (answersWithNumber(query) != numbers) continue;
      printLabel(out, labelOf(query));
      printAnswer(host, query, out);
      out << "\n";
    }
  }
  return applet ? kExitOk : kExitFailed;
}

}  // namespace

extern const Command kInfoCommand{
    "info",
    "create the applet on the board and print what Info reports (the default)",
    "usage: brenvik [options] info\n"
    "\n"
    "Creates the applet on the simulated board, reports whether creation succeeded (with\n"
    "the error code and its meaning), and prints every answer of the applet's Info export,\n"
    "each query by its name and code: identifiers, icon, the embedded hardware-applet\n"
    "image, description, family, properties, the handles of the last creation, name,\n"
    "version, build, the number of one value name, then the capability numbers. Exits\n"
    "with 1 when creation fails.\n",
    &run,
};

}  // namespace brenvik::tool
