// The Camera Link receiver, the acquisition time-out and the image selector: their setters.
#pragma once

#include <cstdint>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// Setters (value, reportErrors) of FG_CAMERA_LINK_CAMTYPE, FG_USEDVAL,
// FG_CAMERA_LINK_CORE_RESET, FG_TIMEOUT, FG_IMG_SELECT_PERIOD and FG_IMG_SELECT.
void setCameraLinkCamType(SetContext& context, std::int32_t camType, bool reportErrors);
void setUseDval(SetContext& context, std::int32_t useDval, bool reportErrors);
void setCameraLinkCoreReset(SetContext& context, std::uint32_t reset, bool reportErrors);
void setTimeout(SetContext& context, std::uint32_t timeout, bool reportErrors);
void setImageSelectPeriod(SetContext& context, std::uint32_t period, bool reportErrors);
void setImageSelect(SetContext& context, std::uint32_t selected, bool reportErrors);

inline constexpr std::array kCameraLinkParameters{
    writable<&setCameraLinkCamType>("FG_CAMERA_LINK_CAMTYPE"),
    writable<&setCameraLinkCoreReset>("FG_CAMERA_LINK_CORE_RESET"),
    writable<&setUseDval>("FG_USEDVAL"),
    writable<&setTimeout>("FG_TIMEOUT"),
    writable<&setImageSelectPeriod>("FG_IMG_SELECT_PERIOD"),
    writable<&setImageSelect>("FG_IMG_SELECT"),
};

}  // namespace brenvik::semantics
