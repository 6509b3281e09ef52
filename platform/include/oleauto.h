/* The OLE automation functions hosts and the component share. They live in one
 * shared library so that every module of a process uses one allocator for
 * BSTRs and arrays and one error-information slot per thread. */
#ifndef GLYPHWARD_OLEAUTO_H
#define GLYPHWARD_OLEAUTO_H

#include "oaidl.h"
#include "oatypelib.h"

/* VariantChangeType flags. */
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02

#ifdef __cplusplus
extern "C" {
#endif

GLYPHWARD_EXPORT BSTR WINAPI SysAllocString(const OLECHAR* psz);
GLYPHWARD_EXPORT BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui);
GLYPHWARD_EXPORT BSTR WINAPI SysAllocStringByteLen(LPCSTR psz, UINT len);
GLYPHWARD_EXPORT void WINAPI SysFreeString(BSTR bstrString);
GLYPHWARD_EXPORT UINT WINAPI SysStringLen(BSTR pbstr);
GLYPHWARD_EXPORT UINT WINAPI SysStringByteLen(BSTR bstr);

GLYPHWARD_EXPORT void WINAPI VariantInit(VARIANTARG* pvarg);
GLYPHWARD_EXPORT HRESULT WINAPI VariantClear(VARIANTARG* pvarg);
GLYPHWARD_EXPORT HRESULT WINAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);

GLYPHWARD_EXPORT SAFEARRAY* WINAPI SafeArrayCreate(VARTYPE vt, UINT cDims,
                                                   SAFEARRAYBOUND* rgsabound);
GLYPHWARD_EXPORT SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayDestroy(SAFEARRAY* psa);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayUnaccessData(SAFEARRAY* psa);
GLYPHWARD_EXPORT UINT WINAPI SafeArrayGetDim(SAFEARRAY* psa);
GLYPHWARD_EXPORT UINT WINAPI SafeArrayGetElemsize(SAFEARRAY* psa);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
GLYPHWARD_EXPORT HRESULT WINAPI SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);

GLYPHWARD_EXPORT HRESULT WINAPI CreateErrorInfo(ICreateErrorInfo** pperrinfo);
GLYPHWARD_EXPORT HRESULT WINAPI SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
GLYPHWARD_EXPORT HRESULT WINAPI GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);

/* Converts between VT_EMPTY, the integer types, VT_R4, VT_R8, VT_BOOL and
 * VT_BSTR, looking through VT_BYREF; DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW
 * when the value has no form of the wanted type. */
GLYPHWARD_EXPORT HRESULT WINAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc,
                                                  USHORT wFlags, VARTYPE vt);

/* Calls the function at byte offset `oVft` of the function table of
 * `pvInstance` with the given arguments (the instance first). */
GLYPHWARD_EXPORT HRESULT WINAPI DispCallFunc(void* pvInstance, ULONG_PTR oVft, CALLCONV cc,
                                             VARTYPE vtReturn, UINT cActuals, VARTYPE* prgvt,
                                             VARIANTARG** prgpvarg, VARIANT* pvargResult);

/* Type libraries: read from a module's TYPELIB 1 resource or from a type
 * library text file, registered under HKEY_CLASSES_ROOT\TypeLib. */
GLYPHWARD_EXPORT HRESULT WINAPI LoadTypeLib(LPCOLESTR szFile, ITypeLib** pptlib);
GLYPHWARD_EXPORT HRESULT WINAPI LoadRegTypeLib(REFGUID rguid, WORD wVerMajor, WORD wVerMinor,
                                               LCID lcid, ITypeLib** pptlib);
GLYPHWARD_EXPORT HRESULT WINAPI RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR szFullPath,
                                                LPCOLESTR szHelpDir);
GLYPHWARD_EXPORT HRESULT WINAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor,
                                                  LCID lcid, SYSKIND syskind);

#ifdef __cplusplus
}
#endif

#include "winnls.h"

#endif
