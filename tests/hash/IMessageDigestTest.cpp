// AddAllData: a message of any size handed to AddData in pieces.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "CSHA.h"
#include "IMessageDigest.h"
#include "HashTestSupport.h"

namespace {

using hash_test::Bytes;
using hash_test::Finish;
using hash_test::OracleDigest;

// Records the pieces it is given instead of hashing them.
class PieceRecorder : public IMessageDigest {
 public:
  void AddData(const unsigned char* pucData, std::int32_t iDataLength) override {
    m_bAddData = true;
    vecLengths.push_back(iDataLength);
    vecPointers.push_back(pucData);
  }
  void FinalDigest(unsigned char*) override {}
  void Reset() override { m_bAddData = false; }
  void Transform() override {}

  std::vector<std::int32_t> vecLengths;
  std::vector<const unsigned char*> vecPointers;
};

TEST(AddAllData, SplitsIntoPiecesOfAtMostTheLimit) {
  const Bytes vecData(23);
  PieceRecorder objRecorder;
  objRecorder.AddAllData(vecData.data(), vecData.size(), 10);
  EXPECT_EQ(objRecorder.vecLengths, (std::vector<std::int32_t>{10, 10, 3}));
  EXPECT_EQ(objRecorder.vecPointers,
            (std::vector<const unsigned char*>{vecData.data(), vecData.data() + 10,
                                               vecData.data() + 20}));
}

TEST(AddAllData, EmptyMessageStillAddsData) {
  PieceRecorder objRecorder;
  objRecorder.AddAllData(nullptr, 0);
  EXPECT_EQ(objRecorder.vecLengths, std::vector<std::int32_t>{0});
  EXPECT_TRUE(objRecorder.HasData());
}

TEST(AddAllData, DefaultLimitIsTheLargest32BitLength) {
  // The recorder never reads the bytes, so the untouched pages are never committed.
  const std::size_t uHuge = std::size_t{INT32_MAX} + 6;
  const auto pucHuge = std::make_unique_for_overwrite<unsigned char[]>(uHuge);
  PieceRecorder objRecorder;
  objRecorder.AddAllData(pucHuge.get(), uHuge);
  EXPECT_EQ(objRecorder.vecLengths, (std::vector<std::int32_t>{INT32_MAX, 6}));
  EXPECT_EQ(objRecorder.vecPointers,
            (std::vector<const unsigned char*>{pucHuge.get(), pucHuge.get() + INT32_MAX}));
}

TEST(AddAllData, NonPositivePieceLimitIsRejected) {
  PieceRecorder objRecorder;
  const unsigned char ucByte = 0;
  EXPECT_THROW(objRecorder.AddAllData(&ucByte, 1, 0), std::runtime_error);
  EXPECT_THROW(objRecorder.AddAllData(&ucByte, 1, -3), std::runtime_error);
  EXPECT_TRUE(objRecorder.vecLengths.empty());
}

TEST(AddAllData, PiecesHashLikeTheWholeMessage) {
  Bytes vecData(1000);
  std::iota(vecData.begin(), vecData.end(), 0);
  for (int iMethod = CSHA::kSha1; iMethod <= CSHA::kSha512; ++iMethod) {
    CSHA objSha(iMethod);
    objSha.AddAllData(vecData.data(), vecData.size(), 37);
    EXPECT_EQ(Finish(objSha, hash_test::ExpectedSize(iMethod)),
              OracleDigest(iMethod, vecData.data(), vecData.size()));
  }
}

}  // namespace
