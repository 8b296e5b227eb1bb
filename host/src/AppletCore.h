// The state behind an Applet: the module's exports, the applet's handle structure, the
// catalogue of its parameters, and the current acquisition.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "ExportTable.h"
#include "brenvik/Applet.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::detail {

// One parameter as the applet lists it, with what is fixed for the applet's life.
struct CatalogueEntry {
  std::string name;
  std::string sdkText;
  const runtime::ParameterRecord* record = nullptr;  // its description record, if any
  std::string category;                              // the record's category path
  ParameterHandle handle;
  bool listedId = true;        // the applet lists the entry with its id
  bool sdk = false;            // a parameter of the SDK table (not a register or hardware entry)
  bool tableReadOnly = false;  // refused by every set, by the SDK table's read-only list
};

class AcquisitionState;

struct AppletCore {
  std::shared_ptr<Module> module;
  const ExportTable* exports = nullptr;
  AppletHandle handle{nullptr};
  std::uint64_t board = 0;

  std::vector<CatalogueEntry> entries;
  std::map<std::string, std::uint32_t, std::less<>> byName;
  std::vector<std::pair<std::int32_t, std::uint32_t>> byId;  // sorted by id
  std::vector<std::uint32_t> treeOrder;  // described entries in the description tree's order

  // Taken by every set and every reading of description records, which sets rewrite.
  mutable std::mutex describeLock;

  std::mutex acquisitionLock;                     // guards `acquisition` and `lastLost`
  std::shared_ptr<AcquisitionState> acquisition;  // the running acquisition, if any
  std::int64_t lastLost = 0;                      // lost pictures of the last one stopped
  // A wait for a frame sleeps in short slices on `wake`, which cancel() rings.
  std::atomic<bool> cancelRequested{false};
  std::mutex waitLock;
  std::condition_variable wake;

  // The live handle structure; Error (kClosed) once the applet is closed.
  AppletHandle* live() {
    if (handle.applet == nullptr) throwClosed();
    return &handle;
  }
  [[noreturn]] static void throwClosed();

  // The entry of a handle this applet gave out; Error (kUnknownName) for any other.
  const CatalogueEntry& entry(const ParameterHandle& parameter) const;
  const CatalogueEntry* find(std::string_view name) const;
  const CatalogueEntry* find(std::int32_t id) const;
};

// Fills the catalogue of a freshly created applet.
void buildCatalogue(AppletCore& core);

// The parameter as its record describes it now (the caller holds describeLock).
ParameterInfo describe(const CatalogueEntry& entry);

// Description texts are Latin-1 (the micro sign of "µs" is one byte); callers get UTF-8.
// A null text gives an empty one.
std::string utf8(const char* latin1);

}  // namespace brenvik::detail
