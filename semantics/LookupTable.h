// The lookup table and the processing that computes it: its setters and the lookup-table file
// parameters.
#pragma once

#include <array>
#include <cstdint>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// Setters (value, reportErrors) of FG_LUT_TYPE and the four processing parameters.
void setLutType(SetContext& context, std::int32_t type, bool reportErrors);
void setProcessingOffset(SetContext& context, double offset, bool reportErrors);
void setProcessingGain(SetContext& context, double gain, bool reportErrors);
void setProcessingGamma(SetContext& context, double gamma, bool reportErrors);
void setProcessingInvert(SetContext& context, std::int32_t invert, bool reportErrors);

// FG_LUT_VALUE: one entry as the pair {value, index}, or with type 4096 a range through
// FieldParameterAccess.
void setLutValue(SetContext& context, const void* value, std::int32_t type, bool reportErrors);

// FG_LUT_CUSTOM_FILE loads the named file while the type is LUT_TYPE_CUSTOM; FG_LUT_SAVE_FILE
// writes the current table to the named file. An empty name does nothing.
void setLutCustomFile(SetContext& context, const char* name, bool reportErrors);
void setLutSaveFile(SetContext& context, const char* name, bool reportErrors);

// Loads the table from the current custom file into the cache and the hardware, when the type
// is LUT_TYPE_CUSTOM and a name is set: -2076 for a missing file, -5001 for one that does not
// read, the runtime's code for a failed write.
void loadCustomTable(SetContext& context);

inline constexpr std::array kLookupTableParameters{
    writable<&setLutType>("FG_LUT_TYPE"),
    writable<&setProcessingOffset>("FG_PROCESSING_OFFSET"),
    writable<&setProcessingGain>("FG_PROCESSING_GAIN"),
    writable<&setProcessingGamma>("FG_PROCESSING_GAMMA"),
    writable<&setProcessingInvert>("FG_PROCESSING_INVERT"),
    writableAs("FG_LUT_VALUE", SetForm::kUnsigned32, &setLutValue),
    writable<&setLutCustomFile>("FG_LUT_CUSTOM_FILE"),
    writable<&setLutSaveFile>("FG_LUT_SAVE_FILE"),
};

}  // namespace brenvik::semantics
