#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>
#include <vector>

#include "AnswerCheck.h"
#include "ChallengeToken.h"
#include "ServiceKey.h"
#include "SystemRandom.h"

using namespace glyphward_service;

namespace {

using Bytes = std::vector<unsigned char>;
const std::string kB64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// An independent codec, so tampering happens on the token's bytes, not its text.
Bytes Decode(const std::string& text) {
  Bytes out;
  std::uint32_t bits = 0;
  int pending = 0;
  for (char c : text) {
    bits = bits << 6 | std::uint32_t(kB64.find(c));
    if ((pending += 6) >= 8) out.push_back(static_cast<unsigned char>(bits >> (pending -= 8)));
  }
  return out;
}

std::string Encode(const Bytes& bytes) {
  std::string out;
  std::uint32_t bits = 0;
  int pending = 0;
  for (unsigned char b : bytes) {
    bits = bits << 8 | b;
    for (pending += 8; pending >= 6;) out += kB64[(bits >> (pending -= 6)) & 63];
  }
  if (pending > 0) out += kB64[(bits << (6 - pending)) & 63];
  return out;
}

// Seals arbitrary plaintext the way the service does, to reach the parser
// with contents SealChallenge would never produce.
std::string SealRaw(const SealingKey& key, const Bytes& plain) {
  std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                      &EVP_CIPHER_CTX_free);
  Bytes token(13 + plain.size() + 16, 7);
  token[0] = 1;
  int len = 0;
  EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, key.data(), token.data() + 1);
  EVP_EncryptUpdate(ctx.get(), nullptr, &len, token.data(), 1);
  EVP_EncryptUpdate(ctx.get(), token.data() + 13, &len, plain.data(), int(plain.size()));
  EVP_EncryptFinal_ex(ctx.get(), nullptr, &len);
  EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, 16, token.data() + 13 + plain.size());
  return Encode(token);
}

// id 0..15, expires 1000, seed 5, style 3, 200 x 70, code "AB".
Bytes ValidPlain() {
  Bytes p = {0xE8, 3, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 3, 200, 0, 70, 0, 2, 'A', 'B'};
  for (int i = 15; i >= 0; --i) p.insert(p.begin(), static_cast<unsigned char>(i));
  return p;
}

const SealingKey kKey = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                         17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};

Challenge Sample(std::string code = "K7QX2M") {
  Challenge c{{}, std::move(code), 123456789, 17, 240, 80, 1767225600};
  for (std::size_t i = 0; i < c.id.size(); ++i) c.id[i] = static_cast<unsigned char>(0xA0 + i);
  return c;
}

auto Fields(const Challenge& c) {
  return std::tie(c.id, c.code, c.seed, c.style, c.width, c.height, c.expiresAt);
}

TEST(ChallengeToken, RoundTripKeepsEveryField) {
  Challenge low = Sample("A");
  low.seed = 1, low.style = 0, low.width = 1, low.height = 1, low.expiresAt = INT64_MIN;
  Challenge high = Sample(std::string(kMaxSealedCode, 'z'));
  high.seed = 2147483646, high.style = 49, high.width = 65535, high.height = 65535;
  high.expiresAt = INT64_MAX;
  high.id.fill(0xFF);
  for (const Challenge& c : {Sample(), low, high}) {
    const auto opened = OpenChallenge(kKey, SealChallenge(kKey, c));
    ASSERT_TRUE(opened.has_value()) << c.code;
    EXPECT_EQ(Fields(*opened), Fields(c));
  }
}

TEST(ChallengeToken, EveryBitAndCharacterIsProtected) {
  // Three code lengths give all three token lengths modulo 3, so the final
  // character carries 0, 2 or 4 unused bits.
  for (const char* code : {"ABCDEF", "ABCDEFG", "ABCDEFGH"}) {
    const std::string token = SealChallenge(kKey, Sample(code));
    const Bytes bytes = Decode(token);
    ASSERT_EQ(Encode(bytes), token);
    for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
      Bytes flipped = bytes;
      flipped[bit / 8] ^= static_cast<unsigned char>(1 << bit % 8);
      ASSERT_FALSE(OpenChallenge(kKey, Encode(flipped))) << "bit " << bit;
    }
    for (std::size_t i = 0; i < token.size(); ++i)
      for (char c : kB64) {
        std::string changed = token;
        changed[i] = c;
        ASSERT_EQ(OpenChallenge(kKey, changed).has_value(), c == token[i]) << i << " " << c;
      }
  }
}

TEST(ChallengeToken, MalformedTokensAreRefused) {
  const std::string token = SealChallenge(kKey, Sample());
  SealingKey otherKey = kKey;
  otherKey[31] ^= 1;
  EXPECT_FALSE(OpenChallenge(otherKey, token));
  for (std::size_t n = 0; n < token.size(); ++n)
    ASSERT_FALSE(OpenChallenge(kKey, token.substr(0, n))) << n;
  for (std::string bad : {token + "A", token + "AA", token + "AAAA", token + "=", token + "==",
                          " " + token, token + "\n", std::string(kMaxTokenLength + 1, 'A'),
                          std::string(kMaxTokenLength, 'A'), std::string("\0", 1) + token})
    EXPECT_FALSE(OpenChallenge(kKey, bad)) << bad;
  for (char c : std::string("+/=.~ \t\x80\xff", 10)) {
    std::string changed = token;
    changed[token.size() / 2] = c;
    EXPECT_FALSE(OpenChallenge(kKey, changed)) << int(c);
  }
}

TEST(ChallengeToken, AuthenticPlaintextMustHaveTheExactLayout) {
  const auto valid = OpenChallenge(kKey, SealRaw(kKey, ValidPlain()));
  ASSERT_TRUE(valid);
  EXPECT_EQ(std::tie(valid->expiresAt, valid->seed, valid->style, valid->width, valid->height,
                     valid->code),
            std::make_tuple(1000, 5, 3, 200, 70, "AB"));
  struct Case {
    const char* what;
    std::size_t at;
    unsigned char value;
  };
  const Case cases[] = {{"seed 0", 24, 0},           {"seed negative", 27, 0x80},
                        {"style 50", 28, 50},        {"width 0", 29, 0},
                        {"height 0", 31, 0},         {"code length short", 33, 1},
                        {"code length long", 33, 3}, {"code length 0", 33, 0}};
  for (const Case& c : cases) {
    Bytes plain = ValidPlain();
    if (c.at == 29 || c.at == 31) plain[c.at + 1] = 0;
    plain[c.at] = c.value;
    EXPECT_FALSE(OpenChallenge(kKey, SealRaw(kKey, plain))) << c.what;
  }
  Bytes extra = ValidPlain();
  extra.push_back('C');
  EXPECT_FALSE(OpenChallenge(kKey, SealRaw(kKey, extra)));
}

TEST(ChallengeToken, TokenHidesTheCodeAndNeverRepeats) {
  for (std::string code : {std::string("ABCDEF"), std::string("XYZ123"), std::string("QQQQQQQQ"),
                           std::string(kMaxSealedCode, 'M')}) {
    const std::string a = SealChallenge(kKey, Sample(code));
    const std::string b = SealChallenge(kKey, Sample(code));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find(code), std::string::npos);
    const Bytes raw = Decode(a);
    EXPECT_EQ(std::search(raw.begin(), raw.end(), code.begin(), code.end()), raw.end()) << code;
    const Bytes rawB = Decode(b);
    EXPECT_NE(Bytes(raw.begin() + 1, raw.begin() + 13), Bytes(rawB.begin() + 1, rawB.begin() + 13));
  }
}

TEST(ChallengeToken, SealRefusesFieldsOutOfRange) {
  EXPECT_THROW(SealChallenge(kKey, Sample("")), std::invalid_argument);
  EXPECT_THROW(SealChallenge(kKey, Sample(std::string(kMaxSealedCode + 1, 'A'))),
               std::invalid_argument);
  using C = Challenge;
  const std::pair<std::int32_t C::*, std::int32_t> edits[] = {
      {&C::seed, 0},      {&C::seed, -1},  {&C::seed, 2147483647},
      {&C::style, -1},    {&C::style, 50}, {&C::width, 0},
      {&C::width, 65536}, {&C::height, 0}, {&C::height, 65536}};
  for (auto [field, value] : edits) {
    Challenge c = Sample();
    c.*field = value;
    EXPECT_THROW(SealChallenge(kKey, c), std::invalid_argument) << value;
  }
}

class KeyFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path() / "seal-key-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, std::size_t size, mode_t mode) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << std::string(size, 'k');
    chmod(path.c_str(), mode);
    return path;
  }
  std::string dir_;
};

TEST_F(KeyFile, CreatedPrivateThenReadBack) {
  const std::string path = dir_ + "/key";
  const SealingKey key = LoadOrCreateKey(path);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(st.st_size, 32);
  EXPECT_EQ(LoadOrCreateKey(path), key);
  EXPECT_NE(LoadOrCreateKey(dir_ + "/other"), key);
}

// Each unusable key file is refused, naming the file and what is wrong, and
// left as it was.
TEST_F(KeyFile, UnusableFilesAreRefusedAndKept) {
  std::filesystem::create_directory(dir_ + "/folder");
  std::filesystem::create_symlink(Write("real", 32, 0600), dir_ + "/link");
  ASSERT_EQ(mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
  std::vector<std::pair<std::string, std::string>> cases = {
      {Write("a", 32, 0644), "chmod 600"},
      {Write("b", 32, 0640), "chmod 600"},
      {Write("c", 32, 0602), "chmod 600"},
      {Write("d", 31, 0600), "holds 31 bytes"},
      {Write("e", 33, 0600), "holds 33 bytes"},
      {Write("f", 0, 0600), "holds 0 bytes"},
      {dir_ + "/folder", "not a regular file"},
      {dir_ + "/fifo", "not a regular file"},
      {dir_ + "/link", "symbolic link"},
      {dir_ + "/missing/key", "folder does not exist"},
      {"", "path is empty"}};
  if (geteuid() != 0) cases.emplace_back(Write("g", 32, 0200), "cannot read");  // root reads all
  for (const auto& [path, message] : cases) {
    const auto size = std::filesystem::is_regular_file(path) ? std::filesystem::file_size(path) : 0;
    try {
      LoadOrCreateKey(path);
      ADD_FAILURE() << "accepted " << path;
    } catch (const KeyFileError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
    if (std::filesystem::is_regular_file(path)) {
      EXPECT_EQ(std::filesystem::file_size(path), size);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/missing"));
}

TEST(AnswerCheck, IgnoresCaseAndSurroundingBlanksOnly) {
  for (const char* answer : {"K7QX2M", "k7qx2m", " \t\r\nK7qX2M \n"})
    EXPECT_TRUE(AnswerMatches(answer, "K7QX2M")) << answer;
  EXPECT_TRUE(AnswerMatches("K7QX2M", "k7Qx2m"));
  for (const char* answer :
       {"K7Q X2M", "K7QX2", "K7QX2MM", "7QX2M", "", "   ", "K7QX2N", "K7QX2M\v"})
    EXPECT_FALSE(AnswerMatches(answer, "K7QX2M")) << answer;
  // Folding case only for letters: these differ by 0x20 too.
  EXPECT_FALSE(AnswerMatches("{", "["));
  EXPECT_FALSE(AnswerMatches("@", "`"));
  EXPECT_FALSE(AnswerMatches(std::string("AB\0", 3), "AB"));
  EXPECT_TRUE(AnswerMatches(std::string(200, ' ') + "AB", "AB"));
  EXPECT_FALSE(AnswerMatches(std::string(300, ' ') + "AB", "AB"));
}

TEST(SystemRandom, RejectsEmptyRanges) {
  EXPECT_THROW(RandomBelow(0), std::invalid_argument);
  EXPECT_THROW(RandomCode("", 4), std::invalid_argument);
  EXPECT_EQ(RandomBelow(1), 0u);
  EXPECT_EQ(RandomCode("AB", 0), "");
}

TEST(SystemRandom, CodesAreUniformOverTheAlphabet) {
  const std::string alphabet = "ABCDEFGHJKLMNPQRSTUVWXYZ234567";  // 30 characters
  std::vector<int> counts(alphabet.size());
  for (int i = 0; i < 2000; ++i) {
    const std::string code = RandomCode(alphabet, alphabet.size());
    ASSERT_EQ(code.size(), alphabet.size());
    for (char c : code) {
      const auto at = alphabet.find(c);
      ASSERT_NE(at, std::string::npos) << c;
      ++counts[at];
    }
  }
  // 29 degrees of freedom: mean 29, sd 7.6. Drawing bytes modulo 30 scores ~200.
  double chi2 = 0;
  for (int n : counts) chi2 += (n - 2000.0) * (n - 2000.0) / 2000.0;
  EXPECT_LT(chi2, 80) << "chi-square";
}

TEST(SystemRandom, LargeBoundsHaveNoModuloBias) {
  // `x % bound` would put half the draws below 2^30 instead of a third.
  const std::uint32_t bound = 0xC0000000u;
  int low = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::uint32_t v = RandomBelow(bound);
    ASSERT_LT(v, bound);
    low += v < (1u << 30);
  }
  EXPECT_NEAR(low, 1000, 150);
}

}  // namespace
