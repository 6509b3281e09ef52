// VariantChangeType for the scalar types scripting hosts pass: integers of
// every width, VT_R4, VT_R8, VT_BOOL, VT_BSTR and VT_EMPTY, looking through
// VT_BYREF. Numbers are rounded half to even, out-of-range values give
// DISP_E_OVERFLOW, and texts are read as numbers (or True/False for VT_BOOL)
// with '.' as the decimal point.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "oleauto.h"

namespace {

// A source value reduced to one of a few kinds.
struct Scalar {
  enum Kind { kEmpty, kSigned, kUnsigned, kReal, kBool, kText } kind = kEmpty;
  long long integer = 0;
  unsigned long long natural = 0;
  double real = 0;
  bool truth = false;
  bool single = false;  // a VT_R4, written with float precision
  std::u16string text;
};

// Byref chains through VT_VARIANT are followed this deep at most.
constexpr int kMaxIndirection = 8;

HRESULT Read(const VARIANT& v, Scalar& out, int depth);

template <class T>
HRESULT ReadPointer(const T* p, Scalar& out, Scalar::Kind kind) {
  if (!p) return E_INVALIDARG;
  out.kind = kind;
  if (kind == Scalar::kSigned) out.integer = static_cast<long long>(*p);
  if (kind == Scalar::kUnsigned) out.natural = static_cast<unsigned long long>(*p);
  if (kind == Scalar::kReal) out.real = static_cast<double>(*p);
  return S_OK;
}

HRESULT ReadByRef(const VARIANT& v, Scalar& out, int depth) {
  switch (v.vt & ~VT_BYREF) {
    case VT_VARIANT:
      if (!v.pvarVal) return E_INVALIDARG;
      return Read(*v.pvarVal, out, depth + 1);
    case VT_I1:
      return ReadPointer(reinterpret_cast<const signed char*>(v.byref), out, Scalar::kSigned);
    case VT_I2:
      return ReadPointer(v.piVal, out, Scalar::kSigned);
    case VT_I4:
    case VT_INT:
      return ReadPointer(v.plVal, out, Scalar::kSigned);
    case VT_I8:
      return ReadPointer(v.pllVal, out, Scalar::kSigned);
    case VT_UI1:
      return ReadPointer(v.pbVal, out, Scalar::kUnsigned);
    case VT_UI2:
      return ReadPointer(static_cast<const USHORT*>(v.byref), out, Scalar::kUnsigned);
    case VT_UI4:
    case VT_UINT:
      return ReadPointer(static_cast<const ULONG*>(v.byref), out, Scalar::kUnsigned);
    case VT_UI8:
      return ReadPointer(static_cast<const ULONGLONG*>(v.byref), out, Scalar::kUnsigned);
    case VT_R4:
      out.single = true;
      return ReadPointer(v.pfltVal, out, Scalar::kReal);
    case VT_R8:
      return ReadPointer(v.pdblVal, out, Scalar::kReal);
    case VT_BOOL:
      if (!v.pboolVal) return E_INVALIDARG;
      out.kind = Scalar::kBool;
      out.truth = *v.pboolVal != VARIANT_FALSE;
      return S_OK;
    case VT_BSTR:
      if (!v.pbstrVal) return E_INVALIDARG;
      out.kind = Scalar::kText;
      if (*v.pbstrVal) out.text.assign(*v.pbstrVal, SysStringLen(*v.pbstrVal));
      return S_OK;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

HRESULT Read(const VARIANT& v, Scalar& out, int depth) {
  if (depth > kMaxIndirection || (v.vt & VT_ARRAY)) return DISP_E_TYPEMISMATCH;
  if (v.vt & VT_BYREF) return ReadByRef(v, out, depth);
  switch (v.vt) {
    case VT_EMPTY:
      out.kind = Scalar::kEmpty;
      return S_OK;
    case VT_I1:
      out.kind = Scalar::kSigned;
      out.integer = v.cVal;
      return S_OK;
    case VT_I2:
      out.kind = Scalar::kSigned;
      out.integer = v.iVal;
      return S_OK;
    case VT_I4:
    case VT_INT:
      out.kind = Scalar::kSigned;
      out.integer = v.lVal;
      return S_OK;
    case VT_I8:
      out.kind = Scalar::kSigned;
      out.integer = v.llVal;
      return S_OK;
    case VT_UI1:
      out.kind = Scalar::kUnsigned;
      out.natural = v.bVal;
      return S_OK;
    case VT_UI2:
      out.kind = Scalar::kUnsigned;
      out.natural = v.uiVal;
      return S_OK;
    case VT_UI4:
    case VT_UINT:
      out.kind = Scalar::kUnsigned;
      out.natural = v.ulVal;
      return S_OK;
    case VT_UI8:
      out.kind = Scalar::kUnsigned;
      out.natural = v.ullVal;
      return S_OK;
    case VT_R4:
      out.kind = Scalar::kReal;
      out.real = v.fltVal;
      out.single = true;
      return S_OK;
    case VT_R8:
      out.kind = Scalar::kReal;
      out.real = v.dblVal;
      return S_OK;
    case VT_BOOL:
      out.kind = Scalar::kBool;
      out.truth = v.boolVal != VARIANT_FALSE;
      return S_OK;
    case VT_BSTR:
      out.kind = Scalar::kText;
      if (v.bstrVal) out.text.assign(v.bstrVal, SysStringLen(v.bstrVal));
      return S_OK;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool EqualsIgnoringCase(std::u16string_view text, const char* word) {
  if (text.size() != std::strlen(word)) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    if (c != char16_t(word[i])) return false;
  }
  return true;
}

std::u16string_view Trimmed(const std::u16string& text) {
  std::u16string_view view(text);
  while (!view.empty() && IsSpace(view.front())) view.remove_prefix(1);
  while (!view.empty() && IsSpace(view.back())) view.remove_suffix(1);
  return view;
}

// A decimal number: sign, digits with at most one point, optional exponent.
template <class Real>
HRESULT ParseNumber(const std::u16string& text, Real& value) {
  const std::u16string_view view = Trimmed(text);
  if (view.empty() || view.size() > 400) return DISP_E_TYPEMISMATCH;
  std::string ascii;
  for (char16_t c : view) {
    if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' ||
          c == u'E'))
      return DISP_E_TYPEMISMATCH;
    ascii += char(c);
  }
  const char* first = ascii.data();
  if (*first == '+') ++first;
  const char* last = ascii.data() + ascii.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (end != last) return DISP_E_TYPEMISMATCH;
  if (error == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
  return error == std::errc() ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT AsReal(const Scalar& s, double& value) {
  switch (s.kind) {
    case Scalar::kEmpty:
      value = 0;
      return S_OK;
    case Scalar::kSigned:
      value = double(s.integer);
      return S_OK;
    case Scalar::kUnsigned:
      value = double(s.natural);
      return S_OK;
    case Scalar::kReal:
      value = s.real;
      return S_OK;
    case Scalar::kBool:
      value = s.truth ? -1.0 : 0.0;
      return S_OK;
    case Scalar::kText:
      return ParseNumber(s.text, value);
  }
  return DISP_E_TYPEMISMATCH;
}

// The value as an integer within [low, high]; reals are rounded half to even.
HRESULT AsInteger(const Scalar& s, long double low, long double high, long long& signedValue,
                  unsigned long long& unsignedValue) {
  long double value;
  if (s.kind == Scalar::kSigned) {
    value = s.integer;
  } else if (s.kind == Scalar::kUnsigned) {
    value = s.natural;
  } else if (s.kind == Scalar::kText) {
    // Read into the long double's 64-bit mantissa: through a double, a 64-bit
    // integer beyond 2^53 written as text would come back as another number.
    long double real;
    const HRESULT hr = ParseNumber(s.text, real);
    if (FAILED(hr)) return hr;
    value = std::nearbyint(real);
  } else {
    double real;
    const HRESULT hr = AsReal(s, real);
    if (FAILED(hr)) return hr;
    if (std::isnan(real)) return DISP_E_OVERFLOW;
    value = std::nearbyint(static_cast<long double>(real));
  }
  if (value < low || value > high) return DISP_E_OVERFLOW;
  if (value < 0) {
    signedValue = static_cast<long long>(value);
    unsignedValue = static_cast<unsigned long long>(signedValue);
  } else {
    unsignedValue =
        s.kind == Scalar::kUnsigned ? s.natural : static_cast<unsigned long long>(value);
    signedValue = static_cast<long long>(unsignedValue);
  }
  return S_OK;
}

HRESULT AsBool(const Scalar& s, bool& value) {
  if (s.kind == Scalar::kBool) {
    value = s.truth;
    return S_OK;
  }
  if (s.kind == Scalar::kText) {
    const std::u16string_view view = Trimmed(s.text);
    if (EqualsIgnoringCase(view, "true")) {
      value = true;
      return S_OK;
    }
    if (EqualsIgnoringCase(view, "false")) {
      value = false;
      return S_OK;
    }
  }
  double real;
  const HRESULT hr = AsReal(s, real);
  if (FAILED(hr)) return hr;
  value = real != 0;
  return S_OK;
}

std::u16string Widen(const char* ascii) {
  std::u16string out;
  for (; *ascii; ++ascii) out += char16_t(*ascii);
  return out;
}

HRESULT AsText(const Scalar& s, USHORT flags, std::u16string& text) {
  char buffer[64];
  switch (s.kind) {
    case Scalar::kEmpty:
      text.clear();
      return S_OK;
    case Scalar::kText:
      text = s.text;
      return S_OK;
    case Scalar::kSigned:
      std::snprintf(buffer, sizeof buffer, "%lld", s.integer);
      break;
    case Scalar::kUnsigned:
      std::snprintf(buffer, sizeof buffer, "%llu", s.natural);
      break;
    case Scalar::kReal:
      std::snprintf(buffer, sizeof buffer, s.single ? "%.7G" : "%.15G", s.real);
      break;
    case Scalar::kBool:
      if (flags & VARIANT_ALPHABOOL)
        std::snprintf(buffer, sizeof buffer, "%s", s.truth ? "True" : "False");
      else
        std::snprintf(buffer, sizeof buffer, "%s", s.truth ? "-1" : "0");
      break;
  }
  text = Widen(buffer);
  return S_OK;
}

struct IntegerRange {
  VARTYPE vt;
  long double low;
  long double high;
};

const IntegerRange kIntegerRanges[] = {
    {VT_I1, -128.0L, 127.0L},
    {VT_UI1, 0.0L, 255.0L},
    {VT_I2, -32768.0L, 32767.0L},
    {VT_UI2, 0.0L, 65535.0L},
    {VT_I4, -2147483648.0L, 2147483647.0L},
    {VT_INT, -2147483648.0L, 2147483647.0L},
    {VT_UI4, 0.0L, 4294967295.0L},
    {VT_UINT, 0.0L, 4294967295.0L},
    {VT_I8, -9223372036854775808.0L, 9223372036854775807.0L},
    {VT_UI8, 0.0L, 18446744073709551615.0L},
};

HRESULT Convert(const Scalar& s, USHORT flags, VARTYPE vt, VARIANT& out) {
  VariantInit(&out);
  for (const IntegerRange& range : kIntegerRanges) {
    if (range.vt != vt) continue;
    long long signedValue = 0;
    unsigned long long unsignedValue = 0;
    // True is -1: in an unsigned type it is the type's largest value.
    const Scalar* source = &s;
    Scalar wrapped;
    if (s.kind == Scalar::kBool && range.low == 0 && s.truth) {
      wrapped.kind = Scalar::kUnsigned;
      wrapped.natural = static_cast<unsigned long long>(range.high);
      source = &wrapped;
    }
    const HRESULT hr = AsInteger(*source, range.low, range.high, signedValue, unsignedValue);
    if (FAILED(hr)) return hr;
    out.vt = vt;
    out.ullVal = 0;
    switch (vt) {
      case VT_I1:
        out.cVal = CHAR(signedValue);
        break;
      case VT_UI1:
        out.bVal = BYTE(unsignedValue);
        break;
      case VT_I2:
        out.iVal = SHORT(signedValue);
        break;
      case VT_UI2:
        out.uiVal = USHORT(unsignedValue);
        break;
      case VT_I4:
      case VT_INT:
        out.lVal = LONG(signedValue);
        break;
      case VT_UI4:
      case VT_UINT:
        out.ulVal = ULONG(unsignedValue);
        break;
      case VT_I8:
        out.llVal = signedValue;
        break;
      default:
        out.ullVal = unsignedValue;
        break;
    }
    return S_OK;
  }
  switch (vt) {
    case VT_EMPTY:
      return s.kind == Scalar::kEmpty ? S_OK : DISP_E_TYPEMISMATCH;
    case VT_R4:
    case VT_R8: {
      double real;
      const HRESULT hr = AsReal(s, real);
      if (FAILED(hr)) return hr;
      if (vt == VT_R4) {
        if (std::isfinite(real) && std::fabs(real) > std::numeric_limits<float>::max())
          return DISP_E_OVERFLOW;
        out.fltVal = float(real);
      } else {
        out.dblVal = real;
      }
      out.vt = vt;
      return S_OK;
    }
    case VT_BOOL: {
      bool truth;
      const HRESULT hr = AsBool(s, truth);
      if (FAILED(hr)) return hr;
      out.vt = VT_BOOL;
      out.boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    case VT_BSTR: {
      std::u16string text;
      const HRESULT hr = AsText(s, flags, text);
      if (FAILED(hr)) return hr;
      BSTR value = SysAllocStringLen(text.data(), UINT(text.size()));
      if (!value) return E_OUTOFMEMORY;
      out.vt = VT_BSTR;
      out.bstrVal = value;
      return S_OK;
    }
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

}  // namespace

extern "C" {

HRESULT WINAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags,
                                 VARTYPE vt) {
  if (!pvargDest || !pvarSrc) return E_INVALIDARG;
  if (vt & (VT_BYREF | VT_ARRAY)) return DISP_E_BADVARTYPE;
  try {
    VARIANT result;
    HRESULT hr;
    if (pvarSrc->vt == vt) {
      VariantInit(&result);
      hr = VariantCopy(&result, pvarSrc);
    } else {
      Scalar scalar;
      hr = Read(*pvarSrc, scalar, 0);
      if (SUCCEEDED(hr)) hr = Convert(scalar, wFlags, vt, result);
    }
    if (FAILED(hr)) return hr;
    // The source may be the destination: it is cleared only now.
    hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
      VariantClear(&result);
      return hr;
    }
    std::memcpy(pvargDest, &result, sizeof result);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // extern "C"
