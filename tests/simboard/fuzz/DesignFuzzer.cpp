// libFuzzer target for the board's design reader: any bytes as a hardware-applet image,
// opened the way the hardware-applet runtime opens it. A refused image names a line of the
// input and leaves no handle open. An accepted one describes registers and events whose names
// are taken from the input, loads onto a board, and every value the board then shows of its
// parameters and registers is one the board takes back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "runtime/ParameterRecord.h"
#include "simboard/BoardApi.h"
#include "simboard/control.h"

namespace {

namespace api = brenvik::simboard::api;
using brenvik::runtime::kKindCategory;
using brenvik::runtime::ParameterRecord;
using brenvik::test::require;

constexpr std::uint64_t kBoard = 0xf022;
constexpr std::size_t kMaxEvents = 64;

bool isNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// A design name: not empty, of name characters only, and written in the input.
void checkName(std::string_view input, const char* name) {
  require(name != nullptr);
  const std::string_view text(name);
  require(!text.empty() && std::all_of(text.begin(), text.end(), isNameCharacter));
  require(input.find(text) != std::string_view::npos);
}

std::string lastDesignError() {
  std::string text(4096, '\0');
  require(simboard_last_design_error(text.data(), text.size()) == SIMBOARD_OK);
  text.resize(text.find('\0'));
  return text;
}

// "line N: reason" with N a line of the input.
void checkRefusal(std::string_view input) {
  const std::string error = lastDesignError();
  require(error.starts_with("line "));
  const std::size_t colon = error.find(": ");
  require(colon != std::string::npos && colon > 5 && colon + 2 < error.size());
  const std::size_t line = std::strtoull(error.c_str() + 5, nullptr, 10);
  const auto lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
  require(line >= 1 && line <= lines);
}

// Reads a value as text, plays that text back and reads it again: the same text.
void checkRoundTrip(const std::string& name) {
  static std::vector<char> text(1 << 20);
  static std::vector<char> again(1 << 20);
  require(simboard_get(kBoard, name.c_str(), text.data(), text.size()) == SIMBOARD_OK);
  require(simboard_set(kBoard, name.c_str(), text.data()) == SIMBOARD_OK);
  require(simboard_get(kBoard, name.c_str(), again.data(), again.size()) == SIMBOARD_OK);
  require(std::string_view(text.data()) == std::string_view(again.data()));
}

void visitParameters(const ParameterRecord* record, int depth, std::size_t& visited) {
  require(record != nullptr && depth < 8 && ++visited < 100000);
  if (record->kind != kKindCategory) {
    checkRoundTrip(record->name);
    return;
  }
  require(record->data.category.childCount >= 0);
  for (std::int32_t i = 0; i < record->data.category.childCount; ++i) {
    visitParameters(record->data.category.children[i], depth + 1, visited);
  }
}

void checkDesign(std::string_view input, void* design) {
  const std::int32_t registers = api::registerCount(design);
  require(registers >= 0);
  std::set<std::uint32_t> ids;
  for (std::int32_t number = 1; number <= registers; ++number) {
    const char* name = api::registerName(design, number);
    checkName(input, name);
    const std::uint32_t id = api::registerId(design, name);
    require(id != 0 && ids.insert(id).second);
    const std::uint32_t width = api::registerWidth(design, id);
    require(width >= 1 && width <= 64);
  }
  require(api::registerName(design, registers + 1) == nullptr);

  std::set<std::string_view> events;
  std::uint32_t number = 0;
  for (; const auto* event = api::eventDescriptor(design, number); ++number) {
    require(number < kMaxEvents);
    checkName(input, event->name);
    require(events.insert(event->name).second);
  }

  // Whatever opens must load onto a board.
  void* runtime = api::initRuntime(kBoard, design);
  require(runtime != nullptr);
  std::size_t visited = 0;
  for (const ParameterRecord* root = api::parameterInfo(runtime, 0); root != nullptr;
       root = root->olderRoot) {
    visitParameters(root, 0, visited);
  }
  for (std::int32_t i = 1; i <= registers; ++i) {
    checkRoundTrip(std::string("register:") + api::registerName(design, i));
  }
  require(api::freeRuntime(runtime) == SIMBOARD_OK);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::int32_t openBefore = simboard_open_designs();
  const std::int32_t runtimesBefore = simboard_runtime_handles();
  void* design = api::openDesignImage(data, size);
  if (design == nullptr) {
    if (size != 0) checkRefusal(input);
  } else {
    require(lastDesignError().empty());
    checkDesign(input, design);
    api::closeDesign(design);
  }
  require(simboard_open_designs() == openBefore);
  require(simboard_runtime_handles() == runtimesBefore);
  return 0;
}
