// MultiByteToWideChar, WideCharToMultiByte and the BSTR allocators on the
// input's bytes:
//   [0] code page (index into kCodePages), [1] flags (index into kFlags),
//   [2] source count: 0 up to the terminator (-1), 1 all bytes, 2 half, else
//   the byte itself as a count, [3] destination: 0 a size query, 1 short by
//   one, 2 exact, 3 larger, [4] bit 0 a default character, bit 1 asks
//   whether it was used, then the text: bytes for the multi-byte side, the
//   same bytes read as UTF-16 for the wide side.
// Buffers are exactly as large as the sizes passed, so ASan sees any write
// past them; results are checked against the size query, the error codes
// and trips back to the original text.
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "oleauto.h"

using glyphward_fuzz::Fail;

namespace {

constexpr UINT kCodePages[] = {CP_ACP, CP_THREAD_ACP, 1252, CP_UTF8, CP_OEMCP, 1200, 437};
constexpr DWORD kFlags[] = {0, MB_PRECOMPOSED, MB_ERR_INVALID_CHARS, WC_NO_BEST_FIT_CHARS,
                            0xFFFFFFFF};
constexpr std::size_t kHeader = 5;

bool IsAnsi(UINT codePage) {
  return codePage == CP_ACP || codePage == CP_THREAD_ACP || codePage == 1252;
}

int SourceCount(std::uint8_t mode, std::size_t available) {
  switch (mode) {
    case 0:
      return -1;
    case 1:
      return int(available);
    case 2:
      return int(available / 2);
    default:
      return int(mode) - 8;  // small counts, some beyond the text, some negative
  }
}

// The capacity to offer for a result that needs `needed` units.
int Capacity(std::uint8_t mode, int needed) {
  switch (mode % 4) {
    case 0:
      return 0;
    case 1:
      return needed - 1;
    case 2:
      return needed;
    default:
      return needed + 3;
  }
}

// Checks a call made with a valid count against its own size query: an
// exact or larger buffer gets the same count, a smaller one
// ERROR_INSUFFICIENT_BUFFER.
void CheckAgainstQuery(int query, int capacity, int result) {
  if (capacity == 0) return;
  if (query == 0) {
    if (result != 0) Fail("a failed query succeeds with a buffer");
  } else if (capacity < query) {
    if (result != 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
      Fail("a short buffer is not refused as insufficient");
  } else if (result != query) {
    Fail("a conversion writes another count than its size query");
  }
}

void MultiByteSide(UINT codePage, DWORD flags, const std::string& bytes, int count,
                   std::uint8_t outMode) {
  // Counts beyond the text are the caller's mistake: not ours to make.
  if (count > int(bytes.size())) return;
  SetLastError(0);
  const int query = MultiByteToWideChar(codePage, flags, bytes.c_str(), count, nullptr, 0);
  const bool validCount = count == -1 || count > 0;
  if (!validCount && (query != 0 || GetLastError() != ERROR_INVALID_PARAMETER))
    Fail("an invalid count is not refused");
  const int capacity = Capacity(outMode, query);
  if (query <= 0 || capacity <= 0) return;
  std::vector<char16_t> wide(static_cast<std::size_t>(capacity));
  const int written =
      MultiByteToWideChar(codePage, flags, bytes.c_str(), count, wide.data(), capacity);
  CheckAgainstQuery(query, capacity, written);
  if (written <= 0) return;
  const std::size_t length = count == -1 ? std::strlen(bytes.c_str()) + 1 : std::size_t(count);
  if (count == -1 && wide[std::size_t(written) - 1] != 0) Fail("the terminator is not converted");

  // Windows-1252 maps every byte to one character and back; valid UTF-8
  // comes back byte for byte.
  const bool strictUtf8 = codePage == CP_UTF8 && (flags & MB_ERR_INVALID_CHARS);
  if (IsAnsi(codePage) && std::size_t(written) != length) Fail("1252 is not one byte, one char");
  if (!IsAnsi(codePage) && !strictUtf8) return;
  std::vector<char> back(length);
  BOOL usedDefault = TRUE;
  const int returned =
      WideCharToMultiByte(codePage, 0, wide.data(), written, back.data(), int(back.size()), nullptr,
                          IsAnsi(codePage) ? &usedDefault : nullptr);
  if (returned != int(length) || std::memcmp(back.data(), bytes.data(), length) != 0)
    Fail("text does not come back from UTF-16 unchanged");
  if (IsAnsi(codePage) && usedDefault) Fail("a 1252 character needed the default");
}

void WideSide(UINT codePage, DWORD flags, const std::u16string& text, int count,
              std::uint8_t outMode, std::uint8_t defaults) {
  if (count > int(text.size())) return;
  const char defaultChar = '#';
  const char* useDefault = (defaults & 1) ? &defaultChar : nullptr;
  BOOL used = FALSE;
  BOOL* usedDefault = (defaults & 2) ? &used : nullptr;
  SetLastError(0);
  const int query = WideCharToMultiByte(codePage, flags, text.c_str(), count, nullptr, 0,
                                        useDefault, usedDefault);
  const bool validCount = count == -1 || count > 0;
  if (!validCount && (query != 0 || GetLastError() != ERROR_INVALID_PARAMETER))
    Fail("an invalid count is not refused");
  const int capacity = Capacity(outMode, query);
  if (query <= 0 || capacity <= 0) return;
  std::vector<char> narrow(static_cast<std::size_t>(capacity));
  const int written = WideCharToMultiByte(codePage, flags, text.c_str(), count, narrow.data(),
                                          capacity, useDefault, usedDefault);
  CheckAgainstQuery(query, capacity, written);
  if (written <= 0 || codePage != CP_UTF8) return;

  // UTF-8 holds every character; only lone surrogates come back as U+FFFD.
  const std::size_t length =
      count == -1 ? std::char_traits<char16_t>::length(text.c_str()) + 1 : std::size_t(count);
  std::u16string expected(text.c_str(), length);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const char16_t c = expected[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < expected.size() && expected[i + 1] >= 0xDC00 && expected[i + 1] <= 0xDFFF)
      ++i;
    else if (c >= 0xD800 && c <= 0xDFFF)
      expected[i] = 0xFFFD;
  }
  std::vector<char16_t> back(expected.size());
  const int returned = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, narrow.data(), written,
                                           back.data(), int(back.size()));
  if (returned != int(expected.size()) ||
      std::memcmp(back.data(), expected.data(), expected.size() * 2) != 0)
    Fail("UTF-16 does not come back from UTF-8");
}

void Bstrs(const std::uint8_t* bytes, std::size_t size, const std::u16string& text) {
  BSTR counted = SysAllocStringLen(text.data(), UINT(text.size()));
  if (!counted || SysStringLen(counted) != text.size() ||
      SysStringByteLen(counted) != 2 * text.size() || counted[text.size()] != 0 ||
      std::memcmp(counted, text.data(), 2 * text.size()) != 0)
    Fail("SysAllocStringLen does not hold its characters");
  BSTR terminated = SysAllocString(counted);
  if (!terminated || SysStringLen(terminated) != std::char_traits<char16_t>::length(text.c_str()))
    Fail("SysAllocString does not stop at the first NUL");
  BSTR zeroed = SysAllocStringLen(nullptr, UINT(text.size()));
  if (!zeroed || SysStringLen(zeroed) != text.size()) Fail("SysAllocStringLen(null) fails");
  for (std::size_t i = 0; i <= text.size(); ++i)
    if (zeroed[i] != 0) Fail("SysAllocStringLen(null) is not zeroed");
  BSTR raw = SysAllocStringByteLen(reinterpret_cast<const char*>(bytes), UINT(size));
  const auto* rawBytes = reinterpret_cast<const std::uint8_t*>(raw);
  if (!raw || SysStringByteLen(raw) != size || SysStringLen(raw) != size / 2 ||
      std::memcmp(raw, bytes, size) != 0 || rawBytes[size] != 0 || rawBytes[size + 1] != 0)
    Fail("SysAllocStringByteLen does not hold its bytes");
  // Scanning characters for NUL must stop inside the string, odd counts too.
  if (raw[(size + 1) / 2] != 0) Fail("no whole NUL character after an odd byte count");
  SysFreeString(counted);
  SysFreeString(terminated);
  SysFreeString(zeroed);
  SysFreeString(raw);
  SysFreeString(nullptr);
  if (SysStringLen(nullptr) != 0 || SysStringByteLen(nullptr) != 0)
    Fail("a null BSTR is not empty");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Lengths no BSTR can have are refused, not attempted.
  if (SysAllocStringLen(nullptr, 0x40000000u) || SysAllocStringLen(nullptr, 0xFFFFFFFFu) ||
      SysAllocStringByteLen(nullptr, 0xFFFFFFFFu))
    Fail("an impossible BSTR length was allocated");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const UINT codePage = kCodePages[data[0] % (sizeof kCodePages / sizeof kCodePages[0])];
  const DWORD flags = kFlags[data[1] % (sizeof kFlags / sizeof kFlags[0])];
  const std::uint8_t* payload = data + kHeader;
  const std::size_t payloadSize = size - kHeader;

  const std::string bytes(reinterpret_cast<const char*>(payload), payloadSize);
  std::u16string text(payloadSize / 2, u'\0');
  std::memcpy(text.data(), payload, text.size() * 2);

  MultiByteSide(codePage, flags, bytes, SourceCount(data[2], bytes.size()), data[3]);
  WideSide(codePage, flags, text, SourceCount(data[2], text.size()), data[3], data[4]);
  Bstrs(payload, payloadSize, text);
  return 0;
}
