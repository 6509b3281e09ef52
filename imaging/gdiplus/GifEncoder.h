// GIF encoding through giflib.
#pragma once

#include "EncoderParameters.h"
#include "EncoderPixels.h"
#include "EncoderSink.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

// One GIF89a image, 8 bits per pixel at most, under a global colour table
// (see EncoderPalette for how it is chosen). Transparency is not kept: every
// pixel is written with its stored colour. GIF takes no encoder parameters;
// any given are ignored.
Status EncodeGif(const EncoderPixels& pixels, const EncoderParameters* params, EncoderSink& sink);

}  // namespace Gdiplus
