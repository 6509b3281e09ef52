// TIFF encoding through libtiff.
#pragma once

#include "EncoderParameters.h"
#include "EncoderPixels.h"
#include "EncoderSink.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

// One 32-bit RGBA image: 8 bits per sample, the fourth sample unassociated
// (straight) alpha, LZW with horizontal differencing, 96 dpi. The file is
// built in memory, since libtiff writes its directory last and patches the
// header, and then written to the sink in one piece. The TIFF encoder's own
// parameters (Compression, ColorDepth, SaveFlag) are not offered and, like
// every other parameter, are ignored.
Status EncodeTiff(const EncoderPixels& pixels, const EncoderParameters* params, EncoderSink& sink);

}  // namespace Gdiplus
