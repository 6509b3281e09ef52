// CDigestSet::DigestText: selectors, upper-case hex text and every byte of the text.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <stdexcept>
#include <string>

#include "CDigestSet.h"
#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

using hash_test::HexUpper;
using hash_test::OracleDigest;

struct SelectorCase {
  int iSelector;
  int iMethod;
  std::size_t uHexLength;
};

void PrintTo(const SelectorCase& c, std::ostream* pOut) {
  *pOut << "selector " << c.iSelector;
}

class DigestTextTest : public testing::TestWithParam<SelectorCase> {};

TEST_P(DigestTextTest, IsUpperCaseHexOfTheVariant) {
  const SelectorCase& c = GetParam();
  CDigestSet objDigests;
  for (const std::string& strText : {std::string(), std::string("AB2CD"), std::string(200, 'x')}) {
    const std::string strHex = objDigests.DigestText(strText, c.iSelector);
    EXPECT_EQ(strHex.size(), c.uHexLength);
    EXPECT_EQ(strHex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << strHex;
    EXPECT_EQ(strHex, HexUpper(OracleDigest(c.iMethod, strText)));
  }
}

TEST_P(DigestTextTest, RandomTextsAcrossBlockBoundaries) {
  const SelectorCase& c = GetParam();
  std::mt19937 rng(42 + c.iSelector);
  std::uniform_int_distribution<int> distByte(0, 255);
  CDigestSet objDigests;
  for (std::size_t uLength = 0; uLength <= 300; ++uLength) {
    std::string strText(uLength, '\0');
    for (char& ch : strText) ch = static_cast<char>(distByte(rng));
    ASSERT_EQ(objDigests.DigestText(strText, c.iSelector),
              HexUpper(OracleDigest(c.iMethod, strText)))
        << "length " << uLength;
  }
}

INSTANTIATE_TEST_SUITE_P(Selectors, DigestTextTest,
                         testing::Values(SelectorCase{3, CSHA::kSha1, 40},
                                         SelectorCase{4, CSHA::kSha256, 64},
                                         SelectorCase{5, CSHA::kSha384, 96},
                                         SelectorCase{6, CSHA::kSha512, 128}),
                         [](const testing::TestParamInfo<SelectorCase>& info) {
                           return "Selector" + std::to_string(info.param.iSelector);
                         });

TEST(DigestText, EmptyTextUnderSelector6IsTheEmptyMessageDigest) {
  EXPECT_EQ(CDigestSet().DigestText("", 6),
            "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE47D0D13C5D85F2B0FF83"
            "18D2877EEC2F63B931BD47417A81A538327AF927DA3E");
}

TEST(DigestText, AbcUnderEverySelectorMatchesFips180) {
  CDigestSet objDigests;
  EXPECT_EQ(objDigests.DigestText("abc", 3), "A9993E364706816ABA3E25717850C26C9CD0D89D");
  EXPECT_EQ(objDigests.DigestText("abc", 4),
            "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
  EXPECT_EQ(objDigests.DigestText("abc", 5),
            "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BA"
            "ECA134C825A7");
  EXPECT_EQ(objDigests.DigestText("abc", 6),
            "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A2192992A274FC1A836BA"
            "3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F");
}

TEST(DigestText, BytesOfValueZeroCount) {
  const std::string strWithZeros("A\0B\0\0", 5);
  CDigestSet objDigests;
  const std::string strHex = objDigests.DigestText(strWithZeros, 6);
  EXPECT_EQ(strHex, HexUpper(OracleDigest(CSHA::kSha512, strWithZeros)));
  EXPECT_NE(strHex, objDigests.DigestText("A", 6));
  EXPECT_NE(objDigests.DigestText(std::string(1, '\0'), 6), objDigests.DigestText("", 6));
}

TEST(DigestText, RepeatedCallsAreIndependent) {
  CDigestSet objDigests;
  const std::string strFirst = objDigests.DigestText("AB2CD", 6);
  objDigests.DigestText("something else entirely", 6);
  objDigests.DigestText("AB2", 3);
  EXPECT_EQ(objDigests.DigestText("AB2CD", 6), strFirst);
  EXPECT_EQ(strFirst, CDigestSet().DigestText("AB2CD", 6));
}

TEST(DigestText, IllegalSelectorsAreRejectedWithTheirNumber) {
  CDigestSet objDigests;
  for (int iSelector : {-1, 0, 1, 2, 7, 100}) {
    try {
      objDigests.DigestText("AB2CD", iSelector);
      ADD_FAILURE() << "selector " << iSelector << " was accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()),
                "FileDigest ERROR: in CDigestSet::DigestText(), Illegal Selector " +
                    std::to_string(iSelector) + "!");
    }
  }
  // The set stays usable after a rejected call.
  EXPECT_EQ(objDigests.DigestText("abc", 3), "A9993E364706816ABA3E25717850C26C9CD0D89D");
}

}  // namespace
