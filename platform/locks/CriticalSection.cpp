// CriticalSection: construction over an own or borrowed native section, and the primitives.
#include "platform/locks/CriticalSection.h"

namespace vurn::templates::platform {

CriticalSection::CriticalSection() : borrowed_(false), own_(std::in_place), section_(&*own_) {}

CriticalSection::CriticalSection(::brenvik::platform::NativeCriticalSection& borrowed)
    : borrowed_(true), section_(&borrowed) {}

CriticalSection::~CriticalSection() noexcept(false) {
  if (!borrowed_) {
    if (isHeld()) own_->leave();
    own_.reset();
  }
  section_ = nullptr;
}

}  // namespace vurn::templates::platform
