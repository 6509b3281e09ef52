// The demo page's files, built into the binary.
#pragma once

#include <string_view>

namespace glyphward_service {

struct DemoAsset {
  std::string_view path;  // as requested, e.g. "/demo.js"
  std::string_view contentType;
  std::string_view bytes;
};

// The asset served at `path`, or nullptr.
const DemoAsset* FindDemoAsset(std::string_view path);

}  // namespace glyphward_service
