// Text at the interface boundary: BSTRs in and out, narrow text in the
// thread's ANSI code page inside the engine.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "oleauto.h"

namespace MirelGlyphward {

// Incoming strings of this many characters or more are refused.
constexpr std::size_t kMaxIncomingChars = std::size_t(1) << 30;

// The text of `bstr` up to its first NUL as narrow text; a null BSTR is empty
// text. Empty optional when the text is too long or cannot be converted.
std::optional<std::string> NarrowFromBSTR(BSTR bstr, std::size_t maxChars = kMaxIncomingChars);

// A new BSTR holding `text` up to its first byte of value 0 (empty text gives
// an empty, non-null BSTR); null when the conversion or allocation fails.
BSTR BSTRFromNarrow(const std::string& text);

}  // namespace MirelGlyphward
