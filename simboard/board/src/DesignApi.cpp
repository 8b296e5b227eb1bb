// Opening designs and answering register and event questions about them (for molvrt).
#include <fstream>
#include <iterator>

#include "DesignParser.h"
#include "Guarded.h"
#include "Registry.h"
#include "simboard/BoardApi.h"

namespace brenvik::simboard::api {

namespace {

// Design files are small texts; anything bigger is not one of ours.
constexpr std::uint64_t kLargestDesign = 64ull << 20;

void* openParsed(std::string_view text) {
  ParseResult result = parseDesign(text);
  if (!result.design) {
    setLastDesignError(std::move(result.error));
    return nullptr;
  }
  void* handle = registerDesign(std::move(result.design));
  setLastDesignError({});
  return handle;
}

const RegisterDefinition* registerById(const Design& design, std::uint32_t id) {
  int index = design.registerIndexById(id);
  return index < 0 ? nullptr : &design.registers[static_cast<std::size_t>(index)];
}

}  // namespace

void* openDesignImage(const void* image, std::uint64_t size) noexcept {
  return guarded<void*>(nullptr, [&]() -> void* {
    if (image == nullptr || size == 0) {
      setLastDesignError("no image given");
      return nullptr;
    }
    if (size > kLargestDesign) {
      setLastDesignError("image larger than 64 MiB");
      return nullptr;
    }
    return openParsed(
        std::string_view(static_cast<const char*>(image), static_cast<std::size_t>(size)));
  });
}

void* openDesignFile(const char* path) noexcept {
  return guarded<void*>(nullptr, [&]() -> void* {
    if (path == nullptr) {
      setLastDesignError("no file name given");
      return nullptr;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      setLastDesignError(std::string("cannot open '") + path + "'");
      return nullptr;
    }
    std::string text;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
      text.append(buffer, static_cast<std::size_t>(file.gcount()));
      if (text.size() > kLargestDesign) {
        setLastDesignError(std::string("'") + path + "' is larger than 64 MiB");
        return nullptr;
      }
    }
    if (file.bad()) {
      setLastDesignError(std::string("cannot read '") + path + "'");
      return nullptr;
    }
    return openParsed(text);
  });
}

void closeDesign(void* design) noexcept {
  guarded<bool>(false, [&] { return removeDesign(design); });
}

std::int32_t registerCount(void* design) noexcept {
  return guarded<std::int32_t>(0, [&] {
    DesignPtr found = findDesign(design);
    return found ? static_cast<std::int32_t>(found->registers.size()) : 0;
  });
}

const char* registerName(void* design, std::int32_t number) noexcept {
  return guarded<const char*>(nullptr, [&]() -> const char* {
    DesignPtr found = findDesign(design);
    if (!found || number < 1 || static_cast<std::size_t>(number) > found->registers.size()) {
      return nullptr;
    }
    // The text lives as long as the design, which the open handle keeps.
    return found->registers[static_cast<std::size_t>(number - 1)].name.c_str();
  });
}

std::uint32_t registerId(void* design, const char* name) noexcept {
  return guarded<std::uint32_t>(0, [&]() -> std::uint32_t {
    DesignPtr found = findDesign(design);
    if (!found || name == nullptr) return 0;
    int index = found->registerIndexByName(name);
    return index < 0 ? 0 : found->registers[static_cast<std::size_t>(index)].id;
  });
}

std::uint32_t registerWidth(void* design, std::uint32_t id) noexcept {
  return guarded<std::uint32_t>(0, [&]() -> std::uint32_t {
    DesignPtr found = findDesign(design);
    const RegisterDefinition* definition = found ? registerById(*found, id) : nullptr;
    return definition != nullptr ? definition->width : 0;
  });
}

std::int32_t registerWritable(void* design, std::uint32_t id) noexcept {
  return guarded<std::int32_t>(0, [&]() -> std::int32_t {
    DesignPtr found = findDesign(design);
    const RegisterDefinition* definition = found ? registerById(*found, id) : nullptr;
    return definition != nullptr && definition->writable ? 1 : 0;
  });
}

const MolvrtEventDescriptor* eventDescriptor(void* design, std::uint32_t number) noexcept {
  return guarded<const MolvrtEventDescriptor*>(nullptr, [&]() -> const MolvrtEventDescriptor* {
    DesignPtr found = findDesign(design);
    return found ? found->eventDescriptor(number) : nullptr;
  });
}

}  // namespace brenvik::simboard::api
