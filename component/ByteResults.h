#pragma once

#include <cstdint>
#include <memory>

#include "oleauto.h"

namespace MirelGlyphward {

// What picture creation and sound assembly hand back: a shared buffer and its
// byte count.
struct ByteResult {
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
};

// Fills `out` with a one-dimensional VT_UI1 array (lower bound 0) holding the
// bytes. On failure `out` is left untouched and E_OUTOFMEMORY is returned.
HRESULT MakeByteArrayVariant(const ByteResult& result, VARIANT* out);

}  // namespace MirelGlyphward
