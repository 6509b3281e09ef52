#include "ModuleRegistration.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <new>
#include <string>

#include "MirelGlyphward.h"
#include "ModuleResources.h"
#include "Registrar.h"

namespace MirelGlyphward {
namespace {

constexpr int kRegistryScriptId = 101;

// The full path of this module's file, as the registration records it.
std::u16string ModulePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&RegisterModule), &info) || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  const char* path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
  const int n = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
  if (n <= 1) return {};
  std::u16string wide(std::size_t(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, path, -1, wide.data(), n);
  wide.resize(std::size_t(n) - 1);
  return wide;
}

std::u16string FolderOf(const std::u16string& path) {
  const std::size_t slash = path.rfind(u'/');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

HRESULT ScriptKeys(const std::u16string& modulePath, std::vector<ScriptKey>& keys) {
  const std::optional<std::string> script = ModuleResourceText("REGISTRY", kRegistryScriptId);
  if (!script) return SELFREG_E_CLASS;
  std::optional<std::vector<ScriptKey>> parsed =
      ParseRegistrarScript(*script, Replacements{{"MODULE", modulePath}});
  if (!parsed) return SELFREG_E_CLASS;
  keys = std::move(*parsed);
  return S_OK;
}

}  // namespace

HRESULT RegisterModule() {
  try {
    const std::u16string path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    std::vector<ScriptKey> keys;
    HRESULT hr = ScriptKeys(path, keys);
    if (SUCCEEDED(hr)) hr = RegisterScript(keys);
    if (FAILED(hr)) return hr;
    ITypeLib* library = nullptr;
    hr = LoadTypeLib(path.c_str(), &library);
    if (FAILED(hr)) return hr;
    hr = RegisterTypeLib(library, path.c_str(), FolderOf(path).c_str());
    library->Release();
    return hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterModule() {
  try {
    std::vector<ScriptKey> keys;
    HRESULT hr = ScriptKeys(ModulePath(), keys);
    if (SUCCEEDED(hr)) hr = UnregisterScript(keys);
    // Removing what is not there is no failure.
    const HRESULT typeLibrary = UnRegisterTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, SYS_WIN64);
    if (SUCCEEDED(hr) && typeLibrary != TYPE_E_LIBNOTREGISTERED) hr = typeLibrary;
    return hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace MirelGlyphward
