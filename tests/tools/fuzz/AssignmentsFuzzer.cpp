// libFuzzer target for the tool's NAME=VALUE arguments of "set" and "play": the input is a
// command line, one argument per zero-separated piece (a zero byte cannot stand inside an
// argument). The parser either reports one usage error or gives back exactly the arguments
// before "then", split at their first '='; and every value that the simulated board accepts for
// "play" is one it shows and takes back unchanged, without a journal entry.
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "resources/EmbeddedBlock.h"
#include "simboard/BoardApi.h"
#include "simboard/control.h"
#include "tools/brenvik/Assignments.h"

namespace {

namespace api = brenvik::simboard::api;
using brenvik::test::require;
using brenvik::tool::parseAssignments;

constexpr std::uint64_t kBoard = 0xa551;
// Plays per input: enough for every mix of kinds, few enough to keep the runs fast.
constexpr std::size_t kMostPlays = 16;

void* shippedDesign = nullptr;

std::vector<std::string> splitArguments(std::string_view input) {
  std::vector<std::string> arguments;
  while (true) {
    const std::size_t end = input.find('\0');
    arguments.emplace_back(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  return arguments;
}

// A value the board accepted is shown as a text that it takes back unchanged.
void checkPlayed(const std::string& name) {
  static std::vector<char> shown(1 << 16);
  static std::vector<char> again(1 << 16);
  require(simboard_get(kBoard, name.c_str(), shown.data(), shown.size()) == SIMBOARD_OK);
  require(simboard_set(kBoard, name.c_str(), shown.data()) == SIMBOARD_OK);
  require(simboard_get(kBoard, name.c_str(), again.data(), again.size()) == SIMBOARD_OK);
  require(std::string_view(shown.data()) == std::string_view(again.data()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const auto& image = brenvik::resources::hardwareAppletImage;
  shippedDesign = api::openDesignImage(image.data, image.size);
  require(shippedDesign != nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> arguments =
      splitArguments(std::string_view(reinterpret_cast<const char*>(data), size));
  std::ostringstream err;
  const auto parsed = parseAssignments("set", arguments, err);

  std::size_t own = 0;
  while (own < arguments.size() && arguments[own] != "then") ++own;
  if (!parsed) {
    const std::string message = err.str();
    require(message.starts_with("brenvik set: ") && message.ends_with("\n"));
    return 0;
  }
  require(err.str().empty());
  require(!parsed->pairs.empty() && parsed->pairs.size() == own);
  for (std::size_t i = 0; i < own; ++i) {
    const auto& [name, value] = parsed->pairs[i];
    require(!name.empty() && name.find('=') == std::string::npos);
    require(name + "=" + value == arguments[i]);
  }
  if (own == arguments.size()) {
    require(parsed->then == nullptr && parsed->thenArguments.empty());
  } else {
    require(parsed->then != nullptr && parsed->then->name == arguments[own + 1]);
    require(parsed->then->name != "play");
    require(parsed->thenArguments ==
            std::vector<std::string>(arguments.begin() + static_cast<std::ptrdiff_t>(own + 2),
                                     arguments.end()));
  }

  // "play" hands each pair to the board as it is.
  void* runtime = api::initRuntime(kBoard, shippedDesign);
  require(runtime != nullptr);
  const std::size_t journal = simboard_journal_size(kBoard);
  for (std::size_t i = 0; i < parsed->pairs.size() && i < kMostPlays; ++i) {
    const auto& [name, value] = parsed->pairs[i];
    const std::int32_t result = simboard_set(kBoard, name.c_str(), value.c_str());
    require(result != SIMBOARD_INTERNAL_ERROR);
    if (result == SIMBOARD_OK) checkPlayed(name);
  }
  require(simboard_journal_size(kBoard) == journal);
  require(api::freeRuntime(runtime) == SIMBOARD_OK);
  return 0;
}
