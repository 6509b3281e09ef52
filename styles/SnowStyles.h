// Hatched capitals with a soft shadow on a speckled near-white ground, half
// buried under a flurry of snowflakes.
#pragma once

#include <array>
#include <string>

#include "GdiplusTypes.h"
#include "ITextGenerator.h"

namespace Gdiplus {
class Graphics;
class GraphicsPath;
}  // namespace Gdiplus

namespace MirelGlyphward {

// Unlike the other generators this one keeps its colours, hatches and snow
// area in fields: one drawing fills them and hands them from step to step.
class SnowTextGenerator final : public ITextGenerator {
 public:
  SnowTextGenerator();
  void Draw(std::string text, Gdiplus::Bitmap* bitmap) override;

 private:
  void ChooseSettings();
  void DrawBackground(Gdiplus::Graphics& g) const;
  void DrawText(Gdiplus::Graphics& g, const std::u16string& wText) const;
  void DrawShadow(Gdiplus::Graphics& g, const Gdiplus::GraphicsPath& textPath,
                  const Gdiplus::RectF& rectText) const;
  void DrawForeground(Gdiplus::Graphics& g) const;
  // The snow area's width times its height, truncated: what the speck and
  // flake counts and the shadow's blur scale with.
  int AreaUnits() const;

  std::array<Gdiplus::ARGB, 4> arrColors;
  int groundHatch;
  int textHatch;
  int speckHatch;
  Gdiplus::RectF rectSnowArea;
};

}  // namespace MirelGlyphward
