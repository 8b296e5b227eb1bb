# Script mode: writes OUTPUT, a C++ source that embeds the bytes of INPUT as SYMBOL.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.
#include \"resources/EmbeddedBlock.h\"

namespace {
alignas(16) const unsigned char bytes[] = {
${bytes}
};
}  // namespace

namespace brenvik::resources {
const EmbeddedBlock ${SYMBOL}{${size}u, bytes};
}  // namespace brenvik::resources
")
