#pragma once

#include <string>

#include "oleauto.h"

namespace MirelGlyphward {

// Sets the thread's error information for a failed creation (the message as
// description, the class's ProgID as source, ICaptcha as interface) and
// returns E_FAIL.
HRESULT ReportFailure(const std::string& message);

// Whether `hash` equals `expected` exactly: same length, every byte equal.
// Runs in time independent of where they differ.
bool HashMatches(const std::string& expected, const std::string& hash);

}  // namespace MirelGlyphward
