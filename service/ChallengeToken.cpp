#include "ChallengeToken.h"

#include <openssl/evp.h>

#include <array>
#include <memory>
#include <stdexcept>

#include "SystemRandom.h"

namespace glyphward_service {

namespace {

// Token bytes: version | nonce | ciphertext | tag. The version is also
// authenticated, so a token of another layout can never pass as this one.
constexpr unsigned char kVersion = 1;
constexpr std::size_t kNonceSize = 12;
constexpr std::size_t kTagSize = 16;
constexpr std::size_t kHeaderSize = 1 + kNonceSize;

// Plaintext: id[16] | expiresAt i64 | seed i32 | style u8 | width u16 |
// height u16 | code length u8 | code, all little-endian.
constexpr std::size_t kFixedPlain = 16 + 8 + 4 + 1 + 2 + 2 + 1;
constexpr std::size_t kMaxPlain = kFixedPlain + kMaxSealedCode;
constexpr std::size_t kMaxTokenBytes = kHeaderSize + kMaxPlain + kTagSize;

constexpr std::int32_t kMaxSeed = 2147483646;
constexpr std::int32_t kStyleCount = 50;
constexpr std::int32_t kMaxSide = 65535;

struct CipherCtxFree {
  void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree>;

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string EncodeBase64Url(const unsigned char* data, std::size_t size) {
  std::string out;
  out.reserve((size * 4 + 2) / 3);
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    const std::uint32_t v = std::uint32_t(data[i]) << 16 | data[i + 1] << 8 | data[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(v >> shift) & 63];
  }
  if (size - i == 1) {
    const std::uint32_t v = std::uint32_t(data[i]) << 16;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
  } else if (size - i == 2) {
    const std::uint32_t v = std::uint32_t(data[i]) << 16 | data[i + 1] << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
  }
  return out;
}

int Base64UrlValue(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '-') return 62;
  if (c == '_') return 63;
  return -1;
}

// Decodes into `out` and returns the byte count, or -1 for text that is not
// the one canonical encoding of some bytes fitting in `out`.
template <std::size_t N>
long DecodeBase64Url(std::string_view text, std::array<unsigned char, N>& out) {
  if (text.size() % 4 == 1) return -1;
  const std::size_t size = text.size() / 4 * 3 + (text.size() % 4 == 0 ? 0 : text.size() % 4 - 1);
  if (size > N) return -1;
  std::uint32_t bits = 0;
  int pending = 0;
  std::size_t at = 0;
  for (char c : text) {
    const int v = Base64UrlValue(c);
    if (v < 0) return -1;
    bits = (bits << 6 | std::uint32_t(v)) & 0xFFFFFF;
    pending += 6;
    if (pending >= 8) {
      pending -= 8;
      out[at++] = static_cast<unsigned char>(bits >> pending);
    }
  }
  // Leftover bits must be zero, or several texts would decode to one token.
  if ((bits & ((1u << pending) - 1)) != 0) return -1;
  return static_cast<long>(at);
}

void PutLe(unsigned char*& p, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) *p++ = static_cast<unsigned char>(v >> (8 * i));
}

std::uint64_t GetLe(const unsigned char*& p, int bytes) {
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint64_t(*p++) << (8 * i);
  return v;
}

bool InRange(std::int32_t v, std::int32_t low, std::int32_t high) {
  return v >= low && v <= high;
}

bool FieldsValid(const Challenge& c) {
  return !c.code.empty() && c.code.size() <= kMaxSealedCode && InRange(c.seed, 1, kMaxSeed) &&
         InRange(c.style, 0, kStyleCount - 1) && InRange(c.width, 1, kMaxSide) &&
         InRange(c.height, 1, kMaxSide);
}

}  // namespace

std::string SealChallenge(const SealingKey& key, const Challenge& challenge) {
  if (!FieldsValid(challenge))
    throw std::invalid_argument(
        "SealChallenge: code must be 1.." + std::to_string(kMaxSealedCode) +
        " bytes, seed 1..2147483646, style 0..49, width and height 1..65535");

  std::array<unsigned char, kMaxPlain> plain{};
  unsigned char* p = plain.data();
  for (unsigned char b : challenge.id) *p++ = b;
  PutLe(p, static_cast<std::uint64_t>(challenge.expiresAt), 8);
  PutLe(p, static_cast<std::uint32_t>(challenge.seed), 4);
  PutLe(p, static_cast<std::uint32_t>(challenge.style), 1);
  PutLe(p, static_cast<std::uint32_t>(challenge.width), 2);
  PutLe(p, static_cast<std::uint32_t>(challenge.height), 2);
  PutLe(p, challenge.code.size(), 1);
  for (char c : challenge.code) *p++ = static_cast<unsigned char>(c);
  const int plainSize = static_cast<int>(p - plain.data());

  std::array<unsigned char, kMaxTokenBytes> token{};
  token[0] = kVersion;
  unsigned char* nonce = token.data() + 1;
  FillRandom(nonce, kNonceSize);
  unsigned char* cipher = token.data() + kHeaderSize;

  CipherCtx ctx(EVP_CIPHER_CTX_new());
  int len = 0;
  const bool ok =
      ctx && EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1 &&
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, int(kNonceSize), nullptr) == 1 &&
      EVP_EncryptInit_ex(ctx.get(), nullptr, nullptr, key.data(), nonce) == 1 &&
      EVP_EncryptUpdate(ctx.get(), nullptr, &len, token.data(), 1) == 1 &&
      EVP_EncryptUpdate(ctx.get(), cipher, &len, plain.data(), plainSize) == 1 &&
      len == plainSize && EVP_EncryptFinal_ex(ctx.get(), cipher + len, &len) == 1 && len == 0 &&
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, int(kTagSize), cipher + plainSize) == 1;
  if (!ok) throw std::runtime_error("SealChallenge: AES-256-GCM encryption failed");
  return EncodeBase64Url(token.data(), kHeaderSize + plainSize + kTagSize);
}

std::optional<Challenge> OpenChallenge(const SealingKey& key, std::string_view token) {
  if (token.size() > kMaxTokenLength) return std::nullopt;
  std::array<unsigned char, kMaxTokenBytes> bytes{};
  const long size = DecodeBase64Url(token, bytes);
  const long minSize = static_cast<long>(kHeaderSize + kFixedPlain + 1 + kTagSize);
  if (size < minSize || bytes[0] != kVersion) return std::nullopt;

  const int cipherSize = static_cast<int>(size - kHeaderSize - kTagSize);
  const unsigned char* cipher = bytes.data() + kHeaderSize;
  unsigned char* tag = bytes.data() + kHeaderSize + cipherSize;
  std::array<unsigned char, kMaxPlain> plain{};
  CipherCtx ctx(EVP_CIPHER_CTX_new());
  int len = 0;
  const bool ok =
      ctx && EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1 &&
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, int(kNonceSize), nullptr) == 1 &&
      EVP_DecryptInit_ex(ctx.get(), nullptr, nullptr, key.data(), bytes.data() + 1) == 1 &&
      EVP_DecryptUpdate(ctx.get(), nullptr, &len, bytes.data(), 1) == 1 &&
      EVP_DecryptUpdate(ctx.get(), plain.data(), &len, cipher, cipherSize) == 1 &&
      len == cipherSize &&
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, int(kTagSize), tag) == 1 &&
      EVP_DecryptFinal_ex(ctx.get(), plain.data() + len, &len) == 1;
  if (!ok) return std::nullopt;

  const unsigned char* p = plain.data();
  Challenge c;
  for (unsigned char& b : c.id) b = *p++;
  c.expiresAt = static_cast<std::int64_t>(GetLe(p, 8));
  c.seed = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetLe(p, 4)));
  c.style = static_cast<std::int32_t>(GetLe(p, 1));
  c.width = static_cast<std::int32_t>(GetLe(p, 2));
  c.height = static_cast<std::int32_t>(GetLe(p, 2));
  const auto codeSize = static_cast<std::size_t>(GetLe(p, 1));
  if (kFixedPlain + codeSize != static_cast<std::size_t>(cipherSize)) return std::nullopt;
  c.code.assign(reinterpret_cast<const char*>(p), codeSize);
  if (!FieldsValid(c)) return std::nullopt;
  return c;
}

}  // namespace glyphward_service
