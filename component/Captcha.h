// The creatable class. It holds nothing but its identity and reference count;
// every call works on the one CaptchaEngine of the process.
#pragma once

#include <atomic>

#include "MirelGlyphward.h"

namespace MirelGlyphward {

class Captcha final : public ICaptchaClass {
 public:
  // Creates an object, stand-alone or aggregated in `outer` (which then must
  // ask for IUnknown), and queries it for `riid`.
  static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

  // IUnknown: delegates to the controlling unknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // ICaptcha
  HRESULT STDMETHODCALLTYPE get_ImageWidth(LONG* pVal) override;
  HRESULT STDMETHODCALLTYPE put_ImageWidth(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_ImageHeight(LONG* pVal) override;
  HRESULT STDMETHODCALLTYPE put_ImageHeight(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_CodeLength(LONG* pVal) override;
  HRESULT STDMETHODCALLTYPE put_CodeLength(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStyle(LONG* pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStyle(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_CodeType(LONG* pVal) override;
  HRESULT STDMETHODCALLTYPE put_CodeType(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_Format(BSTR* pVal) override;
  HRESULT STDMETHODCALLTYPE put_Format(BSTR newVal) override;
  HRESULT STDMETHODCALLTYPE Validate(BSTR userCode, BSTR hashValue, VARIANT_BOOL* Result) override;
  HRESULT STDMETHODCALLTYPE GetHashValue(BSTR* Result) override;
  HRESULT STDMETHODCALLTYPE CreateImage(VARIANT* vResult) override;
  HRESULT STDMETHODCALLTYPE GetValue(BSTR* Result) override;
  HRESULT STDMETHODCALLTYPE CreateSoundFromCode(BSTR code, VARIANT* vResult) override;

  // The class's own further operations.
  HRESULT STDMETHODCALLTYPE CreateImageFromCode(BSTR code, VARIANT* vResult) override;
  HRESULT STDMETHODCALLTYPE CreateSound(VARIANT* vResult) override;

 private:
  // The object's own, non-delegating IUnknown: what an aggregating outer
  // object holds and queries.
  class InnerUnknown final : public IUnknown {
   public:
    explicit InnerUnknown(Captcha* owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    Captcha* owner_;
  };

  explicit Captcha(IUnknown* outer);
  ~Captcha();

  InnerUnknown inner_{this};
  IUnknown* controlling_;
  std::atomic<ULONG> references_{0};
};

}  // namespace MirelGlyphward
