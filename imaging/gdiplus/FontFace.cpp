#include "FontFace.h"

#include <algorithm>

#include "FontCache.h"
#include "FontHandles.h"

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace Gdiplus {

struct FontFace::Handles {
  FtFace face;
};

namespace {

// Collects an outline in design units as closed figures of lines and cubic
// Beziers; TrueType's quadratic segments become the equivalent cubics.
struct OutlineSink {
  GlyphOutline* glyph = nullptr;
  std::size_t contourStart = 0;
  bool open = false;
  PointF current;

  static PointF ToPoint(const FT_Vector* v) { return PointF(REAL(v->x), REAL(v->y)); }

  void Close() {
    if (!open) return;
    const std::size_t count = glyph->points.size() - contourStart;
    if (count < 2) {
      glyph->points.resize(contourStart);
      glyph->types.resize(contourStart);
    } else {
      // FreeType returns to the first point explicitly; a closing line is
      // implied by the close flag, so that point is not repeated.
      if (glyph->types.back() == PathPointTypeLine &&
          glyph->points.back().Equals(glyph->points[contourStart]) && count > 2) {
        glyph->points.pop_back();
        glyph->types.pop_back();
      }
      glyph->types.back() |= PathPointTypeCloseSubpath;
    }
    open = false;
  }
  void Add(const PointF& p, BYTE type) {
    glyph->points.push_back(p);
    glyph->types.push_back(type);
    current = p;
  }

  static int MoveTo(const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    sink->Close();
    sink->contourStart = sink->glyph->points.size();
    sink->open = true;
    sink->Add(ToPoint(to), PathPointTypeStart);
    return 0;
  }
  static int LineTo(const FT_Vector* to, void* user) {
    static_cast<OutlineSink*>(user)->Add(ToPoint(to), PathPointTypeLine);
    return 0;
  }
  static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    const PointF p0 = sink->current, c = ToPoint(control), p = ToPoint(to);
    const PointF c1(p0.X + 2.0f / 3.0f * (c.X - p0.X), p0.Y + 2.0f / 3.0f * (c.Y - p0.Y));
    const PointF c2(p.X + 2.0f / 3.0f * (c.X - p.X), p.Y + 2.0f / 3.0f * (c.Y - p.Y));
    sink->Add(c1, PathPointTypeBezier);
    sink->Add(c2, PathPointTypeBezier);
    sink->Add(p, PathPointTypeBezier);
    return 0;
  }
  static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    sink->Add(ToPoint(c1), PathPointTypeBezier);
    sink->Add(ToPoint(c2), PathPointTypeBezier);
    sink->Add(ToPoint(to), PathPointTypeBezier);
    return 0;
  }
};

std::uint16_t Clamp16(long value) {
  return std::uint16_t(std::clamp<long>(value, 0, 65535));
}

}  // namespace

FontFace::~FontFace() {
  if (handles_) {
    std::lock_guard<std::mutex> lock(FontCache::FreeTypeMutex());
    handles_.reset();
  }
}

std::unique_ptr<FontFace> FontFace::Load(const std::string& file, int faceIndex) {
  FT_Library library = FontCache::Instance().Library();
  if (library == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(FontCache::FreeTypeMutex());
  FT_Face raw = nullptr;
  if (FT_New_Face(library, file.c_str(), faceIndex, &raw) != 0) return nullptr;
  FtFace face(raw);
  if (!FT_IS_SCALABLE(raw) || raw->units_per_EM == 0) return nullptr;

  std::unique_ptr<FontFace> result(new FontFace);
  result->file_ = file;
  result->emHeight_ = raw->units_per_EM;
  // GDI+ takes the cell from the Windows metrics of the OS/2 table and adds
  // the external leading Windows derives from the horizontal header.
  long ascent = raw->ascender, descent = -long(raw->descender), lineGap = 0;
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(raw, FT_SFNT_HHEA));
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(raw, FT_SFNT_OS2));
  if (hhea != nullptr) lineGap = hhea->Line_Gap;
  long hheaHeight = ascent + descent;
  if (hhea != nullptr) hheaHeight = long(hhea->Ascender) - long(hhea->Descender);
  if (os2 != nullptr && os2->version != 0xFFFF && (os2->usWinAscent + os2->usWinDescent) > 0) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
  }
  const long externalLeading = std::max(0L, lineGap - ((ascent + descent) - hheaHeight));
  result->cellAscent_ = Clamp16(ascent);
  result->cellDescent_ = Clamp16(descent);
  result->lineSpacing_ = Clamp16(ascent + descent + externalLeading);
  result->handles_ = std::make_unique<Handles>();
  result->handles_->face = std::move(face);
  return result;
}

const GlyphOutline& FontFace::Glyph(char32_t codePoint) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = glyphs_.find(codePoint);
  if (found != glyphs_.end()) return *found->second;

  auto glyph = std::make_unique<GlyphOutline>();
  {
    std::lock_guard<std::mutex> freeTypeLock(FontCache::FreeTypeMutex());
    FT_Face face = handles_->face.get();
    const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(codePoint));
    // Design units: no scaling, no hinting, as GDI+ builds path outlines.
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) ==
        0) {
      FT_GlyphSlot slot = face->glyph;
      glyph->advance = REAL(slot->advance.x);
      if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Funcs funcs{};
        funcs.move_to = &OutlineSink::MoveTo;
        funcs.line_to = &OutlineSink::LineTo;
        funcs.conic_to = &OutlineSink::ConicTo;
        funcs.cubic_to = &OutlineSink::CubicTo;
        OutlineSink sink;
        sink.glyph = glyph.get();
        if (FT_Outline_Decompose(&slot->outline, &funcs, &sink) == 0) {
          sink.Close();
        } else {
          glyph->points.clear();
          glyph->types.clear();
        }
      }
    }
  }
  const GlyphOutline& result = *glyph;
  glyphs_.emplace(codePoint, std::move(glyph));
  return result;
}

}  // namespace Gdiplus
