// Windows-1252 (the ANSI code page here) and UTF-8 conversions with the
// semantics of the Windows calls: a count of -1 means "up to and including the
// terminator", a destination size of 0 asks for the size needed, and a
// character the code page lacks becomes the default character.
#include <array>
#include <cstring>
#include <vector>

#include "oleauto.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

// Bytes 0x80..0x9F of Windows-1252; the five bytes the code page leaves
// undefined map to the C1 controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Decode1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

int Encode1252(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return int(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == code) return int(0x80 + i);
  return -1;
}

bool IsAnsi(UINT codePage) {
  return codePage == CP_ACP || codePage == CP_THREAD_ACP || codePage == 1252;
}

int Fail(DWORD error) {
  lastError = error;
  return 0;
}

// Appends the UTF-8 form of one code point.
void PutUtf8(std::vector<char>& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(char(code));
  } else if (code < 0x800) {
    out.push_back(char(0xC0 | (code >> 6)));
    out.push_back(char(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(char(0xE0 | (code >> 12)));
    out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(char(0x80 | (code & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (code >> 18)));
    out.push_back(char(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(char(0x80 | (code & 0x3F)));
  }
}

// Decodes UTF-8, turning every malformed sequence into U+FFFD.
void DecodeUtf8(const unsigned char* in, std::size_t n, std::vector<char16_t>& out, bool* invalid) {
  std::size_t i = 0;
  while (i < n) {
    const unsigned char lead = in[i];
    char32_t code = 0;
    std::size_t extra = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      code = lead & 0x1F, extra = 1, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      code = lead & 0x0F, extra = 2, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      code = lead & 0x07, extra = 3, minimum = 0x10000;
    } else {
      out.push_back(0xFFFD);
      *invalid = true;
      ++i;
      continue;
    }
    std::size_t k = 1;
    for (; k <= extra && i + k < n && (in[i + k] & 0xC0) == 0x80; ++k)
      code = (code << 6) | (in[i + k] & 0x3F);
    if (k <= extra || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(0xFFFD);
      *invalid = true;
      i += k;
      continue;
    }
    i += k;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(char16_t(0xD800 + (code >> 10)));
      out.push_back(char16_t(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(char16_t(code));
    }
  }
}

}  // namespace

extern "C" {

UINT WINAPI GetACP(void) {
  return 1252;
}
DWORD WINAPI GetLastError(void) {
  return lastError;
}
void WINAPI SetLastError(DWORD dwErrCode) {
  lastError = dwErrCode;
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
  if (!lpMultiByteStr || cbMultiByte == 0 || cchWideChar < 0 || cbMultiByte < -1 ||
      (lpWideCharStr == nullptr && cchWideChar != 0))
    return Fail(ERROR_INVALID_PARAMETER);
  const std::size_t length =
      cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : std::size_t(cbMultiByte);
  const auto* bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);

  std::vector<char16_t> wide;
  if (IsAnsi(CodePage)) {
    wide.reserve(length);
    for (std::size_t i = 0; i < length; ++i) wide.push_back(Decode1252(bytes[i]));
  } else if (CodePage == CP_UTF8) {
    bool invalid = false;
    DecodeUtf8(bytes, length, wide, &invalid);
    if (invalid && (dwFlags & MB_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  } else {
    return Fail(ERROR_INVALID_PARAMETER);
  }

  if (wide.size() > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
  if (cchWideChar == 0) return int(wide.size());
  if (wide.size() > std::size_t(cchWideChar)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpWideCharStr, wide.data(), wide.size() * sizeof(char16_t));
  return int(wide.size());
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD /*dwFlags*/, LPCWSTR lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar) {
  if (!lpWideCharStr || cchWideChar == 0 || cbMultiByte < 0 || cchWideChar < -1 ||
      (lpMultiByteStr == nullptr && cbMultiByte != 0))
    return Fail(ERROR_INVALID_PARAMETER);
  std::size_t length = 0;
  if (cchWideChar == -1) {
    while (lpWideCharStr[length] != 0) ++length;
    ++length;
  } else {
    length = std::size_t(cchWideChar);
  }
  if (CodePage == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar))
    return Fail(ERROR_INVALID_PARAMETER);

  const char defaultChar = lpDefaultChar ? *lpDefaultChar : '?';
  bool usedDefault = false;
  std::vector<char> narrow;
  narrow.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    char32_t code = lpWideCharStr[i];
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    if (high && i + 1 < length && lpWideCharStr[i + 1] >= 0xDC00 &&
        lpWideCharStr[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (lpWideCharStr[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = CodePage == CP_UTF8 ? 0xFFFD : 0xFFFF;
    }
    if (IsAnsi(CodePage)) {
      const int byte = Encode1252(code);
      if (byte < 0) {
        narrow.push_back(defaultChar);
        usedDefault = true;
      } else {
        narrow.push_back(char(byte));
      }
    } else if (CodePage == CP_UTF8) {
      PutUtf8(narrow, code);
    } else {
      return Fail(ERROR_INVALID_PARAMETER);
    }
  }
  if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;

  if (narrow.size() > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
  if (cbMultiByte == 0) return int(narrow.size());
  if (narrow.size() > std::size_t(cbMultiByte)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpMultiByteStr, narrow.data(), narrow.size());
  return int(narrow.size());
}

}  // extern "C"
