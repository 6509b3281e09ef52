// The module's exported entry points, as hosts and the registration tool
// find them by name.
#pragma once

#include "windef.h"

extern "C" {
GLYPHWARD_EXPORT HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid,
                                                          LPVOID* ppv);
GLYPHWARD_EXPORT HRESULT STDAPICALLTYPE DllCanUnloadNow(void);
GLYPHWARD_EXPORT HRESULT STDAPICALLTYPE DllRegisterServer(void);
GLYPHWARD_EXPORT HRESULT STDAPICALLTYPE DllUnregisterServer(void);
}
