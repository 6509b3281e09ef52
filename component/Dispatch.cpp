#include "Dispatch.h"

#include <mutex>

namespace MirelGlyphward {
namespace {

struct TypeInfoCache {
  std::mutex mutex;
  ITypeInfo* info = nullptr;
  ~TypeInfoCache() {
    if (info) info->Release();
  }
};

TypeInfoCache& Cache() {
  static TypeInfoCache cache;
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
