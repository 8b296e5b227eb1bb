# Writes OUTPUT, a C++ source that holds the page's files as string literals for
# pageAssets(). Arguments: PAGE_DIR (the folder of index.html, style.css and app.js), OUTPUT.
set(assets "index.html|text/html" "style.css|text/css" "app.js|text/javascript")
set(definitions "")
set(table "")
set(number 0)
foreach(asset IN LISTS assets)
  string(REPLACE "|" ";" parts "${asset}")
  list(GET parts 0 file)
  list(GET parts 1 type)
  file(READ ${PAGE_DIR}/${file} hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
  string(APPEND definitions "constexpr char kAsset${number}[] = \"${escaped}\";\n")
  string(APPEND table
         "    {\"/${file}\", \"${type}; charset=utf-8\", {kAsset${number}, ${size}}},\n")
  math(EXPR number "${number} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from the page's files; do not edit.
#include \"tools/brenvik/serve/PageAssets.h\"

namespace brenvik::tool::serve {
namespace {
${definitions}
constexpr PageAsset kAssets[] = {
${table}};
}  // namespace

std::span<const PageAsset> pageAssets() { return kAssets; }

}  // namespace brenvik::tool::serve
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
