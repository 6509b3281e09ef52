// `glyphward gallery`: one picture of every style, as PNG and JPEG,
// with a page that shows them side by side.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "CaptchaClient.h"

namespace glyphward_cli {

struct GallerySettings {
  std::string folder;
  std::optional<std::int32_t> width, height;
  std::string code;  // empty: one new code, the same for every style
  std::int32_t seed = 1;
};

// Writes the pictures and DIR/index.html. Every style starts from the same
// engine state, so each style's pictures depend on the seed alone.
void WriteGallery(CaptchaClient& client, const GallerySettings& settings);

}  // namespace glyphward_cli
