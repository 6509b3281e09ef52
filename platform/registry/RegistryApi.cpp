// The Reg* calls. Every call reads the file afresh, so processes see each
// other's changes; every change is one locked read-modify-replace.
#include <cstring>
#include <mutex>
#include <new>
#include <string>

#include "RegistryFile.h"
#include "RegistryHandles.h"
#include "winreg.h"

using namespace glyphward_registry;

namespace {

std::mutex& ProcessMutex() {
  static std::mutex mutex;
  return mutex;
}

std::u16string_view View(LPCWSTR text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

// Calls `operation(root)` on the current tree.
template <class Operation>
LONG ReadTree(Operation operation) noexcept {
  try {
    std::lock_guard<std::mutex> lock(ProcessMutex());
    Location location;
    LONG status = FindLocation(location);
    if (status != ERROR_SUCCESS) return status;
    Key root;
    status = LoadRegistry(location, root);
    if (status != ERROR_SUCCESS) return status;
    return operation(root);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_CANTREAD;
  }
}

// Calls `operation(root, changed)` under the writers' lock and stores the
// tree when the operation succeeded and changed it.
template <class Operation>
LONG ChangeTree(Operation operation) noexcept {
  try {
    std::lock_guard<std::mutex> lock(ProcessMutex());
    Location location;
    LONG status = FindLocation(location);
    if (status != ERROR_SUCCESS) return status;
    WriterLock writer;
    status = writer.Acquire(location);
    if (status != ERROR_SUCCESS) return status;
    Key root;
    status = LoadRegistry(location, root);
    if (status != ERROR_SUCCESS) return status;
    bool changed = false;
    status = operation(root, changed);
    if (status == ERROR_SUCCESS && changed) status = SaveRegistry(location, root);
    return status;
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_CANTWRITE;
  }
}

// The full path of `subKey` below `handle`.
LONG Resolve(HKEY handle, LPCWSTR subKey, KeyPath& path) {
  const LONG status = PathOfHandle(handle, path);
  if (status != ERROR_SUCCESS) return status;
  KeyPath below;
  if (!SplitPath(View(subKey), below) || path.size() + below.size() > kMaxDepth)
    return ERROR_INVALID_PARAMETER;
  path.insert(path.end(), below.begin(), below.end());
  return ERROR_SUCCESS;
}

// The key an open handle names, or the reason there is none.
LONG KeyOfHandle(Key& root, const KeyPath& path, Key*& key) {
  key = Walk(root, path);
  return key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LONG OpenedKey(HKEY handle, KeyPath& path) {
  try {
    return PathOfHandle(handle, path);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// Copies `text` with its terminator into a caller's buffer of `*capacity`
// characters; on return `*capacity` holds the length without terminator.
LONG CopyName(const std::u16string& text, LPWSTR buffer, DWORD* capacity) {
  if (!buffer || !capacity) return ERROR_INVALID_PARAMETER;
  if (*capacity <= text.size()) {
    *capacity = DWORD(text.size());
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, text.data(), text.size() * sizeof(char16_t));
  buffer[text.size()] = 0;
  *capacity = DWORD(text.size());
  return ERROR_SUCCESS;
}

// Hands out a string value's data (with its terminator) the Windows way: a
// null buffer asks for the size, a short one gets ERROR_MORE_DATA.
LONG CopyData(const std::u16string& data, DWORD* type, BYTE* buffer, DWORD* size) {
  if (buffer && !size) return ERROR_INVALID_PARAMETER;
  if (type) *type = REG_SZ;
  const DWORD needed = DWORD((data.size() + 1) * sizeof(char16_t));
  if (!size) return ERROR_SUCCESS;
  if (!buffer) {
    *size = needed;
    return ERROR_SUCCESS;
  }
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, data.data(), data.size() * sizeof(char16_t));
  std::memset(buffer + data.size() * sizeof(char16_t), 0, sizeof(char16_t));
  *size = needed;
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR, DWORD, REGSAM,
                               void*, HKEY* phkResult, DWORD* lpdwDisposition) {
  if (!phkResult || !lpSubKey || Reserved != 0) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  KeyPath path;
  LONG status;
  try {
    status = Resolve(hKey, lpSubKey, path);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (status != ERROR_SUCCESS) return status;
  KeyPath base;
  PathOfHandle(hKey, base);
  DWORD disposition = REG_OPENED_EXISTING_KEY;
  status = ChangeTree([&](Key& root, bool& changed) {
    if (!Walk(root, base)) return LONG(ERROR_KEY_DELETED);
    Key* key = &root;
    for (const std::u16string& name : path) {
      Key* child = key->Find(name);
      if (!child) {
        child = &key->Add(name);
        changed = true;
        disposition = REG_CREATED_NEW_KEY;
      }
      key = child;
    }
    return LONG(ERROR_SUCCESS);
  });
  if (status != ERROR_SUCCESS) return status;
  try {
    *phkResult = OpenHandle(std::move(path));
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (lpdwDisposition) *lpdwDisposition = disposition;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, HKEY* phkResult) {
  static const WCHAR kEmpty[] = {0};
  return RegCreateKeyExW(hKey, lpSubKey ? lpSubKey : kEmpty, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                         phkResult, nullptr);
}

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, HKEY* phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  KeyPath path;
  LONG status;
  try {
    status = Resolve(hKey, lpSubKey, path);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (status != ERROR_SUCCESS) return status;
  status = ReadTree([&](Key& root) {
    return Walk(root, path) ? LONG(ERROR_SUCCESS) : LONG(ERROR_FILE_NOT_FOUND);
  });
  if (status != ERROR_SUCCESS) return status;
  try {
    *phkResult = OpenHandle(std::move(path));
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  return CloseHandle(hKey);
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
  if (Reserved != 0 || (cbData && !lpData) || cbData % sizeof(char16_t) != 0)
    return ERROR_INVALID_PARAMETER;
  if (dwType != REG_SZ) return ERROR_NOT_SUPPORTED;
  const std::u16string_view name = View(lpValueName);
  if (name.size() > kMaxValueNameChars || cbData / sizeof(char16_t) > kMaxValueDataChars + 1)
    return ERROR_INVALID_PARAMETER;
  KeyPath path;
  const LONG status = OpenedKey(hKey, path);
  if (status != ERROR_SUCCESS) return status;
  return ChangeTree([&](Key& root, bool& changed) {
    Key* key;
    const LONG found = KeyOfHandle(root, path, key);
    if (found != ERROR_SUCCESS) return found;
    // The data is kept up to its first terminator.
    std::u16string data(cbData / sizeof(char16_t), u'\0');
    if (cbData) std::memcpy(data.data(), lpData, cbData);
    data.resize(std::char_traits<char16_t>::length(data.c_str()));
    key->SetValue(name, std::move(data));
    changed = true;
    return LONG(ERROR_SUCCESS);
  });
}

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD* lpReserved, DWORD* lpType,
                                BYTE* lpData, DWORD* lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  KeyPath path;
  const LONG status = OpenedKey(hKey, path);
  if (status != ERROR_SUCCESS) return status;
  return ReadTree([&](Key& root) {
    Key* key;
    const LONG found = KeyOfHandle(root, path, key);
    if (found != ERROR_SUCCESS) return found;
    const Value* value = key->FindValue(View(lpValueName));
    if (!value) return LONG(ERROR_FILE_NOT_FOUND);
    return CopyData(value->data, lpType, lpData, lpcbData);
  });
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  KeyPath path;
  const LONG status = OpenedKey(hKey, path);
  if (status != ERROR_SUCCESS) return status;
  return ChangeTree([&](Key& root, bool& changed) {
    Key* key;
    const LONG found = KeyOfHandle(root, path, key);
    if (found != ERROR_SUCCESS) return found;
    changed = key->RemoveValue(View(lpValueName));
    return changed ? LONG(ERROR_SUCCESS) : LONG(ERROR_FILE_NOT_FOUND);
  });
}

LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  KeyPath path;
  LONG status;
  try {
    status = Resolve(hKey, lpSubKey, path);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (status != ERROR_SUCCESS) return status;
  // The root cannot go.
  if (path.empty()) return ERROR_ACCESS_DENIED;
  return ChangeTree([&](Key& root, bool& changed) {
    Key* key = Walk(root, path);
    if (!key) return LONG(ERROR_FILE_NOT_FOUND);
    if (!key->subkeys.empty()) return LONG(ERROR_ACCESS_DENIED);
    const KeyPath parentPath(path.begin(), path.end() - 1);
    Walk(root, parentPath)->Remove(path.back());
    changed = true;
    return LONG(ERROR_SUCCESS);
  });
}

LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey) {
  KeyPath path;
  LONG status;
  try {
    status = Resolve(hKey, lpSubKey, path);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (status != ERROR_SUCCESS) return status;
  const bool keepKey = !lpSubKey || !*lpSubKey;
  if (!keepKey && path.empty()) return ERROR_ACCESS_DENIED;
  return ChangeTree([&](Key& root, bool& changed) {
    Key* key = Walk(root, path);
    if (!key) return LONG(keepKey ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND);
    if (keepKey) {
      // Without a subkey name the key itself stays, emptied.
      changed = !key->subkeys.empty() || !key->values.empty();
      key->subkeys.clear();
      key->values.clear();
    } else {
      const KeyPath parentPath(path.begin(), path.end() - 1);
      Walk(root, parentPath)->Remove(path.back());
      changed = true;
    }
    return LONG(ERROR_SUCCESS);
  });
}

LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, DWORD* lpcchName,
                             DWORD* lpReserved, LPWSTR lpClass, DWORD* lpcchClass, void*) {
  if (lpReserved) return ERROR_INVALID_PARAMETER;
  KeyPath path;
  const LONG status = OpenedKey(hKey, path);
  if (status != ERROR_SUCCESS) return status;
  return ReadTree([&](Key& root) {
    Key* key;
    const LONG found = KeyOfHandle(root, path, key);
    if (found != ERROR_SUCCESS) return found;
    if (dwIndex >= key->subkeys.size()) return LONG(ERROR_NO_MORE_ITEMS);
    if (lpClass && lpcchClass && *lpcchClass) lpClass[0] = 0;
    if (lpcchClass) *lpcchClass = 0;
    return CopyName(key->subkeys[dwIndex]->name, lpName, lpcchName);
  });
}

LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, DWORD* lpcchValueName,
                             DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  KeyPath path;
  const LONG status = OpenedKey(hKey, path);
  if (status != ERROR_SUCCESS) return status;
  return ReadTree([&](Key& root) {
    Key* key;
    const LONG found = KeyOfHandle(root, path, key);
    if (found != ERROR_SUCCESS) return found;
    if (dwIndex >= key->values.size()) return LONG(ERROR_NO_MORE_ITEMS);
    const Value& value = key->values[dwIndex];
    const LONG named = CopyName(value.name, lpValueName, lpcchValueName);
    if (named != ERROR_SUCCESS) return named;
    return CopyData(value.data, lpType, lpData, lpcbData);
  });
}

}  // extern "C"
