// In-process servers: found through HKCR\CLSID\{class}\InprocServer32, loaded
// once and kept loaded until CoFreeUnusedLibraries finds them unused.
#include <dlfcn.h>

#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "RegistryRead.h"
#include "objbase.h"
#include "oleauto.h"

using namespace glyphward_com;

namespace {

// Owns one dlopen handle.
class LoadedModule {
 public:
  explicit LoadedModule(void* handle) : handle_(handle) {}
  ~LoadedModule() {
    if (handle_) dlclose(handle_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  template <class Function>
  Function Export(const char* name) const {
    return reinterpret_cast<Function>(dlsym(handle_, name));
  }

 private:
  void* handle_;
};

struct Server {
  std::unique_ptr<LoadedModule> module;
  LPFNGETCLASSOBJECT getClassObject = nullptr;
  LPFNCANUNLOADNOW canUnloadNow = nullptr;
};

struct ServerTable {
  std::mutex mutex;
  std::map<std::string, Server> loaded;
};

// Never destroyed: objects of a loaded module may outlive every static of
// this library, and their code must stay mapped until the process ends.
ServerTable& Servers() {
  static ServerTable* table = new ServerTable;
  return *table;
}

std::string Utf8(const std::u16string& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(std::size_t(n) - 1);
  return out;
}

HRESULT LoadServer(const std::string& path, LPFNGETCLASSOBJECT& getClassObject) {
  ServerTable& table = Servers();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.loaded.find(path);
  if (it == table.loaded.end()) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return CO_E_DLLNOTFOUND;
    Server server;
    server.module = std::make_unique<LoadedModule>(handle);
    server.getClassObject = server.module->Export<LPFNGETCLASSOBJECT>("DllGetClassObject");
    server.canUnloadNow = server.module->Export<LPFNCANUNLOADNOW>("DllCanUnloadNow");
    if (!server.getClassObject) return CO_E_ERRORINDLL;
    it = table.loaded.emplace(path, std::move(server)).first;
  }
  getClassObject = it->second.getClassObject;
  return S_OK;
}

}  // namespace

extern "C" {

HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID, REFIID riid,
                                LPVOID* ppv) {
  if (!ppv) return E_INVALIDARG;
  *ppv = nullptr;
  if (!(dwClsContext & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  try {
    std::u16string serverPath;
    HRESULT hr = LookupStatus(
        ReadDefaultValue(u"CLSID\\" + GuidText(rclsid) + u"\\InprocServer32", serverPath),
        REGDB_E_CLASSNOTREG);
    if (FAILED(hr)) return hr;
    const std::string path = Utf8(serverPath);
    if (path.empty()) return CO_E_DLLNOTFOUND;
    LPFNGETCLASSOBJECT getClassObject = nullptr;
    hr = LoadServer(path, getClassObject);
    if (FAILED(hr)) return hr;
    return getClassObject(rclsid, riid, ppv);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext,
                                REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  IClassFactory* factory = nullptr;
  HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(pUnkOuter, riid, ppv);
  factory->Release();
  return hr;
}

void WINAPI CoFreeUnusedLibraries(void) {
  ServerTable& table = Servers();
  std::lock_guard<std::mutex> lock(table.mutex);
  for (auto it = table.loaded.begin(); it != table.loaded.end();) {
    if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK)
      it = table.loaded.erase(it);
    else
      ++it;
  }
}

}  // extern "C"
