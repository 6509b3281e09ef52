// A text style: draws a code onto a bitmap, background included.
#pragma once

#include <string>

namespace Gdiplus {
class Bitmap;
}

namespace MirelGlyphward {

class ITextGenerator {
 public:
  // `text` is the code as narrow text; `bitmap` is fully transparent and
  // already sized. Raises nothing; drawing statuses are not examined.
  virtual void Draw(std::string text, Gdiplus::Bitmap* bitmap) = 0;

 protected:
  // Generators are owned through std::shared_ptr made from the concrete
  // class, which deletes them as that class.
  ~ITextGenerator() = default;
};

}  // namespace MirelGlyphward
