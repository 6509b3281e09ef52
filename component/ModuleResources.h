#pragma once

#include <optional>
#include <string>

namespace MirelGlyphward {

// The bytes of this module's resource `id` of `type`; empty when absent.
std::optional<std::string> ModuleResourceText(const char* type, int id);

}  // namespace MirelGlyphward
