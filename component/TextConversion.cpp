#include "TextConversion.h"

#include <vector>

namespace MirelGlyphward {

std::optional<std::string> NarrowFromBSTR(BSTR bstr, std::size_t maxChars) {
  if (!bstr) return std::string();
  std::size_t chars = 0;
  while (bstr[chars] != 0) ++chars;
  const std::size_t n = chars + 1;
  if (n >= maxChars) return std::nullopt;

  std::vector<char> buffer(2 * n);
  const int written = WideCharToMultiByte(CP_THREAD_ACP, 0, bstr, -1, buffer.data(),
                                          int(buffer.size()), nullptr, nullptr);
  if (written <= 0) return std::nullopt;
  return std::string(buffer.data());
}

BSTR BSTRFromNarrow(const std::string& text) {
  const int m = MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (m <= 0) return nullptr;
  BSTR result = SysAllocStringLen(nullptr, UINT(m - 1));
  if (!result) return nullptr;
  const int converted = MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, result, m);
  if (converted != m) {
    SysFreeString(result);
    return nullptr;
  }
  return result;
}

}  // namespace MirelGlyphward
