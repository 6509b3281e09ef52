#include <algorithm>
#include <cstring>
#include <memory>

#include <gif_lib.h>

#include "Decoded.h"

namespace encoder_tests {

namespace {

struct MemoryReader {
  std::span<const std::uint8_t> file;
  std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* data, int size) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const std::size_t count =
      std::min(std::size_t(std::max(size, 0)), reader->file.size() - reader->at);
  std::memcpy(data, reader->file.data() + reader->at, count);
  reader->at += count;
  return int(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

}  // namespace

bool DecodeGif(std::span<const std::uint8_t> file, DecodedPicture& picture, GifFacts& facts,
               std::string& error) {
  if (file.size() < 6) {
    error = "shorter than a GIF header";
    return false;
  }
  facts.signature.assign(file.begin(), file.begin() + 6);
  MemoryReader reader{file};
  int code = 0;
  GifHandle gif(DGifOpen(&reader, ReadFromMemory, &code));
  if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
    error = GifErrorString(gif ? gif->Error : code);
    return false;
  }
  facts.imageCount = gif->ImageCount;
  if (gif->ImageCount < 1) {
    error = "no image";
    return false;
  }
  const SavedImage& image = gif->SavedImages[0];
  for (int i = 0; i < image.ExtensionBlockCount; ++i) {
    if (image.ExtensionBlocks[i].Function == GRAPHICS_EXT_FUNC_CODE)
      facts.hasGraphicsControl = true;
  }
  const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
  if (!map) {
    error = "no colour table";
    return false;
  }
  facts.colorCount = map->ColorCount;
  if (image.ImageDesc.Left != 0 || image.ImageDesc.Top != 0 ||
      image.ImageDesc.Width != gif->SWidth || image.ImageDesc.Height != gif->SHeight) {
    error = "image does not cover the screen";
    return false;
  }
  picture.width = std::uint32_t(gif->SWidth);
  picture.height = std::uint32_t(gif->SHeight);
  picture.rgba.assign(std::size_t(picture.width) * picture.height * 4, 0);
  for (std::size_t i = 0; i < std::size_t(picture.width) * picture.height; ++i) {
    const int index = image.RasterBits[i];
    if (index >= map->ColorCount) {
      error = "index outside the colour table";
      return false;
    }
    picture.rgba[i * 4 + 0] = map->Colors[index].Red;
    picture.rgba[i * 4 + 1] = map->Colors[index].Green;
    picture.rgba[i * 4 + 2] = map->Colors[index].Blue;
    picture.rgba[i * 4 + 3] = 255;
  }
  return true;
}

}  // namespace encoder_tests
