#include "CreatePicture.h"

#include <cstring>
#include <new>
#include <vector>

#include "EncoderParameters.h"
#include "ImageCodecInfo.h"
#include "SaveImage.h"
#include "objidl.h"

namespace MirelGlyphward {
namespace {

struct FormatRow {
  const char* name;
  const char16_t* mimeType;
};

constexpr FormatRow kFormats[] = {
    {"JPEG", u"image/jpeg"}, {"BMP", u"image/bmp"}, {"GIF", u"image/gif"},
    {"TIFF", u"image/tiff"}, {"PNG", u"image/png"},
};

// Releases the memory stream on every path out of picture creation.
class StreamHolder {
 public:
  ~StreamHolder() {
    if (stream) stream->Release();
  }
  IStream* stream = nullptr;
};

bool SameWide(const char16_t* a, const char16_t* b) {
  if (!a || !b) return false;
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

}  // namespace

int GetEncoderClsid(const char16_t* mimeType, CLSID* clsid) {
  Gdiplus::UINT num = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&num, &size);
  if (size == 0) return -1;
  std::unique_ptr<unsigned char[]> storage(new (std::nothrow) unsigned char[size]);
  if (!storage) return -1;
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.get());
  if (Gdiplus::GetImageEncoders(num, size, codecs) != Gdiplus::Ok) return -1;
  for (Gdiplus::UINT j = 0; j < num; ++j) {
    if (SameWide(codecs[j].MimeType, mimeType)) {
      *clsid = codecs[j].Clsid;
      return int(j);
    }
  }
  return -1;
}

void CreatePicture(const std::string& text, PictureSize size, std::int32_t style,
                   const std::string& format, std::shared_ptr<unsigned char[]>& bytes,
                   std::int32_t& count) {
  ImageGenerator objImageGenerator(text, size, style);

  StreamHolder pIStream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &pIStream.stream)) || !pIStream.stream)
    throw std::string("Failed to create stream on global memory!");

  CLSID pngClsid{};
  int encoder = -1;
  bool known = false;
  for (const FormatRow& row : kFormats) {
    if (format == row.name) {
      known = true;
      encoder = GetEncoderClsid(row.mimeType, &pngClsid);
      break;
    }
  }
  if (!known) throw std::string("This picture format is not supported !");

  ULONG quality = 100;
  Gdiplus::EncoderParameters encoderParameters;
  encoderParameters.Count = 1;
  encoderParameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  encoderParameters.Parameter[0].NumberOfValues = 1;
  encoderParameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  encoderParameters.Parameter[0].Value = &quality;

  if (encoder < 0 || Gdiplus::SaveImageToStream(objImageGenerator.GetBitmap(), pIStream.stream,
                                                &pngClsid, &encoderParameters) != Gdiplus::Ok)
    throw std::string("Failed to save to stream!");

  ULARGE_INTEGER ulnSize{};
  LARGE_INTEGER lnOffset{};
  if (FAILED(pIStream.stream->Seek(lnOffset, STREAM_SEEK_END, &ulnSize)))
    throw std::string("Failed to get the size of the stream!");
  if (FAILED(pIStream.stream->Seek(lnOffset, STREAM_SEEK_SET, nullptr)))
    throw std::string("Failed to move the file pointer to the beginning of the stream!");
  // The count handed back is 32 bits; a larger picture cannot be returned.
  if (ulnSize.QuadPart > 0x7FFFFFFFull)
    throw std::string("Failed to allocate the memory for byte array!");

  std::shared_ptr<unsigned char[]> array(
      new (std::nothrow) unsigned char[std::size_t(ulnSize.QuadPart)]);
  if (!array) throw std::string("Failed to allocate the memory for byte array!");
  bytes = array;

  ULONG ulBytesRead = 0;
  const HRESULT read = pIStream.stream->Read(bytes.get(), ULONG(ulnSize.QuadPart), &ulBytesRead);
  if (FAILED(read) || ulBytesRead != ulnSize.QuadPart) {
    count = 0;
    throw std::string("Failed to copy the picture into the byte array!");
  }
  count = std::int32_t(ulnSize.QuadPart);
}

}  // namespace MirelGlyphward
