// SAFEARRAYs laid out as on Windows: the descriptor with its bounds (stored
// last dimension first), the element type kept in the four bytes before the
// descriptor, and the elements in a separate zeroed block.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "oleauto.h"

namespace {

// Arrays larger than this are refused rather than risking a size overflow.
constexpr std::size_t kMaxDataBytes = 0x7FFFFFFFu;
constexpr std::size_t kPrefixBytes = 16;

ULONG ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_R4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
      return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
      return 8;
    case VT_BSTR:
    case VT_UNKNOWN:
    case VT_DISPATCH:
      return sizeof(void*);
    case VT_DECIMAL:
      return sizeof(DECIMAL);
    case VT_VARIANT:
      return sizeof(VARIANT);
    default:
      return 0;
  }
}

USHORT FeaturesFor(VARTYPE vt) {
  switch (vt) {
    case VT_BSTR:
      return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_UNKNOWN:
      return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_DISPATCH:
      return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_VARIANT:
      return FADF_HAVEVARTYPE | FADF_VARIANT;
    default:
      return FADF_HAVEVARTYPE;
  }
}

std::size_t DescriptorBytes(UINT cDims) {
  return sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
}

VARTYPE StoredType(const SAFEARRAY* psa) {
  std::uint32_t vt;
  std::memcpy(&vt, reinterpret_cast<const unsigned char*>(psa) - 4, sizeof vt);
  return VARTYPE(vt);
}

bool ElementCount(const SAFEARRAY* psa, std::size_t* count) {
  std::size_t total = 1;
  for (USHORT i = 0; i < psa->cDims; ++i) {
    const std::size_t n = psa->rgsabound[i].cElements;
    if (n != 0 && total > kMaxDataBytes / n) return false;
    total *= n;
  }
  *count = total;
  return true;
}

void ClearElements(SAFEARRAY* psa) {
  std::size_t count = 0;
  if (!psa->pvData || !ElementCount(psa, &count)) return;
  if (psa->fFeatures & FADF_BSTR) {
    auto* items = static_cast<BSTR*>(psa->pvData);
    for (std::size_t i = 0; i < count; ++i) SysFreeString(items[i]);
  } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    auto* items = static_cast<IUnknown**>(psa->pvData);
    for (std::size_t i = 0; i < count; ++i)
      if (items[i]) items[i]->Release();
  } else if (psa->fFeatures & FADF_VARIANT) {
    auto* items = static_cast<VARIANT*>(psa->pvData);
    for (std::size_t i = 0; i < count; ++i) VariantClear(&items[i]);
  }
}

}  // namespace

extern "C" {

SAFEARRAY* WINAPI SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
  const ULONG elementSize = ElementSize(vt);
  if (cDims == 0 || cDims > 0xFFFF || !rgsabound || elementSize == 0) return nullptr;

  std::size_t elements = 1;
  for (UINT i = 0; i < cDims; ++i) {
    const std::size_t n = rgsabound[i].cElements;
    if (n != 0 && elements > kMaxDataBytes / n) return nullptr;
    elements *= n;
  }
  if (elements > kMaxDataBytes / elementSize) return nullptr;

  auto* block = static_cast<unsigned char*>(std::calloc(1, kPrefixBytes + DescriptorBytes(cDims)));
  if (!block) return nullptr;
  auto* psa = reinterpret_cast<SAFEARRAY*>(block + kPrefixBytes);
  const std::uint32_t storedVt = vt;
  std::memcpy(block + kPrefixBytes - 4, &storedVt, sizeof storedVt);
  psa->cDims = USHORT(cDims);
  psa->fFeatures = FeaturesFor(vt);
  psa->cbElements = elementSize;
  for (UINT i = 0; i < cDims; ++i) psa->rgsabound[cDims - 1 - i] = rgsabound[i];

  psa->pvData = std::calloc(elements ? elements : 1, elementSize);
  if (!psa->pvData) {
    std::free(block);
    return nullptr;
  }
  return psa;
}

SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  SAFEARRAYBOUND bound{cElements, lLbound};
  return SafeArrayCreate(vt, 1, &bound);
}

HRESULT WINAPI SafeArrayDestroy(SAFEARRAY* psa) {
  if (!psa) return S_OK;
  if (psa->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  ClearElements(psa);
  std::free(psa->pvData);
  std::free(reinterpret_cast<unsigned char*>(psa) - kPrefixBytes);
  return S_OK;
}

HRESULT WINAPI SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (!psa || !ppvData) return E_INVALIDARG;
  if (psa->cLocks == 0xFFFFFFFFu) return E_UNEXPECTED;
  ++psa->cLocks;
  *ppvData = psa->pvData;
  return S_OK;
}

HRESULT WINAPI SafeArrayUnaccessData(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  if (psa->cLocks == 0) return E_UNEXPECTED;
  --psa->cLocks;
  return S_OK;
}

UINT WINAPI SafeArrayGetDim(SAFEARRAY* psa) {
  return psa ? psa->cDims : 0;
}

UINT WINAPI SafeArrayGetElemsize(SAFEARRAY* psa) {
  return psa ? psa->cbElements : 0;
}

HRESULT WINAPI SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (!psa || !plLbound) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
  return S_OK;
}

HRESULT WINAPI SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (!psa || !plUbound) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
  *plUbound = LONG(std::int64_t(bound.lLbound) + std::int64_t(bound.cElements) - 1);
  return S_OK;
}

HRESULT WINAPI SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
  if (!psa || !pvt) return E_INVALIDARG;
  *pvt = StoredType(psa);
  return S_OK;
}

HRESULT WINAPI SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
  if (!ppsaOut) return E_INVALIDARG;
  *ppsaOut = nullptr;
  if (!psa) return S_OK;
  SAFEARRAYBOUND bounds[64];
  if (psa->cDims > 64) return E_INVALIDARG;
  for (USHORT i = 0; i < psa->cDims; ++i) bounds[i] = psa->rgsabound[psa->cDims - 1 - i];
  SAFEARRAY* copy = SafeArrayCreate(StoredType(psa), psa->cDims, bounds);
  if (!copy) return E_OUTOFMEMORY;
  std::size_t count = 0;
  ElementCount(psa, &count);
  if (psa->fFeatures & FADF_BSTR) {
    auto* from = static_cast<BSTR*>(psa->pvData);
    auto* to = static_cast<BSTR*>(copy->pvData);
    for (std::size_t i = 0; i < count; ++i) {
      if (!from[i]) continue;
      to[i] = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(from[i]), SysStringByteLen(from[i]));
      if (!to[i]) {
        SafeArrayDestroy(copy);
        return E_OUTOFMEMORY;
      }
    }
  } else if (psa->fFeatures & FADF_VARIANT) {
    auto* from = static_cast<VARIANT*>(psa->pvData);
    auto* to = static_cast<VARIANT*>(copy->pvData);
    for (std::size_t i = 0; i < count; ++i) {
      const HRESULT hr = VariantCopy(&to[i], &from[i]);
      if (FAILED(hr)) {
        SafeArrayDestroy(copy);
        return hr;
      }
    }
  } else {
    std::memcpy(copy->pvData, psa->pvData, count * psa->cbElements);
    if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
      auto* items = static_cast<IUnknown**>(copy->pvData);
      for (std::size_t i = 0; i < count; ++i)
        if (items[i]) items[i]->AddRef();
    }
  }
  *ppsaOut = copy;
  return S_OK;
}

}  // extern "C"
