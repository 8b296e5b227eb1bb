// The lookup table as the get path reads it: one entry, or a range of entries in any element
// width.
#include <cstring>

#include "parameters/Getters.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters::getters {

// One entry as {value, index}, or a range through FieldParameterAccess with type 4096.
void lutValue(const Getter&, GetContext& context, const GetRequest& request) {
  const auto& table = context.values.lut.table;
  if (request.type != runtime::kTypeField) {
    runtime::LutEntry entry{};
    std::memcpy(&entry, request.value, sizeof entry);
    if (entry.index >= kLutSize) codes::raise(codes::kInvalidParameter);
    put(request.value, table[entry.index]);
    return;
  }
  runtime::FieldParameterAccess access{};
  std::memcpy(&access, request.value, sizeof access);
  if (access.index >= kLutSize || access.count > kLutSize ||
      access.index > kLutSize - access.count) {
    codes::raise(codes::kInvalidParameter);
  }
  // 64-bit and double elements receive the 32-bit entries widened; any other element type
  // receives nothing, and the get succeeds.
  if (access.valueType < 1 || access.valueType > 5) return;
  if (access.count > 0 && access.values == nullptr) codes::raise(codes::kInvalidParameter);
  auto* destination = static_cast<unsigned char*>(access.values);
  for (std::uint32_t i = 0; i < access.count; ++i) {
    const std::uint32_t entry = table[access.index + i];
    if (access.valueType <= 2) {
      put(destination + i * sizeof(std::uint32_t), entry);
    } else if (access.valueType <= 4) {
      put(destination + i * sizeof(std::uint64_t), std::uint64_t{entry});
    } else {
      put(destination + i * sizeof(double), static_cast<double>(entry));
    }
  }
}

}  // namespace brenvik::parameters::getters
