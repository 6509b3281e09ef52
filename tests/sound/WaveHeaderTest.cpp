// The committed WAV header: the canonical RIFF/WAVE layout for 8 kHz 16-bit
// mono PCM.
#include <gtest/gtest.h>

#include <cstring>

#include "SoundFiles.h"

namespace {

using namespace SoundTests;

TEST(WaveHeader, IsTheCanonical44ByteHeaderFor8kHz16BitMono) {
  Bytes header = ReadResourceFile("wave_header.bin");
  ASSERT_EQ(header.size(), 44u);
  const unsigned char* h = header.data();
  EXPECT_EQ(std::memcmp(h, "RIFF", 4), 0);
  EXPECT_EQ(std::memcmp(h + 8, "WAVE", 4), 0);
  EXPECT_EQ(std::memcmp(h + 12, "fmt ", 4), 0);
  EXPECT_EQ(ReadLe32(h + 16), 16u);     // format chunk size
  EXPECT_EQ(ReadLe16(h + 20), 1);       // PCM
  EXPECT_EQ(ReadLe16(h + 22), 1);       // channels
  EXPECT_EQ(ReadLe32(h + 24), 8000u);   // samples per second
  EXPECT_EQ(ReadLe32(h + 28), 16000u);  // bytes per second
  EXPECT_EQ(ReadLe16(h + 32), 2);       // block align
  EXPECT_EQ(ReadLe16(h + 34), 16);      // bits per sample
  EXPECT_EQ(std::memcmp(h + 36, "data", 4), 0);
}

}  // namespace
