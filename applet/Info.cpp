// Info: finds the query in its table, checks its selectors and writes what the row says.
#include "applet/Info.h"

#include <cstring>
#include <string>

#include "applet/AppletIdentity.h"
#include "applet/InfoQueries.h"
#include "applet/ProcessHandles.h"
#include "resources/EmbeddedBlock.h"
#include "runtime/ResultCodes.h"

namespace brenvik::info {

namespace {

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
  const Query* q = findQuery(code);
  if (q == nullptr) return codes::kNotSupported;
  if (q->check == Check::kIndex1 && index1 != 0) return codes::kInvalidParameter;
  if (q->check == Check::kBothIndices && (index1 != 0 || index2 != 0)) {
    return codes::kInvalidParameter;
  }
  return answer(*q, out1, out2);
}

}  // namespace brenvik::info
