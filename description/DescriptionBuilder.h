// Builds the description of port 0 from the description rows, the hardware applet's
// registers and the SDK runtime's own parameter tree.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "description/ParameterDescriptionTree.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::description {

// Direct hardware-parameter entries: "DTOLQA_" name to parameter id.
using DirectParameterIds = std::map<std::string, std::int32_t, std::less<>>;

// Everything the description of a port is built from.
struct DescriptionSources {
  ParameterDescriptionTree& tree;
  DescriptionNodes& nodes;  // filled with every SDK and register record, by id
  bool draEnabled = false;
  void* hapHandle = nullptr;  // the hardware-applet handle, asked for its registers
  const runtime::ParameterRecord* runtimeTree = nullptr;  // the SDK runtime's newest root
  const DirectParameterIds& directParameters;
};

// The described port, and the id bands of the direct-access records.
inline constexpr std::int32_t kDescribedPort = 0;
inline constexpr std::int32_t kRegisterIdBase = 1000000;
inline constexpr std::int32_t kDirectParameterIdBase = 2000000;

inline constexpr const char* kRegisterCategory = "Direct Register Access";
inline constexpr const char* kDirectParameterCategory = "Direct Tolq Access";

// The whole port: the SDK categories and parameters, then "Direct Register Access" when
// direct register access is on, then "Direct Tolq Access" when there are direct entries.
void buildPortDescription(const DescriptionSources& sources);

// The parts of buildPortDescription, each adding its root categories to port 0.
void buildSdkDescription(ParameterDescriptionTree& tree, DescriptionNodes& nodes);
void buildRegisterDescription(ParameterDescriptionTree& tree, DescriptionNodes& nodes,
                              void* hapHandle);
void buildDirectParameterDescription(ParameterDescriptionTree& tree,
                                     const runtime::ParameterRecord* runtimeTree,
                                     const DirectParameterIds& directParameters);

}  // namespace brenvik::description
