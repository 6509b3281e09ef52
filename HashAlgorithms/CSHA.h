// SHA-1, SHA-256, SHA-384 and SHA-512 of the Secure Hash Standard, FIPS 180-2,
// one variant per object, chosen at construction.
#pragma once

#include <cstdint>

#include "IMessageDigest.h"

class CSHA : public IMessageDigest {
 public:
  static constexpr int kSha1 = 0;
  static constexpr int kSha256 = 1;
  static constexpr int kSha384 = 2;
  static constexpr int kSha512 = 3;
  // The size of the largest digest, SHA-512's.
  static constexpr int kMaxDigestSize = 64;

  explicit CSHA(int iMethod);

  void AddData(const unsigned char* pucData, std::int32_t iDataLength) override;
  void FinalDigest(unsigned char* pucDigest) override;
  void Reset() override;
  void Transform() override;

  int Method() const { return m_iMethod; }
  // Bytes written by FinalDigest: 20, 32, 48 or 64.
  int DigestSize() const;

 private:
  bool IsWide() const { return m_iMethod >= kSha384; }
  int BlockSize() const { return IsWide() ? 128 : 64; }
  // Bytes of the current block already held in the buffer, known from the bit count.
  int BufferedBytes() const;
  void CountBytes(std::int32_t iDataLength);

  void TransformSha1();
  void TransformSha256();
  void TransformSha512();

  std::int32_t m_iMethod;
  std::uint32_t m_auiBuf[8] = {};
  // Message length in bits: [0] low half, [1] high half.
  std::uint32_t m_auiBits[2] = {};
  unsigned char m_aucIn[128] = {};
  std::uint64_t m_aullBuf[8] = {};
  // Message length in bits for the wide variants: [0] low half, [1] high half.
  std::uint64_t m_aullBits[2] = {};
};
