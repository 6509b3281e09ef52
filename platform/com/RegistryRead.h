#pragma once

#include <string>

#include "windef.h"

namespace glyphward_com {

// The default value of HKEY_CLASSES_ROOT\`path` as a registry status:
// ERROR_FILE_NOT_FOUND when the key or its value is absent.
LONG ReadDefaultValue(const std::u16string& path, std::u16string& value);

// A registry status as the status a class lookup reports: absent entries as
// `absent`, an unreadable or corrupt registry as REGDB_E_READREGDB.
HRESULT LookupStatus(LONG status, HRESULT absent);

std::u16string GuidText(REFGUID guid);

}  // namespace glyphward_com
