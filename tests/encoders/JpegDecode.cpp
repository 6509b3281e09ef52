#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "Decoded.h"

namespace encoder_tests {

namespace {

// libjpeg's fatal errors jump back to the setjmp in Run; only trivially
// destructible objects lie between.
struct JpegReadState {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  std::jmp_buf failure;
  bool created;
  char message[JMSG_LENGTH_MAX];
};

class JpegDecompressor {
 public:
  JpegDecompressor() : state_(std::make_unique<JpegReadState>()) {}
  JpegDecompressor(JpegDecompressor&&) noexcept = default;
  JpegDecompressor& operator=(JpegDecompressor&& other) noexcept {
    Destroy();
    state_ = std::move(other.state_);
    return *this;
  }
  ~JpegDecompressor() { Destroy(); }
  JpegReadState& state() { return *state_; }

 private:
  void Destroy() {
    if (state_ && state_->created) jpeg_destroy_decompress(&state_->cinfo);
    state_.reset();
  }

  std::unique_ptr<JpegReadState> state_;
};

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
  auto* state = static_cast<JpegReadState*>(cinfo->client_data);
  cinfo->err->format_message(cinfo, state->message);
  std::longjmp(state->failure, 1);
}

void DiscardMessage(j_common_ptr) {}

bool Run(JpegReadState& state, std::span<const std::uint8_t> file, DecodedPicture& picture,
         JpegFacts& facts) {
  if (setjmp(state.failure) != 0) return false;
  jpeg_decompress_struct& cinfo = state.cinfo;
  cinfo.err = jpeg_std_error(&state.errors);
  state.errors.error_exit = OnFatalError;
  state.errors.output_message = DiscardMessage;
  cinfo.client_data = &state;
  state.created = true;
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);

  facts.components = cinfo.num_components;
  if (cinfo.num_components == 3) {
    facts.lumaH = cinfo.comp_info[0].h_samp_factor;
    facts.lumaV = cinfo.comp_info[0].v_samp_factor;
    facts.chromaH = cinfo.comp_info[1].h_samp_factor;
    facts.chromaV = cinfo.comp_info[1].v_samp_factor;
  }
  facts.jfif = cinfo.saw_JFIF_marker;
  facts.densityUnit = cinfo.density_unit;
  facts.xDensity = cinfo.X_density;
  facts.yDensity = cinfo.Y_density;

  cinfo.out_color_space = JCS_EXT_RGBA;
  jpeg_start_decompress(&cinfo);
  picture.width = cinfo.output_width;
  picture.height = cinfo.output_height;
  picture.rgba.assign(std::size_t(picture.width) * picture.height * 4, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &picture.rgba[std::size_t(cinfo.output_scanline) * picture.width * 4];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> file, DecodedPicture& picture, JpegFacts& facts,
                std::string& error) {
  JpegDecompressor decompressor;
  if (!Run(decompressor.state(), file, picture, facts)) {
    error = decompressor.state().message;
    return false;
  }
  return true;
}

}  // namespace encoder_tests
