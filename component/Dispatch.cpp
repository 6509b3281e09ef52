#include "Dispatch.h"

#include <cstdlib>
#include <mutex>
#include <type_traits>

namespace MirelGlyphward {
namespace {

// Never destroyed. The information is released by a handler registered
// once it is cached: handlers run in reverse order, so at exit this one runs
// before the type library's own statics (made while it was being loaded) are
// torn down, and on unload it runs with the module's other handlers.
struct TypeInfoCache {
  std::mutex mutex;
  ITypeInfo* info = nullptr;
  bool releaseRegistered = false;
};
static_assert(std::is_trivially_destructible_v<TypeInfoCache>);

TypeInfoCache& Cache() {
  static constinit TypeInfoCache cache;
  return cache;
}

// Holds one reference for the length of a call.
struct TypeInfoReference {
  ITypeInfo* info = nullptr;
  ~TypeInfoReference() {
    if (info) info->Release();
  }
};

}  // namespace

HRESULT CaptchaTypeInfo(LCID lcid, ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  TypeInfoCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  if (!cache.info) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, lcid, &library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(IID_ICaptcha, &cache.info);
    library->Release();
    if (FAILED(hr)) return hr;
    if (!cache.releaseRegistered)
      cache.releaseRegistered = std::atexit(ReleaseCaptchaTypeInfo) == 0;
  }
  cache.info->AddRef();
  *typeInfo = cache.info;
  return S_OK;
}

void ReleaseCaptchaTypeInfo() {
  TypeInfoCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  if (cache.info) cache.info->Release();
  cache.info = nullptr;
}

HRESULT DispatchGetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  TypeInfoReference typeInfo;
  const HRESULT hr = CaptchaTypeInfo(lcid, &typeInfo.info);
  if (FAILED(hr)) return hr;
  return typeInfo.info->GetIDsOfNames(names, count, ids);
}

HRESULT DispatchInvoke(ICaptcha* object, DISPID member, REFIID riid, LCID lcid, WORD flags,
                       DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argError) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  TypeInfoReference typeInfo;
  const HRESULT hr = CaptchaTypeInfo(lcid, &typeInfo.info);
  if (FAILED(hr)) return hr;
  // Errors from earlier calls must not be taken for this call's.
  SetErrorInfo(0, nullptr);
  return typeInfo.info->Invoke(object, member, flags, params, result, exception, argError);
}

}  // namespace MirelGlyphward
