// The queries of the Info export as data: each query's code and name, what it checks, what it
// writes and what it returns. Info answers from this table; the tool prints the answers by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "runtime/HardwareAppletRuntime.h"

namespace brenvik::info {

// Selectors a query insists on being 0.
enum class Check { kNone, kIndex1, kBothIndices };

// What a query writes besides its result.
enum class Output {
  kNone,
  kIcon,          // out1 = size, out2 = pointer
  kImage,         // out1 = size, out2 = pointer
  kFirstGuid,     // out2 = text pointer (likewise for the texts below)
  kSecondGuid,
  kDescription,
  kFamily,
  kProperties,
  kAppletName,
  kVersion,
  kBuild,
  kLastBoard,     // out1 = value
  kLastApplet,    // out1 = value
  kZero32,        // the 32-bit location at out1 = 0
  kValueOfName,   // reads the name at out1; the result is its number
};

struct Query {
  std::int32_t code;
  const char* name;
  std::int32_t result;
  Check check = Check::kNone;
  Output output = Output::kNone;
};

// Names: the meaning where the applet knows it, else the answer's shape numbered in code order.
// clang-format off
inline constexpr Query kQueries[] = {
    {0x350,  "constant 1",               0},
    {0x410,  "constant 2",               0},
    {0x411,  "icon",                     0, Check::kNone, Output::kIcon},
    {0x412,  "hardware applet image",    0, Check::kNone, Output::kImage},
    {0x413,  "first identifier",         0, Check::kNone, Output::kFirstGuid},
    {0x414,  "second identifier",        0, Check::kNone, Output::kSecondGuid},
    {0x415,  "constant 3",               1},
    {0x700,  "constant 4",               1},
    {0x750,  "constant 5",               1},
    {0x760,  "constant 6",               1},
    {0x800,  "constant 7",               0x20001},
    {0x870,  "constant 8",               0},
    {0x880,  "hap file open constant",   static_cast<std::int32_t>(kMolvrtOpenFileConstant)},
    {0x890,  "constant 9",               0},
    {0x900,  "zeroed word",              0, Check::kNone, Output::kZero32},
    {0xA00,  "constant 10",              0},
    {0xB00,  "constant 11",              1},
    {0xC00,  "constant 12",              0},
    {0xD00,  "constant 13",              0},
    {0x1000, "description",              0, Check::kNone, Output::kDescription},
    {0x1010, "family",                   0, Check::kNone, Output::kFamily},
    {0x1020, "properties",               0, Check::kNone, Output::kProperties},
    {0x1030, "last board handle",        0, Check::kNone, Output::kLastBoard},
    {0x1040, "last applet handle",       0, Check::kNone, Output::kLastApplet},
    {0x1050, "applet name",              0, Check::kNone, Output::kAppletName},
    {0x1060, "version",                  0, Check::kNone, Output::kVersion},
    {0x1070, "build",                    0, Check::kNone, Output::kBuild},
    {0x1100, "value of name",            0, Check::kNone, Output::kValueOfName},
    {0x1200, "constant 14",              1},
    {0x1210, "count per index 1",        1, Check::kIndex1},
    {0x1220, "count per index 2",        1, Check::kIndex1},
    {0x1230, "count per index pair 1",   0, Check::kBothIndices},
    {0x1240, "count per index pair 2",   0, Check::kBothIndices},
    {0x1250, "count per index 3",        1, Check::kIndex1},
    {0x1260, "count per index 4",        9, Check::kIndex1},
};
// clang-format on

// The query of a code, or null.
constexpr const Query* findQuery(std::int32_t code) {
  for (const Query& query : kQueries) {
    if (query.code == code) return &query;
  }
  return nullptr;
}

// The query of a name written in code, found while compiling; an unknown name does not compile.
consteval const Query& namedQuery(std::string_view name) {
  for (const Query& query : kQueries) {
    if (name == query.name) return query;
  }
  throw "no Info query of this name";
}

namespace detail {

// Codes ascend, so each is there once, and no two queries share a name.
consteval bool codesAscendAndNamesDiffer() {
  for (std::size_t i = 0; i < std::size(kQueries); ++i) {
    if (i > 0 && kQueries[i - 1].code >= kQueries[i].code) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (std::string_view(kQueries[i].name) == kQueries[j].name) return false;
    }
  }
  return true;
}

}  // namespace detail

static_assert(detail::codesAscendAndNamesDiffer(), "Info queries: a code or a name twice");

}  // namespace brenvik::info
