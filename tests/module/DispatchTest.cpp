// Calls by name: IDispatch on Captcha through the registered type library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleLoader.h"
#include "TempRegistry.h"

using module_tests::ModuleLoader;
using module_tests::TempRegistry;

namespace {

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
};

// Arguments in the order a caller writes them; DISPPARAMS wants them reversed.
class Arguments {
 public:
  Arguments& Long(LONG x) {
    return Add(VT_I4, [&](VARIANT& v) { v.lVal = x; });
  }
  Arguments& Short(SHORT x) {
    return Add(VT_I2, [&](VARIANT& v) { v.iVal = x; });
  }
  Arguments& Real(double x) {
    return Add(VT_R8, [&](VARIANT& v) { v.dblVal = x; });
  }
  Arguments& Bool(bool x) {
    return Add(VT_BOOL, [&](VARIANT& v) { v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE; });
  }
  Arguments& Text(const char16_t* x) {
    return Add(VT_BSTR, [&](VARIANT& v) { v.bstrVal = SysAllocString(x); });
  }
  Arguments& Raw(VARIANT value) {
    values_.insert(values_.begin(), value);
    return *this;
  }
  ~Arguments() {
    for (VARIANT& v : values_) VariantClear(&v);
  }
  DISPPARAMS Params() {
    return DISPPARAMS{values_.empty() ? nullptr : values_.data(), nullptr, UINT(values_.size()), 0};
  }
  DISPPARAMS PutParams() {
    DISPPARAMS params = Params();
    params.rgdispidNamedArgs = &put_;
    params.cNamedArgs = 1;
    return params;
  }

 private:
  template <class Fill>
  Arguments& Add(VARTYPE vt, Fill fill) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    fill(v);
    values_.insert(values_.begin(), v);
    return *this;
  }
  std::vector<VARIANT> values_;
  DISPID put_ = DISPID_PROPERTYPUT;
};

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Loaded());
    captcha = module.Create();
    ASSERT_NE(captcha, nullptr);
  }
  void TearDown() override {
    if (captcha) captcha->Release();
  }
  void Register() { ASSERT_EQ(module.Register(), S_OK); }

  DISPID Id(const char16_t* name) {
    std::u16string text = name;
    LPOLESTR names[] = {text.data()};
    DISPID id = 12345;
    EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, names, 1, 0x0409, &id), S_OK);
    return id;
  }
  HRESULT Call(const char16_t* name, WORD flags, DISPPARAMS params, VARIANT* result = nullptr,
               EXCEPINFO* exception = nullptr, UINT* argError = nullptr) {
    return captcha->Invoke(Id(name), IID_NULL, 0x0409, flags, &params, result, exception, argError);
  }
  LONG GetLong(const char16_t* name) {
    Variant result;
    Arguments none;
    EXPECT_EQ(Call(name, DISPATCH_PROPERTYGET, none.Params(), &result.v), S_OK);
    EXPECT_EQ(result.v.vt, VT_I4);
    return result.v.lVal;
  }

  TempRegistry registry;
  ModuleLoader module;
  ICaptchaClass* captcha = nullptr;
};

TEST_F(Dispatch, FailsWithTheLookupStatusUntilRegistered) {
  std::u16string name = u"ImageWidth";
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, names, 1, 0, &id), TYPE_E_LIBNOTREGISTERED);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  Variant result;
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result.v, nullptr, nullptr),
      TYPE_E_LIBNOTREGISTERED);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(0x1);
  EXPECT_EQ(captcha->GetTypeInfo(0, 0, &info), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(info, nullptr);
  // The function table works all the same.
  LONG width = 0;
  EXPECT_EQ(captcha->get_ImageWidth(&width), S_OK);
  EXPECT_EQ(width, 250);
  // Once registered, the same object answers by name.
  Register();
  EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 1);
}

TEST_F(Dispatch, NamesResolveInAnyCase) {
  Register();
  const struct {
    const char16_t* name;
    DISPID id;
  } members[] = {{u"imagewidth", 1},
                 {u"IMAGEHEIGHT", 2},
                 {u"codeLength", 3},
                 {u"TextStyle", 4},
                 {u"cODEtYPE", 5},
                 {u"format", 6},
                 {u"VALIDATE", 7},
                 {u"gethashvalue", 8},
                 {u"CreateIMAGE", 9},
                 {u"getvalue", 10},
                 {u"createsoundfromcode", 11}};
  for (const auto& member : members) EXPECT_EQ(Id(member.name), member.id);
  // The class's further operations are not reachable by name.
  for (const char16_t* hidden : {u"CreateSound", u"CreateImageFromCode", u"QueryInterface"}) {
    std::u16string text = hidden;
    LPOLESTR names[] = {text.data()};
    DISPID id = 0;
    EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
  }
  ITypeInfo* info = nullptr;
  ASSERT_EQ(captcha->GetTypeInfo(0, 0, &info), S_OK);
  info->Release();
  EXPECT_EQ(captcha->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
}

TEST_F(Dispatch, PropertyPutsConvertEveryScalarType) {
  Register();
  EXPECT_EQ(Call(u"ImageWidth", DISPATCH_PROPERTYPUT, Arguments().Short(300).PutParams()), S_OK);
  EXPECT_EQ(GetLong(u"ImageWidth"), 300);
  EXPECT_EQ(Call(u"ImageWidth", DISPATCH_PROPERTYPUT, Arguments().Long(-3).PutParams()), S_OK);
  EXPECT_EQ(GetLong(u"imagewidth"), -3);
  EXPECT_EQ(Call(u"CodeLength", DISPATCH_PROPERTYPUT, Arguments().Real(6.5).PutParams()), S_OK);
  EXPECT_EQ(GetLong(u"CodeLength"), 6);
  EXPECT_EQ(Call(u"CodeType", DISPATCH_PROPERTYPUT, Arguments().Bool(true).PutParams()), S_OK);
  EXPECT_EQ(GetLong(u"CodeType"), -1);
  EXPECT_EQ(Call(u"TextStyle", DISPATCH_PROPERTYPUT, Arguments().Text(u" 12 ").PutParams()), S_OK);
  EXPECT_EQ(GetLong(u"TextStyle"), 12);
  EXPECT_EQ(Call(u"ImageHeight", DISPATCH_PROPERTYPUT, Arguments().Long(3).PutParams()), S_OK);
  EXPECT_EQ(GetLong(u"ImageHeight"), 10);

  // A number put into the text property arrives as its text.
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYPUT, Arguments().Long(42).PutParams()), S_OK);
  Variant format;
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYGET, Arguments().Params(), &format.v), S_OK);
  ASSERT_EQ(format.v.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(format.v.bstrVal), u"42");

  // By reference, as script engines pass their variables.
  LONG width = 123;
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | VT_I4;
  reference.plVal = &width;
  EXPECT_EQ(Call(u"ImageWidth", DISPATCH_PROPERTYPUT, Arguments().Raw(reference).PutParams()),
            S_OK);
  EXPECT_EQ(GetLong(u"ImageWidth"), 123);
  BSTR name = SysAllocString(u"jpg");
  VARIANT textReference;
  VariantInit(&textReference);
  textReference.vt = VT_BYREF | VT_BSTR;
  textReference.pbstrVal = &name;
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYPUT, Arguments().Raw(textReference).PutParams()),
            S_OK);
  SysFreeString(name);
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYGET, Arguments().Params(), &format.v), S_OK);
  EXPECT_EQ(std::u16string(format.v.bstrVal), u"JPEG");
}

TEST_F(Dispatch, MethodsReturnTheirResults) {
  Register();
  Variant picture;
  ASSERT_EQ(Call(u"CreateImage", DISPATCH_METHOD, Arguments().Params(), &picture.v), S_OK);
  EXPECT_EQ(picture.v.vt, VT_ARRAY | VT_UI1);
  Variant code;
  ASSERT_EQ(
      Call(u"GetValue", DISPATCH_METHOD | DISPATCH_PROPERTYGET, Arguments().Params(), &code.v),
      S_OK);
  ASSERT_EQ(code.v.vt, VT_BSTR);
  EXPECT_EQ(SysStringLen(code.v.bstrVal), 5u);
  Variant hash;
  ASSERT_EQ(Call(u"GetHashValue", DISPATCH_METHOD, Arguments().Params(), &hash.v), S_OK);
  ASSERT_EQ(hash.v.vt, VT_BSTR);

  Variant valid;
  ASSERT_EQ(Call(u"Validate", DISPATCH_METHOD,
                 Arguments().Text(code.v.bstrVal).Text(hash.v.bstrVal).Params(), &valid.v),
            S_OK);
  EXPECT_EQ(valid.v.vt, VT_BOOL);
  EXPECT_EQ(valid.v.boolVal, VARIANT_TRUE);
  Variant invalid;
  ASSERT_EQ(Call(u"Validate", DISPATCH_METHOD,
                 Arguments().Text(u"wrong").Text(hash.v.bstrVal).Params(), &invalid.v),
            S_OK);
  EXPECT_EQ(invalid.v.boolVal, VARIANT_FALSE);

  Variant sound;
  ASSERT_EQ(
      Call(u"CreateSoundFromCode", DISPATCH_METHOD, Arguments().Text(u"Ab3").Params(), &sound.v),
      S_OK);
  EXPECT_EQ(sound.v.vt, VT_ARRAY | VT_UI1);
  Variant after;
  ASSERT_EQ(Call(u"GetValue", DISPATCH_METHOD, Arguments().Params(), &after.v), S_OK);
  EXPECT_EQ(std::u16string(after.v.bstrVal), u"Ab3");
  // Without a place for the result the call still runs.
  EXPECT_EQ(Call(u"GetHashValue", DISPATCH_METHOD, Arguments().Params()), S_OK);
}

TEST_F(Dispatch, FailedCreationIsAnExceptionWithTheComponentsReport) {
  Register();
  ASSERT_EQ(captcha->put_CodeLength(100000), S_OK);
  Variant result;
  EXCEPINFO exception;
  ASSERT_EQ(Call(u"CreateImage", DISPATCH_METHOD, Arguments().Params(), &result.v, &exception),
            DISP_E_EXCEPTION);
  EXPECT_EQ(result.v.vt, VT_EMPTY);
  EXPECT_EQ(exception.scode, E_FAIL);
  ASSERT_NE(exception.bstrDescription, nullptr);
  EXPECT_EQ(std::u16string(exception.bstrDescription), u"The code length is too large !");
  ASSERT_NE(exception.bstrSource, nullptr);
  EXPECT_EQ(std::u16string(exception.bstrSource), u"Mirel.Glyphward.1");
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  // Without an EXCEPINFO the status alone comes back.
  EXPECT_EQ(Call(u"CreateImage", DISPATCH_METHOD, Arguments().Params(), &result.v),
            DISP_E_EXCEPTION);
}

TEST_F(Dispatch, BadCallsGetClearStatuses) {
  Register();
  Variant result;
  UINT argError = 99;
  EXPECT_EQ(Call(u"Validate", DISPATCH_METHOD, Arguments().Text(u"a").Params(), &result.v),
            DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(u"GetValue", DISPATCH_METHOD, Arguments().Long(1).Params(), &result.v),
            DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(u"ImageWidth", DISPATCH_PROPERTYPUT, Arguments().Text(u"wide").PutParams(),
                 nullptr, nullptr, &argError),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argError, 0u);
  argError = 99;
  // The second of two arguments is the first in DISPPARAMS' reversed order.
  VARIANT object;
  VariantInit(&object);
  object.vt = VT_UNKNOWN;
  object.punkVal = nullptr;
  EXPECT_EQ(Call(u"Validate", DISPATCH_METHOD, Arguments().Text(u"a").Raw(object).Params(),
                 &result.v, nullptr, &argError),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argError, 0u);
  argError = 99;
  VARIANT missing;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(Call(u"Validate", DISPATCH_METHOD, Arguments().Raw(missing).Text(u"h").Params(),
                 &result.v, nullptr, &argError),
            DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(argError, 1u);
  EXPECT_EQ(Call(u"ImageWidth", DISPATCH_PROPERTYPUT, Arguments().Long(2000000000).PutParams()),
            S_OK);
  EXPECT_EQ(Call(u"ImageHeight", DISPATCH_PROPERTYPUT, Arguments().Real(1e12).PutParams(), nullptr,
                 nullptr, &argError),
            DISP_E_OVERFLOW);

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(captcha->Invoke(99, IID_NULL, 0, DISPATCH_METHOD, &none, &result.v, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  // A method cannot be put, a property cannot be called with a put's value.
  EXPECT_EQ(Call(u"GetValue", DISPATCH_PROPERTYPUT, Arguments().Long(1).PutParams()),
            DISP_E_MEMBERNOTFOUND);
  DISPID other = 7;
  Arguments one;
  one.Long(1);
  DISPPARAMS positional = one.Params();
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &positional, &result.v, nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
  DISPPARAMS namedOther = one.Params();
  namedOther.rgdispidNamedArgs = &other;
  namedOther.cNamedArgs = 1;
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &namedOther, nullptr, nullptr, nullptr),
      DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, &result.v, nullptr, nullptr),
      E_INVALIDARG);
  const IID other_iid = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  EXPECT_EQ(
      captcha->Invoke(1, other_iid, 0, DISPATCH_PROPERTYGET, &none, &result.v, nullptr, nullptr),
      DISP_E_UNKNOWNINTERFACE);
  std::u16string name = u"ImageWidth";
  LPOLESTR names[] = {name.data()};
  DISPID id;
  EXPECT_EQ(captcha->GetIDsOfNames(other_iid, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, nullptr, 1, 0, &id), E_POINTER);
  // Nothing in this test changed the width by its failed calls.
  LONG width = 0;
  captcha->get_ImageWidth(&width);
  EXPECT_EQ(width, 2000000000);
}

}  // namespace
