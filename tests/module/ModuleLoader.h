// MirelGlyphward.so loaded with dlopen, the way hosts load it, with its
// exports looked up by name.
#pragma once

#include <string>

#include "MirelGlyphward.h"
#include "objbase.h"

namespace module_tests {

class ModuleLoader {
 public:
  ModuleLoader();
  ~ModuleLoader();
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

  bool Loaded() const { return handle_ != nullptr; }
  void* Symbol(const char* name) const;

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
  HRESULT CanUnloadNow() const;
  HRESULT Register() const;
  HRESULT Unregister() const;
  // A new Captcha object through the module's factory.
  ICaptchaClass* Create() const;

 private:
  void* handle_;
};

}  // namespace module_tests
