#include "ModuleLoader.h"

#include <dlfcn.h>

namespace module_tests {
namespace {
using Entry = HRESULT(STDAPICALLTYPE*)();
}

ModuleLoader::ModuleLoader() : handle_(dlopen(GLYPHWARD_MODULE_PATH, RTLD_NOW | RTLD_LOCAL)) {}

ModuleLoader::~ModuleLoader() {
  if (handle_) dlclose(handle_);
}

void* ModuleLoader::Symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

HRESULT ModuleLoader::GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
  auto entry = reinterpret_cast<LPFNGETCLASSOBJECT>(Symbol("DllGetClassObject"));
  return entry ? entry(clsid, iid, out) : E_UNEXPECTED;
}

HRESULT ModuleLoader::CanUnloadNow() const {
  auto entry = reinterpret_cast<Entry>(Symbol("DllCanUnloadNow"));
  return entry ? entry() : E_UNEXPECTED;
}

HRESULT ModuleLoader::Register() const {
  auto entry = reinterpret_cast<Entry>(Symbol("DllRegisterServer"));
  return entry ? entry() : E_UNEXPECTED;
}

HRESULT ModuleLoader::Unregister() const {
  auto entry = reinterpret_cast<Entry>(Symbol("DllUnregisterServer"));
  return entry ? entry() : E_UNEXPECTED;
}

ICaptchaClass* ModuleLoader::Create() const {
  IClassFactory* factory = nullptr;
  if (FAILED(GetClassObject(CLSID_Captcha, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  void* object = nullptr;
  const HRESULT hr = factory->CreateInstance(nullptr, IID_ICaptcha, &object);
  factory->Release();
  return SUCCEEDED(hr) ? static_cast<ICaptchaClass*>(static_cast<ICaptcha*>(object)) : nullptr;
}

}  // namespace module_tests
