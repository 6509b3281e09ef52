#include "CSHA.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>

#include "ShaConstants.h"

namespace {

std::uint32_t ReadBigEndian32(const unsigned char* pucBytes) {
  return (std::uint32_t{pucBytes[0]} << 24) | (std::uint32_t{pucBytes[1]} << 16) |
         (std::uint32_t{pucBytes[2]} << 8) | std::uint32_t{pucBytes[3]};
}

std::uint64_t ReadBigEndian64(const unsigned char* pucBytes) {
  return (std::uint64_t{ReadBigEndian32(pucBytes)} << 32) | ReadBigEndian32(pucBytes + 4);
}

void WriteBigEndian32(std::uint32_t uiValue, unsigned char* pucBytes) {
  for (int i = 3; i >= 0; --i) {
    pucBytes[i] = static_cast<unsigned char>(uiValue);
    uiValue >>= 8;
  }
}

void WriteBigEndian64(std::uint64_t ullValue, unsigned char* pucBytes) {
  WriteBigEndian32(static_cast<std::uint32_t>(ullValue >> 32), pucBytes);
  WriteBigEndian32(static_cast<std::uint32_t>(ullValue), pucBytes + 4);
}

// The logical functions of FIPS 180-2 section 4.1.
template <typename Word>
Word Ch(Word x, Word y, Word z) {
  return (x & y) ^ (~x & z);
}

template <typename Word>
Word Maj(Word x, Word y, Word z) {
  return (x & y) ^ (x & z) ^ (y & z);
}

template <typename Word>
Word Parity(Word x, Word y, Word z) {
  return x ^ y ^ z;
}

}  // namespace

CSHA::CSHA(int iMethod) : m_iMethod(iMethod) {
  if (iMethod < kSha1 || iMethod > kSha512) {
    throw std::runtime_error("FileDigest ERROR: in CSHA() Constructor, Illegal Method " +
                             std::to_string(iMethod) + "!");
  }
  Reset();
}

int CSHA::DigestSize() const {
  switch (m_iMethod) {
    case kSha1:
      return 20;
    case kSha256:
      return 32;
    case kSha384:
      return 48;
    default:
      return 64;
  }
}

void CSHA::Reset() {
  m_bAddData = false;
  m_auiBits[0] = m_auiBits[1] = 0;
  m_aullBits[0] = m_aullBits[1] = 0;
  std::fill(std::begin(m_auiBuf), std::end(m_auiBuf), 0u);
  std::fill(std::begin(m_aullBuf), std::end(m_aullBuf), 0ull);
  std::fill(std::begin(m_aucIn), std::end(m_aucIn), 0);
  switch (m_iMethod) {
    case kSha1:
      std::copy(ShaConstants::kSha1Initial.begin(), ShaConstants::kSha1Initial.end(), m_auiBuf);
      break;
    case kSha256:
      std::copy(ShaConstants::kSha256Initial.begin(), ShaConstants::kSha256Initial.end(), m_auiBuf);
      break;
    case kSha384:
      std::copy(ShaConstants::kSha384Initial.begin(), ShaConstants::kSha384Initial.end(),
                m_aullBuf);
      break;
    default:
      std::copy(ShaConstants::kSha512Initial.begin(), ShaConstants::kSha512Initial.end(),
                m_aullBuf);
      break;
  }
}

int CSHA::BufferedBytes() const {
  if (IsWide()) return static_cast<int>((m_aullBits[0] >> 3) & 127);
  return static_cast<int>((m_auiBits[0] >> 3) & 63);
}

void CSHA::CountBytes(std::int32_t iDataLength) {
  const auto uiLength = static_cast<std::uint32_t>(iDataLength);
  if (IsWide()) {
    // 8 times a 31-bit length fits in 64 bits, so only the low half can carry.
    const std::uint64_t ullLow = m_aullBits[0] + (std::uint64_t{uiLength} << 3);
    if (ullLow < m_aullBits[0]) ++m_aullBits[1];
    m_aullBits[0] = ullLow;
    return;
  }
  const std::uint32_t uiLow = m_auiBits[0] + (uiLength << 3);
  if (uiLow < m_auiBits[0]) ++m_auiBits[1];
  m_auiBits[0] = uiLow;
  m_auiBits[1] += uiLength >> 29;
}

void CSHA::AddData(const unsigned char* pucData, std::int32_t iDataLength) {
  if (iDataLength < 0) {
    throw std::runtime_error("FileDigest ERROR: in CSHA::AddData(), Data Length should be >= 0!");
  }
  if (pucData == nullptr && iDataLength > 0) {
    throw std::runtime_error("FileDigest ERROR: in CSHA::AddData(), Null Data Pointer!");
  }
  m_bAddData = true;
  if (iDataLength == 0) return;

  const int iBlock = BlockSize();
  int iHeld = BufferedBytes();
  CountBytes(iDataLength);

  std::int32_t iLeft = iDataLength;
  if (iHeld > 0) {
    const int iTake = std::min(iBlock - iHeld, iLeft);
    std::memcpy(m_aucIn + iHeld, pucData, static_cast<std::size_t>(iTake));
    pucData += iTake;
    iLeft -= iTake;
    iHeld += iTake;
    if (iHeld < iBlock) return;
    Transform();
  }
  for (; iLeft >= iBlock; iLeft -= iBlock, pucData += iBlock) {
    std::memcpy(m_aucIn, pucData, static_cast<std::size_t>(iBlock));
    Transform();
  }
  std::memcpy(m_aucIn, pucData, static_cast<std::size_t>(iLeft));
}

void CSHA::FinalDigest(unsigned char* pucDigest) {
  if (!m_bAddData) {
    throw std::runtime_error(
        "FileDigest ERROR: in CSHA::FinalDigest(), No data Added before call!");
  }
  if (pucDigest == nullptr) {
    throw std::runtime_error("FileDigest ERROR: in CSHA::FinalDigest(), Null Output Buffer!");
  }

  // FIPS 180-2 section 5.1: the marker bit, zeros, then the message length in bits,
  // which takes the last 8 bytes of a 64-byte block or the last 16 of a 128-byte one.
  const int iBlock = BlockSize();
  const int iCountSize = IsWide() ? 16 : 8;
  int iHeld = BufferedBytes();
  m_aucIn[iHeld++] = 0x80;
  if (iHeld > iBlock - iCountSize) {
    std::memset(m_aucIn + iHeld, 0, static_cast<std::size_t>(iBlock - iHeld));
    Transform();
    iHeld = 0;
  }
  std::memset(m_aucIn + iHeld, 0, static_cast<std::size_t>(iBlock - iCountSize - iHeld));
  unsigned char* pucCount = m_aucIn + iBlock - iCountSize;
  if (IsWide()) {
    WriteBigEndian64(m_aullBits[1], pucCount);
    WriteBigEndian64(m_aullBits[0], pucCount + 8);
  } else {
    WriteBigEndian32(m_auiBits[1], pucCount);
    WriteBigEndian32(m_auiBits[0], pucCount + 4);
  }
  Transform();

  if (IsWide()) {
    for (int i = 0; i < DigestSize() / 8; ++i) WriteBigEndian64(m_aullBuf[i], pucDigest + 8 * i);
  } else {
    for (int i = 0; i < DigestSize() / 4; ++i) WriteBigEndian32(m_auiBuf[i], pucDigest + 4 * i);
  }
  Reset();
}

void CSHA::Transform() {
  switch (m_iMethod) {
    case kSha1:
      TransformSha1();
      break;
    case kSha256:
      TransformSha256();
      break;
    default:
      TransformSha512();
      break;
  }
}

// FIPS 180-2 section 6.1.2.
void CSHA::TransformSha1() {
  std::uint32_t auiSchedule[80];
  for (int t = 0; t < 16; ++t) auiSchedule[t] = ReadBigEndian32(m_aucIn + 4 * t);
  for (int t = 16; t < 80; ++t) {
    auiSchedule[t] = std::rotl(
        auiSchedule[t - 3] ^ auiSchedule[t - 8] ^ auiSchedule[t - 14] ^ auiSchedule[t - 16], 1);
  }
  std::uint32_t a = m_auiBuf[0], b = m_auiBuf[1], c = m_auiBuf[2], d = m_auiBuf[3], e = m_auiBuf[4];
  auto Round = [&](int t, std::uint32_t uiF) {
    const std::uint32_t uiTemp =
        std::rotl(a, 5) + uiF + e + ShaConstants::kSha1Rounds[t / 20] + auiSchedule[t];
    e = d;
    d = c;
    c = std::rotl(b, 30);
    b = a;
    a = uiTemp;
  };
  int t = 0;
  for (; t < 20; ++t) Round(t, Ch(b, c, d));
  for (; t < 40; ++t) Round(t, Parity(b, c, d));
  for (; t < 60; ++t) Round(t, Maj(b, c, d));
  for (; t < 80; ++t) Round(t, Parity(b, c, d));
  m_auiBuf[0] += a;
  m_auiBuf[1] += b;
  m_auiBuf[2] += c;
  m_auiBuf[3] += d;
  m_auiBuf[4] += e;
}

// FIPS 180-2 section 6.2.2.
void CSHA::TransformSha256() {
  std::uint32_t auiSchedule[64];
  for (int t = 0; t < 16; ++t) auiSchedule[t] = ReadBigEndian32(m_aucIn + 4 * t);
  for (int t = 16; t < 64; ++t) {
    const std::uint32_t uiW15 = auiSchedule[t - 15], uiW2 = auiSchedule[t - 2];
    const std::uint32_t uiSigma0 = std::rotr(uiW15, 7) ^ std::rotr(uiW15, 18) ^ (uiW15 >> 3);
    const std::uint32_t uiSigma1 = std::rotr(uiW2, 17) ^ std::rotr(uiW2, 19) ^ (uiW2 >> 10);
    auiSchedule[t] = uiSigma1 + auiSchedule[t - 7] + uiSigma0 + auiSchedule[t - 16];
  }
  std::uint32_t auiWork[8];
  std::copy(std::begin(m_auiBuf), std::end(m_auiBuf), auiWork);
  auto& [a, b, c, d, e, f, g, h] = auiWork;
  for (int t = 0; t < 64; ++t) {
    const std::uint32_t uiBigSigma1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
    const std::uint32_t uiBigSigma0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
    const std::uint32_t uiT1 =
        h + uiBigSigma1 + Ch(e, f, g) + ShaConstants::kSha256Rounds[t] + auiSchedule[t];
    const std::uint32_t uiT2 = uiBigSigma0 + Maj(a, b, c);
    h = g;
    g = f;
    f = e;
    e = d + uiT1;
    d = c;
    c = b;
    b = a;
    a = uiT1 + uiT2;
  }
  for (int i = 0; i < 8; ++i) m_auiBuf[i] += auiWork[i];
}

// FIPS 180-2 section 6.3.2; SHA-384 differs only in its initial values and output length.
void CSHA::TransformSha512() {
  std::uint64_t aullSchedule[80];
  for (int t = 0; t < 16; ++t) aullSchedule[t] = ReadBigEndian64(m_aucIn + 8 * t);
  for (int t = 16; t < 80; ++t) {
    const std::uint64_t ullW15 = aullSchedule[t - 15], ullW2 = aullSchedule[t - 2];
    const std::uint64_t ullSigma0 = std::rotr(ullW15, 1) ^ std::rotr(ullW15, 8) ^ (ullW15 >> 7);
    const std::uint64_t ullSigma1 = std::rotr(ullW2, 19) ^ std::rotr(ullW2, 61) ^ (ullW2 >> 6);
    aullSchedule[t] = ullSigma1 + aullSchedule[t - 7] + ullSigma0 + aullSchedule[t - 16];
  }
  std::uint64_t aullWork[8];
  std::copy(std::begin(m_aullBuf), std::end(m_aullBuf), aullWork);
  auto& [a, b, c, d, e, f, g, h] = aullWork;
  for (int t = 0; t < 80; ++t) {
    const std::uint64_t ullBigSigma1 = std::rotr(e, 14) ^ std::rotr(e, 18) ^ std::rotr(e, 41);
    const std::uint64_t ullBigSigma0 = std::rotr(a, 28) ^ std::rotr(a, 34) ^ std::rotr(a, 39);
    const std::uint64_t ullT1 =
        h + ullBigSigma1 + Ch(e, f, g) + ShaConstants::kSha512Rounds[t] + aullSchedule[t];
    const std::uint64_t ullT2 = ullBigSigma0 + Maj(a, b, c);
    h = g;
    g = f;
    f = e;
    e = d + ullT1;
    d = c;
    c = b;
    b = a;
    a = ullT1 + ullT2;
  }
  for (int i = 0; i < 8; ++i) m_aullBuf[i] += aullWork[i];
}
