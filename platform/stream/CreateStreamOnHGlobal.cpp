#include <new>

#include "MemoryStream.h"
#include "objidl.h"

STDAPI CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL /*fDeleteOnRelease*/, IStream** ppstm) {
  if (!ppstm) return E_INVALIDARG;
  *ppstm = nullptr;
  // There are no global memory handles on this platform to wrap.
  if (hGlobal) return E_INVALIDARG;
  IStream* stream = new (std::nothrow) Platform::MemoryStream();
  if (!stream) return E_OUTOFMEMORY;
  *ppstm = stream;
  return S_OK;
}
