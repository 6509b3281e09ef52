#include "TextFrame.h"

#include "Tools.h"
#include "winnls.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr REAL kFrameEmSize = 200.0f;

// The code up to its first byte of value 0, through the ANSI code page.
std::u16string WideFromNarrow(const std::string& text) {
  const int m = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (m <= 1) return std::u16string();
  std::u16string wide(std::size_t(m), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), m);
  wide.resize(std::size_t(m - 1));
  return wide;
}

}  // namespace

TextFrame::TextFrame(const std::string& text, Bitmap* bitmap, SmoothingMode smoothing)
    : wText(WideFromNarrow(text)),
      g(bitmap),
      rectImage(0, 0, REAL(bitmap->GetWidth()), REAL(bitmap->GetHeight())) {
  g.SetSmoothingMode(smoothing);
}

RectF TextFrame::Fraction(float fx, float fy, float fw, float fh) const {
  const REAL w = rectImage.Width, h = rectImage.Height;
  return RectF(w * fx, h * fy, w * fw, h * fh);
}

void TextFrame::SetInner(float fx, float fy, float fw, float fh) {
  rectInner = Fraction(fx, fy, fw, fh);
}

void TextFrame::DrawBorders() {
  DrawBorders(rectImage);
}

void TextFrame::DrawBorders(const RectF& outer) {
  rectFBorders = rand.NextBorders(outer, rectInner);
}

void TextFrame::ChooseFont(int styleNumber, INT fontStyle) {
  UseFont(rand.NextFontName(styleNumber), fontStyle);
}

void TextFrame::UseFont(const std::u16string& name, INT fontStyle) {
  fontName = name;
  font = std::make_unique<Font>(fontName.c_str(), kFrameEmSize, fontStyle, UnitPoint);
}

void TextFrame::ClearGround(const Color& color) {
  g.Clear(color);
}

std::unique_ptr<GraphicsPath> TextFrame::FittedPath() const {
  auto path = std::make_unique<GraphicsPath>(FillModeAlternate);
  Tools::AddFittedString(wText, *font, rectFBorders, path.get());
  return path;
}

CurvedText TextFrame::LoadCurvedText() const {
  return CurvedText::BuiltIn();
}

}  // namespace MirelGlyphward
