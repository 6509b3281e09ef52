#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Font.h"
#include "FontFace.h"
#include "FontFamily.h"

using namespace Gdiplus;

namespace {

std::string FileOf(const WCHAR* family, INT style = FontStyleRegular) {
  const FontFamily f(family);
  const FontFace* face = f.GetFace(style);
  return face != nullptr ? face->File() : std::string();
}

std::string BaseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

std::u16string NameOf(const FontFamily& family) {
  WCHAR name[LF_FACESIZE];
  family.GetFamilyName(name);
  return std::u16string(name);
}

}  // namespace

// Each core family, in any letter case, is a font file of its own per face.
TEST(FontTest, CoreFamiliesResolveToTheirStandIns) {
  const struct {
    const char16_t* family;
    std::string regular, bold;
  } cases[] = {
      {u"Arial", "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"},
      {u"Times New Roman", "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"},
      {u"Courier New", "LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf"},
      {u"Verdana", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf"},
      {u"tAhOmA", "/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}};
  std::set<std::string> files;
  for (const auto& c : cases) {
    const std::string regular = FileOf(c.family), bold = FileOf(c.family, FontStyleBold);
    EXPECT_EQ(c.regular[0] == '/' ? regular : BaseName(regular), c.regular);
    EXPECT_EQ(c.bold[0] == '/' ? bold : BaseName(bold), c.bold);
    files.insert({regular, bold});
  }
  EXPECT_EQ(files.size(), 10u);
  EXPECT_EQ(FileOf(u"arial"), FileOf(u"ARIAL"));
}

TEST(FontTest, UnknownFamilyIsNotFound) {
  const FontFamily family(u"No Such Family 12345");
  EXPECT_FALSE(family.IsAvailable());
  EXPECT_EQ(family.GetLastStatus(), FontFamilyNotFound);
  EXPECT_EQ(family.GetEmHeight(FontStyleRegular), 0);
  EXPECT_EQ(family.GetFace(FontStyleRegular), nullptr);
  const FontFamily empty;
  EXPECT_FALSE(empty.IsAvailable());
  // Bitmap-only families do not count.
  EXPECT_FALSE(FontFamily(u"MS Sans Serif").IsAvailable());
}

TEST(FontTest, ArialMetricsMatchWindows) {
  const FontFamily arial(u"Arial");
  EXPECT_EQ(arial.GetEmHeight(FontStyleRegular), 2048);
  EXPECT_EQ(arial.GetCellAscent(FontStyleRegular), 1854);
  EXPECT_EQ(arial.GetCellDescent(FontStyleRegular), 434);
  EXPECT_EQ(arial.GetLineSpacing(FontStyleRegular), 2355);
  EXPECT_EQ(NameOf(arial), u"Arial");
}

TEST(FontTest, GenericSansSerifIsMicrosoftSansSerif) {
  const FontFamily* sans = FontFamily::GenericSansSerif();
  ASSERT_TRUE(sans->IsAvailable());
  EXPECT_EQ(NameOf(*sans), u"Microsoft Sans Serif");
  EXPECT_EQ(sans, FontFamily::GenericSansSerif());
  EXPECT_EQ(NameOf(*FontFamily::GenericSerif()), u"Times New Roman");
  EXPECT_EQ(NameOf(*FontFamily::GenericMonospace()), u"Courier New");
}

TEST(FontTest, UnknownFamilyFontFallsBackToSansSerif) {
  const Font font(u"No Such Family 12345", 200, FontStyleBold, UnitPoint);
  EXPECT_TRUE(font.IsAvailable());
  EXPECT_EQ(font.GetLastStatus(), Ok);
  FontFamily family;
  ASSERT_EQ(font.GetFamily(&family), Ok);
  EXPECT_EQ(NameOf(family), u"Microsoft Sans Serif");
  EXPECT_EQ(font.GetStyle(), FontStyleBold);
  EXPECT_EQ(font.GetSize(), 200);
  EXPECT_EQ(font.GetFace(), FontFamily::GenericSansSerif()->GetFace(FontStyleBold));
  const Font fromNull(static_cast<const FontFamily*>(nullptr), 10);
  EXPECT_TRUE(fromNull.IsAvailable());
}

TEST(FontTest, NonPositiveSizeOrDisplayUnitIsInvalid) {
  for (REAL size : {0.0f, -1.0f, std::nanf("")}) {
    const Font font(u"Arial", size);
    EXPECT_FALSE(font.IsAvailable());
    EXPECT_EQ(font.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(font.GetFace(), nullptr);
  }
  const Font display(u"Arial", 12, FontStyleRegular, UnitDisplay);
  EXPECT_FALSE(display.IsAvailable());
  FontFamily family;
  EXPECT_EQ(display.GetFamily(&family), InvalidParameter);
}

TEST(FontTest, SizesInPixels) {
  const Font points(u"Arial", 12, FontStyleRegular, UnitPoint);
  EXPECT_FLOAT_EQ(points.GetEmSizeInPixels(96), 16);
  EXPECT_EQ(points.GetUnit(), UnitPoint);
  EXPECT_EQ(points.GetSize(), 12);
  // Line spacing 2355 of 2048 design units.
  EXPECT_NEAR(points.GetHeight(96), 16 * 2355.0 / 2048.0, 1e-4);
  const Font pixels(u"Arial", 12, FontStyleRegular, UnitPixel);
  EXPECT_FLOAT_EQ(pixels.GetEmSizeInPixels(96), 12);
  const Font inches(u"Arial", 0.5f, FontStyleRegular, UnitInch);
  EXPECT_FLOAT_EQ(inches.GetEmSizeInPixels(96), 48);
}

TEST(FontTest, FacesAndGlyphsAreLoadedOnce) {
  const Font first(u"Verdana", 200, FontStyleRegular);
  const Font second(u"Verdana", 12, FontStyleRegular, UnitPixel);
  ASSERT_NE(first.GetFace(), nullptr);
  EXPECT_EQ(first.GetFace(), second.GetFace());
  const GlyphOutline& a = first.GetFace()->Glyph(U'A');
  EXPECT_EQ(&a, &second.GetFace()->Glyph(U'A'));
  EXPECT_GT(a.points.size(), 3u);
  std::unique_ptr<Font> clone(first.Clone());
  EXPECT_EQ(clone->GetFace(), first.GetFace());
}

TEST(FontTest, ConcurrentGlyphLoadsShareOneOutline) {
  const FontFace* face = FontFamily(u"Times New Roman").GetFace(FontStyleBold);
  ASSERT_NE(face, nullptr);
  std::vector<std::vector<const GlyphOutline*>> seen(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (char32_t c = U'a'; c <= U'z'; ++c) seen[t].push_back(&face->Glyph(c));
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 1; t < 4; ++t) EXPECT_EQ(seen[t], seen[0]);
}

TEST(FontTest, GlyphContoursAreClosedFigures) {
  const GlyphOutline& o = FontFamily(u"Arial").GetFace(0)->Glyph(U'o');
  int starts = 0, closes = 0;
  for (std::size_t i = 0; i < o.types.size(); ++i) {
    if ((o.types[i] & PathPointTypePathTypeMask) == PathPointTypeStart) {
      ++starts;
      if (i > 0) {
        EXPECT_TRUE(o.types[i - 1] & PathPointTypeCloseSubpath);
      }
    }
    closes += (o.types[i] & PathPointTypeCloseSubpath) != 0;
  }
  EXPECT_EQ(starts, 2);  // outer ring and counter
  EXPECT_EQ(closes, 2);
  EXPECT_TRUE(o.types.back() & PathPointTypeCloseSubpath);
  EXPECT_EQ(FontFamily(u"Arial").GetFace(0)->Glyph(U' ').points.size(), 0u);
  EXPECT_EQ(FontFamily(u"Arial").GetFace(0)->Glyph(U' ').advance, 569);
}
