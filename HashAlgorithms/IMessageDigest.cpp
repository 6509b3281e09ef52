#include "IMessageDigest.h"

#include <algorithm>
#include <stdexcept>

void IMessageDigest::AddAllData(const unsigned char* pucData, std::size_t uDataLength,
                                std::int32_t iMaxPiece) {
  if (iMaxPiece <= 0) {
    throw std::runtime_error(
        "FileDigest ERROR: in IMessageDigest::AddAllData(), Piece Length should be > 0!");
  }
  // An empty message still has to mark the digest as holding data.
  if (uDataLength == 0) {
    AddData(pucData, 0);
    return;
  }
  const auto uMaxPiece = static_cast<std::size_t>(iMaxPiece);
  for (std::size_t uDone = 0; uDone < uDataLength;) {
    const std::size_t uPiece = std::min(uMaxPiece, uDataLength - uDone);
    AddData(pucData + uDone, static_cast<std::int32_t>(uPiece));
    uDone += uPiece;
  }
}
