// ICaptcha::Validate with an arbitrary answer and hash:
//   [0] bit 0 a null answer, bit 1 a null hash, [1..2] the answer's byte
//   count (little-endian), then the answer's bytes and the hash's bytes,
//   both read as UTF-16 (odd counts included).
// Validate always answers S_OK with VARIANT_TRUE or VARIANT_FALSE; it is true
// exactly when the hash is the answer's hash, which always validates, while
// the same hash in lower case or with one character changed never does.
#include <string>

#include "Captcha.h"
#include "CaptchaEngine.h"
#include "FuzzSupport.h"
#include "TextConversion.h"

using glyphward_fuzz::Fail;

namespace {

constexpr std::size_t kHeader = 3;

struct Text {
  BSTR value = nullptr;
  Text() = default;
  explicit Text(BSTR v) : value(v) {}
  ~Text() { SysFreeString(value); }
};

ICaptcha* captcha = nullptr;

bool Validates(BSTR answer, BSTR hash) {
  VARIANT_BOOL result = 0x1234;
  if (captcha->Validate(answer, hash, &result) != S_OK) Fail("Validate did not answer S_OK");
  if (result != VARIANT_TRUE && result != VARIANT_FALSE) Fail("Validate answered neither way");
  return result == VARIANT_TRUE;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  void* object = nullptr;
  if (MirelGlyphward::Captcha::CreateInstance(nullptr, IID_ICaptcha, &object) != S_OK)
    Fail("no Captcha object");
  captcha = static_cast<ICaptcha*>(object);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  const std::size_t available = size - kHeader;
  std::size_t answerBytes = std::size_t(data[1] | data[2] << 8);
  if (answerBytes > available) answerBytes = available;
  const char* bytes = reinterpret_cast<const char*>(data + kHeader);
  Text answer(data[0] & 1 ? nullptr : SysAllocStringByteLen(bytes, UINT(answerBytes)));
  Text hash(data[0] & 2
                ? nullptr
                : SysAllocStringByteLen(bytes + answerBytes, UINT(available - answerBytes)));

  VARIANT_BOOL ignored;
  if (captcha->Validate(answer.value, hash.value, nullptr) != E_POINTER ||
      captcha->Validate(nullptr, nullptr, &ignored) != S_OK)
    Fail("Validate's argument checks");
  const bool valid = Validates(answer.value, hash.value);

  // The answer's own hash, as the component computes it for its code.
  const std::optional<std::string> narrowAnswer = MirelGlyphward::NarrowFromBSTR(answer.value);
  if (!narrowAnswer) Fail("a short answer cannot be narrowed");
  const std::string expected = MirelGlyphward::HashOf(*narrowAnswer);
  if (expected.size() != 128) Fail("a hash is not 128 characters");
  const std::optional<std::string> narrowHash = MirelGlyphward::NarrowFromBSTR(hash.value);
  if (valid != (narrowHash && *narrowHash == expected)) Fail("Validate disagrees with the hash");

  Text right(MirelGlyphward::BSTRFromNarrow(expected));
  if (!Validates(answer.value, right.value)) Fail("an answer does not validate with its hash");
  for (std::size_t i = 0; i < 128; ++i) {
    if (right.value[i] >= u'A' && right.value[i] <= u'F') {
      right.value[i] = char16_t(right.value[i] + 32);
      if (Validates(answer.value, right.value)) Fail("a lower-case hash validates");
      right.value[i] = char16_t(right.value[i] - 32);
      break;
    }
  }
  const std::size_t changed = data[1] % 128;
  right.value[changed] = right.value[changed] == u'0' ? u'1' : u'0';
  if (Validates(answer.value, right.value)) Fail("a changed hash validates");
  return 0;
}
