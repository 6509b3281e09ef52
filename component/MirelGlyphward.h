/* The component's public interface for hosts: the Captcha class, its dual
 * interface ICaptcha (C++ and C declarations with one function-table layout),
 * the identities, and the diagnostic entry points. */
#ifndef MIRELGLYPHWARD_H
#define MIRELGLYPHWARD_H

#include "oleauto.h"

#ifdef __cplusplus
extern "C" {
#endif

extern GLYPHWARD_EXPORT const CLSID CLSID_Captcha;
extern GLYPHWARD_EXPORT const IID IID_ICaptcha;
extern GLYPHWARD_EXPORT const GUID LIBID_MIRELGLYPHWARDLib;

/* Diagnostics outside ICaptcha: put the process-wide random engine into a
 * known state (1..2147483646, else E_INVALIDARG) and read how many engine
 * steps have been taken since the last seeding. */
GLYPHWARD_EXPORT HRESULT STDAPICALLTYPE GlyphwardSetSeed(LONG seed);
GLYPHWARD_EXPORT HRESULT STDAPICALLTYPE GlyphwardGetEngineSteps(ULONGLONG* steps);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus

struct ICaptcha : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_ImageWidth(LONG* pVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ImageWidth(LONG newVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ImageHeight(LONG* pVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ImageHeight(LONG newVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CodeLength(LONG* pVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CodeLength(LONG newVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TextStyle(LONG* pVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TextStyle(LONG newVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CodeType(LONG* pVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_CodeType(LONG newVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Format(BSTR* pVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Format(BSTR newVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE Validate(BSTR userCode, BSTR hashValue,
                                             VARIANT_BOOL* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHashValue(BSTR* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateImage(VARIANT* vResult) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetValue(BSTR* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSoundFromCode(BSTR code, VARIANT* vResult) = 0;
};

/* The Captcha object's own table continues after ICaptcha's with two
 * operations that are not part of the interface's type description. */
struct ICaptchaClass : public ICaptcha {
  virtual HRESULT STDMETHODCALLTYPE CreateImageFromCode(BSTR code, VARIANT* vResult) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSound(VARIANT* vResult) = 0;
};

#else

typedef struct ICaptcha ICaptcha;
typedef struct ICaptchaVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(ICaptcha* This, REFIID riid, void** ppvObject);
  ULONG(STDMETHODCALLTYPE* AddRef)(ICaptcha* This);
  ULONG(STDMETHODCALLTYPE* Release)(ICaptcha* This);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfoCount)(ICaptcha* This, UINT* pctinfo);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfo)
  (ICaptcha* This, UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo);
  HRESULT(STDMETHODCALLTYPE* GetIDsOfNames)
  (ICaptcha* This, REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId);
  HRESULT(STDMETHODCALLTYPE* Invoke)
  (ICaptcha* This, DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);
  HRESULT(STDMETHODCALLTYPE* get_ImageWidth)(ICaptcha* This, LONG* pVal);
  HRESULT(STDMETHODCALLTYPE* put_ImageWidth)(ICaptcha* This, LONG newVal);
  HRESULT(STDMETHODCALLTYPE* get_ImageHeight)(ICaptcha* This, LONG* pVal);
  HRESULT(STDMETHODCALLTYPE* put_ImageHeight)(ICaptcha* This, LONG newVal);
  HRESULT(STDMETHODCALLTYPE* get_CodeLength)(ICaptcha* This, LONG* pVal);
  HRESULT(STDMETHODCALLTYPE* put_CodeLength)(ICaptcha* This, LONG newVal);
  HRESULT(STDMETHODCALLTYPE* get_TextStyle)(ICaptcha* This, LONG* pVal);
  HRESULT(STDMETHODCALLTYPE* put_TextStyle)(ICaptcha* This, LONG newVal);
  HRESULT(STDMETHODCALLTYPE* get_CodeType)(ICaptcha* This, LONG* pVal);
  HRESULT(STDMETHODCALLTYPE* put_CodeType)(ICaptcha* This, LONG newVal);
  HRESULT(STDMETHODCALLTYPE* get_Format)(ICaptcha* This, BSTR* pVal);
  HRESULT(STDMETHODCALLTYPE* put_Format)(ICaptcha* This, BSTR newVal);
  HRESULT(STDMETHODCALLTYPE* Validate)
  (ICaptcha* This, BSTR userCode, BSTR hashValue, VARIANT_BOOL* Result);
  HRESULT(STDMETHODCALLTYPE* GetHashValue)(ICaptcha* This, BSTR* Result);
  HRESULT(STDMETHODCALLTYPE* CreateImage)(ICaptcha* This, VARIANT* vResult);
  HRESULT(STDMETHODCALLTYPE* GetValue)(ICaptcha* This, BSTR* Result);
  HRESULT(STDMETHODCALLTYPE* CreateSoundFromCode)(ICaptcha* This, BSTR code, VARIANT* vResult);
  /* The Captcha object's own table goes on with these two. */
  HRESULT(STDMETHODCALLTYPE* CreateImageFromCode)(ICaptcha* This, BSTR code, VARIANT* vResult);
  HRESULT(STDMETHODCALLTYPE* CreateSound)(ICaptcha* This, VARIANT* vResult);
} ICaptchaVtbl;
struct ICaptcha {
  const ICaptchaVtbl* lpVtbl;
};

#endif

#endif
