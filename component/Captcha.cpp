#include "Captcha.h"

#include <exception>
#include <mutex>
#include <new>

#include "CaptchaEngine.h"
#include "Dispatch.h"
#include "ErrorReporting.h"
#include "ModuleLock.h"
#include "TextConversion.h"

namespace MirelGlyphward {
namespace {

CaptchaEngine& Engine() {
  return CaptchaEngine::Instance();
}

// Runs one engine operation under the engine lock. Message texts become
// E_FAIL with error information; nothing else may cross the interface.
template <class Operation>
HRESULT Guarded(Operation operation) noexcept {
  try {
    std::lock_guard<std::mutex> lock(Engine().Mutex());
    return operation(Engine());
  } catch (const std::string& message) {
    return ReportFailure(message);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& error) {
    return ReportFailure(error.what());
  } catch (...) {
    return E_UNEXPECTED;
  }
}

template <class Getter>
HRESULT GetLong(LONG* pVal, Getter getter) {
  if (!pVal) return E_POINTER;
  return Guarded([&](CaptchaEngine& engine) {
    *pVal = getter(engine);
    return S_OK;
  });
}

template <class Setter>
HRESULT PutLong(Setter setter) {
  return Guarded([&](CaptchaEngine& engine) {
    setter(engine);
    return S_OK;
  });
}

HRESULT ReturnText(const std::string& text, BSTR* out) {
  // A failed conversion hands back a null BSTR with S_OK, as callers expect.
  *out = BSTRFromNarrow(text);
  return S_OK;
}

HRESULT Creation(VARIANT* vResult, BSTR code, bool isPicture) {
  if (!vResult) return E_POINTER;
  std::optional<std::string> narrow = NarrowFromBSTR(code);
  if (!narrow) return E_INVALIDARG;
  ByteResult result;
  const HRESULT hr = Guarded([&](CaptchaEngine& engine) {
    result = isPicture ? engine.CreatePicture(*narrow) : engine.CreateSound(*narrow);
    return S_OK;
  });
  if (FAILED(hr)) return hr;
  return MakeByteArrayVariant(result, vResult);
}

}  // namespace

HRESULT Captcha::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
  auto* object = new (std::nothrow) Captcha(outer);
  if (!object) return E_OUTOFMEMORY;
  object->inner_.AddRef();
  const HRESULT hr = object->inner_.QueryInterface(riid, ppv);
  object->inner_.Release();  // destroys the object when the query failed
  return hr;
}

Captcha::Captcha(IUnknown* outer) : controlling_(outer ? outer : &inner_) {
  LockModule();
}

Captcha::~Captcha() {
  UnlockModule();
}

HRESULT Captcha::InnerUnknown::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown) {
    // Alone, the object answers every interface with the one pointer that is
    // its identity; only an aggregating object gets this separate unknown,
    // the one that does not delegate, to query and release what it holds.
    *ppv = owner_->controlling_ == this ? static_cast<IUnknown*>(owner_)
                                        : static_cast<IUnknown*>(this);
  } else if (riid == IID_IDispatch || riid == IID_ICaptcha) {
    *ppv = static_cast<ICaptcha*>(owner_);
  } else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*ppv)->AddRef();
  return S_OK;
}

ULONG Captcha::InnerUnknown::AddRef() {
  return ++owner_->references_;
}

ULONG Captcha::InnerUnknown::Release() {
  const ULONG left = --owner_->references_;
  if (left == 0) delete owner_;
  return left;
}

HRESULT Captcha::QueryInterface(REFIID riid, void** ppv) {
  return controlling_->QueryInterface(riid, ppv);
}
ULONG Captcha::AddRef() {
  return controlling_->AddRef();
}
ULONG Captcha::Release() {
  return controlling_->Release();
}

HRESULT Captcha::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

HRESULT Captcha::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_POINTER;
  *ppTInfo = nullptr;
  if (iTInfo != 0) return DISP_E_BADINDEX;
  return CaptchaTypeInfo(lcid, ppTInfo);
}

HRESULT Captcha::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                               DISPID* rgDispId) {
  return DispatchGetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
}

HRESULT Captcha::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                        DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr) {
  return DispatchInvoke(this, dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo,
                        puArgErr);
}

HRESULT Captcha::get_ImageWidth(LONG* pVal) {
  return GetLong(pVal, [](CaptchaEngine& e) { return e.ImageWidth(); });
}
HRESULT Captcha::put_ImageWidth(LONG newVal) {
  return PutLong([=](CaptchaEngine& e) { e.SetImageWidth(newVal); });
}
HRESULT Captcha::get_ImageHeight(LONG* pVal) {
  return GetLong(pVal, [](CaptchaEngine& e) { return e.ImageHeight(); });
}
HRESULT Captcha::put_ImageHeight(LONG newVal) {
  return PutLong([=](CaptchaEngine& e) { e.SetImageHeight(newVal); });
}
HRESULT Captcha::get_CodeLength(LONG* pVal) {
  return GetLong(pVal, [](CaptchaEngine& e) { return e.CodeLength(); });
}
HRESULT Captcha::put_CodeLength(LONG newVal) {
  return PutLong([=](CaptchaEngine& e) { e.SetCodeLength(newVal); });
}
HRESULT Captcha::get_TextStyle(LONG* pVal) {
  return GetLong(pVal, [](CaptchaEngine& e) { return e.TextStyle(); });
}
HRESULT Captcha::put_TextStyle(LONG newVal) {
  return PutLong([=](CaptchaEngine& e) { e.SetTextStyle(newVal); });
}
HRESULT Captcha::get_CodeType(LONG* pVal) {
  return GetLong(pVal, [](CaptchaEngine& e) { return e.CodeType(); });
}
HRESULT Captcha::put_CodeType(LONG newVal) {
  return PutLong([=](CaptchaEngine& e) { e.SetCodeType(newVal); });
}

HRESULT Captcha::get_Format(BSTR* pVal) {
  if (!pVal) return E_POINTER;
  return Guarded([&](CaptchaEngine& e) { return ReturnText(e.Format(), pVal); });
}

HRESULT Captcha::put_Format(BSTR newVal) {
  std::optional<std::string> narrow = NarrowFromBSTR(newVal);
  if (!narrow) return E_INVALIDARG;
  return PutLong([&](CaptchaEngine& e) { e.SetFormat(*narrow); });
}

HRESULT Captcha::Validate(BSTR userCode, BSTR hashValue, VARIANT_BOOL* Result) {
  if (!Result) return E_POINTER;
  try {
    const std::optional<std::string> answer = NarrowFromBSTR(userCode);
    const std::optional<std::string> hash = NarrowFromBSTR(hashValue);
    *Result = answer && hash && HashMatches(HashOf(*answer), *hash) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT Captcha::GetHashValue(BSTR* Result) {
  if (!Result) return E_POINTER;
  std::string code;
  const HRESULT hr = Guarded([&](CaptchaEngine& e) {
    code = e.CurrentCode();
    return S_OK;
  });
  if (FAILED(hr)) return hr;
  try {
    return ReturnText(HashOf(code), Result);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT Captcha::GetValue(BSTR* Result) {
  if (!Result) return E_POINTER;
  return Guarded([&](CaptchaEngine& e) { return ReturnText(e.CurrentCode(), Result); });
}

HRESULT Captcha::CreateImage(VARIANT* vResult) {
  return Creation(vResult, nullptr, true);
}

HRESULT Captcha::CreateSoundFromCode(BSTR code, VARIANT* vResult) {
  return Creation(vResult, code, false);
}

HRESULT Captcha::CreateImageFromCode(BSTR code, VARIANT* vResult) {
  return Creation(vResult, code, true);
}

HRESULT Captcha::CreateSound(VARIANT* vResult) {
  return Creation(vResult, nullptr, false);
}

}  // namespace MirelGlyphward
