// CDigestSet::DigestText: selectors and the upper-case hex text of every byte.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "CDigestSet.h"
#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

class DigestTextTest : public testing::TestWithParam<int> {};

// Selectors 3 to 6 name SHA-1, -256, -384 and -512; a text's zero bytes count.
TEST_P(DigestTextTest, IsTheUpperCaseHexOfTheVariant) {
  const int iMethod = GetParam() - 3;
  CDigestSet objDigests;
  for (const std::string& strText :
       {std::string(), std::string("AB2CD"), std::string("A\0B\0\0", 5), std::string(200, 'x')})
    EXPECT_EQ(objDigests.DigestText(strText, GetParam()),
              hash_test::HexUpper(hash_test::OracleDigest(iMethod, strText)));
}

INSTANTIATE_TEST_SUITE_P(Selectors, DigestTextTest, testing::Values(3, 4, 5, 6));

TEST(DigestText, RepeatedCallsAreIndependent) {
  CDigestSet objDigests;
  const std::string strFirst = objDigests.DigestText("AB2CD", 6);
  objDigests.DigestText("something else entirely", 6);
  EXPECT_EQ(objDigests.DigestText("AB2CD", 6), strFirst);
}

TEST(DigestText, IllegalSelectorsAreRejectedWithTheirNumber) {
  CDigestSet objDigests;
  for (int iSelector : {-1, 0, 2, 7}) {
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
