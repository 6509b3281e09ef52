// GUIDs as text in the registry form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#include <cstring>

#include "objbase.h"

namespace {

int HexDigit(OLECHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Reads `count` hex digits at `text[at]`.
bool ReadHex(LPCOLESTR text, int at, int count, uint64_t& value) {
  value = 0;
  for (int i = 0; i < count; ++i) {
    const int digit = HexDigit(text[at + i]);
    if (digit < 0) return false;
    value = (value << 4) | uint64_t(digit);
  }
  return true;
}

bool ParseGuid(LPCOLESTR text, GUID& guid) {
  if (!text) return false;
  for (int i = 0; i < CHARS_IN_GUID - 1; ++i)
    if (text[i] == 0) return false;
  if (text[0] != u'{' || text[9] != u'-' || text[14] != u'-' || text[19] != u'-' ||
      text[24] != u'-' || text[37] != u'}' || text[38] != 0)
    return false;
  uint64_t value;
  if (!ReadHex(text, 1, 8, value)) return false;
  guid.Data1 = uint32_t(value);
  if (!ReadHex(text, 10, 4, value)) return false;
  guid.Data2 = uint16_t(value);
  if (!ReadHex(text, 15, 4, value)) return false;
  guid.Data3 = uint16_t(value);
  static const int kBytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(text, kBytes[i], 2, value)) return false;
    guid.Data4[i] = uint8_t(value);
  }
  return true;
}

}  // namespace

extern "C" {

int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
  if (!lpsz || cchMax < CHARS_IN_GUID) return 0;
  static const char kHex[] = "0123456789ABCDEF";
  int at = 0;
  auto put = [&](uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
      lpsz[at++] = kHex[(value >> shift) & 0xF];
  };
  lpsz[at++] = u'{';
  put(rguid.Data1, 8);
  lpsz[at++] = u'-';
  put(rguid.Data2, 4);
  lpsz[at++] = u'-';
  put(rguid.Data3, 4);
  lpsz[at++] = u'-';
  put(rguid.Data4[0], 2);
  put(rguid.Data4[1], 2);
  lpsz[at++] = u'-';
  for (int i = 2; i < 8; ++i) put(rguid.Data4[i], 2);
  lpsz[at++] = u'}';
  lpsz[at++] = 0;
  return at;
}

HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid) {
  if (!pclsid) return E_INVALIDARG;
  CLSID parsed{};
  if (!ParseGuid(lpsz, parsed)) {
    std::memset(pclsid, 0, sizeof *pclsid);
    return CO_E_CLASSSTRING;
  }
  *pclsid = parsed;
  return S_OK;
}

HRESULT WINAPI IIDFromString(LPCOLESTR lpsz, IID* lpiid) {
  if (!lpiid) return E_INVALIDARG;
  IID parsed{};
  if (!ParseGuid(lpsz, parsed)) return E_INVALIDARG;
  *lpiid = parsed;
  return S_OK;
}

}  // extern "C"
