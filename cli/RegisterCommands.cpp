#include "RegisterCommands.h"

#include <dlfcn.h>

#include <cstdio>
#include <iostream>

#include "oleauto.h"
#include "winreg.h"

namespace glyphward_cli {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitComponent = 3;

using RegistrationEntry = HRESULT(STDAPICALLTYPE*)();

// Owns the loaded module for the length of the command.
class LoadedModule {
 public:
  explicit LoadedModule(const std::string& path)
      : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~LoadedModule() {
    if (handle_) dlclose(handle_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  bool Loaded() const { return handle_ != nullptr; }
  RegistrationEntry Entry(const char* name) const {
    return reinterpret_cast<RegistrationEntry>(dlsym(handle_, name));
  }

 private:
  void* handle_;
};

std::string Explain(HRESULT hr) {
  switch (hr) {
    case HRESULT_FROM_WIN32(ERROR_BADDB):
      return "the registry file is not a valid registry; it was left unchanged";
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
      return "the registry file's folder does not exist";
    case HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED):
      return "the registry file cannot be written";
    case HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION):
      return "another program holds the registry's lock";
    case TYPE_E_REGISTRYACCESS:
      return "the type library entries cannot be read or written";
    case TYPE_E_CANTLOADLIBRARY:
    case TYPE_E_INVDATAREAD:
      return "the module's type library cannot be read";
    case SELFREG_E_CLASS:
      return "the module's registration script cannot be read";
    default:
      return "the module reported a failure";
  }
}

}  // namespace

int RunRegistration(const std::string& modulePath, bool registering) {
  const char* verb = registering ? "register" : "unregister";
  // A bare file name means the file here, not a search of the library path.
  const std::string path =
      modulePath.find('/') == std::string::npos ? "./" + modulePath : modulePath;
  LoadedModule module(path);
  if (!module.Loaded()) {
    const char* reason = dlerror();
    std::cerr << "glyphward: cannot load " << modulePath << ": " << (reason ? reason : "unknown")
              << '\n';
    return kExitComponent;
  }
  const char* entryName = registering ? "DllRegisterServer" : "DllUnregisterServer";
  const RegistrationEntry entry = module.Entry(entryName);
  if (!entry) {
    std::cerr << "glyphward: " << modulePath << " has no " << entryName << '\n';
    return kExitComponent;
  }
  const HRESULT hr = entry();
  if (FAILED(hr)) {
    char status[16];
    std::snprintf(status, sizeof status, "0x%08X", unsigned(hr));
    std::cerr << "glyphward: cannot " << verb << ' ' << modulePath << ": " << Explain(hr)
              << " (status " << status << ")\n";
    return kExitComponent;
  }
  std::cout << (registering ? "registered " : "unregistered ") << modulePath << '\n';
  return kExitOk;
}

}  // namespace glyphward_cli
