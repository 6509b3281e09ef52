// Every style at the edges of what a host may ask for: sizes of one
// pixel a side, long thin pictures, empty, long and blank codes, and
// characters no font draws. Each picture must come out whole.
#include <gtest/gtest.h>

#include "CreatePicture.h"
#include "StyleLookup.h"
#include "StyleTestSupport.h"

namespace {

using namespace style_tests;

class EdgeCases : public ::testing::TestWithParam<int> {};

struct EdgeCase {
  int width, height;
  std::string code;
};

// Every code at the small sizes; the long strips, where work grows with the
// side, with a short and a 64-character code.
std::vector<EdgeCase> Cases() {
  const std::string codes[] = {"",
                               "W",
                               std::string(64, 'M'),
                               std::string(1024, '8'),
                               "     ",
                               "\x81\x8D\x8F\x90\xA0",
                               std::string("A\0B", 3)};
  std::vector<EdgeCase> cases;
  for (auto [w, h] : {std::pair{1, 1}, {1, 2}, {2, 1}, {61, 17}})
    for (const std::string& code : codes) cases.push_back({w, h, code});
  for (auto [w, h] : {std::pair{4096, 1}, {1, 4096}})
    for (const std::string& code : {codes[1], codes[2]}) cases.push_back({w, h, code});
  return cases;
}

TEST_P(EdgeCases, EveryPictureIsMadeWhole) {
  for (const EdgeCase& c : Cases()) {
    const Picture picture = Render(GetParam(), c.code, c.width, c.height, 7);
    ASSERT_EQ(picture.rgba.size(), std::size_t(c.width) * c.height * 4)
        << c.width << "x" << c.height << " code length " << c.code.size();
  }
}

INSTANTIATE_TEST_SUITE_P(AllStyles, EdgeCases, ::testing::Range(0, MirelGlyphward::kStyleCount),
                         [](const auto& info) { return "Style" + std::to_string(info.param); });

}  // namespace
