#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "EncoderTestSupport.h"
#include "StreamFromC.h"
#include "objidl.h"

namespace encoder_tests {
namespace {

constexpr std::uint64_t kCap = std::uint64_t(1) << 30;

LARGE_INTEGER Move(std::int64_t offset) {
  LARGE_INTEGER move;
  move.QuadPart = offset;
  return move;
}

StreamRef NewStream() {
  StreamRef stream;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK);
  return stream;
}

TEST(MemoryStream, WrittenBytesReadBackAfterSeekingToTheStart) {
  StreamRef stream = NewStream();
  const char text[] = "glyphs in memory";
  ULONG written = 0;
  ASSERT_EQ(stream.get()->Write(text, sizeof text, &written), S_OK);
  EXPECT_EQ(written, sizeof text);

  ULARGE_INTEGER position{};
  ASSERT_EQ(stream.get()->Seek(Move(0), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, sizeof text);
  ASSERT_EQ(stream.get()->Seek(Move(0), STREAM_SEEK_SET, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 0u);

  char back[sizeof text + 8] = {};
  ULONG read = 0;
  ASSERT_EQ(stream.get()->Read(back, sizeof back, &read), S_OK);
  EXPECT_EQ(read, sizeof text);
  EXPECT_EQ(std::memcmp(back, text, sizeof text), 0);

  // At the end a read succeeds with nothing.
  ASSERT_EQ(stream.get()->Read(back, sizeof back, &read), S_OK);
  EXPECT_EQ(read, 0u);
}

TEST(MemoryStream, SeeksFromEachOriginAndReportsTheNewPosition) {
  StreamRef stream = NewStream();
  const std::array<BYTE, 10> digits = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  ASSERT_EQ(stream.get()->Write(digits.data(), ULONG(digits.size()), nullptr), S_OK);

  ULARGE_INTEGER position{};
  ASSERT_EQ(stream.get()->Seek(Move(3), STREAM_SEEK_SET, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 3u);
  ASSERT_EQ(stream.get()->Seek(Move(2), STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 5u);
  ASSERT_EQ(stream.get()->Seek(Move(-1), STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 4u);
  BYTE value = 0xEE;
  ASSERT_EQ(stream.get()->Read(&value, 1, nullptr), S_OK);
  EXPECT_EQ(value, 4);

  ASSERT_EQ(stream.get()->Seek(Move(-2), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 8u);
  ASSERT_EQ(stream.get()->Read(&value, 1, nullptr), S_OK);
  EXPECT_EQ(value, 8);
}

TEST(MemoryStream, NegativeResultingPositionFailsAndKeepsThePosition) {
  StreamRef stream = NewStream();
  const BYTE bytes[4] = {1, 2, 3, 4};
  ASSERT_EQ(stream.get()->Write(bytes, 4, nullptr), S_OK);
  ULARGE_INTEGER position{};
  ASSERT_EQ(stream.get()->Seek(Move(2), STREAM_SEEK_SET, nullptr), S_OK);

  EXPECT_EQ(stream.get()->Seek(Move(-1), STREAM_SEEK_SET, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream.get()->Seek(Move(-3), STREAM_SEEK_CUR, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream.get()->Seek(Move(-5), STREAM_SEEK_END, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream.get()->Seek(Move(INT64_MIN), STREAM_SEEK_END, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream.get()->Seek(Move(0), 3, &position), STG_E_INVALIDFUNCTION);

  ASSERT_EQ(stream.get()->Seek(Move(0), STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 2u);
}

TEST(MemoryStream, SeekPastTheEndThenWriteFillsTheGapWithZeros) {
  StreamRef stream = NewStream();
  const BYTE first = 0xAA, last = 0xBB;
  ASSERT_EQ(stream.get()->Write(&first, 1, nullptr), S_OK);
  ASSERT_EQ(stream.get()->Seek(Move(5), STREAM_SEEK_END, nullptr), S_OK);
  // Nothing to read beyond the end.
  BYTE value = 0;
  ULONG read = 99;
  ASSERT_EQ(stream.get()->Read(&value, 1, &read), S_OK);
  EXPECT_EQ(read, 0u);
  ASSERT_EQ(stream.get()->Write(&last, 1, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream.get()), (Bytes{0xAA, 0, 0, 0, 0, 0, 0xBB}));
}

TEST(MemoryStream, SetSizeGrowsAndShrinksAndStatReportsIt) {
  StreamRef stream = NewStream();
  ULARGE_INTEGER size;
  size.QuadPart = 100;
  ASSERT_EQ(stream.get()->SetSize(size), S_OK);
  STATSTG stat;
  std::memset(&stat, 0xCD, sizeof stat);
  ASSERT_EQ(stream.get()->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 100u);
  EXPECT_EQ(stat.type, DWORD(STGTY_STREAM));
  EXPECT_EQ(stat.pwcsName, nullptr);

  size.QuadPart = 7;
  ASSERT_EQ(stream.get()->SetSize(size), S_OK);
  ASSERT_EQ(stream.get()->Stat(&stat, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 7u);
  EXPECT_EQ(stat.pwcsName, nullptr);
  EXPECT_EQ(ReadAll(stream.get()).size(), 7u);
  EXPECT_EQ(stream.get()->Stat(nullptr, STATFLAG_NONAME), STG_E_INVALIDPOINTER);
}

TEST(MemoryStream, GrowthBeyondTheCapFailsWithoutAllocating) {
  StreamRef stream = NewStream();
  ULARGE_INTEGER size;
  size.QuadPart = kCap + 1;
  EXPECT_EQ(stream.get()->SetSize(size), STG_E_MEDIUMFULL);

  ASSERT_EQ(stream.get()->Seek(Move(std::int64_t(kCap)), STREAM_SEEK_SET, nullptr), S_OK);
  const BYTE byte = 1;
  ULONG written = 99;
  EXPECT_EQ(stream.get()->Write(&byte, 1, &written), STG_E_MEDIUMFULL);
  EXPECT_EQ(written, 0u);
  ASSERT_EQ(stream.get()->Seek(Move(INT64_MAX), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(stream.get()->Write(&byte, 1, &written), STG_E_MEDIUMFULL);
  EXPECT_EQ(stream.get()->Seek(Move(1), STREAM_SEEK_CUR, nullptr), STG_E_INVALIDFUNCTION);

  STATSTG stat{};
  ASSERT_EQ(stream.get()->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 0u);
}

TEST(MemoryStream, NullBuffersAreRefused) {
  StreamRef stream = NewStream();
  ULONG count = 99;
  EXPECT_EQ(stream.get()->Write(nullptr, 4, &count), STG_E_INVALIDPOINTER);
  EXPECT_EQ(stream.get()->Read(nullptr, 4, &count), STG_E_INVALIDPOINTER);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(stream.get()->Write(nullptr, 0, &count), S_OK);
}

TEST(MemoryStream, AnswersForItsThreeInterfacesOnly) {
  StreamRef stream = NewStream();
  const IID unknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
  for (const IID* iid : {&unknown, &IID_ISequentialStream, &IID_IStream}) {
    void* object = nullptr;
    ASSERT_EQ(stream.get()->QueryInterface(*iid, &object), S_OK);
    EXPECT_EQ(object, static_cast<IUnknown*>(stream.get()));
    static_cast<IUnknown*>(object)->Release();
  }
  const IID dispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
  void* object = &object;
  EXPECT_EQ(stream.get()->QueryInterface(dispatch, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(stream.get()->QueryInterface(IID_IStream, nullptr), E_POINTER);
}

TEST(MemoryStream, InterfaceIdentifiersHaveTheirWindowsValues) {
  const IID stream = {0x0000000c, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
  const IID sequential = {
      0x0c733a30, 0x2a1c, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}};
  EXPECT_TRUE(IID_IStream == stream);
  EXPECT_TRUE(IID_ISequentialStream == sequential);
}

TEST(MemoryStream, ReferenceCountEndsAtZeroOnTheLastRelease) {
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  const BYTE bytes[64] = {};
  ASSERT_EQ(stream->Write(bytes, sizeof bytes, nullptr), S_OK);
  EXPECT_EQ(stream->AddRef(), 2u);
  EXPECT_EQ(stream->Release(), 1u);
  // The stream frees itself here; leak checkers see it go.
  EXPECT_EQ(stream->Release(), 0u);
}

TEST(MemoryStream, OnlyOwnMemoryIsSupported) {
  IStream* stream = reinterpret_cast<IStream*>(0x1);
  int memory = 0;
  EXPECT_EQ(CreateStreamOnHGlobal(&memory, TRUE, &stream), E_INVALIDARG);
  EXPECT_EQ(stream, nullptr);
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, nullptr), E_INVALIDARG);
}

TEST(MemoryStream, UnsupportedOperationsSayNotImplemented) {
  StreamRef stream = NewStream();
  ULARGE_INTEGER any{};
  IStream* clone = reinterpret_cast<IStream*>(0x1);
  EXPECT_EQ(stream.get()->Clone(&clone), E_NOTIMPL);
  EXPECT_EQ(clone, nullptr);
  EXPECT_EQ(stream.get()->CopyTo(nullptr, any, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(stream.get()->Commit(0), E_NOTIMPL);
  EXPECT_EQ(stream.get()->Revert(), E_NOTIMPL);
  EXPECT_EQ(stream.get()->LockRegion(any, any, 0), E_NOTIMPL);
  EXPECT_EQ(stream.get()->UnlockRegion(any, any, 0), E_NOTIMPL);
}

TEST(MemoryStream, CClientsReachTheSameMethodsThroughLpVtbl) {
  StreamRef stream = NewStream();
  const BYTE data[5] = {9, 8, 7, 6, 5};
  BYTE back[5] = {};
  ULONGLONG size = 0;
  EXPECT_EQ(RoundTripThroughCTable(stream.get(), data, 5, back, &size), S_OK);
  EXPECT_EQ(std::memcmp(back, data, 5), 0);
  EXPECT_EQ(size, 5u);
}

}  // namespace
}  // namespace encoder_tests
