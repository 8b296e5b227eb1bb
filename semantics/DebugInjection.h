// Debug image injection: the setters of the debug parameters on the discovered debug points.
#pragma once

#include <array>
#include <cstdint>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// Setters (value, reportErrors) of the writable debug parameters. Each acts on the selected
// point through its hardware parameters; a failing access gives -2031.
void setDebugFile(SetContext& context, const char* file, bool reportErrors);
void setDebugSource(SetContext& context, std::uint32_t index, bool reportErrors);
void setDebugInputEnable(SetContext& context, std::uint32_t enable, bool reportErrors);
void setDebugInsert(SetContext& context, std::uint32_t insert, bool reportErrors);
void setDebugOutputEnable(SetContext& context, std::uint32_t enable, bool reportErrors);
void setDebugWritePixel(SetContext& context, std::uint64_t pixel, bool reportErrors);
void setDebugWriteFlag(SetContext& context, std::uint32_t flag, bool reportErrors);
void setDebugSaveConfig(SetContext& context, const char* file, bool reportErrors);

inline constexpr std::array kDebugParameters{
    writable<&setDebugFile>("FG_DEBUGFILE"),
    writable<&setDebugSource>("FG_DEBUGSOURCE"),
    writable<&setDebugInputEnable>("FG_DEBUGINENABLE"),
    writable<&setDebugInsert>("FG_DEBUGINSERT"),
    writable<&setDebugOutputEnable>("FG_DEBUGOUTENABLE"),
    writable<&setDebugWritePixel>("FG_DEBUGWRITEPIXEL"),
    writable<&setDebugWriteFlag>("FG_DEBUGWRITEFLAG"),
    writable<&setDebugSaveConfig>("FG_DEBUGSAVECONFIG"),
};

}  // namespace brenvik::semantics
