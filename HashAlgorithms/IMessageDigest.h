// The interface shared by the message digest classes: data is streamed in with
// AddData, and FinalDigest pads, writes the digest and readies the object for
// the next message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

class IMessageDigest {
 public:
  IMessageDigest() = default;
  virtual ~IMessageDigest() = default;

  // Appends iDataLength bytes; a length of 0 still counts as data having been added.
  virtual void AddData(const unsigned char* pucData, std::int32_t iDataLength) = 0;
  // Writes the digest into pucDigest, which must hold the variant's digest size.
  virtual void FinalDigest(unsigned char* pucDigest) = 0;
  virtual void Reset() = 0;
  // Compresses the block held in the buffer into the chaining state.
  virtual void Transform() = 0;

  // Appends a message of any size, handing it to AddData in pieces no longer than
  // iMaxPiece, since one AddData call takes a signed 32-bit length.
  void AddAllData(const unsigned char* pucData, std::size_t uDataLength,
                  std::int32_t iMaxPiece = std::numeric_limits<std::int32_t>::max());

  bool HasData() const { return m_bAddData; }

 protected:
  bool m_bAddData = false;
};
