#include "CDigestSet.h"
#include "CaptchaEngine.h"

namespace MirelGlyphward {

std::string HashOf(const std::string& text) {
  // A fresh digest set per hash keeps no state between calls.
  CDigestSet digests;
  return digests.DigestText(text, CDigestSet::kSelectorSha512);
}

}  // namespace MirelGlyphward
