#include "ImageCodecInfo.h"

#include <cstring>
#include <limits>

#include "ImageCodecTable.h"

namespace Gdiplus {

namespace {

std::size_t StringBytes(std::u16string_view text) {
  return (text.size() + 1) * sizeof(WCHAR);
}

std::size_t SignatureBytes(const BuiltinEncoder& encoder) {
  return std::size_t(encoder.signatureCount) * encoder.signatureSize;
}

// Descriptions first, then every string, then every signature and mask, so
// that the strings stay aligned for WCHAR whatever the signature sizes.
std::size_t PackedSize() {
  std::size_t size = BuiltinEncoders().size() * sizeof(ImageCodecInfo);
  for (const BuiltinEncoder& encoder : BuiltinEncoders()) {
    size += StringBytes(encoder.codecName) + StringBytes(encoder.formatDescription) +
            StringBytes(encoder.filenameExtension) + StringBytes(encoder.mimeType) +
            2 * SignatureBytes(encoder);
  }
  return size;
}

class PackedWriter {
 public:
  explicit PackedWriter(BYTE* at) : at_(at) {}

  const WCHAR* String(std::u16string_view text) {
    auto* start = reinterpret_cast<WCHAR*>(at_);
    std::memcpy(start, text.data(), text.size() * sizeof(WCHAR));
    start[text.size()] = u'\0';
    at_ += StringBytes(text);
    return start;
  }

  const BYTE* Bytes(const BYTE* data, std::size_t size) {
    BYTE* start = at_;
    std::memcpy(start, data, size);
    at_ += size;
    return start;
  }

 private:
  BYTE* at_;
};

}  // namespace

Status GetImageEncodersSize(UINT* numEncoders, UINT* size) {
  if (!numEncoders || !size) return InvalidParameter;
  static_assert(sizeof(ImageCodecInfo) * 5 < std::numeric_limits<UINT>::max() / 2);
  *numEncoders = UINT(BuiltinEncoders().size());
  *size = UINT(PackedSize());
  return Ok;
}

Status GetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders) {
  if (!encoders) return InvalidParameter;
  const std::span<const BuiltinEncoder> table = BuiltinEncoders();
  if (numEncoders != table.size()) return GenericError;
  if (size < PackedSize()) return InsufficientBuffer;

  PackedWriter packed(reinterpret_cast<BYTE*>(encoders) + table.size() * sizeof(ImageCodecInfo));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const BuiltinEncoder& encoder = table[i];
    ImageCodecInfo& info = encoders[i];
    info = ImageCodecInfo{};
    info.Clsid = encoder.clsid;
    info.FormatID = encoder.formatId;
    info.CodecName = packed.String(encoder.codecName);
    info.DllName = nullptr;  // built into this library
    info.FormatDescription = packed.String(encoder.formatDescription);
    info.FilenameExtension = packed.String(encoder.filenameExtension);
    info.MimeType = packed.String(encoder.mimeType);
    info.Flags = kBuiltinEncoderFlags;
    info.Version = kBuiltinEncoderVersion;
    info.SigCount = encoder.signatureCount;
    info.SigSize = encoder.signatureSize;
  }
  for (std::size_t i = 0; i < table.size(); ++i) {
    const BuiltinEncoder& encoder = table[i];
    encoders[i].SigPattern = packed.Bytes(encoder.signaturePattern, SignatureBytes(encoder));
    encoders[i].SigMask = packed.Bytes(encoder.signatureMask, SignatureBytes(encoder));
  }
  return Ok;
}

}  // namespace Gdiplus
