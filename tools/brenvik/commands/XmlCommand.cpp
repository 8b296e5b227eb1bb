// "brenvik xml": writes the applet's GenICam XML description to a file or standard output.
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/NumberText.h"

namespace brenvik::tool {

namespace {

struct XmlArguments {
  std::string file = "-";  // "-": standard output
  int port = 0;
};

bool parseArguments(Context& context, const std::vector<std::string>& arguments,
                    XmlArguments& parsed) {
  bool haveFile = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--port") {
      const std::string value = i + 1 < arguments.size() ? arguments[++i] : std::string();
      if (!parseWhole(value, parsed.port)) {
        context.err << "brenvik xml: --port takes a number, not '" << value << "'\n";
        return false;
      }
    } else if (!haveFile && (argument == "-" || argument.rfind("-", 0) != 0)) {
      parsed.file = argument;
      haveFile = true;
    } else {
      context.err << "brenvik xml: unexpected argument '" << argument << "'\n";
      return false;
    }
  }
  return true;
}

int run(Context& context, const std::vector<std::string>& arguments) {
  XmlArguments parsed;
  if (!parseArguments(context, arguments, parsed)) return kExitUsage;
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  std::string text;
  try {
    text = applet->xml(parsed.port);
  } catch (const Error& error) {
    context.err << "brenvik xml: no description for port " << parsed.port << ": "
                << describeCode(error.code()) << "\n";
    return kExitFailed;
  }
  const auto length = static_cast<std::streamsize>(text.size());
  if (parsed.file == "-") {
    context.out.write(text.data(), length);
    return kExitOk;
  }
  std::ofstream file(parsed.file, std::ios::binary);
  file.write(text.data(), length);
  file.close();
  if (!file) {
    context.err << "brenvik xml: cannot write " << parsed.file << "\n";
    return kExitFailed;
  }
  context.out << "wrote " << length << " bytes of GenICam XML to " << parsed.file << "\n";
  return kExitOk;
}

}  // namespace

extern const Command kXmlCommand{
    "xml",
    "write the GenICam XML description to a file or standard output",
    "usage: brenvik [options] xml [--port N] [FILE]\n"
    "\n"
    "Creates the applet and writes the GenICam GenApi document that Fg_getParameterInfoXML\n"
    "renders for port N (default 0) to FILE, or to standard output when FILE is - or not\n"
    "given. Exits with 1, naming the code, when the applet has no description for the port.\n",
    &run,
};

}  // namespace brenvik::tool
