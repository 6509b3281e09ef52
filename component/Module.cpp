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

// Both process-wide engines exist before any export can be called.
__attribute__((constructor)) void AttachModule() {
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
