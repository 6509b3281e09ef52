// The fifty text styles by number. Adding a style is one line in the table.
#include <array>

#include "StyleLookup.h"
#include "Styles.h"

namespace MirelGlyphward {
namespace {

template <class Generator>
std::shared_ptr<ITextGenerator> Make() {
  return std::shared_ptr<ITextGenerator>(new Generator());
}

const std::array<StyleEntry, kStyleCount> kStyles = {{
    {"ChessTextGenerator", &Make<ChessTextGenerator>},                        // 0
    {"DistortionTextGenerator", &Make<DistortionTextGenerator>},              // 1
    {"JailTextGenerator", &Make<JailTextGenerator>},                          // 2
    {"NegativeTextGenerator", &Make<NegativeTextGenerator>},                  // 3
    {"SnowTextGenerator", &Make<SnowTextGenerator>},                          // 4
    {"SplitTextGenerator", &Make<SplitTextGenerator>},                        // 5
    {"WaveTextGenerator", &Make<WaveTextGenerator>},                          // 6
    {"WantedCircularTextGenerator", &Make<WantedCircularTextGenerator>},      // 7
    {"StitchTextGenerator", &Make<StitchTextGenerator>},                      // 8
    {"Chess3DTextGenerator", &Make<Chess3DTextGenerator>},                    // 9
    {"CirclesTextGenerator", &Make<CirclesTextGenerator>},                    // 10
    {"CorrosionTextGenerator", &Make<CorrosionTextGenerator>},                // 11
    {"ChippedTextGenerator", &Make<ChippedTextGenerator>},                    // 12
    {"FlashTextGenerator", &Make<FlashTextGenerator>},                        // 13
    {"MassTextGenerator", &Make<MassTextGenerator>},                          // 14
    {"RoughTextGenerator", &Make<RoughTextGenerator>},                        // 15
    {"BlackOverlapTextGenerator", &Make<BlackOverlapTextGenerator>},          // 16
    {"OverlapTextGenerator", &Make<OverlapTextGenerator>},                    // 17
    {"Overlap2TextGenerator", &Make<Overlap2TextGenerator>},                  // 18
    {"HaloTextGenerator", &Make<HaloTextGenerator>},                          // 19
    {"ThickThinLinesTextGenerator", &Make<ThickThinLinesTextGenerator>},      // 20
    {"ThickThinLines2TextGenerator", &Make<ThickThinLines2TextGenerator>},    // 21
    {"SunRaysTextGenerator", &Make<SunRaysTextGenerator>},                    // 22
    {"SunRays2TextGenerator", &Make<SunRays2TextGenerator>},                  // 23
    {"DartsTextGenerator", &Make<DartsTextGenerator>},                        // 24
    {"FingerPrintsTextGenerator", &Make<FingerPrintsTextGenerator>},          // 25
    {"CrossShadowTextGenerator", &Make<CrossShadowTextGenerator>},            // 26
    {"CrossShadow2TextGenerator", &Make<CrossShadow2TextGenerator>},          // 27
    {"LegoTextGenerator", &Make<LegoTextGenerator>},                          // 28
    {"StrippyTextGenerator", &Make<StrippyTextGenerator>},                    // 29
    {"ThinWavyLettersTextGenerator", &Make<ThinWavyLettersTextGenerator>},    // 30
    {"ChalkboardTextGenerator", &Make<ChalkboardTextGenerator>},              // 31
    {"WavyColorLettersTextGenerator", &Make<WavyColorLettersTextGenerator>},  // 32
    {"AncientMosaicTextGenerator", &Make<AncientMosaicTextGenerator>},        // 33
    {"VertigoTextGenerator", &Make<VertigoTextGenerator>},                    // 34
    {"WavyChessTextGenerator", &Make<WavyChessTextGenerator>},                // 35
    {"MeltingHeatTextGenerator", &Make<MeltingHeatTextGenerator>},            // 36
    {"SunAndWarmAirTextGenerator", &Make<SunAndWarmAirTextGenerator>},        // 37
    {"Graffiti2TextGenerator", &Make<Graffiti2TextGenerator>},                // 38
    {"GraffitiTextGenerator", &Make<GraffitiTextGenerator>},                  // 39
    {"CutTextGenerator", &Make<CutTextGenerator>},                            // 40
    {"SpiderWebTextGenerator", &Make<SpiderWebTextGenerator>},                // 41
    {"CollageTextGenerator", &Make<CollageTextGenerator>},                    // 42
    {"InBandagesTextGenerator", &Make<InBandagesTextGenerator>},              // 43
    {"GhostlyTextGenerator", &Make<GhostlyTextGenerator>},                    // 44
    {"PaintMessTextGenerator", &Make<PaintMessTextGenerator>},                // 45
    {"CaughtInNetTextGenerator", &Make<CaughtInNetTextGenerator>},            // 46
    {"CaughtInNet2TextGenerator", &Make<CaughtInNet2TextGenerator>},          // 47
    {"BulletsTextGenerator", &Make<BulletsTextGenerator>},                    // 48
    {"Bullets2TextGenerator", &Make<Bullets2TextGenerator>},                  // 49
}};

}  // namespace

const StyleEntry* FindStyle(int style) {
  if (unsigned(style) >= kStyles.size()) return nullptr;
  return &kStyles[std::size_t(style)];
}

std::shared_ptr<ITextGenerator> CreateTextGenerator(int style) {
  const StyleEntry* entry = FindStyle(style);
  return entry ? entry->create() : nullptr;
}

}  // namespace MirelGlyphward
