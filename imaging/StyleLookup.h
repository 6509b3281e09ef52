// The lookup from style number to generator that picture creation uses. The
// table that answers it lives with the styles, which build on this layer.
#pragma once

#include <memory>
#include <string_view>

#include "ITextGenerator.h"

namespace MirelGlyphward {

constexpr int kStyleCount = 50;

struct StyleEntry {
  std::string_view className;
  std::shared_ptr<ITextGenerator> (*create)();
};

// The entry for `style`, or nullptr outside 0..49 (compared as unsigned).
const StyleEntry* FindStyle(int style);

// A new generator for `style`; empty outside 0..49.
std::shared_ptr<ITextGenerator> CreateTextGenerator(int style);

}  // namespace MirelGlyphward
