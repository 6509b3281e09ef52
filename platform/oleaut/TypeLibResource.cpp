#include "TypeLibLoad.h"

namespace glyphward_typelib {

bool ReadModuleTypeLibrary(const std::string&, std::string&) { return false; }

}  // namespace glyphward_typelib
