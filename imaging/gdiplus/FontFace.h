// One loaded font file: design metrics and glyph outlines. Faces live for the
// whole process in the font cache; outlines are loaded on first use and then
// shared, so callers hold plain references.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

// A glyph's outline in font design units, y pointing up, origin on the pen
// position at the baseline. Every contour is a closed figure in GraphicsPath
// point types (start, line, cubic Bezier, close flag on its last point).
struct GlyphOutline {
  std::vector<PointF> points;
  std::vector<BYTE> types;
  REAL advance = 0;
};

class FontFace {
 public:
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;
  ~FontFace();

  // Loads the face at index faceIndex of the file; nullptr when FreeType
  // cannot read it or it has no scalable outlines.
  static std::unique_ptr<FontFace> Load(const std::string& file, int faceIndex);

  const std::string& File() const { return file_; }
  std::uint16_t EmHeight() const { return emHeight_; }
  std::uint16_t CellAscent() const { return cellAscent_; }
  std::uint16_t CellDescent() const { return cellDescent_; }
  std::uint16_t LineSpacing() const { return lineSpacing_; }

  // The outline of the glyph for a Unicode code point (the font's missing
  // glyph when it has none). Loaded once, then served from the cache; the
  // reference stays valid for the life of the process. Thread-safe.
  const GlyphOutline& Glyph(char32_t codePoint) const;

 private:
  struct Handles;
  FontFace() = default;

  std::string file_;
  std::uint16_t emHeight_ = 0, cellAscent_ = 0, cellDescent_ = 0, lineSpacing_ = 0;
  std::unique_ptr<Handles> handles_;
  mutable std::mutex mutex_;
  mutable std::unordered_map<char32_t, std::unique_ptr<GlyphOutline>> glyphs_;
};

}  // namespace Gdiplus
