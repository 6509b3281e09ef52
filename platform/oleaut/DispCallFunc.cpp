// Calls a method through an object's function table with arguments known only
// at run time, as ITypeInfo::Invoke needs. libffi builds the call for the
// platform's calling convention from the argument types.
#include <ffi.h>

#include <cstring>
#include <vector>

#include "oleauto.h"

namespace {

// The libffi type of an argument or result passed as `vt`; null when such a
// value cannot be passed.
ffi_type* TypeOf(VARTYPE vt) {
  if (vt & (VT_BYREF | VT_ARRAY)) return &ffi_type_pointer;
  switch (vt) {
    case VT_EMPTY:
    case VT_VOID:
      return &ffi_type_void;
    case VT_I1:
      return &ffi_type_sint8;
    case VT_UI1:
      return &ffi_type_uint8;
    case VT_I2:
    case VT_BOOL:
      return &ffi_type_sint16;
    case VT_UI2:
      return &ffi_type_uint16;
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
    case VT_HRESULT:
      return &ffi_type_sint32;
    case VT_UI4:
    case VT_UINT:
      return &ffi_type_uint32;
    case VT_I8:
    case VT_CY:
      return &ffi_type_sint64;
    case VT_UI8:
      return &ffi_type_uint64;
    case VT_R4:
      return &ffi_type_float;
    case VT_R8:
    case VT_DATE:
      return &ffi_type_double;
    case VT_BSTR:
    case VT_UNKNOWN:
    case VT_DISPATCH:
    case VT_PTR:
    case VT_LPSTR:
    case VT_LPWSTR:
      return &ffi_type_pointer;
    default:
      return nullptr;
  }
}

// Stores a call's raw result into the VARIANT the caller asked for.
void StoreResult(VARTYPE vt, const ffi_arg& raw, const void* wide, VARIANT* out) {
  VariantInit(out);
  out->vt = vt;
  out->llVal = 0;
  switch (vt) {
    case VT_EMPTY:
    case VT_VOID:
      out->vt = VT_EMPTY;
      break;
    case VT_I1:
      out->cVal = CHAR(raw);
      break;
    case VT_UI1:
      out->bVal = BYTE(raw);
      break;
    case VT_I2:
    case VT_BOOL:
      out->iVal = SHORT(raw);
      break;
    case VT_UI2:
      out->uiVal = USHORT(raw);
      break;
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
    case VT_HRESULT:
      out->lVal = LONG(raw);
      break;
    case VT_UI4:
    case VT_UINT:
      out->ulVal = ULONG(raw);
      break;
    default:
      std::memcpy(&out->llVal, wide, sizeof out->llVal);
      break;
  }
}

}  // namespace

extern "C" {

HRESULT WINAPI DispCallFunc(void* pvInstance, ULONG_PTR oVft, CALLCONV cc, VARTYPE vtReturn,
                            UINT cActuals, VARTYPE* prgvt, VARIANTARG** prgpvarg,
                            VARIANT* pvargResult) {
  if (!pvInstance || !pvargResult || (cActuals && (!prgvt || !prgpvarg))) return E_INVALIDARG;
  if (cc != CC_STDCALL && cc != CC_CDECL) return E_INVALIDARG;
  if (oVft % sizeof(void*) != 0 || cActuals > 64) return E_INVALIDARG;
  ffi_type* returnType = TypeOf(vtReturn);
  if (!returnType) return DISP_E_BADVARTYPE;

  std::vector<ffi_type*> types(cActuals + 1);
  std::vector<void*> values(cActuals + 1);
  types[0] = &ffi_type_pointer;
  values[0] = &pvInstance;
  for (UINT i = 0; i < cActuals; ++i) {
    types[i + 1] = TypeOf(prgvt[i]);
    if (!types[i + 1] || types[i + 1] == &ffi_type_void || !prgpvarg[i]) return DISP_E_BADVARTYPE;
    // Every member of the value union starts at the same address.
    values[i + 1] = &prgpvarg[i]->llVal;
  }

  ffi_cif cif;
  if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, cActuals + 1, returnType, types.data()) != FFI_OK)
    return E_INVALIDARG;
  void** table = *static_cast<void***>(pvInstance);
  void* function = table[oVft / sizeof(void*)];
  if (!function) return E_INVALIDARG;

  union {
    ffi_arg narrow;
    double real;
    long long wide;
  } result{};
  ffi_call(&cif, reinterpret_cast<void (*)()>(function), &result, values.data());
  StoreResult(vtReturn, result.narrow, &result, pvargResult);
  return S_OK;
}

}  // extern "C"
