#pragma once

#include <string>

namespace glyphward_typelib {

// The text of the TYPELIB 1 resource of the module file at `path`; false
// when the file is no module or has no such resource.
bool ReadModuleTypeLibrary(const std::string& path, std::string& text);

}  // namespace glyphward_typelib
