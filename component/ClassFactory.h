// The class object of Captcha: made on the first request and kept until the
// module unloads.
#pragma once

#include "unknwn.h"

namespace MirelGlyphward {

// The module's one factory (null only when it cannot be allocated). The
// pointer carries no reference of the caller's.
IClassFactory* CaptchaFactory();

// Drops the module's reference at unload.
void ReleaseCaptchaFactory();

}  // namespace MirelGlyphward
