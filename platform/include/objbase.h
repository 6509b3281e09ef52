/* The COM library calls a host needs to reach an in-process server: start-up,
 * class identities as text, ProgID lookup and object creation through the
 * registry's InprocServer32 entry. */
#ifndef GLYPHWARD_OBJBASE_H
#define GLYPHWARD_OBJBASE_H

#include "unknwn.h"
#include "winerror.h"

typedef enum tagCLSCTX {
  CLSCTX_INPROC_SERVER = 0x1,
  CLSCTX_INPROC_HANDLER = 0x2,
  CLSCTX_LOCAL_SERVER = 0x4,
  CLSCTX_REMOTE_SERVER = 0x10
} CLSCTX;
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_ALL \
  (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

typedef enum tagCOINIT { COINIT_MULTITHREADED = 0x0, COINIT_APARTMENTTHREADED = 0x2 } COINIT;

/* Characters StringFromGUID2 writes for a GUID in braces, terminator included. */
#define CHARS_IN_GUID 39

#ifdef __cplusplus
extern "C" {
#endif

/* The exports an in-process server offers. */
typedef HRESULT(STDAPICALLTYPE* LPFNGETCLASSOBJECT)(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
typedef HRESULT(STDAPICALLTYPE* LPFNCANUNLOADNOW)(void);

/* Nothing to set up: there are no apartments to enter. They count calls per
 * thread so that the first CoInitialize gives S_OK and later ones S_FALSE. */
GLYPHWARD_EXPORT HRESULT WINAPI CoInitialize(LPVOID pvReserved);
GLYPHWARD_EXPORT HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
GLYPHWARD_EXPORT void WINAPI CoUninitialize(void);

GLYPHWARD_EXPORT int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
GLYPHWARD_EXPORT HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, CLSID* pclsid);
GLYPHWARD_EXPORT HRESULT WINAPI IIDFromString(LPCOLESTR lpsz, IID* lpiid);
GLYPHWARD_EXPORT HRESULT WINAPI CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid);

/* Loads the class's InprocServer32 module (it stays loaded until
 * CoFreeUnusedLibraries finds it unused) and asks it for the class object. */
GLYPHWARD_EXPORT HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext,
                                                 LPVOID pvReserved, REFIID riid, LPVOID* ppv);
GLYPHWARD_EXPORT HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter,
                                                 DWORD dwClsContext, REFIID riid, LPVOID* ppv);
GLYPHWARD_EXPORT void WINAPI CoFreeUnusedLibraries(void);

#ifdef __cplusplus
}
#endif

#endif
