#include "ClassFactory.h"

#include <atomic>
#include <mutex>
#include <new>

#include "Captcha.h"
#include "ModuleLock.h"

namespace MirelGlyphward {
namespace {

class CaptchaClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                           void** ppvObject) override {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (pUnkOuter && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    return Captcha::CreateInstance(pUnkOuter, riid, ppvObject);
  }

  // An unlock without a matching lock is refused rather than letting the
  // count go below zero, where the module could never unload again.
  HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override {
    if (fLock) {
      ++serverLocks_;
      LockModule();
      return S_OK;
    }
    LONG held = serverLocks_.load();
    do {
      if (held <= 0) return E_UNEXPECTED;
    } while (!serverLocks_.compare_exchange_weak(held, held - 1));
    UnlockModule();
    return S_OK;
  }

 private:
  ~CaptchaClassFactory() = default;
  std::atomic<ULONG> references_{1};
  std::atomic<LONG> serverLocks_{0};
};

std::mutex factoryMutex;
CaptchaClassFactory* factory = nullptr;

}  // namespace

IClassFactory* CaptchaFactory() {
  std::lock_guard<std::mutex> lock(factoryMutex);
  if (!factory) factory = new (std::nothrow) CaptchaClassFactory();
  return factory;
}

void ReleaseCaptchaFactory() {
  std::lock_guard<std::mutex> lock(factoryMutex);
  if (factory) factory->Release();
  factory = nullptr;
}

}  // namespace MirelGlyphward
