// The front end's page (HTML, style and script), embedded in the program at build time.
#pragma once

#include <span>
#include <string_view>

namespace brenvik::tool::serve {

struct PageAsset {
  std::string_view path;  // "/index.html", "/app.js", …
  std::string_view type;  // its content type
  std::string_view body;
};

std::span<const PageAsset> pageAssets();

}  // namespace brenvik::tool::serve
