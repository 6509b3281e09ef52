// Digests of many messages against OpenSSL: every length from 0 to 300 bytes, so
// both sides of each padding boundary (55/56/63/64 and 111/112/127/128 bytes) are
// covered, fed at once into a reused object and in random pieces into a new one.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

using hash_test::Bytes;
using hash_test::Finish;
using hash_test::OracleDigest;

Bytes RandomBytes(std::mt19937& rng, std::size_t uLength) {
  std::uniform_int_distribution<int> distByte(0, 255);
  Bytes vecBytes(uLength);
  for (auto& uc : vecBytes) uc = static_cast<unsigned char>(distByte(rng));
  return vecBytes;
}

void Add(CSHA& objSha, const unsigned char* pucData, std::size_t uLength) {
  objSha.AddData(pucData, static_cast<std::int32_t>(uLength));
}

class ShaOracleTest : public testing::TestWithParam<int> {};

TEST_P(ShaOracleTest, EveryLengthUpTo300AtOnceAndInRandomPieces) {
  const int iMethod = GetParam();
  std::mt19937 rng(1234 + iMethod);
  CSHA objReused(iMethod);
  for (std::size_t uLength = 0; uLength <= 300; ++uLength) {
    const Bytes vecMessage = RandomBytes(rng, uLength);
    const Bytes vecExpected = OracleDigest(iMethod, vecMessage.data(), uLength);
    // FinalDigest must leave the object ready for the next message.
    Add(objReused, vecMessage.data(), uLength);
    ASSERT_EQ(Finish(objReused), vecExpected) << "at once, length " << uLength;
    CSHA objPieces(iMethod);
    std::size_t uDone = 0;
    do {
      const std::size_t uPiece =
          std::uniform_int_distribution<std::size_t>(0, uLength - uDone)(rng);
      Add(objPieces, vecMessage.data() + uDone, uPiece);
      uDone += uPiece;
    } while (uDone < uLength);
    ASSERT_EQ(Finish(objPieces), vecExpected) << "in pieces, length " << uLength;
  }
}

TEST_P(ShaOracleTest, OneByteAtATime) {
  std::mt19937 rng(17 + GetParam());
  const Bytes vecMessage = RandomBytes(rng, 1000);
  CSHA objSha(GetParam());
  for (unsigned char uc : vecMessage) objSha.AddData(&uc, 1);
  EXPECT_EQ(Finish(objSha), OracleDigest(GetParam(), vecMessage.data(), vecMessage.size()));
}

// The narrow variants keep the bit count in two 32-bit halves; a message of more
// than 2^32 bits makes the low half carry into the high one.
class ShaLongMessageTest : public ShaOracleTest {};

TEST_P(ShaLongMessageTest, MessageLongerThanTwoToThe32Bits) {
  std::mt19937 rng(3 + GetParam());
  const Bytes vecPiece = RandomBytes(rng, (1u << 20) + 7);
  const std::size_t uPieces = (std::size_t{1} << 29) / vecPiece.size() + 2;
  CSHA objSha(GetParam());
  hash_test::OracleStream objOracle(GetParam());
  for (std::size_t i = 0; i < uPieces; ++i) {
    Add(objSha, vecPiece.data(), vecPiece.size());
    objOracle.Update(vecPiece.data(), vecPiece.size());
  }
  ASSERT_GT(uPieces * vecPiece.size() * 8, std::uint64_t{1} << 32);
  EXPECT_EQ(Finish(objSha), objOracle.Final());
}

INSTANTIATE_TEST_SUITE_P(AllVariants, ShaOracleTest,
                         testing::Values(CSHA::kSha1, CSHA::kSha256, CSHA::kSha384, CSHA::kSha512),
                         hash_test::VariantParamName);
INSTANTIATE_TEST_SUITE_P(NarrowVariants, ShaLongMessageTest,
                         testing::Values(CSHA::kSha1, CSHA::kSha256), hash_test::VariantParamName);

}  // namespace
