// AddAllData: a message of any size handed to AddData in pieces.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "IMessageDigest.h"

namespace {

// Records the pieces it is given instead of hashing them.
class PieceRecorder : public IMessageDigest {
 public:
  void AddData(const unsigned char* pucData, std::int32_t iDataLength) override {
    m_bAddData = true;
    vecPieces.emplace_back(pucData, iDataLength);
  }
  void FinalDigest(unsigned char*) override {}
  void Reset() override { m_bAddData = false; }
  void Transform() override {}

  std::vector<std::pair<const unsigned char*, std::int32_t>> vecPieces;
};

TEST(AddAllData, SplitsIntoPiecesOfAtMostTheLimit) {
  const unsigned char aucData[23] = {};
  PieceRecorder objRecorder;
  objRecorder.AddAllData(aucData, sizeof aucData, 10);
  EXPECT_EQ(objRecorder.vecPieces, (decltype(objRecorder.vecPieces){
                                       {aucData, 10}, {aucData + 10, 10}, {aucData + 20, 3}}));
}

TEST(AddAllData, DefaultLimitIsTheLargest32BitLength) {
  // The recorder never reads the bytes, so the untouched pages are never committed.
  const std::size_t uHuge = std::size_t{INT32_MAX} + 6;
  const auto pucHuge = std::make_unique_for_overwrite<unsigned char[]>(uHuge);
  PieceRecorder objRecorder;
  objRecorder.AddAllData(pucHuge.get(), uHuge);
  EXPECT_EQ(objRecorder.vecPieces,
            (decltype(objRecorder.vecPieces){{pucHuge.get(), INT32_MAX},
                                             {pucHuge.get() + INT32_MAX, 6}}));
}

TEST(AddAllData, NonPositivePieceLimitIsRejected) {
  PieceRecorder objRecorder;
  const unsigned char ucByte = 0;
  EXPECT_THROW(objRecorder.AddAllData(&ucByte, 1, 0), std::runtime_error);
  EXPECT_THROW(objRecorder.AddAllData(&ucByte, 1, -3), std::runtime_error);
  EXPECT_TRUE(objRecorder.vecPieces.empty());
}

}  // namespace
