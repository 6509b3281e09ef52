// Helpers shared by the digest tests. OpenSSL's EVP digests serve only as an
// independent reference.
#pragma once

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CSHA.h"

namespace hash_test {

using Bytes = std::vector<unsigned char>;

inline const EVP_MD* EvpForMethod(int iMethod) {
  const EVP_MD* const kDigests[] = {EVP_sha1(), EVP_sha256(), EVP_sha384(), EVP_sha512()};
  return kDigests[iMethod];
}

// Streams a message into OpenSSL; owns the EVP context.
class OracleStream {
 public:
  explicit OracleStream(int iMethod) : m_pContext(EVP_MD_CTX_new(), &EVP_MD_CTX_free) {
    if (!m_pContext || EVP_DigestInit_ex(m_pContext.get(), EvpForMethod(iMethod), nullptr) != 1)
      throw std::runtime_error("EVP_DigestInit_ex failed");
  }
  void Update(const unsigned char* pucData, std::size_t uLength) {
    if (EVP_DigestUpdate(m_pContext.get(), pucData, uLength) != 1)
      throw std::runtime_error("EVP_DigestUpdate failed");
  }
  Bytes Final() {
    Bytes vecDigest(EVP_MAX_MD_SIZE);
    unsigned int uiSize = 0;
    if (EVP_DigestFinal_ex(m_pContext.get(), vecDigest.data(), &uiSize) != 1)
      throw std::runtime_error("EVP_DigestFinal_ex failed");
    vecDigest.resize(uiSize);
    return vecDigest;
  }

 private:
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> m_pContext;
};

inline Bytes OracleDigest(int iMethod, const unsigned char* pucData, std::size_t uLength) {
  OracleStream objStream(iMethod);
  objStream.Update(pucData, uLength);
  return objStream.Final();
}

inline Bytes OracleDigest(int iMethod, const std::string& text) {
  return OracleDigest(iMethod, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

inline std::string HexUpper(const Bytes& vecBytes) {
  std::string strHex;
  char szPair[3];
  for (unsigned char uc : vecBytes) {
    std::snprintf(szPair, sizeof szPair, "%02X", uc);
    strHex += szPair;
  }
  return strHex;
}

inline std::size_t ExpectedSize(int iMethod) {
  return static_cast<std::size_t>(EVP_MD_get_size(EvpForMethod(iMethod)));
}

// Finishes a CSHA into a buffer larger than any digest, so that a digest
// written past its size shows up as changed guard bytes.
inline Bytes Finish(CSHA& objSha) {
  constexpr unsigned char kGuard = 0xA5;
  const std::size_t uSize = ExpectedSize(objSha.Method());
  Bytes vecOut(CSHA::kMaxDigestSize + 16, kGuard);
  objSha.FinalDigest(vecOut.data());
  for (std::size_t i = uSize; i < vecOut.size(); ++i)
    if (vecOut[i] != kGuard) throw std::runtime_error("digest written past its size");
  vecOut.resize(uSize);
  return vecOut;
}

inline std::string VariantName(int iMethod) {
  static const char* const kNames[] = {"Sha1", "Sha256", "Sha384", "Sha512"};
  return kNames[iMethod];
}

inline std::string VariantParamName(const testing::TestParamInfo<int>& info) {
  return VariantName(info.param);
}

}  // namespace hash_test
