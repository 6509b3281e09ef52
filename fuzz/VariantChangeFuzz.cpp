// VariantChangeType on a VARIANT built from the input:
//   [0] source type (index into kTypes), [1] bit 0 by reference, bit 1
//   converted in place, bits 4..7 VT_VARIANT|VT_BYREF wrappers around it,
//   [2] destination type (index into kTypes; 0xFF takes [3..4] as a raw VARTYPE),
//   [3..4] raw VARTYPE, [5] flags, then the value: its bytes for scalar types,
//   every remaining byte as the BSTR's bytes (odd counts included).
// Besides memory faults it checks what conversions promise: the result has
// the asked-for type, a failure leaves the destination alone, integers survive
// a trip through text and (where exact) doubles, and converting in place gives what a
// separate destination gets.
#include <cstring>

#include "FuzzSupport.h"
#include "oleauto.h"

using glyphward_fuzz::Fail;

namespace {

constexpr VARTYPE kTypes[] = {VT_EMPTY, VT_NULL, VT_I1,  VT_UI1,  VT_I2,   VT_UI2, VT_I4,
                              VT_UI4,   VT_I8,   VT_UI8, VT_INT,  VT_UINT, VT_R4,  VT_R8,
                              VT_BOOL,  VT_BSTR, VT_CY,  VT_DATE, VT_ERROR};
constexpr std::size_t kTypeCount = sizeof kTypes / sizeof kTypes[0];
constexpr std::size_t kHeader = 6;

bool IsInteger(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
      return true;
    default:
      return false;
  }
}

// The value of an integer VARIANT, widened without loss.
bool IntegerOf(const VARIANT& v, long long& value, unsigned long long& natural) {
  switch (v.vt) {
    case VT_I1:
      value = v.cVal;
      break;
    case VT_I2:
      value = v.iVal;
      break;
    case VT_I4:
    case VT_INT:
      value = v.lVal;
      break;
    case VT_I8:
      value = v.llVal;
      break;
    case VT_UI1:
      natural = v.bVal;
      return true;
    case VT_UI2:
      natural = v.uiVal;
      return true;
    case VT_UI4:
    case VT_UINT:
      natural = v.ulVal;
      return true;
    case VT_UI8:
      natural = v.ullVal;
      return true;
    default:
      return false;
  }
  natural = static_cast<unsigned long long>(value);
  return true;
}

bool IsSigned(VARTYPE vt) {
  return vt == VT_I1 || vt == VT_I2 || vt == VT_I4 || vt == VT_I8 || vt == VT_INT;
}

// The bytes of the union a value of type `vt` occupies.
std::size_t Width(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
      return 0;
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    default:
      return 8;
  }
}

// Scalars compare by type and value bits, texts by content.
bool SameVariant(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  if (a.vt == VT_BSTR) {
    const UINT n = SysStringByteLen(a.bstrVal);
    return n == SysStringByteLen(b.bstrVal) &&
           (n == 0 || std::memcmp(a.bstrVal, b.bstrVal, n) == 0);
  }
  return std::memcmp(&a.ullVal, &b.ullVal, Width(a.vt)) == 0;
}

// Converting `from` (not by reference) to `vt` and back must give `from`.
void CheckTrip(const VARIANT& from, VARTYPE vt) {
  VARIANT there, back;
  VariantInit(&there);
  VariantInit(&back);
  if (VariantChangeType(&there, &from, 0, vt) != S_OK)
    Fail("an integer has no form of a type that holds it");
  if (VariantChangeType(&back, &there, 0, from.vt) != S_OK || !SameVariant(back, from))
    Fail("an integer does not come back from a conversion");
  VariantClear(&there);
  VariantClear(&back);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const VARTYPE sourceType = kTypes[data[0] % kTypeCount];
  const bool byReference = data[1] & 1;
  const bool inPlace = data[1] & 2;
  const int wrappers = data[1] >> 4;
  const VARTYPE wanted =
      data[2] == 0xFF ? VARTYPE(data[3] | data[4] << 8) : kTypes[data[2] % kTypeCount];
  const USHORT flags = data[5];
  const std::uint8_t* value = data + kHeader;
  const std::size_t valueSize = size - kHeader;

  // The value's storage, which by-reference VARIANTs point at.
  unsigned long long scalar = 0;
  std::memcpy(&scalar, value, valueSize < sizeof scalar ? valueSize : sizeof scalar);
  BSTR text = nullptr;
  if (sourceType == VT_BSTR && valueSize > 0) {
    text = SysAllocStringByteLen(reinterpret_cast<const char*>(value), UINT(valueSize));
    if (!text) Fail("SysAllocStringByteLen refused a small string");
  }

  VARIANT chain[16];
  VARIANT& base = chain[0];
  VariantInit(&base);
  base.vt = VARTYPE(sourceType | (byReference ? VT_BYREF : 0));
  if (sourceType == VT_BSTR)
    byReference ? void(base.pbstrVal = &text) : void(base.bstrVal = text);
  else if (byReference)
    base.byref = &scalar;
  else
    base.ullVal = scalar;
  for (int i = 1; i <= wrappers; ++i) {
    VariantInit(&chain[i]);
    chain[i].vt = VT_VARIANT | VT_BYREF;
    chain[i].pvarVal = &chain[i - 1];
  }
  VARIANT source = chain[wrappers];

  // A separate destination holding a text, which a failure must leave alone.
  VARIANT separate;
  VariantInit(&separate);
  separate.vt = VT_BSTR;
  separate.bstrVal = SysAllocString(u"untouched");
  const HRESULT hr = VariantChangeType(&separate, &source, flags, wanted);
  if (FAILED(hr)) {
    if (separate.vt != VT_BSTR || std::u16string_view(separate.bstrVal) != u"untouched")
      Fail("a failed conversion changed its destination");
  } else {
    if (hr != S_OK || separate.vt != wanted) Fail("a conversion gave another type");
    // Only a null BSTR copied as it is may come out null.
    if (wanted == VT_BSTR && !separate.bstrVal && sourceType != VT_BSTR)
      Fail("a converted text without its BSTR");
  }

  if (inPlace) {
    VARIANT copy = source;
    const HRESULT again = VariantChangeType(&copy, &copy, flags, wanted);
    if (again != hr) Fail("converting in place fails differently");
    if (SUCCEEDED(again) && !SameVariant(copy, separate)) Fail("converting in place differs");
    // Success replaces the source, freeing a text it held directly; a text
    // behind a reference stays ours to free.
    if (SUCCEEDED(again)) {
      if (source.vt == VT_BSTR) text = nullptr;
      VariantClear(&copy);
    }
  }

  // Integers keep their value through text and, when exact, through doubles.
  if (SUCCEEDED(hr) && IsInteger(separate.vt)) {
    long long signedValue = 0;
    unsigned long long natural = 0;
    IntegerOf(separate, signedValue, natural);
    CheckTrip(separate, VT_BSTR);
    constexpr long long kExact = 1ll << 53;
    if (IsSigned(separate.vt) ? signedValue > -kExact && signedValue < kExact
                              : natural < std::uint64_t(kExact))
      CheckTrip(separate, VT_R8);
  }
  VariantClear(&separate);
  SysFreeString(text);
  return 0;
}
