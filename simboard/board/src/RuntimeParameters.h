// The runtime's own parameters: a fixed table of ids and SDK names, and their values.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace brenvik::simboard {

enum class RuntimeSource : std::uint8_t {
  Stored,          // a value the board keeps
  TransferLength,  // bytes of the last transferred picture
  DmaStatus,       // 1 while an acquisition runs
};

struct RuntimeParameterRow {
  std::int32_t id;
  const char* name;
  bool writable;  // through the runtime; the control interface sets every stored one
  std::uint32_t initial;
  RuntimeSource source;
};

// Camera status bits: 0 pixel clock, 1 line valid, 2 frame valid (a running camera).
inline constexpr std::array<RuntimeParameterRow, 9> kRuntimeParameters{{
    {600, "FG_TIMEOUT", true, 1000000, RuntimeSource::Stored},
    {601, "FG_APC_STOP_TIMEOUT", false, 10, RuntimeSource::Stored},
    {2050, "FG_CAMSTATUS_EXTENDED", false, 0x7, RuntimeSource::Stored},
    {3050, "FG_NR_OF_DMAS", false, 1, RuntimeSource::Stored},
    {3060, "FG_NR_OF_CAMS", false, 1, RuntimeSource::Stored},
    {3080, "FG_DMA_PORT", false, 0, RuntimeSource::Stored},
    {3090, "FG_CAM_PORT", false, 0, RuntimeSource::Stored},
    {5210, "FG_TRANSFER_LEN", false, 0, RuntimeSource::TransferLength},
    {24092, "FG_DMASTATUS", false, 0, RuntimeSource::DmaStatus},
}};

constexpr std::size_t runtimeParameterCount() { return kRuntimeParameters.size(); }
int runtimeParameterIndexById(std::int32_t id);
int runtimeParameterIndexByName(std::string_view name);

// Every code 2, 3, 4 and 5 carries a runtime parameter's value; a written value must be a
// whole number from 0 to 2^32 - 1.
std::int32_t readRuntimeValue(std::uint64_t value, void* out, std::int32_t type);
std::int32_t writeRuntimeValue(const void* value, std::int32_t type, std::uint32_t& result);

class RuntimeParameters {
 public:
  RuntimeParameters() { reset(); }
  void reset();
  std::uint32_t stored(std::size_t index) const { return values_[index]; }
  void store(std::size_t index, std::uint32_t value) { values_[index] = value; }

 private:
  std::array<std::uint32_t, kRuntimeParameters.size()> values_{};
};

}  // namespace brenvik::simboard
