// The registry file reader: any bytes as the registry file. A tree that
// parses must format to text that parses back to the same text, and the Reg*
// calls reading that same file must report exactly the parsed tree (or
// ERROR_BADDB when it did not parse).
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "RegistryText.h"
#include "winreg.h"

using glyphward_fuzz::Fail;
using glyphward_registry::Key;

namespace {

std::unique_ptr<glyphward_fuzz::MemoryFile> registryFile;

// Calls left for one input: every call reads and parses the file again.
constexpr int kCallBudget = 16;

struct KeyHandle {
  HKEY value = nullptr;
  ~KeyHandle() {
    if (value) RegCloseKey(value);
  }
};

std::u16string NameAt(HKEY handle, DWORD index, bool value, LONG& status) {
  static std::vector<char16_t> buffer(glyphward_registry::kMaxValueNameChars + 1);
  DWORD chars = DWORD(buffer.size());
  status =
      value
          ? RegEnumValueW(handle, index, buffer.data(), &chars, nullptr, nullptr, nullptr, nullptr)
          : RegEnumKeyExW(handle, index, buffer.data(), &chars, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return {};
  if (buffer[chars] != 0) Fail("a name handed out without its terminator");
  return std::u16string(buffer.data(), chars);
}

// The data of a value, asking for the size first and offering a short buffer
// once, as callers do.
std::u16string DataOf(HKEY handle, const std::u16string& name) {
  DWORD type = REG_NONE, size = 0;
  if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ || size < 2 || size % 2 != 0)
    Fail("a listed value cannot be sized");
  std::vector<BYTE> buffer(size);
  DWORD shortSize = size - 2;
  if (RegQueryValueExW(handle, name.c_str(), nullptr, nullptr, buffer.data(), &shortSize) !=
          ERROR_MORE_DATA ||
      shortSize != size)
    Fail("a short buffer is not refused with the size needed");
  if (RegQueryValueExW(handle, name.c_str(), nullptr, nullptr, buffer.data(), &size) !=
          ERROR_SUCCESS ||
      buffer[size - 1] != 0 || buffer[size - 2] != 0)
    Fail("a value cannot be read into a buffer of its size");
  std::u16string data((size - 2) / 2, u'\0');
  std::memcpy(data.data(), buffer.data(), size - 2);
  return data;
}

// Whether the key behind `handle` is `key`, as far as the budget reaches.
void Compare(HKEY handle, const Key& key, int& budget) {
  LONG status;
  for (DWORD i = 0; i < key.values.size() && budget > 0; ++i, budget -= 2) {
    const std::u16string name = NameAt(handle, i, true, status);
    if (status != ERROR_SUCCESS || name != key.values[i].name)
      Fail("a value is not listed as parsed");
    if (DataOf(handle, name) != key.values[i].data) Fail("a value's data differs from the file");
  }
  if (budget-- > 0) {
    NameAt(handle, DWORD(key.values.size()), true, status);
    if (status != ERROR_NO_MORE_ITEMS) Fail("values go on past the parsed ones");
  }
  for (DWORD i = 0; i < key.subkeys.size() && budget > 0; ++i) {
    const Key& child = *key.subkeys[i];
    budget -= 2;
    if (NameAt(handle, i, false, status) != child.name || status != ERROR_SUCCESS)
      Fail("a subkey is not listed as parsed");
    KeyHandle opened;
    if (RegOpenKeyExW(handle, child.name.c_str(), 0, KEY_READ, &opened.value) != ERROR_SUCCESS)
      Fail("a listed subkey cannot be opened");
    Compare(opened.value, child, budget);
  }
  if (budget-- > 0) {
    NameAt(handle, DWORD(key.subkeys.size()), false, status);
    if (status != ERROR_NO_MORE_ITEMS) Fail("subkeys go on past the parsed ones");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  registryFile = std::make_unique<glyphward_fuzz::MemoryFile>("registry");
  setenv("GLYPHWARD_REGISTRY", registryFile->Path().c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Key root;
  const bool parsed = glyphward_registry::ParseRegistry(text, root);
  if (parsed) {
    const std::string formatted = glyphward_registry::FormatRegistry(root);
    Key again;
    if (!glyphward_registry::ParseRegistry(formatted, again))
      Fail("a formatted registry does not parse");
    if (glyphward_registry::FormatRegistry(again) != formatted)
      Fail("formatting a read-back registry changes it");
  }

  registryFile->Replace(data, size);
  KeyHandle opened;
  const LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, u"", 0, KEY_READ, &opened.value);
  if (!parsed) {
    if (status != ERROR_BADDB) Fail("a file the parser refuses is not reported as ERROR_BADDB");
    return 0;
  }
  if (status != ERROR_SUCCESS) Fail("a well-formed registry cannot be opened");
  int budget = kCallBudget;
  Compare(opened.value, root, budget);
  return 0;
}
