/* The OLE automation functions hosts and the component share. They live in one
 * shared library so that every module of a process uses one allocator for
 * BSTRs and arrays and one error-information slot per thread. */
#ifndef GLYPHWARD_OLEAUTO_H
#define GLYPHWARD_OLEAUTO_H

#include "oaidl.h"

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
GLYPHWARD_EXPORT SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE vt, LONG lLbound,
                                                         ULONG cElements);
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

#ifdef __cplusplus
}
#endif

#include "winnls.h"

#endif
