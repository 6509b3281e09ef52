// The registry file's text form (UTF-8):
//
//   glyphward-registry 1
//   [CLSID\{...}\InprocServer32]
//   @="/usr/lib/MirelGlyphward.so"
//   "ThreadingModel"="Apartment"
//
// The first line names the format. Every key has a line of its own holding
// its full path in brackets (`[]` is the root, listed only when it holds
// values); its values follow, `@` naming the default value. Quoted texts
// escape \\ \" \n \r \t and write \uXXXX for other control characters and
// lone surrogates. Blank lines and lines starting with '#' are skipped.
// Anything else, a key or value given twice, or a name or size beyond the
// limits makes the whole file corrupt.
#pragma once

#include <string>
#include <string_view>

#include "RegistryTree.h"

namespace glyphward_registry {

// Builds the tree held in `text` into `root` (which must be empty). False
// when the text is not a well-formed registry.
bool ParseRegistry(std::string_view text, Key& root);

std::string FormatRegistry(const Key& root);

// UTF-8 and UTF-16 for names; false for malformed input.
bool Utf16FromUtf8(std::string_view utf8, std::u16string& out);
bool Utf8FromUtf16(std::u16string_view utf16, std::string& out);

}  // namespace glyphward_registry
