// Error information: an object that is both ICreateErrorInfo (for the side
// that reports) and IErrorInfo (for the side that reads), and one slot per
// thread that GetErrorInfo empties as it hands the object over.
#include <atomic>
#include <new>

#include "oleauto.h"

namespace {

BSTR CopyOrNull(LPOLESTR text) {
  return text ? SysAllocString(text) : nullptr;
}

HRESULT HandOut(BSTR value, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (!value) return S_OK;
  *out = SysAllocStringLen(value, SysStringLen(value));
  return *out ? S_OK : E_OUTOFMEMORY;
}

class ErrorObject final : public IErrorInfo, public ICreateErrorInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IErrorInfo) {
      *ppv = static_cast<IErrorInfo*>(this);
    } else if (riid == IID_ICreateErrorInfo) {
      *ppv = static_cast<ICreateErrorInfo*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetGUID(GUID* pGUID) override {
    if (!pGUID) return E_INVALIDARG;
    *pGUID = guid_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSource(BSTR* out) override { return HandOut(source_, out); }
  HRESULT STDMETHODCALLTYPE GetDescription(BSTR* out) override {
    return HandOut(description_, out);
  }
  HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* out) override { return HandOut(helpFile_, out); }
  HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* out) override {
    if (!out) return E_INVALIDARG;
    *out = helpContext_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetGUID(REFGUID rguid) override {
    guid_ = rguid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR text) override { return Store(source_, text); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override {
    return Store(description_, text);
  }
  HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR text) override { return Store(helpFile_, text); }
  HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD context) override {
    helpContext_ = context;
    return S_OK;
  }

 private:
  ~ErrorObject() {
    SysFreeString(source_);
    SysFreeString(description_);
    SysFreeString(helpFile_);
  }

  static HRESULT Store(BSTR& field, LPOLESTR text) {
    BSTR copy = CopyOrNull(text);
    if (text && !copy) return E_OUTOFMEMORY;
    SysFreeString(field);
    field = copy;
    return S_OK;
  }

  std::atomic<ULONG> references_{1};
  GUID guid_{};
  BSTR source_ = nullptr;
  BSTR description_ = nullptr;
  BSTR helpFile_ = nullptr;
  DWORD helpContext_ = 0;
};

// Releases what a thread leaves in its slot when the thread ends.
struct ThreadSlot {
  IErrorInfo* info = nullptr;
  ~ThreadSlot() {
    if (info) info->Release();
  }
};

ThreadSlot& Slot() {
  thread_local ThreadSlot slot;
  return slot;
}

}  // namespace

extern "C" {

HRESULT WINAPI CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
  if (!pperrinfo) return E_INVALIDARG;
  auto* object = new (std::nothrow) ErrorObject();
  *pperrinfo = object;
  return object ? S_OK : E_OUTOFMEMORY;
}

HRESULT WINAPI SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo) {
  if (dwReserved != 0) return E_INVALIDARG;
  ThreadSlot& slot = Slot();
  if (perrinfo) perrinfo->AddRef();
  IErrorInfo* previous = slot.info;
  slot.info = perrinfo;
  if (previous) previous->Release();
  return S_OK;
}

HRESULT WINAPI GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo) {
  if (!pperrinfo) return E_INVALIDARG;
  *pperrinfo = nullptr;
  if (dwReserved != 0) return E_INVALIDARG;
  ThreadSlot& slot = Slot();
  if (!slot.info) return S_FALSE;
  *pperrinfo = slot.info;
  slot.info = nullptr;
  return S_OK;
}

}  // extern "C"
