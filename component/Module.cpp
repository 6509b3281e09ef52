// The in-process server's entry points and its load and unload steps.
#include <dlfcn.h>

#include "CaptchaEngine.h"
#include "ClassFactory.h"
#include "MirelGlyphward.h"
#include "ModuleExports.h"
#include "ModuleLock.h"
#include "ModuleRegistration.h"
#include "RandomSource.h"

namespace {

// pixman builds its tables when it loads and fontconfig its configuration on
// first use, and both keep them until the process ends. Unmapped along with
// this module, that memory would be lost, and made again, on every load and
// unload; so these libraries stay once the module has brought them in.
constexpr const char* kResidentLibraries[] = {"libpixman-1.so.0", "libfontconfig.so.1"};

void KeepLibrariesResident() {
  for (const char* name : kResidentLibraries)
    if (void* library = dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE)) dlclose(library);
}

// Both process-wide engines exist before any export can be called.
__attribute__((constructor)) void AttachModule() {
  KeepLibrariesResident();
  MirelGlyphward::CaptchaEngine::Instance();
  MirelGlyphward::ProcessRandomSource();
}

__attribute__((destructor)) void DetachModule() {
  MirelGlyphward::ReleaseCaptchaFactory();
}

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != CLSID_Captcha) return CLASS_E_CLASSNOTAVAILABLE;
  IClassFactory* factory = MirelGlyphward::CaptchaFactory();
  if (!factory) return E_OUTOFMEMORY;
  return factory->QueryInterface(riid, ppv);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow(void) {
  return MirelGlyphward::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE DllRegisterServer(void) {
  return MirelGlyphward::RegisterModule();
}

HRESULT STDAPICALLTYPE DllUnregisterServer(void) {
  return MirelGlyphward::UnregisterModule();
}

}  // extern "C"
