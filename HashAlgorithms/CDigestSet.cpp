#include "CDigestSet.h"

#include <stdexcept>

CDigestSet::CDigestSet()
    : m_objSha1(CSHA::kSha1),
      m_objSha256(CSHA::kSha256),
      m_objSha384(CSHA::kSha384),
      m_objSha512(CSHA::kSha512) {}

std::string CDigestSet::DigestText(const std::string& text, int iSelector) {
  CSHA* pobjDigest = nullptr;
  switch (iSelector) {
    case kSelectorSha1:
      pobjDigest = &m_objSha1;
      break;
    case kSelectorSha256:
      pobjDigest = &m_objSha256;
      break;
    case kSelectorSha384:
      pobjDigest = &m_objSha384;
      break;
    case kSelectorSha512:
      pobjDigest = &m_objSha512;
      break;
    default:
      throw std::runtime_error("FileDigest ERROR: in CDigestSet::DigestText(), Illegal Selector " +
                               std::to_string(iSelector) + "!");
  }

  pobjDigest->Reset();
  pobjDigest->AddAllData(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  unsigned char aucDigest[CSHA::kMaxDigestSize] = {};
  pobjDigest->FinalDigest(aucDigest);

  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string strHex;
  strHex.reserve(2 * static_cast<std::size_t>(pobjDigest->DigestSize()));
  for (int i = 0; i < pobjDigest->DigestSize(); ++i) {
    strHex += kHexDigits[aucDigest[i] >> 4];
    strHex += kHexDigits[aucDigest[i] & 0x0F];
  }
  return strHex;
}
