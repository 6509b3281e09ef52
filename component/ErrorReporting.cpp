#include "ErrorReporting.h"

#include "MirelGlyphward.h"
#include "TextConversion.h"

namespace MirelGlyphward {

HRESULT ReportFailure(const std::string& message) {
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    BSTR description = BSTRFromNarrow(message);
    static const char16_t kSource[] = u"Mirel.Glyphward.1";
    create->SetGUID(IID_ICaptcha);
    create->SetSource(const_cast<LPOLESTR>(kSource));
    create->SetDescription(description);
    SysFreeString(description);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
      SetErrorInfo(0, info);
      info->Release();
    }
    create->Release();
  }
  return E_FAIL;
}

bool HashMatches(const std::string& expected, const std::string& hash) {
  if (expected.size() != hash.size()) return false;
  unsigned char difference = 0;
  for (std::size_t i = 0; i < expected.size(); ++i)
    difference |= static_cast<unsigned char>(expected[i] ^ hash[i]);
  return difference == 0;
}

}  // namespace MirelGlyphward
