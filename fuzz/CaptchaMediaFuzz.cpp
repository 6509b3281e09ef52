// Pictures and sounds through ICaptcha, on a Captcha object made the way the
// class factory makes it:
//   [0] bit 0 a sound instead of a picture, bit 1 a generated code instead
//   of the given one, bits 2 and 3 both set a larger picture, [1] style
//   (0..49 mostly, a few out of range), [2] format, [3] width, [4] height,
//   [5] code length (a few out of range), [6] code type, [7] seed, then the
//   code's bytes as UTF-16 (NULs, lone surrogates and an odd last byte
//   included).
// Sizes and code lengths are bounded so that a run stays well under a second
// even in the slowest style: a larger picture gets a short code.
// A request the component can serve must give a byte array of the format
// asked for; one it cannot must fail with E_FAIL and a description.
#include <algorithm>
#include <cstring>
#include <string>

#include "Captcha.h"
#include "FuzzSupport.h"
#include "TextConversion.h"

using glyphward_fuzz::Fail;

namespace {

constexpr std::size_t kHeader = 8;
constexpr std::int32_t kOddStyles[] = {-1, 50, 1000, INT32_MIN, INT32_MAX, 49};
constexpr std::int32_t kOddLengths[] = {1025, 5000, INT32_MAX, INT32_MIN, 0, -1, 1, 2};
// Characters of a larger picture's code.
constexpr std::size_t kLargeCodeChars = 8;
const char16_t* const kFormats[] = {u"JPEG", u"PNG", u"GIF", u"TIFF", u"BMP", u"jpg", u"", u"PNG "};

// Whether `bytes` start as files of the kFormats entry do (a sound: RIFF).
bool HasMagic(const std::string& bytes, std::size_t format, bool sound) {
  auto starts = [&](std::string_view magic) { return bytes.starts_with(magic); };
  if (sound) return starts("RIFF") && bytes.size() >= 12 && bytes.compare(8, 4, "WAVE") == 0;
  switch (format) {
    case 0:
    case 5:
      return starts("\xFF\xD8\xFF");
    case 1:
      return starts("\x89PNG\r\n\x1A\n");
    case 2:
      return starts("GIF8");
    case 3:
      return starts(std::string_view("II*\0", 4)) || starts(std::string_view("MM\0*", 4));
    default:
      return starts("BM");
  }
}

struct Text {
  BSTR value = nullptr;
  ~Text() { SysFreeString(value); }
};

struct Result {
  VARIANT value;
  Result() { VariantInit(&value); }
  ~Result() { VariantClear(&value); }
};

ICaptchaClass* captcha = nullptr;

std::string Bytes(const VARIANT& v) {
  if (v.vt != (VT_ARRAY | VT_UI1) || !v.parray || SafeArrayGetDim(v.parray) != 1)
    Fail("a creation did not hand back a byte array");
  LONG lower = -1, upper = -2;
  SafeArrayGetLBound(v.parray, 1, &lower);
  SafeArrayGetUBound(v.parray, 1, &upper);
  if (lower != 0 || upper < 0) Fail("an empty or misplaced byte array");
  return std::string(static_cast<const char*>(v.parray->pvData), std::size_t(upper) + 1);
}

bool Speakable(const std::string& code) {
  for (unsigned char c : code)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

void CheckFailure(HRESULT hr, const VARIANT& result) {
  if (result.vt != VT_EMPTY) Fail("a failed creation left something in its result");
  if (hr == E_INVALIDARG || hr == E_OUTOFMEMORY) return;
  if (hr != E_FAIL) Fail("a creation failed with an unexpected HRESULT");
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) Fail("E_FAIL without error information");
  Text description;
  info->GetDescription(&description.value);
  info->Release();
  if (SysStringLen(description.value) == 0) Fail("error information without a description");
}

// The code and its hash as the object reports them must validate.
void CheckCurrentCode() {
  Text value, hash;
  VARIANT_BOOL valid = VARIANT_FALSE;
  if (captcha->GetValue(&value.value) != S_OK || captcha->GetHashValue(&hash.value) != S_OK ||
      captcha->Validate(value.value, hash.value, &valid) != S_OK || valid != VARIANT_TRUE)
    Fail("the current code does not validate against its own hash");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  void* object = nullptr;
  if (MirelGlyphward::Captcha::CreateInstance(nullptr, IID_ICaptcha, &object) != S_OK)
    Fail("no Captcha object");
  captcha = static_cast<ICaptchaClass*>(static_cast<ICaptcha*>(object));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const bool sound = data[0] & 1;
  const bool generated = data[0] & 2;
  const bool large = (data[0] & 12) == 12;
  const std::int32_t style = data[1] < 250 ? data[1] % 50 : kOddStyles[data[1] - 250];
  const std::size_t format = data[2] % (sizeof kFormats / sizeof kFormats[0]);
  // Small pictures keep runs fast; the larger ones go to 300 by 150.
  const std::int32_t width = data[3] == 0 ? -7 : large ? 121 + data[3] % 180 : 1 + data[3] % 120;
  const std::int32_t height = large ? 61 + data[4] % 90 : data[4] % 60;
  const std::int32_t codeLength =
      data[5] < 248 ? data[5] % (large ? 12 : 40) - 3 : kOddLengths[data[5] - 248];
  const std::int32_t codeType = data[6] % 4;

  Text format_;
  format_.value = SysAllocString(kFormats[format]);
  if (GlyphwardSetSeed(1 + data[7]) != S_OK || captcha->put_ImageWidth(width) != S_OK ||
      captcha->put_ImageHeight(height) != S_OK || captcha->put_TextStyle(style) != S_OK ||
      captcha->put_Format(format_.value) != S_OK || captcha->put_CodeLength(codeLength) != S_OK ||
      captcha->put_CodeType(codeType) != S_OK)
    Fail("a setting was refused");

  Text code;
  const std::size_t codeBytes =
      large ? std::min(size - kHeader, 2 * kLargeCodeChars + 1) : size - kHeader;
  if (!generated && codeBytes > 0)
    code.value =
        SysAllocStringByteLen(reinterpret_cast<const char*>(data + kHeader), UINT(codeBytes));
  // The code the engine will use: the given one up to its first NUL in the
  // ANSI code page, or a new one when that is empty.
  const std::optional<std::string> narrow = MirelGlyphward::NarrowFromBSTR(code.value);
  if (!narrow) Fail("a short code cannot be narrowed");
  const bool fresh = narrow->empty();
  const bool codeOk =
      fresh ? codeLength <= 1024 && (codeType < 3 || codeLength <= 0) : narrow->size() <= 1024;

  Result result;
  const HRESULT hr = sound ? captcha->CreateSoundFromCode(code.value, &result.value)
                           : captcha->CreateImageFromCode(code.value, &result.value);
  bool servable;
  if (sound) {
    std::string spoken = *narrow;
    if (fresh) {
      Text value;
      captcha->GetValue(&value.value);
      spoken = MirelGlyphward::NarrowFromBSTR(value.value).value_or("?");
    }
    // A code length of 0 or less makes an empty code, spoken as silence.
    servable = codeOk && Speakable(spoken) && (!spoken.empty() || (fresh && codeLength <= 0));
  } else {
    servable = codeOk && width > 0 && width <= 4096 && style >= 0 && style < 50 && format < 6;
  }
  if (FAILED(hr)) {
    if (servable) Fail("a request the component can serve failed");
    CheckFailure(hr, result.value);
    return 0;
  }
  if (!servable && !(fresh && codeType == 3)) Fail("a request it cannot serve succeeded");
  const std::string bytes = Bytes(result.value);
  if (!HasMagic(bytes, format, sound)) Fail("the bytes are not of the format asked for");
  if (!(fresh && codeType == 3)) CheckCurrentCode();
  return 0;
}
