#include "RegistryRead.h"

#include "objbase.h"
#include "winreg.h"

namespace glyphward_com {
namespace {

// Closes an open key.
struct KeyHandle {
  HKEY key = nullptr;
  ~KeyHandle() {
    if (key) RegCloseKey(key);
  }
};

}  // namespace

LONG ReadDefaultValue(const std::u16string& path, std::u16string& value) {
  KeyHandle handle;
  LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &handle.key);
  if (status != ERROR_SUCCESS) return status;
  DWORD type = 0, size = 0;
  status = RegQueryValueExW(handle.key, nullptr, nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  // Another process may change the value between the two calls.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::u16string buffer(size / sizeof(char16_t) + 1, u'\0');
    DWORD capacity = DWORD(buffer.size() * sizeof(char16_t));
    status = RegQueryValueExW(handle.key, nullptr, nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer.data()), &capacity);
    if (status == ERROR_MORE_DATA) {
      size = capacity;
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    buffer.resize(std::char_traits<char16_t>::length(buffer.c_str()));
    value = std::move(buffer);
    return ERROR_SUCCESS;
  }
  return status;
}

HRESULT LookupStatus(LONG status, HRESULT absent) {
  switch (status) {
    case ERROR_SUCCESS:
      return S_OK;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_KEY_DELETED:
      return absent;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return E_OUTOFMEMORY;
    case ERROR_INVALID_PARAMETER:
      return E_INVALIDARG;
    default:
      return REGDB_E_READREGDB;
  }
}

std::u16string GuidText(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return std::u16string(text);
}

}  // namespace glyphward_com
