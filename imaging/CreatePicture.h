// A code drawn in a style and encoded in a format, as bytes in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ImageGenerator.h"
#include "windef.h"

namespace MirelGlyphward {

// Draws `text` in `style` on a bitmap of `size`, encodes it as `format`
// ("JPEG", "BMP", "GIF", "TIFF" or "PNG", compared exactly) and replaces
// `bytes` and `count` with the result. Failures raise a message text.
void CreatePicture(const std::string& text, PictureSize size, std::int32_t style,
                   const std::string& format, std::shared_ptr<unsigned char[]>& bytes,
                   std::int32_t& count);

// The index of the first encoder whose MIME type is `mimeType`, with its class
// identifier in `clsid`; -1 when there is none.
int GetEncoderClsid(const char16_t* mimeType, CLSID* clsid);

}  // namespace MirelGlyphward
