// The Info queries as a table: what each checks, what it writes and what it returns.
#include "applet/Info.h"

#include <cstring>
#include <string>

#include "applet/AppletIdentity.h"
#include "applet/ProcessHandles.h"
#include "resources/EmbeddedBlock.h"
#include "runtime/ResultCodes.h"

namespace brenvik::info {

namespace {

enum class Check { kNone, kIndex1, kBothIndices };

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
  int code;
  int result;
  Check check;
  Output output;
};

constexpr Query kQueries[] = {
    {0x350, 0, Check::kNone, Output::kNone},
    {0x410, 0, Check::kNone, Output::kNone},
    {0x411, 0, Check::kNone, Output::kIcon},
    {0x412, 0, Check::kNone, Output::kImage},
    {0x413, 0, Check::kNone, Output::kFirstGuid},
    {0x414, 0, Check::kNone, Output::kSecondGuid},
    {0x415, 1, Check::kNone, Output::kNone},
    {0x700, 1, Check::kNone, Output::kNone},
    {0x750, 1, Check::kNone, Output::kNone},
    {0x760, 1, Check::kNone, Output::kNone},
    {0x800, 0x20001, Check::kNone, Output::kNone},
    {0x870, 0, Check::kNone, Output::kNone},
    {0x880, 29969, Check::kNone, Output::kNone},
    {0x890, 0, Check::kNone, Output::kNone},
    {0x900, 0, Check::kNone, Output::kZero32},
    {0xA00, 0, Check::kNone, Output::kNone},
    {0xB00, 1, Check::kNone, Output::kNone},
    {0xC00, 0, Check::kNone, Output::kNone},
    {0xD00, 0, Check::kNone, Output::kNone},
    {0x1000, 0, Check::kNone, Output::kDescription},
    {0x1010, 0, Check::kNone, Output::kFamily},
    {0x1020, 0, Check::kNone, Output::kProperties},
    {0x1030, 0, Check::kNone, Output::kLastBoard},
    {0x1040, 0, Check::kNone, Output::kLastApplet},
    {0x1050, 0, Check::kNone, Output::kAppletName},
    {0x1060, 0, Check::kNone, Output::kVersion},
    {0x1070, 0, Check::kNone, Output::kBuild},
    {0x1100, 0, Check::kNone, Output::kValueOfName},
    {0x1200, 1, Check::kNone, Output::kNone},
    {0x1210, 1, Check::kIndex1, Output::kNone},
    {0x1220, 1, Check::kIndex1, Output::kNone},
    {0x1230, 0, Check::kBothIndices, Output::kNone},
    {0x1240, 0, Check::kBothIndices, Output::kNone},
    {0x1250, 1, Check::kIndex1, Output::kNone},
    {0x1260, 9, Check::kIndex1, Output::kNone},
};

void store(void* location, std::uint64_t value) {
  if (location != nullptr) std::memcpy(location, &value, sizeof value);
}

void storePointer(void* location, const void* pointer) {
  store(location, reinterpret_cast<std::uintptr_t>(pointer));
}

void storeBlock(void* sizeOut, void* pointerOut, const resources::EmbeddedBlock& block) {
  store(sizeOut, block.size);
  storePointer(pointerOut, block.data);
}

int answer(const Query& q, void* out1, void* out2) {
  switch (q.output) {
    case Output::kNone: break;
    case Output::kIcon: storeBlock(out1, out2, resources::appletIcon); break;
    case Output::kImage: storeBlock(out1, out2, resources::hardwareAppletImage); break;
    case Output::kFirstGuid: storePointer(out2, identity::kFirstGuid); break;
    case Output::kSecondGuid: storePointer(out2, identity::kSecondGuid); break;
    case Output::kDescription: storePointer(out2, identity::kDescription); break;
    case Output::kFamily: storePointer(out2, identity::kFamily); break;
    case Output::kProperties: storePointer(out2, identity::kProperties); break;
    case Output::kAppletName: storePointer(out2, identity::kAppletName); break;
    case Output::kVersion: storePointer(out2, identity::kVersion); break;
    case Output::kBuild: storePointer(out2, identity::kBuild); break;
    case Output::kLastBoard: store(out1, lastBoardHandle()); break;
    case Output::kLastApplet: store(out1, lastAppletHandle()); break;
    case Output::kZero32:
      if (out1 != nullptr) {
        const std::int32_t zero = 0;
        std::memcpy(out1, &zero, sizeof zero);
      }
      break;
    case Output::kValueOfName: {
      if (out1 == nullptr) return codes::kInvalidParameter;
      const auto value = valueOfName(std::string(static_cast<const char*>(out1)));
      return value ? *value : codes::kInvalidParameter;
    }
  }
  return q.result;
}

}  // namespace

int query(int code, unsigned index1, unsigned index2, void* out1, void* out2) {
  for (const auto& q : kQueries) {
    if (q.code != code) continue;
    if (q.check == Check::kIndex1 && index1 != 0) return codes::kInvalidParameter;
    if (q.check == Check::kBothIndices && (index1 != 0 || index2 != 0)) {
      return codes::kInvalidParameter;
    }
    return answer(q, out1, out2);
  }
  return codes::kNotSupported;
}

}  // namespace brenvik::info
