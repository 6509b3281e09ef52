#include "CaptchaEngine.h"

#include "CodeGeneration.h"
#include "EngineBackends.h"

namespace MirelGlyphward {
namespace {

// Constructed while the module loads, before any object can exist.
[[maybe_unused]] CaptchaEngine& loadTimeEngine = CaptchaEngine::Instance();

constexpr std::size_t kFormatBuffer = 1024;

}  // namespace

CaptchaEngine& CaptchaEngine::Instance() {
  static CaptchaEngine engine;
  return engine;
}

void CaptchaEngine::SetFormat(const std::string& name) {
  // Names longer than the work buffer are cut, never written past it.
  std::string upper = name.substr(0, kFormatBuffer - 1);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  format_ = upper == "JPG" ? "JPEG" : upper;
}

void CaptchaEngine::SettleCode(const std::string& code) {
  if (code.empty()) {
    if (codeLength_ > 0 && std::size_t(codeLength_) > kMaxCodeLength)
      throw std::string("The code length is too large !");
    currentCode_ = GenerateCode(codeType_, codeLength_);
  } else {
    currentCode_ = code;
  }
}

ByteResult CaptchaEngine::CreatePicture(const std::string& code) {
  SettleCode(code);
  if (currentCode_.size() > kMaxCodeLength) throw std::string("The code is too long !");
  return BuildPicture(std::string(currentCode_), size_, textStyle_, format_);
}

ByteResult CaptchaEngine::CreateSound(const std::string& code) {
  SettleCode(code);
  if (currentCode_.size() > kMaxCodeLength) throw std::string("The code is too long !");
  return BuildSound(std::string(currentCode_));
}

void CaptchaEngine::ResetForTesting() {
  format_ = "JPEG";
  codeLength_ = 5;
  size_ = ImageSize{};
  codeType_ = 0;
  currentCode_.clear();
  textStyle_ = 31;
}

}  // namespace MirelGlyphward
