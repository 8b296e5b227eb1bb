// The brenvik tool's entry point.
#include <iostream>
#include <string>
#include <vector>

#include "tools/brenvik/CommandLine.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return brenvik::tool::runCommandLine(arguments, std::cout, std::cerr);
}
