#include <new>

#include "RegistryRead.h"
#include "objbase.h"

using namespace glyphward_com;

extern "C" {

HRESULT WINAPI CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid) {
  if (!lpszProgID || !lpclsid || !*lpszProgID) return E_INVALIDARG;
  try {
    std::u16string text;
    const HRESULT hr = LookupStatus(ReadDefaultValue(std::u16string(lpszProgID) + u"\\CLSID", text),
                                    CO_E_CLASSSTRING);
    if (FAILED(hr)) return hr;
    return CLSIDFromString(text.c_str(), lpclsid);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // extern "C"
