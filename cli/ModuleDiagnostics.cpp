#include "ModuleDiagnostics.h"

#include <dlfcn.h>

#include <string>

#include "CaptchaClient.h"
#include "objbase.h"
#include "winreg.h"

namespace glyphward_cli {
namespace {

std::u16string ServerPath(const CLSID& clsid) {
  OLECHAR guid[64];
  if (StringFromGUID2(clsid, guid, 64) <= 0) return std::u16string();
  const std::u16string key = u"CLSID\\" + std::u16string(guid) + u"\\InprocServer32";
  HKEY server = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &server) != ERROR_SUCCESS)
    return std::u16string();
  char16_t path[4096] = {};
  DWORD bytes = sizeof path - sizeof(char16_t);
  DWORD type = 0;
  const LSTATUS status =
      RegQueryValueExW(server, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &bytes);
  RegCloseKey(server);
  if (status != ERROR_SUCCESS || type != REG_SZ) return std::u16string();
  return std::u16string(path);
}

}  // namespace

Diagnostics RegisteredModuleDiagnostics(const CLSID& clsid) {
  const std::string path = Utf8FromWide(ServerPath(clsid).c_str());
  // The module is already loaded by the object's creation; this only finds it.
  void* module = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  Diagnostics diagnostics;
  if (module) {
    auto setSeed = reinterpret_cast<HRESULT (*)(LONG)>(dlsym(module, "GlyphwardSetSeed"));
    auto getSteps =
        reinterpret_cast<HRESULT (*)(ULONGLONG*)>(dlsym(module, "GlyphwardGetEngineSteps"));
    dlclose(module);
    if (setSeed && getSteps) {
      diagnostics.setSeed = setSeed;
      diagnostics.getEngineSteps = getSteps;
      return diagnostics;
    }
  }
  throw ComponentError{"the registered component module offers no diagnostics"};
}

}  // namespace glyphward_cli
