// Encoding an image into a stream, as GdipSaveImageToStream does.
#pragma once

#include "EncoderParameters.h"
#include "GdiplusTypes.h"
#include "Image.h"
#include "objidl.h"
#include "windef.h"

namespace Gdiplus {

// Writes the image at the stream's current position with the encoder whose
// class identifier is clsidEncoder (see GetImageEncoders). Parameters the
// encoder does not take are ignored; params may be null.
//
// InvalidParameter: a null image, stream or class identifier, a bitmap
// without pixels, or a bad value for a parameter the encoder takes.
// UnknownImageFormat: no encoder has that class identifier. WrongState: the
// bitmap is locked. ValueOverflow: the picture is too large for the format.
// Win32Error: the stream refused a write (what was written stays).
Status SaveImageToStream(Image* image, IStream* stream, const CLSID* clsidEncoder,
                         const EncoderParameters* params);

}  // namespace Gdiplus
