#include "Registrar.h"

#include "winerror.h"
#include "winreg.h"

namespace MirelGlyphward {
namespace {

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* Receive() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

HRESULT Status(LONG status) {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

LONG SetString(HKEY key, const char16_t* name, const std::u16string& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD((value.size() + 1) * sizeof(char16_t)));
}

// Deletes a key with everything below it; an absent key is already gone.
LONG DeleteWhole(HKEY parent, const std::u16string& name) {
  const LONG status = RegDeleteTreeW(parent, name.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

HRESULT Register(HKEY parent, const ScriptKey& entry) {
  if (entry.flag == ScriptKey::Flag::kDelete) return Status(DeleteWhole(parent, entry.name));
  if (entry.flag == ScriptKey::Flag::kForceRemove) {
    const LONG status = DeleteWhole(parent, entry.name);
    if (status != ERROR_SUCCESS) return Status(status);
  }
  KeyHandle key;
  LONG status = RegCreateKeyExW(parent, entry.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr);
  if (status == ERROR_SUCCESS && entry.defaultValue)
    status = SetString(key.get(), nullptr, *entry.defaultValue);
  for (const auto& [name, value] : entry.values)
    if (status == ERROR_SUCCESS) status = SetString(key.get(), name.c_str(), value);
  if (status != ERROR_SUCCESS) return Status(status);
  for (const ScriptKey& child : entry.subkeys) {
    const HRESULT hr = Register(key.get(), child);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

bool HasSubkeys(HKEY key) {
  char16_t name[256];
  DWORD length = 256;
  return RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
         ERROR_NO_MORE_ITEMS;
}

// Goes on past failures so that as much as possible is removed; reports the
// first one.
HRESULT Unregister(HKEY parent, const ScriptKey& entry) {
  if (entry.flag == ScriptKey::Flag::kForceRemove || entry.flag == ScriptKey::Flag::kDelete)
    return Status(DeleteWhole(parent, entry.name));
  KeyHandle key;
  const LONG opened = RegOpenKeyExW(parent, entry.name.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
  if (opened == ERROR_FILE_NOT_FOUND) return S_OK;
  if (opened != ERROR_SUCCESS) return Status(opened);
  HRESULT first = S_OK;
  for (const ScriptKey& child : entry.subkeys) {
    const HRESULT hr = Unregister(key.get(), child);
    if (SUCCEEDED(first)) first = hr;
  }
  if (entry.flag == ScriptKey::Flag::kNoRemove) return first;
  for (const auto& value : entry.values) {
    const LONG status = RegDeleteValueW(key.get(), value.first.c_str());
    if (SUCCEEDED(first) && status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
      first = Status(status);
  }
  // Subkeys the script does not name belong to someone else: the key stays.
  if (!HasSubkeys(key.get())) {
    const LONG status = DeleteWhole(parent, entry.name);
    if (SUCCEEDED(first)) first = Status(status);
  }
  return first;
}

}  // namespace

HRESULT RegisterScript(const std::vector<ScriptKey>& keys) {
  for (const ScriptKey& key : keys) {
    const HRESULT hr = Register(HKEY_CLASSES_ROOT, key);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT UnregisterScript(const std::vector<ScriptKey>& keys) {
  HRESULT first = S_OK;
  for (const ScriptKey& key : keys) {
    const HRESULT hr = Unregister(HKEY_CLASSES_ROOT, key);
    if (SUCCEEDED(first)) first = hr;
  }
  return first;
}

}  // namespace MirelGlyphward
