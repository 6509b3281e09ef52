#include "ByteResults.h"

#include <cstring>

namespace MirelGlyphward {

HRESULT MakeByteArrayVariant(const ByteResult& result, VARIANT* out) {
  if (!out) return E_POINTER;
  if (result.count < 0 || (result.count > 0 && !result.bytes)) return E_UNEXPECTED;
  SAFEARRAYBOUND bound{ULONG(result.count), 0};
  SAFEARRAY* array = SafeArrayCreate(VT_UI1, 1, &bound);
  if (!array) return E_OUTOFMEMORY;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) {
    SafeArrayDestroy(array);
    return E_OUTOFMEMORY;
  }
  if (result.count > 0) std::memcpy(data, result.bytes.get(), std::size_t(result.count));
  SafeArrayUnaccessData(array);

  VariantInit(out);
  out->vt = VT_ARRAY | VT_UI1;
  out->parray = array;
  return S_OK;
}

}  // namespace MirelGlyphward
