// Parsing the tool's command line: global options, then a subcommand and its arguments.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace brenvik::tool {

// Runs the tool with the given arguments (without the program name); returns the exit status.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err);

}  // namespace brenvik::tool
