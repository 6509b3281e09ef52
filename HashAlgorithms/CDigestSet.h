// One digest object per SHA variant, turning a narrow text into the upper-case
// hexadecimal digest of the variant chosen by a selector.
#pragma once

#include <string>

#include "CSHA.h"

class CDigestSet {
 public:
  static constexpr int kSelectorSha1 = 3;
  static constexpr int kSelectorSha256 = 4;
  static constexpr int kSelectorSha384 = 5;
  static constexpr int kSelectorSha512 = 6;

  CDigestSet();

  // Hashes every byte of text, bytes of value 0 included.
  std::string DigestText(const std::string& text, int iSelector);

 private:
  CSHA m_objSha1;
  CSHA m_objSha256;
  CSHA m_objSha384;
  CSHA m_objSha512;
};
