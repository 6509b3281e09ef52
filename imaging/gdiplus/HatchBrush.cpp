#include "HatchBrush.h"

#include <algorithm>
#include <new>

#include "HatchPatterns.h"

namespace Gdiplus {

namespace {

// Share of the foreground in a set pixel and in the pixels beside one, for
// the softened diagonal styles: sqrt(2) - 1/2 and 1/4.
constexpr float kSetPixelShare = 0.9142f;
constexpr float kNeighbourShare = 0.25f;

// Mixes two straight colours by premultiplied channels and returns the
// result straight again.
ARGB Mix(Color back, Color fore, float t) {
  const float backA = back.GetA() / 255.0f;
  const float foreA = fore.GetA() / 255.0f;
  const float a = backA * (1 - t) + foreA * t;
  if (a <= 0) return 0;
  auto channel = [&](BYTE b, BYTE f) {
    const float premultiplied = b * backA * (1 - t) + f * foreA * t;
    return BYTE(premultiplied / a + 0.5f);
  };
  return Color::MakeARGB(BYTE(a * 255.0f + 0.5f), channel(back.GetR(), fore.GetR()),
                         channel(back.GetG(), fore.GetG()), channel(back.GetB(), fore.GetB()));
}

bool BitSet(std::uint8_t row, int column) {
  return (row & (0x80 >> (column & 7))) != 0;
}

}  // namespace

HatchBrush::HatchBrush(HatchStyle hatchStyle, const Color& foreColor, const Color& backColor)
    : Brush(BrushTypeHatchFill), style_(hatchStyle), fore_(foreColor), back_(backColor) {
  if (!Valid()) {
    SetStatus(InvalidParameter);
    return;
  }
  const bool soft = HatchIsAntiAliased(style_);
  const ARGB setColor = soft ? Mix(back_, fore_, kSetPixelShare) : fore_.GetValue();
  const ARGB nearColor = Mix(back_, fore_, kNeighbourShare);
  for (int y = 0; y < 8; ++y) {
    const std::uint8_t row = kHatchRows[style_][y];
    for (int x = 0; x < 8; ++x) {
      ARGB color = back_.GetValue();
      if (BitSet(row, x)) {
        color = setColor;
      } else if (soft && (BitSet(row, x - 1) || BitSet(row, x + 1))) {
        color = nearColor;
      }
      cell_[y * 8 + x] = color;
    }
  }
  opaque_ = std::all_of(cell_.begin(), cell_.end(), [](ARGB c) { return (c >> 24) == 255; });
}

Brush* HatchBrush::Clone() const {
  Brush* copy = new (std::nothrow) HatchBrush(style_, fore_, back_);
  if (!copy) SetStatus(OutOfMemory);
  return copy;
}

Status HatchBrush::GetForegroundColor(Color* color) const {
  if (!color) return SetStatus(InvalidParameter);
  *color = fore_;
  return Ok;
}

Status HatchBrush::GetBackgroundColor(Color* color) const {
  if (!color) return SetStatus(InvalidParameter);
  *color = back_;
  return Ok;
}

Status HatchBrush::GetPaint(BrushPaint* paint) const {
  if (!paint || !Valid()) return SetStatus(InvalidParameter);
  *paint = BrushPaint{cell_.data(), 0, opaque_};
  return Ok;
}

}  // namespace Gdiplus
