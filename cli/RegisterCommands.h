// `glyphward register MODULE` and `glyphward unregister MODULE`: load an
// in-process server and run its self-registration.
#pragma once

#include <string>

namespace glyphward_cli {

// Returns the tool's exit status: 0 on success, 3 (with a message on
// standard error) when the module cannot be loaded or reports a failure.
int RunRegistration(const std::string& modulePath, bool registering);

}  // namespace glyphward_cli
