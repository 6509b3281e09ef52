// Digests of many messages against OpenSSL: every length from 0 to 300 bytes, so
// both sides of each padding boundary (55/56/63/64 and 111/112/127/128 bytes) are
// covered, fed at once, in random pieces and split at every position.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

using hash_test::Bytes;
using hash_test::ExpectedSize;
using hash_test::Finish;
using hash_test::OracleDigest;

constexpr std::size_t kLongestMessage = 300;

Bytes RandomBytes(std::mt19937& rng, std::size_t uLength) {
  std::uniform_int_distribution<int> distByte(0, 255);
  Bytes vecBytes(uLength);
  for (auto& uc : vecBytes) uc = static_cast<unsigned char>(distByte(rng));
  return vecBytes;
}

void Add(CSHA& objSha, const unsigned char* pucData, std::size_t uLength) {
  objSha.AddData(pucData, static_cast<std::int32_t>(uLength));
}

class ShaOracleTest : public testing::TestWithParam<int> {
 protected:
  int Method() const { return GetParam(); }
  std::size_t Size() const { return ExpectedSize(Method()); }
};

TEST_P(ShaOracleTest, EveryLengthUpTo300AtOnce) {
  std::mt19937 rng(1234 + Method());
  CSHA objSha(Method());
  for (std::size_t uLength = 0; uLength <= kLongestMessage; ++uLength) {
    for (int iSample = 0; iSample < 4; ++iSample) {
      const Bytes vecMessage = RandomBytes(rng, uLength);
      // The same object is reused: FinalDigest must leave it ready for the next message.
      Add(objSha, vecMessage.data(), vecMessage.size());
      ASSERT_EQ(Finish(objSha, Size()), OracleDigest(Method(), vecMessage.data(), uLength))
          << "length " << uLength;
    }
  }
}

TEST_P(ShaOracleTest, EveryLengthUpTo300InRandomPieces) {
  std::mt19937 rng(5678 + Method());
  for (std::size_t uLength = 0; uLength <= kLongestMessage; ++uLength) {
    const Bytes vecMessage = RandomBytes(rng, uLength);
    CSHA objSha(Method());
    std::size_t uDone = 0;
    do {
      std::uniform_int_distribution<std::size_t> distPiece(0, uLength - uDone);
      const std::size_t uPiece = distPiece(rng);
      Add(objSha, vecMessage.data() + uDone, uPiece);
      uDone += uPiece;
    } while (uDone < uLength);
    ASSERT_EQ(Finish(objSha, Size()), OracleDigest(Method(), vecMessage.data(), uLength))
        << "length " << uLength;
  }
}

TEST_P(ShaOracleTest, SplitAtEveryPositionEqualsWholeMessage) {
  std::mt19937 rng(91 + Method());
  const std::size_t uLength = 2 * 128 + 3;
  const Bytes vecMessage = RandomBytes(rng, uLength);
  const Bytes vecExpected = OracleDigest(Method(), vecMessage.data(), uLength);
  for (std::size_t uSplit = 0; uSplit <= uLength; ++uSplit) {
    CSHA objSha(Method());
    Add(objSha, vecMessage.data(), uSplit);
    Add(objSha, vecMessage.data() + uSplit, uLength - uSplit);
    ASSERT_EQ(Finish(objSha, Size()), vecExpected) << "split at " << uSplit;
  }
}

TEST_P(ShaOracleTest, OneByteAtATime) {
  std::mt19937 rng(17 + Method());
  const Bytes vecMessage = RandomBytes(rng, 1000);
  CSHA objSha(Method());
  for (unsigned char uc : vecMessage) objSha.AddData(&uc, 1);
  EXPECT_EQ(Finish(objSha, Size()), OracleDigest(Method(), vecMessage.data(), vecMessage.size()));
}

// The narrow variants keep the bit count in two 32-bit halves; a message of more
// than 2^32 bits makes the low half carry into the high one.
class ShaLongMessageTest : public ShaOracleTest {};

TEST_P(ShaLongMessageTest, MessageLongerThanTwoToThe32Bits) {
  std::mt19937 rng(3 + Method());
  const Bytes vecPiece = RandomBytes(rng, (1u << 20) + 7);
  const std::size_t uPieces = (std::size_t{1} << 29) / vecPiece.size() + 2;
  CSHA objSha(Method());
  hash_test::OracleStream objOracle(Method());
  for (std::size_t i = 0; i < uPieces; ++i) {
    Add(objSha, vecPiece.data(), vecPiece.size());
    objOracle.Update(vecPiece.data(), vecPiece.size());
  }
  ASSERT_GT(uPieces * vecPiece.size() * 8, std::uint64_t{1} << 32);
  EXPECT_EQ(Finish(objSha, Size()), objOracle.Final());
}

INSTANTIATE_TEST_SUITE_P(AllVariants, ShaOracleTest,
                         testing::Values(CSHA::kSha1, CSHA::kSha256, CSHA::kSha384, CSHA::kSha512),
                         hash_test::VariantParamName);
INSTANTIATE_TEST_SUITE_P(NarrowVariants, ShaLongMessageTest,
                         testing::Values(CSHA::kSha1, CSHA::kSha256), hash_test::VariantParamName);

}  // namespace
