// The IDispatch half of Captcha: names and calls resolved through the
// registered type library's description of ICaptcha.
#pragma once

#include "MirelGlyphward.h"

namespace MirelGlyphward {

// ICaptcha's type information, looked up by library identity and version 1.0
// in the registry on first success and kept afterwards. Until the module is
// registered this fails with the lookup's status.
HRESULT CaptchaTypeInfo(LCID lcid, ITypeInfo** typeInfo);
void ReleaseCaptchaTypeInfo();

HRESULT DispatchGetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids);
HRESULT DispatchInvoke(ICaptcha* object, DISPID member, REFIID riid, LCID lcid, WORD flags,
                       DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argError);

}  // namespace MirelGlyphward
