// Helpers of the description tests.
#include "DescriptionTestSupport.h"

#include "BoardJournal.h"
#include "runtime/HardwareAppletRuntime.h"

extern "C" {
void* Fg_InitHandleSlaveAware(const char* hapName, std::uint64_t board, void* hapHandle,
                              std::uint32_t flags);
int Fg_getParameterIdByName(void* runtime, const char* name);
const char* Fg_getParameterInfo(void* runtime, int port);
int Fg_FreeGrabber(void* runtime);
}

namespace brenvik::description::test {

const ParameterRecord* child(const ParameterRecord* category, std::string_view displayName) {
  if (category == nullptr) return nullptr;
  for (std::int32_t i = 0; i < category->data.category.childCount; ++i) {
    const ParameterRecord* record = category->data.category.children[i];
    if (record->displayName != nullptr && record->displayName == displayName) return record;
  }
  return nullptr;
}

std::vector<std::string> childNames(const ParameterRecord* category) {
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < category->data.category.childCount; ++i) {
    names.emplace_back(category->data.category.children[i]->displayName);
  }
  return names;
}

std::vector<std::string> rootNames(const ParameterRecord* newest) {
  std::vector<std::string> names;
  for (const ParameterRecord* root = newest; root != nullptr; root = root->olderRoot) {
    names.emplace_back(root->displayName);
  }
  return names;
}

std::string smallDesign() {
  return R"(VHAP 1
applet "Small"
applet-id 7
version "1.0"
parameter Device1_Process0_Block_Count u32 rw 5 min 1 max 100
parameter Device1_Process0_Block_Offset i32 rw -3
parameter Device1_Process0_Other_Big u64 rw 3
parameter Device1_Process0_Other_Signed i64 rw -1
parameter Device1_Process0_Other_Gain f64 rw 0.5 min -1 max 1
parameter Device1_Process0_Text_Name str rw "hello"
parameter Device1_Process0_Table_Values u32[8] rw 0 max 1000
parameter Device1_Process1_Status_Level u32 ro 9
register Bit 0x20 1 rw
register Flag 0x21 1 ro
register Word 0x30 32 ro 0x12345678
register Wide 0x40 40 rw
register Full 0x41 64 rw
)";
}

SimulatedRuntime::SimulatedRuntime(const std::string& design) : image_(design) {
  hap_ = Molvrt_OpenImage(image_.data(), image_.size(), 1);
  if (hap_ != nullptr) {
    runtime_ = Fg_InitHandleSlaveAware("Small.hap", brenvik::test::freshBoard(), hap_, 0);
  }
}

SimulatedRuntime::~SimulatedRuntime() {
  if (runtime_ != nullptr) Fg_FreeGrabber(runtime_);
  if (hap_ != nullptr) Molvrt_Close(hap_);
}

const ParameterRecord* SimulatedRuntime::tree() const {
  if (runtime_ == nullptr) return nullptr;
  return reinterpret_cast<const ParameterRecord*>(Fg_getParameterInfo(runtime_, 0));
}

std::int32_t SimulatedRuntime::id(const char* name) const {
  return Fg_getParameterIdByName(runtime_, name);
}

}  // namespace brenvik::description::test
