// PNG encoding: the chunks written here, the pixel data compressed by
// DeflatePixelRows or by libdeflate.
#pragma once

#include "EncoderParameters.h"
#include "EncoderPixels.h"
#include "EncoderSink.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

// 8-bit RGBA with straight alpha, never indexed, with a 96 dpi pHYs chunk.
// PNG takes no encoder parameters; any given are ignored.
Status EncodePng(const EncoderPixels& pixels, const EncoderParameters* params, EncoderSink& sink);

}  // namespace Gdiplus
