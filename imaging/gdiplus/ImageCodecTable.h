// The built-in encoders: what GetImageEncoders tells about each, and the
// function that writes the format. Adding a format is one entry in the table.
#pragma once

#include <span>
#include <string_view>

#include "EncoderParameters.h"
#include "EncoderPixels.h"
#include "EncoderSink.h"
#include "GdiplusTypes.h"
#include "ImageCodecInfo.h"
#include "windef.h"

namespace Gdiplus {

using EncodeFunction = Status (*)(const EncoderPixels& pixels, const EncoderParameters* params,
                                  EncoderSink& sink);

struct BuiltinEncoder {
  CLSID clsid;
  GUID formatId;
  std::u16string_view codecName;
  std::u16string_view formatDescription;
  std::u16string_view filenameExtension;
  std::u16string_view mimeType;
  // signatureCount patterns of signatureSize bytes, and as many mask bytes.
  DWORD signatureCount;
  DWORD signatureSize;
  const BYTE* signaturePattern;
  const BYTE* signatureMask;
  EncodeFunction encode;
};

// Built-in codecs are version 1 and encode bitmaps; this layer decodes none.
inline constexpr DWORD kBuiltinEncoderVersion = 1;
inline constexpr DWORD kBuiltinEncoderFlags =
    ImageCodecFlagsEncoder | ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin;

std::span<const BuiltinEncoder> BuiltinEncoders();

// The encoder with this class identifier, or nullptr.
const BuiltinEncoder* FindBuiltinEncoder(const CLSID& clsid);

}  // namespace Gdiplus
