#include "CodeGeneration.h"

#include "RandomSource.h"

namespace MirelGlyphward {

std::string_view CodeAlphabet(std::int32_t codeType) {
  switch (codeType) {
    case 0:
      return "2345689ABCDEFGHJKMNPQRSTUVWXYZ";
    case 1:
      return "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    case 2:
      return "0123456789";
    default:
      return "";
  }
}

std::string GenerateCode(std::int32_t codeType, std::int32_t codeLength) {
  const std::string_view alphabet = CodeAlphabet(codeType);
  std::string code;
  if (codeLength > 0) code.reserve(std::size_t(codeLength));
  for (std::int32_t i = 0; i < codeLength; ++i) {
    const int k = RandomNumber(int(alphabet.size()));
    // Position size() of a C string is its terminator.
    code.push_back(std::size_t(k) < alphabet.size() ? alphabet[std::size_t(k)] : '\0');
  }
  return code;
}

}  // namespace MirelGlyphward
