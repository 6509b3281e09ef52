// Registration of the module: the class from the REGISTRY 101 script, the
// type library from TYPELIB 1.
#pragma once

#include "windef.h"

namespace MirelGlyphward {

HRESULT RegisterModule();
HRESULT UnregisterModule();

}  // namespace MirelGlyphward
