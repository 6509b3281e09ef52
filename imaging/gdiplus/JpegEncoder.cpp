#include "JpegEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace Gdiplus {

namespace {

constexpr int kDefaultQuality = 75;
constexpr UINT kMaxDimension = JPEG_MAX_DIMENSION;
constexpr std::size_t kOutputBufferSize = 16384;

// Everything libjpeg touches during one compression. libjpeg reports fatal
// errors through error_exit, which must not return: it jumps back to the
// setjmp in Compress, and only trivially destructible objects lie between.
struct JpegState {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  jpeg_destination_mgr destination;
  std::jmp_buf failure;
  EncoderSink* sink;
  bool created;
  JOCTET buffer[kOutputBufferSize];
};

// Owns a JpegState and the compressor libjpeg builds inside it.
class JpegCompressor {
 public:
  // Only the libjpeg structures and flags start zeroed: clearing the output
  // buffer too would cost more than a small picture's compression setup.
  JpegCompressor() : state_(new (std::nothrow) JpegState) {
    if (!state_) return;
    state_->cinfo = {};
    state_->errors = {};
    state_->destination = {};
    state_->sink = nullptr;
    state_->created = false;
  }
  JpegCompressor(JpegCompressor&& other) noexcept = default;
  JpegCompressor& operator=(JpegCompressor&& other) noexcept {
    Destroy();
    state_ = std::move(other.state_);
    return *this;
  }
  ~JpegCompressor() { Destroy(); }

  JpegState* get() const { return state_.get(); }

 private:
  void Destroy() {
    // jpeg_destroy_compress copes with a compressor whose creation failed
    // half-way, since the state starts zeroed.
    if (state_ && state_->created) jpeg_destroy_compress(&state_->cinfo);
    state_.reset();
  }

  std::unique_ptr<JpegState> state_;
};

JpegState* StateOf(j_common_ptr cinfo) {
  return static_cast<JpegState*>(cinfo->client_data);
}

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
  std::longjmp(StateOf(cinfo)->failure, 1);
}

// libjpeg would print warnings and traces to stderr; a component has none.
void DiscardMessage(j_common_ptr) {}

void StartOutput(j_compress_ptr cinfo) {
  JpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
  cinfo->dest->next_output_byte = state->buffer;
  cinfo->dest->free_in_buffer = kOutputBufferSize;
}

// A failed write is remembered by the sink and reported after compression.
boolean FlushFullBuffer(j_compress_ptr cinfo) {
  JpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
  state->sink->Write(state->buffer, kOutputBufferSize);
  cinfo->dest->next_output_byte = state->buffer;
  cinfo->dest->free_in_buffer = kOutputBufferSize;
  return TRUE;
}

void FlushRest(j_compress_ptr cinfo) {
  JpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
  state->sink->Write(state->buffer, kOutputBufferSize - cinfo->dest->free_in_buffer);
}

Status ReadQuality(const EncoderParameters* params, int* quality) {
  *quality = kDefaultQuality;
  if (!params) return Ok;
  const EncoderParameter* parameter = params->Parameter;
  for (UINT i = 0; i < params->Count; ++i, ++parameter) {
    if (parameter->Guid != EncoderQuality) continue;
    if (parameter->Type != EncoderParameterValueTypeLong || parameter->NumberOfValues != 1 ||
        !parameter->Value) {
      return InvalidParameter;
    }
    ULONG value = 0;
    std::memcpy(&value, parameter->Value, sizeof value);
    if (value > 100) return InvalidParameter;
    *quality = int(value);
  }
  return Ok;
}

// All libjpeg calls happen here, below the setjmp that error_exit returns to.
bool Compress(JpegState& state, const EncoderPixels& pixels, int quality) {
  if (setjmp(state.failure) != 0) return false;

  jpeg_compress_struct& cinfo = state.cinfo;
  cinfo.err = jpeg_std_error(&state.errors);
  state.errors.error_exit = OnFatalError;
  state.errors.output_message = DiscardMessage;
  cinfo.client_data = &state;
  state.created = true;
  jpeg_create_compress(&cinfo);

  state.destination.init_destination = StartOutput;
  state.destination.empty_output_buffer = FlushFullBuffer;
  state.destination.term_destination = FlushRest;
  cinfo.dest = &state.destination;

  cinfo.image_width = pixels.width;
  cinfo.image_height = pixels.height;
  // libjpeg-turbo reads B, G, R and skips the fourth byte.
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRA;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // 4:2:0: one chroma sample per 2 x 2 luma block, whatever the quality.
  cinfo.comp_info[0].h_samp_factor = 2;
  cinfo.comp_info[0].v_samp_factor = 2;
  for (int c = 1; c < 3; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  cinfo.write_JFIF_header = TRUE;
  cinfo.density_unit = 1;  // dots per inch
  cinfo.X_density = 96;
  cinfo.Y_density = 96;

  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.Row(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

Status EncodeJpeg(const EncoderPixels& pixels, const EncoderParameters* params, EncoderSink& sink) {
  if (!pixels.IsValid()) return InvalidParameter;
  int quality = kDefaultQuality;
  if (Status status = ReadQuality(params, &quality); status != Ok) return status;
  if (pixels.width > kMaxDimension || pixels.height > kMaxDimension) return ValueOverflow;

  JpegCompressor compressor;
  JpegState* state = compressor.get();
  if (!state) return OutOfMemory;
  state->sink = &sink;
  if (!Compress(*state, pixels, quality)) {
    if (sink.Failed()) return Win32Error;
    return state->errors.msg_code == JERR_OUT_OF_MEMORY ? OutOfMemory : GenericError;
  }
  return sink.Failed() ? Win32Error : Ok;
}

}  // namespace Gdiplus
