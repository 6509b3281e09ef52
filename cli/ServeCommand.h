// `glyphward serve`: the CAPTCHA over HTTP.
#pragma once

#include "Options.h"
#include "ServiceSettings.h"

namespace glyphward_cli {

// The service's settings from the command line; UsageError for anything
// out of range, including test mode on an address other than loopback.
glyphward_service::ServiceSettings ServeSettings(const Options& options);

// The key file used when --key-file is not given: under $STATE_DIRECTORY
// (as systemd sets it), $XDG_STATE_HOME or ~/.local/state.
std::string DefaultKeyFile();

// Serves until SIGINT or SIGTERM; returns the exit status.
int RunServe(const Options& options);

}  // namespace glyphward_cli
