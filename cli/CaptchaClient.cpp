#include "CaptchaClient.h"

#include <cstring>

#include "Captcha.h"
#include "CaptchaEngine.h"
#include "TextConversion.h"
#include "objbase.h"

namespace glyphward_cli {
namespace {

struct BstrHolder {
  BSTR value = nullptr;
  explicit BstrHolder(const std::string& utf8) {
    const std::u16string wide = WideFromUtf8(utf8);
    value = SysAllocStringLen(wide.data(), UINT(wide.size()));
  }
  BstrHolder() = default;
  ~BstrHolder() { SysFreeString(value); }
  BstrHolder(const BstrHolder&) = delete;
  BstrHolder& operator=(const BstrHolder&) = delete;
};

std::string TakeErrorDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return std::string();
  BSTR description = nullptr;
  info->GetDescription(&description);
  std::string text = description ? Utf8FromWide(description) : std::string();
  SysFreeString(description);
  info->Release();
  return text;
}

}  // namespace

std::u16string WideFromUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::u16string();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::u16string wide(std::size_t(n > 0 ? n : 0), u'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
  return wide;
}

std::string Utf8FromWide(const char16_t* wide) {
  if (!wide || !*wide) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(std::size_t(n > 0 ? n : 1), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
  utf8.resize(std::strlen(utf8.c_str()));
  return utf8;
}

CaptchaClient::CaptchaClient(bool preferRegistered) {
  void* object = nullptr;
  CLSID clsid;
  const HRESULT found =
      preferRegistered ? CLSIDFromProgID(u"Mirel.Glyphward.1", &clsid) : REGDB_E_CLASSNOTREG;
  if (SUCCEEDED(found)) {
    const HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptcha, &object);
    if (FAILED(hr)) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", unsigned(hr));
      throw ComponentError{std::string("cannot create the registered Captcha class (status ") +
                           code + ")"};
    }
    captcha_ = static_cast<ICaptchaClass*>(static_cast<ICaptcha*>(object));
    diagnostics_ = RegisteredModuleDiagnostics(clsid);
  } else if (found == CO_E_CLASSSTRING || found == REGDB_E_CLASSNOTREG) {
    const HRESULT hr = MirelGlyphward::Captcha::CreateInstance(nullptr, IID_ICaptcha, &object);
    if (FAILED(hr)) throw ComponentError{"cannot create a Captcha object"};
    captcha_ = static_cast<ICaptchaClass*>(static_cast<ICaptcha*>(object));
  } else {
    throw ComponentError{"the registry cannot be read; see GLYPHWARD_REGISTRY"};
  }
}

std::uint64_t CaptchaClient::EngineSteps() const {
  ULONGLONG steps = 0;
  diagnostics_.getEngineSteps(&steps);
  return steps;
}

CaptchaClient::~CaptchaClient() {
  if (captcha_) captcha_->Release();
}

void CaptchaClient::Check(HRESULT hr, const char* operation) {
  if (SUCCEEDED(hr)) return;
  std::string message = TakeErrorDescription();
  if (message.empty()) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", unsigned(hr));
    message = std::string(operation) + " failed with status " + code;
  }
  throw ComponentError{message};
}

void CaptchaClient::SetLong(HRESULT (STDMETHODCALLTYPE ICaptcha::*put)(LONG), std::int32_t value) {
  Check((captcha_->*put)(value), "setting a property");
}

void CaptchaClient::SetFormat(const std::string& utf8) {
  BstrHolder name(utf8);
  Check(captcha_->put_Format(name.value), "put_Format");
}

std::string CaptchaClient::Value() {
  BstrHolder value;
  Check(captcha_->GetValue(&value.value), "GetValue");
  return Utf8FromWide(value.value);
}

std::string CaptchaClient::HashValue() {
  BstrHolder value;
  Check(captcha_->GetHashValue(&value.value), "GetHashValue");
  return Utf8FromWide(value.value);
}

bool CaptchaClient::Validate(const std::string& answer, const std::string& hash) {
  BstrHolder userCode(answer);
  BstrHolder hashValue(hash);
  VARIANT_BOOL result = VARIANT_FALSE;
  Check(captcha_->Validate(userCode.value, hashValue.value, &result), "Validate");
  return result == VARIANT_TRUE;
}

std::string CaptchaClient::HashOfText(const std::string& utf8) {
  BstrHolder text(utf8);
  const std::optional<std::string> narrow = MirelGlyphward::NarrowFromBSTR(text.value);
  if (!narrow) throw ComponentError{"the text is too long"};
  return MirelGlyphward::HashOf(*narrow);
}

std::vector<unsigned char> CaptchaClient::Bytes(VARIANT& result) {
  std::vector<unsigned char> bytes;
  if (result.vt != (VT_ARRAY | VT_UI1) || !result.parray) {
    VariantClear(&result);
    throw ComponentError{"the component returned no byte array"};
  }
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(result.parray, 1, &lower);
  SafeArrayGetUBound(result.parray, 1, &upper);
  void* data = nullptr;
  if (upper >= lower && SUCCEEDED(SafeArrayAccessData(result.parray, &data))) {
    const auto* first = static_cast<const unsigned char*>(data);
    bytes.assign(first, first + (std::int64_t(upper) - lower + 1));
    SafeArrayUnaccessData(result.parray);
  }
  VariantClear(&result);
  return bytes;
}

std::vector<unsigned char> CaptchaClient::Picture(const std::string& code) {
  VARIANT result;
  VariantInit(&result);
  if (code.empty()) {
    Check(captcha_->CreateImage(&result), "CreateImage");
  } else {
    BstrHolder text(code);
    Check(captcha_->CreateImageFromCode(text.value, &result), "CreateImageFromCode");
  }
  return Bytes(result);
}

std::vector<unsigned char> CaptchaClient::Sound(const std::string& code) {
  VARIANT result;
  VariantInit(&result);
  if (code.empty()) {
    Check(captcha_->CreateSound(&result), "CreateSound");
  } else {
    BstrHolder text(code);
    Check(captcha_->CreateSoundFromCode(text.value, &result), "CreateSoundFromCode");
  }
  return Bytes(result);
}

}  // namespace glyphward_cli
