// Descriptions of the installed image encoders, laid out as GDI+'s
// ImageCodecInfo, and the two calls that hand them out.
#pragma once

#include "GdiplusTypes.h"
#include "windef.h"

namespace Gdiplus {

enum ImageCodecFlags : DWORD {
  ImageCodecFlagsEncoder = 0x00000001,
  ImageCodecFlagsDecoder = 0x00000002,
  ImageCodecFlagsSupportBitmap = 0x00000004,
  ImageCodecFlagsSupportVector = 0x00000008,
  ImageCodecFlagsSeekableEncode = 0x00000010,
  ImageCodecFlagsBlockingDecode = 0x00000020,
  ImageCodecFlagsBuiltin = 0x00010000,
  ImageCodecFlagsSystem = 0x00020000,
  ImageCodecFlagsUser = 0x00040000,
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  // SigCount patterns of SigSize bytes each; a file matches a pattern where
  // its leading bytes agree with it under the mask.
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

// The number of encoders and the bytes GetImageEncoders needs for them: the
// descriptions followed by the strings and signature bytes they point at.
Status GetImageEncodersSize(UINT* numEncoders, UINT* size);

// Fills encoders, a buffer of size bytes, with numEncoders descriptions (in
// the order bmp, jpeg, gif, tiff, png) and the data they point into.
// numEncoders other than the installed count gives GenericError; a buffer
// smaller than GetImageEncodersSize's size gives InsufficientBuffer.
Status GetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);

}  // namespace Gdiplus
