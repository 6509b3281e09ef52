// The assembled WAV files read back by real readers: Python's wave module
// and soxi.
#include <gtest/gtest.h>

#include <sstream>

#include "SoundBuilder.h"
#include "SoundFiles.h"

namespace {

using namespace SoundTests;

struct WaveFile {
  TempFile file{".wav"};
  int32_t count = 0;

  explicit WaveFile(const std::string& code) {
    std::shared_ptr<unsigned char[]> bytes;
    MirelGlyphward::SoundBuilder().BuildWave(code, bytes, count);
    file.Write(bytes.get(), static_cast<size_t>(count));
  }
  long Frames() const { return (count - 44) / 2; }
};

std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

std::string Soxi(const std::string& option, const WaveFile& wave) {
  int status = -1;
  std::string out = RunCommand(
      Quote(GLYPHWARD_SOXI) + " " + option + " " + Quote(wave.file.path()) + " 2>&1", status);
  EXPECT_EQ(status, 0) << out;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

class WaveReadBack : public ::testing::TestWithParam<std::string> {};

TEST_P(WaveReadBack, PythonWaveModuleReadsMono8kHz16BitWithEveryFrame) {
  ASSERT_STRNE(GLYPHWARD_PYTHON, "") << "python3 was not found when configuring";
  WaveFile wave(GetParam());
  int status = -1;
  std::string out = RunCommand(Quote(GLYPHWARD_PYTHON) + " " + Quote(GLYPHWARD_READ_WAV_SCRIPT) +
                                   " " + Quote(wave.file.path()) + " 2>&1",
                               status);
  ASSERT_EQ(status, 0) << out;
  std::istringstream fields(out);
  long channels = 0, rate = 0, width = 0, frames = 0, dataBytes = 0;
  fields >> channels >> rate >> width >> frames >> dataBytes;
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(rate, 8000);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(frames, wave.Frames());
  EXPECT_EQ(dataBytes, wave.count - 44);
}

TEST_P(WaveReadBack, SoxiReadsMono8kHz16BitWithEverySample) {
  ASSERT_STRNE(GLYPHWARD_SOXI, "") << "soxi was not found when configuring";
  WaveFile wave(GetParam());
  EXPECT_EQ(Soxi("-c", wave), "1");
  EXPECT_EQ(Soxi("-r", wave), "8000");
  EXPECT_EQ(Soxi("-b", wave), "16");
  EXPECT_EQ(Soxi("-e", wave), "Signed Integer PCM");
  EXPECT_EQ(Soxi("-s", wave), std::to_string(wave.Frames()));
}

INSTANTIATE_TEST_SUITE_P(Codes, WaveReadBack,
                         ::testing::Values("", "a", "AB2", "77", "10", "w9x0q"),
                         [](const auto& info) {
                           return info.param.empty() ? std::string("Empty") : info.param;
                         });

}  // namespace
