// Construction, the data-added state and the error texts of CSHA.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

using hash_test::Bytes;
using hash_test::ExpectedSize;
using hash_test::Finish;
using hash_test::OracleDigest;

const std::string kNoData = "FileDigest ERROR: in CSHA::FinalDigest(), No data Added before call!";

const unsigned char kAbc[] = {'a', 'b', 'c'};

// Runs fn and returns the text of the std::runtime_error it raises.
template <typename Fn>
std::string RuntimeErrorText(Fn fn) {
  try {
    fn();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(CshaConstructor, IllegalMethodsAreRejectedWithTheirNumber) {
  EXPECT_EQ(RuntimeErrorText([] { CSHA objSha(4); }),
            "FileDigest ERROR: in CSHA() Constructor, Illegal Method 4!");
  EXPECT_EQ(RuntimeErrorText([] { CSHA objSha(-1); }),
            "FileDigest ERROR: in CSHA() Constructor, Illegal Method -1!");
  EXPECT_EQ(RuntimeErrorText([] { CSHA objSha(INT_MIN); }),
            "FileDigest ERROR: in CSHA() Constructor, Illegal Method -2147483648!");
}

TEST(CshaConstructor, KeepsItsMethod) {
  for (int iMethod = 0; iMethod <= 3; ++iMethod) EXPECT_EQ(CSHA(iMethod).Method(), iMethod);
}

class CshaStateTest : public testing::TestWithParam<int> {
 protected:
  int Method() const { return GetParam(); }
  std::size_t Size() const { return ExpectedSize(Method()); }
  Bytes Empty() const { return OracleDigest(Method(), nullptr, 0); }
};

TEST_P(CshaStateTest, FinalDigestWithoutDataIsRejected) {
  CSHA objSha(Method());
  EXPECT_FALSE(objSha.HasData());
  unsigned char aucOut[CSHA::kMaxDigestSize];
  EXPECT_EQ(RuntimeErrorText([&] { objSha.FinalDigest(aucOut); }), kNoData);
}

TEST_P(CshaStateTest, SecondFinalDigestIsRejected) {
  CSHA objSha(Method());
  objSha.AddData(kAbc, 3);
  EXPECT_EQ(Finish(objSha, Size()), OracleDigest(Method(), kAbc, 3));
  EXPECT_FALSE(objSha.HasData());
  unsigned char aucOut[CSHA::kMaxDigestSize];
  EXPECT_EQ(RuntimeErrorText([&] { objSha.FinalDigest(aucOut); }), kNoData);
}

TEST_P(CshaStateTest, ZeroLengthAddGivesTheEmptyMessageDigest) {
  CSHA objSha(Method());
  objSha.AddData(kAbc, 0);
  EXPECT_TRUE(objSha.HasData());
  EXPECT_EQ(Finish(objSha, Size()), Empty());
}

TEST_P(CshaStateTest, ZeroLengthAddAcceptsANullPointer) {
  CSHA objSha(Method());
  objSha.AddData(nullptr, 0);
  EXPECT_EQ(Finish(objSha, Size()), Empty());
}

TEST_P(CshaStateTest, ResetDropsDataAndTheDataAddedFlag) {
  CSHA objSha(Method());
  objSha.AddData(kAbc, 3);
  objSha.Reset();
  EXPECT_FALSE(objSha.HasData());
  unsigned char aucOut[CSHA::kMaxDigestSize];
  EXPECT_EQ(RuntimeErrorText([&] { objSha.FinalDigest(aucOut); }), kNoData);
  objSha.AddData(kAbc + 1, 2);
  EXPECT_EQ(Finish(objSha, Size()), OracleDigest(Method(), kAbc + 1, 2));
}

TEST_P(CshaStateTest, NegativeLengthIsRejectedAndChangesNothing) {
  CSHA objSha(Method());
  EXPECT_EQ(RuntimeErrorText([&] { objSha.AddData(kAbc, -1); }),
            "FileDigest ERROR: in CSHA::AddData(), Data Length should be >= 0!");
  EXPECT_EQ(RuntimeErrorText([&] { objSha.AddData(kAbc, INT_MIN); }),
            "FileDigest ERROR: in CSHA::AddData(), Data Length should be >= 0!");
  EXPECT_FALSE(objSha.HasData());
  objSha.AddData(kAbc, 3);
  EXPECT_EQ(Finish(objSha, Size()), OracleDigest(Method(), kAbc, 3));
}

TEST_P(CshaStateTest, NullDataWithALengthIsRejectedAndChangesNothing) {
  CSHA objSha(Method());
  objSha.AddData(kAbc, 2);
  EXPECT_EQ(RuntimeErrorText([&] { objSha.AddData(nullptr, 5); }),
            "FileDigest ERROR: in CSHA::AddData(), Null Data Pointer!");
  objSha.AddData(kAbc + 2, 1);
  EXPECT_EQ(Finish(objSha, Size()), OracleDigest(Method(), kAbc, 3));
}

TEST_P(CshaStateTest, NullOutputBufferIsRejectedAndKeepsTheMessage) {
  CSHA objSha(Method());
  objSha.AddData(kAbc, 3);
  EXPECT_EQ(RuntimeErrorText([&] { objSha.FinalDigest(nullptr); }),
            "FileDigest ERROR: in CSHA::FinalDigest(), Null Output Buffer!");
  EXPECT_TRUE(objSha.HasData());
  EXPECT_EQ(Finish(objSha, Size()), OracleDigest(Method(), kAbc, 3));
}

TEST_P(CshaStateTest, FinalDigestWritesExactlyTheDigestSize) {
  CSHA objSha(Method());
  objSha.AddData(kAbc, 3);
  Bytes vecOut(CSHA::kMaxDigestSize + 8, 0x5A);
  objSha.FinalDigest(vecOut.data());
  EXPECT_EQ(Bytes(vecOut.begin(), vecOut.begin() + static_cast<long>(Size())),
            OracleDigest(Method(), kAbc, 3));
  for (std::size_t i = Size(); i < vecOut.size(); ++i) EXPECT_EQ(vecOut[i], 0x5A) << i;
}

INSTANTIATE_TEST_SUITE_P(AllVariants, CshaStateTest,
                         testing::Values(CSHA::kSha1, CSHA::kSha256, CSHA::kSha384, CSHA::kSha512),
                         hash_test::VariantParamName);

}  // namespace
