#include "objbase.h"

namespace {
thread_local unsigned long initializeCount = 0;
}

extern "C" {

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD) {
  if (pvReserved) return E_INVALIDARG;
  return initializeCount++ == 0 ? S_OK : S_FALSE;
}

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
  return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize(void) {
  if (initializeCount > 0) --initializeCount;
}

}  // extern "C"
