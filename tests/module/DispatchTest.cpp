// Calls by name: IDispatch on Captcha through the registered type library.
#include <gtest/gtest.h>

#include <algorithm>
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

VARIANT Make(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}
VARIANT I4(LONG x) {
  VARIANT v = Make(VT_I4);
  v.lVal = x;
  return v;
}
VARIANT R8(double x) {
  VARIANT v = Make(VT_R8);
  v.dblVal = x;
  return v;
}
VARIANT Text(const char16_t* x) {
  VARIANT v = Make(VT_BSTR);
  v.bstrVal = SysAllocString(x);
  return v;
}

// Arguments in the order a caller writes them, owned; DISPPARAMS wants them
// reversed.
class Arguments {
 public:
  Arguments(std::initializer_list<VARIANT> values) : Arguments(std::vector<VARIANT>(values)) {}
  explicit Arguments(std::vector<VARIANT> values) : values_(values.rbegin(), values.rend()) {}
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
    EXPECT_EQ(Call(name, DISPATCH_PROPERTYGET, Arguments{}.Params(), &result.v), S_OK);
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
  // Members 1 to 11 in the function table's order, in any case.
  const char16_t* members[] = {u"imagewidth", u"IMAGEHEIGHT",        u"codeLength",
                               u"TextStyle",  u"cODEtYPE",           u"format",
                               u"VALIDATE",   u"gethashvalue",       u"CreateIMAGE",
                               u"getvalue",   u"createsoundfromcode"};
  for (DISPID id = 1; id <= 11; ++id) EXPECT_EQ(Id(members[id - 1]), id);
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
  VARIANT truth = Make(VT_BOOL), small = Make(VT_I2);
  truth.boolVal = VARIANT_TRUE;
  small.iVal = 300;
  // By reference too, as script engines pass their variables.
  LONG width = 123;
  VARIANT reference = Make(VT_BYREF | VT_I4);
  reference.plVal = &width;
  const struct {
    const char16_t* name;
    VARIANT value;
    LONG expected;
  } puts[] = {{u"ImageWidth", small, 300},       {u"imagewidth", I4(-3), -3},
              {u"CodeLength", R8(6.5), 6},       {u"CodeType", truth, -1},
              {u"TextStyle", Text(u" 12 "), 12}, {u"ImageHeight", I4(3), 10},
              {u"ImageWidth", reference, 123}};
  for (const auto& put : puts) {
    EXPECT_EQ(Call(put.name, DISPATCH_PROPERTYPUT, Arguments{put.value}.PutParams()), S_OK);
    EXPECT_EQ(GetLong(put.name), put.expected);
  }

  // A number put into the text property arrives as its text.
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYPUT, Arguments{I4(42)}.PutParams()), S_OK);
  Variant format;
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYGET, Arguments{}.Params(), &format.v), S_OK);
  ASSERT_EQ(format.v.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(format.v.bstrVal), u"42");
  BSTR name = SysAllocString(u"jpg");
  VARIANT textReference = Make(VT_BYREF | VT_BSTR);
  textReference.pbstrVal = &name;
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYPUT, Arguments{textReference}.PutParams()), S_OK);
  SysFreeString(name);
  VariantClear(&format.v);
  EXPECT_EQ(Call(u"Format", DISPATCH_PROPERTYGET, Arguments{}.Params(), &format.v), S_OK);
  EXPECT_EQ(std::u16string(format.v.bstrVal), u"JPEG");
}

TEST_F(Dispatch, MethodsReturnTheirResults) {
  Register();
  Variant picture;
  ASSERT_EQ(Call(u"CreateImage", DISPATCH_METHOD, Arguments{}.Params(), &picture.v), S_OK);
  EXPECT_EQ(picture.v.vt, VT_ARRAY | VT_UI1);
  Variant code;
  ASSERT_EQ(
      Call(u"GetValue", DISPATCH_METHOD | DISPATCH_PROPERTYGET, Arguments{}.Params(), &code.v),
      S_OK);
  ASSERT_EQ(code.v.vt, VT_BSTR);
  EXPECT_EQ(SysStringLen(code.v.bstrVal), 5u);
  Variant hash;
  ASSERT_EQ(Call(u"GetHashValue", DISPATCH_METHOD, Arguments{}.Params(), &hash.v), S_OK);
  ASSERT_EQ(hash.v.vt, VT_BSTR);

  Variant valid;
  ASSERT_EQ(Call(u"Validate", DISPATCH_METHOD,
                 Arguments{Text(code.v.bstrVal), Text(hash.v.bstrVal)}.Params(), &valid.v),
            S_OK);
  EXPECT_EQ(valid.v.vt, VT_BOOL);
  EXPECT_EQ(valid.v.boolVal, VARIANT_TRUE);
  Variant invalid;
  ASSERT_EQ(Call(u"Validate", DISPATCH_METHOD,
                 Arguments{Text(u"wrong"), Text(hash.v.bstrVal)}.Params(), &invalid.v),
            S_OK);
  EXPECT_EQ(invalid.v.boolVal, VARIANT_FALSE);

  Variant sound;
  ASSERT_EQ(
      Call(u"CreateSoundFromCode", DISPATCH_METHOD, Arguments{Text(u"Ab3")}.Params(), &sound.v),
      S_OK);
  EXPECT_EQ(sound.v.vt, VT_ARRAY | VT_UI1);
  Variant after;
  ASSERT_EQ(Call(u"GetValue", DISPATCH_METHOD, Arguments{}.Params(), &after.v), S_OK);
  EXPECT_EQ(std::u16string(after.v.bstrVal), u"Ab3");
  // Without a place for the result the call still runs.
  EXPECT_EQ(Call(u"GetHashValue", DISPATCH_METHOD, Arguments{}.Params()), S_OK);
}

TEST_F(Dispatch, FailedCreationIsAnExceptionWithTheComponentsReport) {
  Register();
  ASSERT_EQ(captcha->put_CodeLength(100000), S_OK);
  Variant result;
  EXCEPINFO exception;
  ASSERT_EQ(Call(u"CreateImage", DISPATCH_METHOD, Arguments{}.Params(), &result.v, &exception),
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
  EXPECT_EQ(Call(u"CreateImage", DISPATCH_METHOD, Arguments{}.Params(), &result.v),
            DISP_E_EXCEPTION);
}

// Calls with the wrong number or kind of arguments, by name; the second of
// two arguments is the first in DISPPARAMS' reversed order.
TEST_F(Dispatch, BadArgumentsGetClearStatuses) {
  Register();
  EXPECT_EQ(Call(u"ImageWidth", DISPATCH_PROPERTYPUT, Arguments{I4(2000000000)}.PutParams()), S_OK);
  VARIANT object = Make(VT_UNKNOWN), missing = Make(VT_ERROR);
  object.punkVal = nullptr;
  missing.scode = DISP_E_PARAMNOTFOUND;
  const struct {
    const char16_t* name;
    WORD flags;
    std::vector<VARIANT> arguments;
    HRESULT status;
    UINT argError;  // 99: not set
  } cases[] = {
      {u"Validate", DISPATCH_METHOD, {Text(u"a")}, DISP_E_BADPARAMCOUNT, 99},
      {u"GetValue", DISPATCH_METHOD, {I4(1)}, DISP_E_BADPARAMCOUNT, 99},
      {u"ImageWidth", DISPATCH_PROPERTYPUT, {Text(u"wide")}, DISP_E_TYPEMISMATCH, 0},
      {u"Validate", DISPATCH_METHOD, {Text(u"a"), object}, DISP_E_TYPEMISMATCH, 0},
      {u"Validate", DISPATCH_METHOD, {missing, Text(u"h")}, DISP_E_PARAMNOTOPTIONAL, 1},
      {u"ImageHeight", DISPATCH_PROPERTYPUT, {R8(1e12)}, DISP_E_OVERFLOW, 0},
      // A method cannot be put.
      {u"GetValue", DISPATCH_PROPERTYPUT, {I4(1)}, DISP_E_MEMBERNOTFOUND, 99},
  };
  for (const auto& c : cases) {
    Variant result;
    UINT argError = 99;
    Arguments arguments(c.arguments);
    const DISPPARAMS params =
        c.flags == DISPATCH_PROPERTYPUT ? arguments.PutParams() : arguments.Params();
    EXPECT_EQ(Call(c.name, c.flags, params, &result.v, nullptr, &argError), c.status)
        << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
    EXPECT_EQ(argError, c.argError);
  }
  // Nothing changed the width by its failed calls.
  EXPECT_EQ(GetLong(u"ImageWidth"), 2000000000);
}

// Calls by number: unknown members, a property called with a positional
// argument or put with another named one, no parameters, another interface.
TEST_F(Dispatch, BadCallsByNumberGetClearStatuses) {
  Register();
  Variant result;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(captcha->Invoke(99, IID_NULL, 0, DISPATCH_METHOD, &none, &result.v, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  Arguments one{I4(1)};
  DISPPARAMS positional = one.Params();
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &positional, &result.v, nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
  DISPID other = 7;
  DISPPARAMS namedOther = one.Params();
  namedOther.rgdispidNamedArgs = &other;
  namedOther.cNamedArgs = 1;
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &namedOther, nullptr, nullptr, nullptr),
      DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(
      captcha->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, &result.v, nullptr, nullptr),
      E_INVALIDARG);
  const IID otherIid = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  EXPECT_EQ(
      captcha->Invoke(1, otherIid, 0, DISPATCH_PROPERTYGET, &none, &result.v, nullptr, nullptr),
      DISP_E_UNKNOWNINTERFACE);
  std::u16string name = u"ImageWidth";
  LPOLESTR names[] = {name.data()};
  DISPID id;
  EXPECT_EQ(captcha->GetIDsOfNames(otherIid, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(captcha->GetIDsOfNames(IID_NULL, nullptr, 1, 0, &id), E_POINTER);
}

}  // namespace
