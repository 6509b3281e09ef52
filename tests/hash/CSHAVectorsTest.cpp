// The sample messages of FIPS 180-2 appendices A to D, with the digests printed there.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "CSHA.h"
#include "HashTestSupport.h"

namespace {

const std::string kAbc = "abc";
const std::string k448Bits = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
const std::string k896Bits =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnop"
    "qrsmnopqrstnopqrstu";
const std::string kThousandA(1000, 'a');

// `message` fed `repeat` times, as a long message is usually streamed.
struct Vector {
  int iMethod;
  std::string strMessage;
  int iRepeat;
  std::string strDigest;
};

void PrintTo(const Vector& vec, std::ostream* pOut) {
  *pOut << hash_test::VariantName(vec.iMethod) << " of " << vec.iRepeat << " x "
        << vec.strMessage.size() << " bytes";
}

class ShaVectorTest : public testing::TestWithParam<Vector> {};

TEST_P(ShaVectorTest, DigestMatchesPublishedValue) {
  const Vector& vec = GetParam();
  CSHA objSha(vec.iMethod);
  for (int i = 0; i < vec.iRepeat; ++i)
    objSha.AddData(reinterpret_cast<const unsigned char*>(vec.strMessage.data()),
                   static_cast<std::int32_t>(vec.strMessage.size()));
  EXPECT_EQ(hash_test::HexUpper(hash_test::Finish(objSha)), vec.strDigest);
  EXPECT_EQ(std::size_t(objSha.DigestSize()) * 2, vec.strDigest.size());
}

INSTANTIATE_TEST_SUITE_P(
    Fips180, ShaVectorTest,
    testing::Values(
        Vector{CSHA::kSha1, kAbc, 1, "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        Vector{CSHA::kSha1, k448Bits, 1, "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        Vector{CSHA::kSha1, "", 1, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        Vector{CSHA::kSha1, kThousandA, 1000, "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
        Vector{CSHA::kSha256, kAbc, 1,
               "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
        Vector{CSHA::kSha256, k448Bits, 1,
               "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
        Vector{CSHA::kSha256, "", 1,
               "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
        Vector{CSHA::kSha256, kThousandA, 1000,
               "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"},
        Vector{CSHA::kSha384, kAbc, 1,
               "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC23"
               "58BAECA134C825A7"},
        Vector{CSHA::kSha384, k896Bits, 1,
               "09330C33F71147E83D192FC782CD1B4753111B173B3B05D22FA08086E3B0F712FCC7C71A557E2DB9"
               "66C3E9FA91746039"},
        Vector{CSHA::kSha384, "", 1,
               "38B060A751AC96384CD9327EB1B1E36A21FDB71114BE07434C0CC7BF63F6E1DA274EDEBFE76F65FB"
               "D51AD2F14898B95B"},
        Vector{CSHA::kSha384, kThousandA, 1000,
               "9D0E1809716474CB086E834E310A4A1CED149E9C00F248527972CEC5704C2A5B07B8B3DC38ECC4EB"
               "AE97DDD87F3D8985"},
        Vector{CSHA::kSha512, kAbc, 1,
               "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A2192992A274FC1A8"
               "36BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F"},
        Vector{CSHA::kSha512, k896Bits, 1,
               "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018501D289E4900F7E4"
               "331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"},
        Vector{CSHA::kSha512, "", 1,
               "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE47D0D13C5D85F2B0"
               "FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E"},
        Vector{CSHA::kSha512, kThousandA, 1000,
               "E718483D0CE769644E2E42C7BC15B4638E1F98B13B2044285632A803AFA973EBDE0FF244877EA60A"
               "4CB0432CE577C31BEB009C5C2C49AA2E4EADB217AD8CC09B"}));

}  // namespace
