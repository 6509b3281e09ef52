// Windows BMP encoding.
#pragma once

#include "EncoderParameters.h"
#include "EncoderPixels.h"
#include "EncoderSink.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

// 32 bits per pixel, BI_RGB, rows bottom-up behind a 14-byte file header and
// a 40-byte BITMAPINFOHEADER, 96 dpi. The alpha bytes are written as stored,
// though readers of BI_RGB treat them as padding. BMP takes no encoder
// parameters; any given are ignored.
Status EncodeBmp(const EncoderPixels& pixels, const EncoderParameters* params, EncoderSink& sink);

}  // namespace Gdiplus
