#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "ModuleLock.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

constexpr char16_t kEmptyHash[] =
    u"CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE"
    u"47D0D13C5D85F2B0FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E";

class CaptchaObject : public ::testing::Test {
 protected:
  void SetUp() override { FreshEngine(); }
  CaptchaPtr captcha;
};

TEST_F(CaptchaObject, FreshDefaults) {
  LONG value = 0;
  captcha->get_ImageWidth(&value);
  EXPECT_EQ(value, 250);
  captcha->get_ImageHeight(&value);
  EXPECT_EQ(value, 50);
  captcha->get_CodeLength(&value);
  EXPECT_EQ(value, 5);
  captcha->get_CodeType(&value);
  EXPECT_EQ(value, 0);
  captcha->get_TextStyle(&value);
  EXPECT_EQ(value, 31);
  Bstr format;
  EXPECT_EQ(captcha->get_Format(&format.value), S_OK);
  EXPECT_EQ(format.str(), u"JPEG");
  EXPECT_EQ(Value(captcha.p), u"");
  EXPECT_EQ(HashValue(captcha.p), kEmptyHash);
}

// For test names: non-ASCII shows as '?'.
std::string Ascii(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? char(c) : '?';
  return out;
}

struct StoreCase {
  HRESULT (STDMETHODCALLTYPE ICaptcha::*put)(LONG);
  HRESULT (STDMETHODCALLTYPE ICaptcha::*get)(LONG*);
  LONG stored;
  LONG readBack;
};

void PrintTo(const StoreCase& c, std::ostream* out) {
  const auto put = c.put;
  *out << (put == &ICaptcha::put_ImageHeight  ? "ImageHeight"
           : put == &ICaptcha::put_ImageWidth ? "ImageWidth"
           : put == &ICaptcha::put_CodeLength ? "CodeLength"
           : put == &ICaptcha::put_CodeType   ? "CodeType"
                                              : "TextStyle")
       << " put " << c.stored << " read " << c.readBack;
}

class StoreRules : public CaptchaObject, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoreRules, ReadsBackAsStored) {
  const StoreCase& c = GetParam();
  EXPECT_EQ((captcha.p->*c.put)(c.stored), S_OK);
  LONG value = 12345;
  EXPECT_EQ((captcha.p->*c.get)(&value), S_OK);
  EXPECT_EQ(value, c.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, StoreRules,
    ::testing::Values(StoreCase{&ICaptcha::put_ImageHeight, &ICaptcha::get_ImageHeight, 5, 10},
                      StoreCase{&ICaptcha::put_ImageHeight, &ICaptcha::get_ImageHeight, 0, 10},
                      StoreCase{&ICaptcha::put_ImageHeight, &ICaptcha::get_ImageHeight, -3, 10},
                      StoreCase{&ICaptcha::put_ImageHeight, &ICaptcha::get_ImageHeight, 10, 10},
                      StoreCase{&ICaptcha::put_ImageHeight, &ICaptcha::get_ImageHeight, 11, 11},
                      StoreCase{&ICaptcha::put_ImageWidth, &ICaptcha::get_ImageWidth, -3, -3},
                      StoreCase{&ICaptcha::put_ImageWidth, &ICaptcha::get_ImageWidth, 0, 0},
                      StoreCase{&ICaptcha::put_CodeLength, &ICaptcha::get_CodeLength, -4, -4},
                      StoreCase{&ICaptcha::put_CodeType, &ICaptcha::get_CodeType, 3, 3},
                      StoreCase{&ICaptcha::put_TextStyle, &ICaptcha::get_TextStyle, 50, 50},
                      StoreCase{&ICaptcha::put_TextStyle, &ICaptcha::get_TextStyle, -1, -1}));

struct FormatCase {
  std::u16string put;
  std::u16string readBack;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
  *out << '"' << Ascii(c.put) << "\" read \"" << Ascii(c.readBack) << '"';
}

class FormatRules : public CaptchaObject, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(FormatRules, UpperCasedAndJpgBecomesJpeg) {
  Bstr name(GetParam().put.c_str());
  EXPECT_EQ(captcha->put_Format(name.value), S_OK);
  Bstr out;
  EXPECT_EQ(captcha->get_Format(&out.value), S_OK);
  EXPECT_EQ(out.str(), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(Names, FormatRules,
                         ::testing::Values(FormatCase{u"jpg", u"JPEG"}, FormatCase{u"JPG", u"JPEG"},
                                           FormatCase{u"Png", u"PNG"}, FormatCase{u"jpeg", u"JPEG"},
                                           FormatCase{u"xyz", u"XYZ"}, FormatCase{u"jpgx", u"JPGX"},
                                           FormatCase{u"gif\u00e9", u"GIF\u00e9"},
                                           FormatCase{u"", u""}));

TEST_F(CaptchaObject, NullFormatStoresEmptyText) {
  EXPECT_EQ(captcha->put_Format(nullptr), S_OK);
  Bstr out;
  captcha->get_Format(&out.value);
  ASSERT_NE(out.value, nullptr);
  EXPECT_EQ(out.str(), u"");
}

TEST_F(CaptchaObject, FormatNameLongerThanTheWorkBufferIsCut) {
  const std::u16string longName(5000, u'p');
  Bstr name(longName.c_str());
  EXPECT_EQ(captcha->put_Format(name.value), S_OK);
  Bstr out;
  captcha->get_Format(&out.value);
  EXPECT_EQ(out.str(), std::u16string(1023, u'P'));
}

TEST_F(CaptchaObject, ObjectsShareSettingsAndCode) {
  CaptchaPtr other;
  captcha->put_CodeLength(7);
  LONG value = 0;
  other->get_CodeLength(&value);
  EXPECT_EQ(value, 7);

  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(captcha->CreateSound(&result), S_OK);
  VariantClear(&result);
  EXPECT_EQ(Value(other.p).size(), 7u);
  EXPECT_EQ(Value(other.p), Value(captcha.p));
}

TEST_F(CaptchaObject, CreationsAlwaysReplaceTheCurrentCode) {
  ReferenceLcg reference(4242);
  const std::u16string alphabet = u"2345689ABCDEFGHJKMNPQRSTUVWXYZ";
  auto expectedCode = [&] {
    std::u16string code;
    for (int i = 0; i < 5; ++i) code += alphabet[std::size_t(reference.Number(30))];
    return code;
  };
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(captcha->CreateSound(&result), S_OK);
  VariantClear(&result);
  EXPECT_EQ(Value(captcha.p), expectedCode());
  ASSERT_EQ(captcha->CreateSound(&result), S_OK);
  VariantClear(&result);
  EXPECT_EQ(Value(captcha.p), expectedCode());
  EXPECT_EQ(Steps(), 10u);

  Bstr given(u"Ab3");
  ASSERT_EQ(captcha->CreateSoundFromCode(given.value, &result), S_OK);
  VariantClear(&result);
  EXPECT_EQ(Value(captcha.p), u"Ab3");
  EXPECT_EQ(Steps(), 10u);

  // Null and empty codes both ask for a new one.
  ASSERT_EQ(captcha->CreateSoundFromCode(nullptr, &result), S_OK);
  VariantClear(&result);
  EXPECT_EQ(Value(captcha.p), expectedCode());
  Bstr empty(u"");
  ASSERT_EQ(captcha->CreateSoundFromCode(empty.value, &result), S_OK);
  VariantClear(&result);
  EXPECT_EQ(Steps(), 20u);
}

TEST_F(CaptchaObject, PropertyPutsNeverChangeTheCode) {
  Bstr given(u"KEEP");
  VARIANT result;
  VariantInit(&result);
  captcha->CreateSoundFromCode(given.value, &result);
  VariantClear(&result);
  captcha->put_CodeLength(9);
  captcha->put_CodeType(2);
  EXPECT_EQ(Value(captcha.p), u"KEEP");
}

TEST_F(CaptchaObject, FailedCreationReportsThroughErrorInfoAndLeavesResultAlone) {
  captcha->put_CodeLength(5000);
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_I4;
  result.lVal = 77;
  EXPECT_EQ(captcha->CreateImage(&result), E_FAIL);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 77);

  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  Bstr description, source;
  info->GetDescription(&description.value);
  info->GetSource(&source.value);
  GUID guid{};
  info->GetGUID(&guid);
  info->Release();
  EXPECT_EQ(description.str(), u"The code length is too large !");
  EXPECT_EQ(source.str(), u"Mirel.Glyphward.1");
  EXPECT_TRUE(guid == IID_ICaptcha);
}

TEST_F(CaptchaObject, TooLongGivenCodeBecomesCurrentThenFails) {
  const std::u16string code(2000, u'A');
  Bstr given(code.c_str());
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(captcha->CreateSoundFromCode(given.value, &result), E_FAIL);
  EXPECT_EQ(Value(captcha.p), code);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  Bstr description;
  info->GetDescription(&description.value);
  info->Release();
  EXPECT_EQ(description.str(), u"The code is too long !");
}

TEST_F(CaptchaObject, CreationResultIsAByteArray) {
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(captcha->CreateSound(&result), S_OK);
  EXPECT_EQ(result.vt, VT_ARRAY | VT_UI1);
  ASSERT_NE(result.parray, nullptr);
  EXPECT_EQ(SafeArrayGetDim(result.parray), 1u);
  LONG lower = -1;
  SafeArrayGetLBound(result.parray, 1, &lower);
  EXPECT_EQ(lower, 0);
  VariantClear(&result);
}

TEST_F(CaptchaObject, NullOutPointersAreRefused) {
  EXPECT_EQ(captcha->get_ImageWidth(nullptr), E_POINTER);
  EXPECT_EQ(captcha->get_Format(nullptr), E_POINTER);
  EXPECT_EQ(captcha->GetValue(nullptr), E_POINTER);
  EXPECT_EQ(captcha->GetHashValue(nullptr), E_POINTER);
  EXPECT_EQ(captcha->Validate(nullptr, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(captcha->CreateImage(nullptr), E_POINTER);
  EXPECT_EQ(Steps(), 0u);
}

struct ValidateCase {
  const char16_t* answer;
  bool useRealHash;
  const char16_t* hash;
  VARIANT_BOOL expected;
};

void PrintTo(const ValidateCase& c, std::ostream* out) {
  *out << (c.answer ? '"' + Ascii(c.answer) + '"' : "null") << " against "
       << (c.useRealHash ? "its hash"
           : c.hash      ? Ascii(c.hash)
                         : "null");
}

class ValidateRules : public CaptchaObject, public ::testing::WithParamInterface<ValidateCase> {};

TEST_P(ValidateRules, ExactCaseSensitiveFullLength) {
  Bstr code(u"AB2CD");
  VARIANT result;
  VariantInit(&result);
  captcha->CreateSoundFromCode(code.value, &result);
  VariantClear(&result);
  const std::u16string real = HashValue(captcha.p);
  std::u16string lower = real;
  for (auto& c : lower)
    if (c >= u'A' && c <= u'F') c = char16_t(c - u'A' + u'a');

  const ValidateCase& c = GetParam();
  Bstr answer;
  if (c.answer) answer.value = SysAllocString(c.answer);
  Bstr hash;
  if (c.useRealHash) {
    hash.value = SysAllocString(real.c_str());
  } else if (c.hash && std::u16string(c.hash) == u"lower") {
    hash.value = SysAllocString(lower.c_str());
  } else if (c.hash && std::u16string(c.hash) == u"empty-hash") {
    hash.value = SysAllocString(kEmptyHash);
  } else if (c.hash) {
    hash.value = SysAllocString(c.hash);
  }
  VARIANT_BOOL valid = 7;
  EXPECT_EQ(captcha->Validate(answer.value, hash.value, &valid), S_OK);
  EXPECT_EQ(valid, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, ValidateRules,
                         ::testing::Values(ValidateCase{u"AB2CD", true, nullptr, VARIANT_TRUE},
                                           ValidateCase{u"ab2cd", true, nullptr, VARIANT_FALSE},
                                           ValidateCase{u"AB2CD ", true, nullptr, VARIANT_FALSE},
                                           ValidateCase{u"AB2CD", false, u"lower", VARIANT_FALSE},
                                           ValidateCase{u"AB2CD", false, nullptr, VARIANT_FALSE},
                                           ValidateCase{u"", false, u"empty-hash", VARIANT_TRUE},
                                           ValidateCase{nullptr, false, u"empty-hash",
                                                        VARIANT_TRUE},
                                           ValidateCase{nullptr, false, nullptr, VARIANT_FALSE},
                                           ValidateCase{u"AB2CD", false, u"CF83", VARIANT_FALSE}));

TEST_F(CaptchaObject, OldCodeStillValidatesAfterANewOne) {
  Bstr code(u"AB2CD");
  VARIANT result;
  VariantInit(&result);
  captcha->CreateSoundFromCode(code.value, &result);
  VariantClear(&result);
  Bstr oldHash;
  captcha->GetHashValue(&oldHash.value);
  captcha->CreateSound(&result);
  VariantClear(&result);
  VARIANT_BOOL valid = VARIANT_FALSE;
  captcha->Validate(code.value, oldHash.value, &valid);
  EXPECT_EQ(valid, VARIANT_TRUE);
}

TEST_F(CaptchaObject, CodeOfZeroCharactersHashesAllOfThem) {
  captcha->put_CodeType(3);
  captcha->put_CodeLength(4);
  VARIANT result;
  VariantInit(&result);
  captcha->CreateImage(&result);
  VariantClear(&result);
  EXPECT_EQ(Value(captcha.p), u"");
  const std::u16string hash = HashValue(captcha.p);
  EXPECT_EQ(hash.size(), 128u);
  EXPECT_NE(hash, kEmptyHash);
  VARIANT_BOOL valid = VARIANT_TRUE;
  Bstr empty(u"");
  Bstr h(hash.c_str());
  captcha->Validate(empty.value, h.value, &valid);
  EXPECT_EQ(valid, VARIANT_FALSE);
}

TEST_F(CaptchaObject, AnswersOnlyItsInterfaces) {
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(captcha->QueryInterface(IID_ISupportErrorInfo, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(captcha->QueryInterface(IID_IErrorInfo, &p), E_NOINTERFACE);
}

// A controlling object that answers IUnknown itself and passes every other
// query to the object it aggregates.
struct DelegatingOuter final : IUnknown {
  IUnknown* inner = nullptr;
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown) return inner->QueryInterface(riid, ppv);
    *ppv = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

enum class Via { Created, Interface };
enum class Answer { Interface, Created, Outer };

struct IdentityCase {
  const char* name;
  bool aggregated;
  Via via;  // the unknown CreateInstance returned, or the object's ICaptcha
  const IID* iid;
  Answer expected;
};

void PrintTo(const IdentityCase& c, std::ostream* out) {
  *out << c.name;
}

class Identity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(Identity, QueriesAnswerTheExpectedPointerAndBalanceReferences) {
  const IdentityCase& c = GetParam();
  const LONG objectsBefore = MirelGlyphward::ModuleLockCount();
  DelegatingOuter outer;
  void* p = nullptr;
  ASSERT_EQ(
      MirelGlyphward::Captcha::CreateInstance(c.aggregated ? &outer : nullptr, IID_IUnknown, &p),
      S_OK);
  auto* created = static_cast<IUnknown*>(p);
  outer.inner = created;
  void* itf = nullptr;
  ASSERT_EQ(created->QueryInterface(IID_ICaptcha, &itf), S_OK);
  auto* object = static_cast<ICaptcha*>(itf);
  // Alone, the unknown from CreateInstance is the object itself.
  EXPECT_EQ(created == static_cast<IUnknown*>(object), !c.aggregated);

  IUnknown* from = c.via == Via::Created ? created : object;
  void* answer = nullptr;
  ASSERT_EQ(from->QueryInterface(*c.iid, &answer), S_OK);
  const void* expected = c.expected == Answer::Interface ? static_cast<void*>(object)
                         : c.expected == Answer::Created ? static_cast<void*>(created)
                                                         : static_cast<void*>(&outer);
  EXPECT_EQ(answer, expected);
  static_cast<IUnknown*>(answer)->Release();
  object->Release();
  EXPECT_EQ(outer.refs, 1u);
  EXPECT_EQ(created->Release(), 0u);
  EXPECT_EQ(MirelGlyphward::ModuleLockCount(), objectsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Objects, Identity,
    ::testing::Values(
        IdentityCase{"AloneUnknown", false, Via::Created, &IID_IUnknown, Answer::Interface},
        IdentityCase{"AloneDispatch", false, Via::Created, &IID_IDispatch, Answer::Interface},
        IdentityCase{"AloneCaptcha", false, Via::Created, &IID_ICaptcha, Answer::Interface},
        IdentityCase{"AloneUnknownFromInterface", false, Via::Interface, &IID_IUnknown,
                     Answer::Interface},
        IdentityCase{"InnerUnknown", true, Via::Created, &IID_IUnknown, Answer::Created},
        IdentityCase{"InnerDispatch", true, Via::Created, &IID_IDispatch, Answer::Interface},
        IdentityCase{"InnerCaptcha", true, Via::Created, &IID_ICaptcha, Answer::Interface},
        IdentityCase{"AggregatedUnknownIsTheOuter", true, Via::Interface, &IID_IUnknown,
                     Answer::Outer},
        IdentityCase{"AggregatedCaptchaThroughTheOuter", true, Via::Interface, &IID_ICaptcha,
                     Answer::Interface}),
    [](const ::testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

TEST_F(CaptchaObject, CallsByNameNeedTheRegisteredTypeLibrary) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(u"CodeLength")};
  DISPID id = 0;
  EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, names, 1, 0, &id), TYPE_E_LIBNOTREGISTERED);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(captcha->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
            TYPE_E_LIBNOTREGISTERED);
}

TEST_F(CaptchaObject, AggregationRules) {
  struct Outer : IUnknown {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 1;
  } outer;
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(MirelGlyphward::Captcha::CreateInstance(&outer, IID_ICaptcha, &p),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  ASSERT_EQ(MirelGlyphward::Captcha::CreateInstance(&outer, IID_IUnknown, &p), S_OK);
  auto* inner = static_cast<IUnknown*>(p);
  void* itf = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_ICaptcha, &itf), S_OK);
  // The interface delegates its reference counting to the outer object.
  EXPECT_EQ(outer.refs, 2u);
  static_cast<ICaptcha*>(itf)->Release();
  EXPECT_EQ(outer.refs, 1u);
  EXPECT_EQ(inner->Release(), 0u);
}

}  // namespace
