// The type library loader and registration, read from the component's own
// type library source.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MirelGlyphward.h"
#include "TempRegistry.h"
#include "winreg.h"

using module_tests::TempRegistry;
using module_tests::Wide;

namespace {

struct Released {
  IUnknown* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

ITypeLib* LoadSource(const std::string& path) {
  ITypeLib* library = nullptr;
  EXPECT_EQ(LoadTypeLib(Wide(path.c_str()).c_str(), &library), S_OK);
  return library;
}

std::u16string Take(BSTR text) {
  std::u16string out = text ? std::u16string(text) : u"<null>";
  SysFreeString(text);
  return out;
}

struct Expected {
  const char16_t* name;
  MEMBERID id;
  INVOKEKIND kind;
  const char16_t* help;
  std::vector<std::pair<VARTYPE, USHORT>> params;  // VT_PTR marks pointer params
};

TEST(TypeLibrary, DescribesTheLibraryClassAndInterface) {
  Released holder;
  ITypeLib* library = LoadSource(GLYPHWARD_TYPELIB_SOURCE);
  holder.p = library;
  ASSERT_NE(library, nullptr);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_TRUE(attributes->guid == LIBID_MIRELGLYPHWARDLib);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  library->ReleaseTLibAttr(attributes);
  BSTR name = nullptr, help = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(Take(name), u"MIRELGLYPHWARDLib");
  EXPECT_EQ(Take(help), u"MirelGlyphward 1.0 Type Library");
  ASSERT_EQ(library->GetTypeInfoCount(), 2u);

  ITypeInfo* coclass = nullptr;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_Captcha, &coclass), S_OK);
  Released coclassHolder{coclass};
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(Take(name), u"Captcha");
  EXPECT_EQ(Take(help), u"Captcha Class");
  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE reference = 0;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  ITypeInfo* viaClass = nullptr;
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, &viaClass), S_OK);
  Released viaClassHolder{viaClass};
  TYPEATTR* typeAttributes = nullptr;
  ASSERT_EQ(viaClass->GetTypeAttr(&typeAttributes), S_OK);
  EXPECT_TRUE(typeAttributes->guid == IID_ICaptcha);
  EXPECT_EQ(typeAttributes->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(typeAttributes->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_EQ(typeAttributes->cFuncs, 17);
  viaClass->ReleaseTypeAttr(typeAttributes);
  ASSERT_EQ(viaClass->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(Take(name), u"ICaptcha");
  EXPECT_EQ(Take(help), u"ICaptcha Interface");
}

TEST(TypeLibrary, MembersFollowTheFunctionTable) {
  const VARTYPE in = PARAMFLAG_FIN;
  const USHORT ret = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
  std::vector<Expected> expected;
  const char16_t* properties[] = {u"ImageWidth", u"ImageHeight", u"CodeLength",
                                  u"TextStyle",  u"CodeType",    u"Format"};
  const char16_t* propertyHelp[] = {u"property ImageWidth", u"property ImageHeight",
                                    u"property CodeLength", u"property TextStyle",
                                    u"property CodeType",   u"property Format"};
  for (int i = 0; i < 6; ++i) {
    const VARTYPE vt = i == 5 ? VT_BSTR : VT_I4;
    expected.push_back(
        {properties[i], i + 1, INVOKE_PROPERTYGET, propertyHelp[i], {{vt | 0x8000, ret}}});
    expected.push_back({properties[i], i + 1, INVOKE_PROPERTYPUT, propertyHelp[i], {{vt, in}}});
  }
  expected.push_back({u"Validate",
                      7,
                      INVOKE_FUNC,
                      u"method Validate",
                      {{VT_BSTR, in}, {VT_BSTR, in}, {VT_BOOL | 0x8000, ret}}});
  expected.push_back(
      {u"GetHashValue", 8, INVOKE_FUNC, u"method GetHashValue", {{VT_BSTR | 0x8000, ret}}});
  expected.push_back(
      {u"CreateImage", 9, INVOKE_FUNC, u"method CreateImage", {{VT_VARIANT | 0x8000, ret}}});
  expected.push_back({u"GetValue", 10, INVOKE_FUNC, u"method GetValue", {{VT_BSTR | 0x8000, ret}}});
  expected.push_back({u"CreateSoundFromCode",
                      11,
                      INVOKE_FUNC,
                      u"method CreateSoundFromCode",
                      {{VT_BSTR, in}, {VT_VARIANT | 0x8000, ret}}});

  Released holder;
  ITypeLib* library = LoadSource(GLYPHWARD_TYPELIB_SOURCE);
  holder.p = library;
  ASSERT_NE(library, nullptr);
  ITypeInfo* info = nullptr;
  ASSERT_EQ(library->GetTypeInfoOfGuid(IID_ICaptcha, &info), S_OK);
  Released infoHolder{info};
  for (UINT i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    FUNCDESC* desc = nullptr;
    ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
    EXPECT_EQ(desc->memid, expected[i].id);
    EXPECT_EQ(desc->invkind, expected[i].kind);
    // ICaptcha's entries start after IUnknown's three and IDispatch's four.
    EXPECT_EQ(desc->oVft, SHORT((7 + i) * sizeof(void*)));
    ASSERT_EQ(desc->cParams, SHORT(expected[i].params.size()));
    for (std::size_t p = 0; p < expected[i].params.size(); ++p) {
      const ELEMDESC& element = desc->lprgelemdescParam[p];
      const VARTYPE wanted = expected[i].params[p].first;
      if (wanted & 0x8000) {
        ASSERT_EQ(element.tdesc.vt, VT_PTR);
        EXPECT_EQ(element.tdesc.lptdesc->vt, wanted & 0x7FFF);
      } else {
        EXPECT_EQ(element.tdesc.vt, wanted);
      }
      EXPECT_EQ(element.paramdesc.wParamFlags, expected[i].params[p].second);
    }
    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(info->GetDocumentation(desc->memid, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(Take(name), expected[i].name);
    EXPECT_EQ(Take(help), expected[i].help);
    info->ReleaseFuncDesc(desc);
  }
  FUNCDESC* beyond = nullptr;
  EXPECT_EQ(info->GetFuncDesc(UINT(expected.size()), &beyond), TYPE_E_ELEMENTNOTFOUND);
}

TEST(TypeLibrary, NamesAreFoundIgnoringCase) {
  Released holder;
  ITypeLib* library = LoadSource(GLYPHWARD_TYPELIB_SOURCE);
  holder.p = library;
  ASSERT_NE(library, nullptr);
  ITypeInfo* info = nullptr;
  ASSERT_EQ(library->GetTypeInfoOfGuid(IID_ICaptcha, &info), S_OK);
  Released infoHolder{info};
  std::u16string member = u"vALIDATE", first = u"USERCODE", unknown = u"nothing";
  LPOLESTR names[] = {member.data(), first.data(), unknown.data()};
  MEMBERID ids[3];
  EXPECT_EQ(info->GetIDsOfNames(names, 3, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 7);
  EXPECT_EQ(ids[1], 0);
  EXPECT_EQ(ids[2], MEMBERID_NIL);
  LPOLESTR none[] = {unknown.data()};
  EXPECT_EQ(info->GetIDsOfNames(none, 1, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], MEMBERID_NIL);
}

TEST(TypeLibrary, RegistrationWritesLookupKeysAndUnregistrationRemovesThem) {
  TempRegistry registry;
  ITypeLib* found = nullptr;
  EXPECT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, &found), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(found, nullptr);

  Released holder;
  ITypeLib* library = LoadSource(GLYPHWARD_TYPELIB_SOURCE);
  holder.p = library;
  ASSERT_NE(library, nullptr);
  const std::u16string path = Wide(GLYPHWARD_TYPELIB_SOURCE);
  ASSERT_EQ(RegisterTypeLib(library, path.c_str(), u"/help"), S_OK);
  const std::string text = registry.Read();
  EXPECT_NE(text.find("[TypeLib\\{76A42F20-140E-4C34-B415-22B6AC7764C4}\\1.0]\n"
                      "@=\"MirelGlyphward 1.0 Type Library\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("[TypeLib\\{76A42F20-140E-4C34-B415-22B6AC7764C4}\\1.0\\0\\win64]\n@=\"" +
                      std::string(GLYPHWARD_TYPELIB_SOURCE) + "\""),
            std::string::npos);
  EXPECT_NE(text.find("[Interface\\{5E10E3B8-D844-48B8-AEF1-7E051D54426C}]\n@=\"ICaptcha\""),
            std::string::npos);

  // Any locale finds the neutral registration; another major version does not.
  ASSERT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0x0409, &found), S_OK);
  found->Release();
  EXPECT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 2, 0, 0, &found), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 1, 0, &found), TYPE_E_LIBNOTREGISTERED);

  ASSERT_EQ(UnRegisterTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, SYS_WIN64), S_OK);
  EXPECT_EQ(registry.Read(), "glyphward-registry 1\n[Interface]\n[TypeLib]\n");
  EXPECT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, &found), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(UnRegisterTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, SYS_WIN64),
            TYPE_E_LIBNOTREGISTERED);
}

TEST(TypeLibrary, LookupInACorruptRegistryIsAnAccessError) {
  TempRegistry registry;
  registry.Write("garbage\n");
  ITypeLib* found = nullptr;
  EXPECT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, &found), TYPE_E_REGISTRYACCESS);
  EXPECT_EQ(registry.Read(), "garbage\n");
}

TEST(TypeLibrary, RegisteredPathThatNoLongerHoldsALibraryFailsCleanly) {
  TempRegistry registry;
  registry.Write(
      "glyphward-registry 1\n"
      "[TypeLib\\{76A42F20-140E-4C34-B415-22B6AC7764C4}\\1.0\\0\\win64]\n"
      "@=\"" +
      registry.Folder() + "/missing.so\"\n");
  ITypeLib* found = nullptr;
  EXPECT_EQ(LoadRegTypeLib(LIBID_MIRELGLYPHWARDLib, 1, 0, 0, &found), TYPE_E_CANTLOADLIBRARY);
  EXPECT_EQ(found, nullptr);
}

class BadTypeLibrary : public ::testing::TestWithParam<const char*> {};

TEST_P(BadTypeLibrary, IsRefusedAsUnreadable) {
  TempRegistry folder;
  const std::string path = folder.Folder() + "/bad.typelib";
  {
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs(GetParam(), file);
    fclose(file);
  }
  ITypeLib* library = nullptr;
  EXPECT_EQ(LoadTypeLib(Wide(path.c_str()).c_str(), &library), TYPE_E_INVDATAREAD);
  EXPECT_EQ(library, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    TypeLibrary, BadTypeLibrary,
    ::testing::Values(
        "typelib-text 1\n", "typelib-text 1\nlibrary L {not-a-guid} 1.0 \"h\"\n",
        "typelib-text 1\nlibrary L {76A42F20-140E-4C34-B415-22B6AC7764C4} 1.0 \"unterminated\n",
        "typelib-text 1\nlibrary L {76A42F20-140E-4C34-B415-22B6AC7764C4} 1.0 \"h\"\n"
        "interface I {5E10E3B8-D844-48B8-AEF1-7E051D54426C} IDispatch dual \"h\"\n"
        "  method 1 M \"h\" out,retval long* r in long x\n",
        "typelib-text 1\nlibrary L {76A42F20-140E-4C34-B415-22B6AC7764C4} 1.0 \"h\"\n"
        "interface I {5E10E3B8-D844-48B8-AEF1-7E051D54426C} IDispatch dual \"h\"\n"
        "  method 1 M \"h\" out long r\n",
        "typelib-text 1\nlibrary L {76A42F20-140E-4C34-B415-22B6AC7764C4} 1.0 \"h\"\n"
        "interface I {5E10E3B8-D844-48B8-AEF1-7E051D54426C} IDispatch dual \"h\"\n"
        "  method 1 M \"h\"\n  method 1 N \"h\"\n",
        "typelib-text 1\nlibrary L {76A42F20-140E-4C34-B415-22B6AC7764C4} 1.0 \"h\"\n"
        "interface I {5E10E3B8-D844-48B8-AEF1-7E051D54426C} IDispatch dual \"h\"\n"
        "  propget 1 M \"h\" out,retval long* r\n  method 1 M \"h\"\n",
        "typelib-text 1\nlibrary L {76A42F20-140E-4C34-B415-22B6AC7764C4} 1.0 \"h\"\n"
        "coclass C {D53E867E-CF73-48EB-A052-A6369CF45F59} \"h\"\n  default Missing\n"));

// Libraries the type library fuzz target caught loading although a name or
// an id in them does not lead to one member (one name with two ids, a member
// with MEMBERID_NIL's id): each is refused.
TEST(TypeLibrary, FuzzRegressionsAreRefused) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(GLYPHWARD_FUZZ_REGRESSIONS) / "typelib_text_fuzz")) {
    ITypeLib* library = nullptr;
    EXPECT_EQ(LoadTypeLib(Wide(entry.path().c_str()).c_str(), &library), TYPE_E_INVDATAREAD)
        << entry.path();
    EXPECT_EQ(library, nullptr);
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
