// JPEG (JFIF) encoding through libjpeg-turbo.
#pragma once

#include "EncoderParameters.h"
#include "EncoderPixels.h"
#include "EncoderSink.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

// Baseline JFIF, YCbCr with 4:2:0 chroma, 96 dpi. Alpha is dropped and each
// pixel's stored colour kept, so transparent black becomes black. Honours
// EncoderQuality (0 to 100, default 75; anything else is InvalidParameter)
// and ignores every other parameter.
Status EncodeJpeg(const EncoderPixels& pixels, const EncoderParameters* params, EncoderSink& sink);

}  // namespace Gdiplus
