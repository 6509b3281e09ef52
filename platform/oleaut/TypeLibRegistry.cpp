// Type library registration under HKEY_CLASSES_ROOT, in the Windows layout:
//   TypeLib\{libid}\MAJOR.MINOR = help string      (version numbers in hex)
//     \LCID\win64 = module path, \FLAGS = "0", \HELPDIR = help folder
//   Interface\{iid} = name, with ProxyStubClsid(32) and TypeLib (+ "Version")
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "TypeLibModel.h"
#include "winreg.h"

using namespace glyphward_typelib;

namespace {

// The universal marshaller's class, named by automation-compatible interfaces.
constexpr char16_t kProxyStub[] = u"{00020424-0000-0000-C000-000000000046}";
constexpr char16_t kPlatform[] = u"win64";

struct KeyHandle {
  HKEY key = nullptr;
  KeyHandle() = default;
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  ~KeyHandle() {
    if (key) RegCloseKey(key);
  }
};

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text; ++text) out += char16_t(*text);
  return out;
}

std::u16string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lx", value);
  return Ascii(text);
}

std::u16string VersionText(WORD major, WORD minor) {
  return Hex(major) + u"." + Hex(minor);
}

LONG SetValue(const std::u16string& path, const char16_t* name, const std::u16string& value) {
  KeyHandle handle;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &handle.key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  return RegSetValueExW(handle.key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD((value.size() + 1) * sizeof(char16_t)));
}

LONG ReadValue(const std::u16string& path, const char16_t* name, std::u16string& value) {
  KeyHandle handle;
  LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &handle.key);
  if (status != ERROR_SUCCESS) return status;
  DWORD size = 0;
  status = RegQueryValueExW(handle.key, name, nullptr, nullptr, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  std::u16string buffer(size / sizeof(char16_t) + 1, u'\0');
  size = DWORD(buffer.size() * sizeof(char16_t));
  status = RegQueryValueExW(handle.key, name, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (status != ERROR_SUCCESS) return status;
  buffer.resize(std::char_traits<char16_t>::length(buffer.c_str()));
  value = std::move(buffer);
  return ERROR_SUCCESS;
}

// The names of the subkeys of `path`; empty when it has none or is absent.
LONG SubkeyNames(const std::u16string& path, std::vector<std::u16string>& names) {
  names.clear();
  KeyHandle handle;
  LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &handle.key);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  for (DWORD index = 0;; ++index) {
    char16_t name[256];
    DWORD length = 256;
    status = RegEnumKeyExW(handle.key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    names.emplace_back(name, length);
  }
}

LONG DeleteTree(const std::u16string& path) {
  const LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

HRESULT RegistryFailure(LONG status) {
  if (status == ERROR_NOT_ENOUGH_MEMORY || status == ERROR_OUTOFMEMORY) return E_OUTOFMEMORY;
  return TYPE_E_REGISTRYACCESS;
}

bool IsLcidKey(const std::u16string& name) {
  for (char16_t c : name)
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
      return false;
  return !name.empty();
}

// Writes the Interface keys of the library's automation interfaces.
LONG RegisterInterfaces(ITypeLib* library, const std::u16string& libid,
                        const std::u16string& version) {
  const UINT count = library->GetTypeInfoCount();
  for (UINT i = 0; i < count; ++i) {
    ITypeInfo* info = nullptr;
    if (FAILED(library->GetTypeInfo(i, &info))) continue;
    TYPEATTR* attributes = nullptr;
    BSTR name = nullptr;
    LONG status = ERROR_SUCCESS;
    if (SUCCEEDED(info->GetTypeAttr(&attributes)) &&
        (attributes->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION)) &&
        SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) {
      const std::u16string key = u"Interface\\" + GuidText(attributes->guid);
      status = SetValue(key, nullptr, name ? std::u16string(name) : std::u16string());
      if (status == ERROR_SUCCESS)
        status = SetValue(key + u"\\ProxyStubClsid", nullptr, kProxyStub);
      if (status == ERROR_SUCCESS)
        status = SetValue(key + u"\\ProxyStubClsid32", nullptr, kProxyStub);
      if (status == ERROR_SUCCESS) status = SetValue(key + u"\\TypeLib", nullptr, libid);
      if (status == ERROR_SUCCESS) status = SetValue(key + u"\\TypeLib", u"Version", version);
    }
    SysFreeString(name);
    if (attributes) info->ReleaseTypeAttr(attributes);
    info->Release();
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

// Removes the Interface keys that name this library and version.
LONG UnregisterInterfaces(const std::u16string& libid, const std::u16string& version) {
  std::vector<std::u16string> interfaces;
  LONG status = SubkeyNames(u"Interface", interfaces);
  if (status != ERROR_SUCCESS) return status;
  for (const std::u16string& iid : interfaces) {
    const std::u16string key = u"Interface\\" + iid;
    std::u16string owner, ownerVersion;
    if (ReadValue(key + u"\\TypeLib", nullptr, owner) != ERROR_SUCCESS ||
        ReadValue(key + u"\\TypeLib", u"Version", ownerVersion) != ERROR_SUCCESS)
      continue;
    if (SameName(owner, libid) && ownerVersion == version) {
      status = DeleteTree(key);
      if (status != ERROR_SUCCESS) return status;
    }
  }
  return ERROR_SUCCESS;
}

std::string Utf8(const std::u16string& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(std::size_t(n) - 1);
  return out;
}

// The version key of `libid` with major version `major` and the highest
// minor version not below `minor`.
LONG FindVersion(const std::u16string& libKey, WORD major, WORD minor, std::u16string& version) {
  std::vector<std::u16string> versions;
  const LONG status = SubkeyNames(libKey, versions);
  if (status != ERROR_SUCCESS) return status;
  long best = -1;
  for (const std::u16string& name : versions) {
    const std::string text = Utf8(name);
    unsigned long a = 0, b = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%lx.%lx%c", &a, &b, &extra) != 2) continue;
    if (a == major && b >= minor && long(b) > best) {
      best = long(b);
      version = name;
    }
  }
  return best < 0 ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

}  // namespace

extern "C" {

HRESULT WINAPI RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir) {
  if (!ptlib || !szFullPath || !*szFullPath) return E_INVALIDARG;
  try {
    TLIBATTR* attributes = nullptr;
    HRESULT hr = ptlib->GetLibAttr(&attributes);
    if (FAILED(hr)) return hr;
    const std::u16string libid = GuidText(attributes->guid);
    const std::u16string version = VersionText(attributes->wMajorVerNum, attributes->wMinorVerNum);
    const std::u16string lcid = Hex(attributes->lcid);
    const WORD flags = attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE;
    ptlib->ReleaseTLibAttr(attributes);

    BSTR help = nullptr;
    ptlib->GetDocumentation(-1, nullptr, &help, nullptr, nullptr);
    const std::u16string helpText = help ? std::u16string(help) : std::u16string();
    SysFreeString(help);

    const std::u16string key = u"TypeLib\\" + libid + u"\\" + version;
    LONG status = SetValue(key, nullptr, helpText);
    if (status == ERROR_SUCCESS)
      status = SetValue(key + u"\\" + lcid + u"\\" + kPlatform, nullptr, szFullPath);
    if (status == ERROR_SUCCESS) status = SetValue(key + u"\\FLAGS", nullptr, Hex(flags));
    if (status == ERROR_SUCCESS)
      status = SetValue(key + u"\\HELPDIR", nullptr, szHelpDir ? szHelpDir : u"");
    if (status == ERROR_SUCCESS) status = RegisterInterfaces(ptlib, libid, version);
    return status == ERROR_SUCCESS ? S_OK : RegistryFailure(status);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT WINAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid,
                                 SYSKIND) {
  try {
    const std::u16string libid = GuidText(libID);
    const std::u16string libKey = u"TypeLib\\" + libid;
    const std::u16string version = VersionText(wVerMajor, wVerMinor);
    const std::u16string key = libKey + u"\\" + version;
    std::u16string path;
    LONG status = ReadValue(key + u"\\" + Hex(lcid) + u"\\" + kPlatform, nullptr, path);
    if (status == ERROR_FILE_NOT_FOUND) return TYPE_E_LIBNOTREGISTERED;
    if (status != ERROR_SUCCESS) return RegistryFailure(status);

    status = UnregisterInterfaces(libid, version);
    if (status == ERROR_SUCCESS) status = DeleteTree(key + u"\\" + Hex(lcid));
    // The version goes when no locale is left in it, the library when no
    // version is left.
    std::vector<std::u16string> names;
    if (status == ERROR_SUCCESS) status = SubkeyNames(key, names);
    bool localesLeft = false;
    for (const std::u16string& name : names) localesLeft = localesLeft || IsLcidKey(name);
    if (status == ERROR_SUCCESS && !localesLeft) status = DeleteTree(key);
    if (status == ERROR_SUCCESS) status = SubkeyNames(libKey, names);
    if (status == ERROR_SUCCESS && names.empty()) status = DeleteTree(libKey);
    return status == ERROR_SUCCESS ? S_OK : RegistryFailure(status);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT WINAPI LoadRegTypeLib(REFGUID rguid, WORD wVerMajor, WORD wVerMinor, LCID lcid,
                              ITypeLib** pptlib) {
  if (!pptlib) return E_INVALIDARG;
  *pptlib = nullptr;
  try {
    const std::u16string libKey = u"TypeLib\\" + GuidText(rguid);
    std::u16string version;
    LONG status = FindVersion(libKey, wVerMajor, wVerMinor, version);
    if (status == ERROR_FILE_NOT_FOUND) return TYPE_E_LIBNOTREGISTERED;
    if (status != ERROR_SUCCESS) return RegistryFailure(status);
    // The exact locale first, then its language alone, then the neutral one.
    const unsigned long candidates[] = {lcid, lcid & 0x3FF, 0};
    std::u16string path;
    status = ERROR_FILE_NOT_FOUND;
    for (unsigned long candidate : candidates) {
      status = ReadValue(libKey + u"\\" + version + u"\\" + Hex(candidate) + u"\\" + kPlatform,
                         nullptr, path);
      if (status != ERROR_FILE_NOT_FOUND) break;
    }
    if (status == ERROR_FILE_NOT_FOUND) return TYPE_E_LIBNOTREGISTERED;
    if (status != ERROR_SUCCESS) return RegistryFailure(status);
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLib(path.c_str(), &library);
    if (FAILED(hr)) return hr;
    // A file replaced since registration may hold another library.
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (SUCCEEDED(hr)) {
      const bool same = attributes->guid == rguid && attributes->wMajorVerNum == wVerMajor;
      library->ReleaseTLibAttr(attributes);
      if (!same) hr = TYPE_E_LIBNOTREGISTERED;
    }
    if (FAILED(hr)) {
      library->Release();
      return hr;
    }
    *pptlib = library;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // extern "C"
