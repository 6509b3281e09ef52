#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "EncoderTestSupport.h"
#include "ImageCodecInfo.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

// The encoder list fetched as callers do: size first, then a buffer of
// exactly that many bytes.
struct EncoderList {
  UINT count = 0;
  UINT size = 0;
  std::unique_ptr<ImageCodecInfo, FreeDeleter> buffer;

  ImageCodecInfo& operator[](UINT i) const { return buffer.get()[i]; }
};

EncoderList FetchEncoders() {
  EncoderList list;
  EXPECT_EQ(GetImageEncodersSize(&list.count, &list.size), Ok);
  list.buffer.reset(static_cast<ImageCodecInfo*>(std::malloc(list.size)));
  EXPECT_EQ(GetImageEncoders(list.count, list.size, list.buffer.get()), Ok);
  return list;
}

// Whether bytes at p lie in the buffer, after the descriptions.
bool InBuffer(const EncoderList& list, const void* p, std::size_t bytes) {
  const auto begin = reinterpret_cast<std::uintptr_t>(list.buffer.get());
  const auto at = reinterpret_cast<std::uintptr_t>(p);
  return at >= begin + std::size_t(list.count) * sizeof(ImageCodecInfo) &&
         at + bytes <= begin + list.size;
}

// A string inside the caller's buffer, terminated there.
std::u16string PackedString(const EncoderList& list, const WCHAR* text) {
  if (!text || !InBuffer(list, text, sizeof(WCHAR))) return u"<outside>";
  std::u16string result;
  for (const WCHAR* c = text; InBuffer(list, c, sizeof(WCHAR)); ++c) {
    if (*c == u'\0') return result;
    result += *c;
  }
  return u"<unterminated>";
}

TEST(ImageEncoders, LayoutsMatchGdiplus) {
  EXPECT_EQ(sizeof(ImageCodecInfo), 104u);
  EXPECT_EQ(offsetof(ImageCodecInfo, CodecName), 32u);
  EXPECT_EQ(offsetof(ImageCodecInfo, MimeType), 64u);
  EXPECT_EQ(offsetof(ImageCodecInfo, Flags), 72u);
  EXPECT_EQ(offsetof(ImageCodecInfo, SigPattern), 88u);
  EXPECT_EQ(sizeof(EncoderParameters), 40u);
  EXPECT_EQ(offsetof(EncoderParameters, Parameter), 8u);
  EXPECT_EQ(offsetof(EncoderParameter, NumberOfValues), 16u);
  EXPECT_EQ(offsetof(EncoderParameter, Type), 20u);
  EXPECT_EQ(offsetof(EncoderParameter, Value), 24u);
}

TEST(ImageEncoders, FiveEncodersInGdiplusOrderWithTheirMimeTypesAndClassIds) {
  EncoderList list = FetchEncoders();
  ASSERT_EQ(list.count, 5u);
  const std::array<std::u16string, 5> mimeTypes = {u"image/bmp", u"image/jpeg", u"image/gif",
                                                   u"image/tiff", u"image/png"};
  const std::array<std::u16string, 5> descriptions = {u"BMP", u"JPEG", u"GIF", u"TIFF", u"PNG"};
  const std::array<CLSID, 5> classIds = {kBmpEncoder, kJpegEncoder, kGifEncoder, kTiffEncoder,
                                         kPngEncoder};
  for (UINT i = 0; i < list.count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(PackedString(list, list[i].MimeType), mimeTypes[i]);
    EXPECT_EQ(PackedString(list, list[i].FormatDescription), descriptions[i]);
    EXPECT_TRUE(list[i].Clsid == classIds[i]);
    EXPECT_NE(PackedString(list, list[i].CodecName).find(descriptions[i]), std::u16string::npos);
    EXPECT_EQ(PackedString(list, list[i].FilenameExtension).rfind(u"*.", 0), 0u);
    EXPECT_EQ(list[i].DllName, nullptr);
    EXPECT_NE(list[i].Flags & ImageCodecFlagsEncoder, 0u);
    EXPECT_NE(list[i].Flags & ImageCodecFlagsBuiltin, 0u);
    EXPECT_EQ(list[i].Flags & ImageCodecFlagsDecoder, 0u);
    ASSERT_GT(list[i].SigCount * list[i].SigSize, 0u);
    EXPECT_TRUE(InBuffer(list, list[i].SigPattern, list[i].SigCount * list[i].SigSize));
    EXPECT_TRUE(InBuffer(list, list[i].SigMask, list[i].SigCount * list[i].SigSize));
  }
}

TEST(ImageEncoders, FormatIdentifiersAreGdiplusImageFormats) {
  EncoderList list = FetchEncoders();
  ASSERT_EQ(list.count, 5u);
  // ImageFormatBMP, JPEG, GIF, TIFF, PNG: b96b3cXX-0728-11d3-9d7b-0000f81ef32e.
  const std::array<std::uint32_t, 5> first = {0xb96b3cab, 0xb96b3cae, 0xb96b3cb0, 0xb96b3cb1,
                                              0xb96b3caf};
  for (UINT i = 0; i < list.count; ++i) {
    const GUID expected = {first[i], 0x0728, 0x11d3, {0x9d, 0x7b, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
    EXPECT_TRUE(list[i].FormatID == expected) << i;
  }
}

// Each encoder's own output starts with one of the signatures it lists.
TEST(ImageEncoders, EncodedFilesMatchTheListedSignatures) {
  EncoderList list = FetchEncoders();
  auto bitmap = MakeBitmap(20, 10, FewColors);
  for (UINT i = 0; i < list.count; ++i) {
    SCOPED_TRACE(i);
    const Saved saved = SaveToBytes(*bitmap, list[i].Clsid);
    ASSERT_EQ(saved.status, Ok);
    bool matched = false;
    for (DWORD s = 0; s < list[i].SigCount; ++s) {
      const BYTE* pattern = list[i].SigPattern + s * list[i].SigSize;
      const BYTE* mask = list[i].SigMask + s * list[i].SigSize;
      bool same = saved.bytes.size() >= list[i].SigSize;
      for (DWORD b = 0; same && b < list[i].SigSize; ++b) {
        same = (saved.bytes[b] & mask[b]) == (pattern[b] & mask[b]);
      }
      matched = matched || same;
    }
    EXPECT_TRUE(matched);
  }
}

TEST(ImageEncoders, WrongCountOrShortBufferIsRefusedWithoutWriting) {
  UINT count = 0, size = 0;
  ASSERT_EQ(GetImageEncodersSize(&count, &size), Ok);
  std::vector<BYTE> buffer(size + 16, 0x5A);
  auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  EXPECT_EQ(GetImageEncoders(count - 1, size, encoders), GenericError);
  EXPECT_EQ(GetImageEncoders(count + 1, size, encoders), GenericError);
  EXPECT_EQ(GetImageEncoders(count, size - 1, encoders), InsufficientBuffer);
  EXPECT_EQ(GetImageEncoders(count, 0, encoders), InsufficientBuffer);
  for (BYTE b : buffer) ASSERT_EQ(b, 0x5A);
  EXPECT_EQ(GetImageEncoders(count, size, nullptr), InvalidParameter);
  EXPECT_EQ(GetImageEncodersSize(nullptr, &size), InvalidParameter);
  EXPECT_EQ(GetImageEncodersSize(&count, nullptr), InvalidParameter);

  // The full call writes only the size it asked for.
  ASSERT_EQ(GetImageEncoders(count, size, encoders), Ok);
  for (std::size_t i = size; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0x5A);
}

TEST(ImageEncoders, TheListSurvivesFreeingAnEarlierCopy) {
  EncoderList first = FetchEncoders();
  EncoderList second = FetchEncoders();
  first.buffer.reset();
  ASSERT_EQ(second.count, 5u);
  EXPECT_EQ(PackedString(second, second[4].MimeType), u"image/png");
}

}  // namespace
}  // namespace encoder_tests
