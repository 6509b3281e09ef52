// The data-added state of CSHA and its error texts: each refused call leaves
// the message as it was.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <string>

#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

using hash_test::Finish;
using hash_test::OracleDigest;

const unsigned char kAbc[] = {'a', 'b', 'c'};
unsigned char g_aucOut[CSHA::kMaxDigestSize];

// Runs fn and returns the text of the std::runtime_error it raises.
std::string RuntimeErrorText(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(CshaConstructor, IllegalMethodsAreRejectedWithTheirNumber) {
  for (int iMethod : {4, -1, INT_MIN})
    EXPECT_EQ(
        RuntimeErrorText([=] { CSHA objSha(iMethod); }),
        "FileDigest ERROR: in CSHA() Constructor, Illegal Method " + std::to_string(iMethod) + "!");
}

struct ErrorCase {
  const char* pszWhat;
  std::function<void(CSHA&)> fnBefore, fnRefused;
  std::string strMessage;
  std::string strKept;  // what the object still holds afterwards
};

class CshaStateTest : public testing::TestWithParam<int> {};

TEST_P(CshaStateTest, RefusedCallsKeepTheMessage) {
  const std::string kNoData =
      "FileDigest ERROR: in CSHA::FinalDigest(), No data Added before call!";
  const std::string kNegative = "FileDigest ERROR: in CSHA::AddData(), Data Length should be >= 0!";
  auto none = [](CSHA&) {};
  auto addAbc = [](CSHA& s) { s.AddData(kAbc, 3); };
  const ErrorCase cases[] = {
      {"final without data", none, [](CSHA& s) { s.FinalDigest(g_aucOut); }, kNoData, ""},
      {"second final", [](CSHA& s) { s.AddData(kAbc, 3), s.FinalDigest(g_aucOut); },
       [](CSHA& s) { s.FinalDigest(g_aucOut); }, kNoData, ""},
      {"final after reset", [](CSHA& s) { s.AddData(kAbc, 3), s.Reset(); },
       [](CSHA& s) { s.FinalDigest(g_aucOut); }, kNoData, ""},
      {"negative length", none, [](CSHA& s) { s.AddData(kAbc, -1); }, kNegative, ""},
      {"most negative length", addAbc, [](CSHA& s) { s.AddData(kAbc, INT_MIN); }, kNegative, "abc"},
      {"null data", addAbc, [](CSHA& s) { s.AddData(nullptr, 5); },
       "FileDigest ERROR: in CSHA::AddData(), Null Data Pointer!", "abc"},
      {"null output", addAbc, [](CSHA& s) { s.FinalDigest(nullptr); },
       "FileDigest ERROR: in CSHA::FinalDigest(), Null Output Buffer!", "abc"},
  };
  for (const ErrorCase& c : cases) {
    CSHA objSha(GetParam());
    c.fnBefore(objSha);
    EXPECT_EQ(RuntimeErrorText([&] { c.fnRefused(objSha); }), c.strMessage) << c.pszWhat;
    EXPECT_EQ(objSha.HasData(), !c.strKept.empty()) << c.pszWhat;
    objSha.AddData(kAbc, 3);
    EXPECT_EQ(Finish(objSha), OracleDigest(GetParam(), c.strKept + "abc")) << c.pszWhat;
  }
}

TEST_P(CshaStateTest, ZeroLengthAddGivesTheEmptyMessageDigest) {
  for (const unsigned char* pucData : {kAbc, static_cast<const unsigned char*>(nullptr)}) {
    CSHA objSha(GetParam());
    objSha.AddData(pucData, 0);
    EXPECT_TRUE(objSha.HasData());
    EXPECT_EQ(Finish(objSha), OracleDigest(GetParam(), ""));
  }
}

INSTANTIATE_TEST_SUITE_P(AllVariants, CshaStateTest,
                         testing::Values(CSHA::kSha1, CSHA::kSha256, CSHA::kSha384, CSHA::kSha512),
                         hash_test::VariantParamName);

}  // namespace
