// The type library reader: any bytes as the file LoadTypeLib is given (the
// text form, or a module carrying the library in its resource section). A
// library that loads is walked through every ITypeLib and ITypeInfo call a
// host makes, checking that names, ids and references agree.
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "oleauto.h"

using glyphward_fuzz::Fail;

namespace {

std::unique_ptr<glyphward_fuzz::MemoryFile> libraryFile;

// Members looked at per type, so a large library stays fast.
constexpr UINT kMemberBudget = 64;

template <class T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p) p->Release();
  }
};

struct Text {
  BSTR value = nullptr;
  ~Text() { SysFreeString(value); }
};

bool SameName(const char16_t* a, const char16_t* b) {
  auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
  for (; *a && *b; ++a, ++b)
    if (fold(*a) != fold(*b)) return false;
  return *a == *b;
}

void CheckMember(ITypeInfo* info, UINT index) {
  FUNCDESC* desc = nullptr;
  if (info->GetFuncDesc(index, &desc) != S_OK || !desc) Fail("a counted member has no FUNCDESC");
  const MEMBERID id = desc->memid;
  const SHORT params = desc->cParams;
  for (SHORT p = 0; p < params; ++p) {
    const TYPEDESC& type = desc->lprgelemdescParam[p].tdesc;
    if (type.vt == VT_PTR && !type.lptdesc) Fail("a pointer parameter without its pointee");
  }
  info->ReleaseFuncDesc(desc);

  Text name, help;
  if (info->GetDocumentation(id, &name.value, &help.value, nullptr, nullptr) != S_OK || !name.value)
    Fail("a member's id does not find its documentation");
  // Names handed out: the member's, then its parameters' but for a result.
  std::vector<BSTR> names(std::size_t(params) + 1, nullptr);
  UINT count = 0;
  if (info->GetNames(id, names.data(), UINT(names.size()), &count) != S_OK || count == 0 ||
      count > names.size())
    Fail("GetNames fails for a member's id");
  if (!SameName(names[0], name.value)) Fail("GetNames and GetDocumentation disagree");
  std::vector<MEMBERID> ids(count);
  const HRESULT found = info->GetIDsOfNames(names.data(), count, ids.data());
  if (FAILED(found) || ids[0] != id) Fail("a member's own names do not give back its id");
  for (UINT i = 1; i < count; ++i)
    if (ids[i] < 0 || ids[i] >= params) Fail("a parameter name maps outside the parameters");
  for (BSTR text : names) SysFreeString(text);

  // Case does not matter to lookups by name.
  ITypeLib* library = nullptr;
  UINT position = 0;
  if (info->GetContainingTypeLib(&library, &position) != S_OK) Fail("no containing library");
  BOOL known = FALSE;
  if (library->IsName(name.value, 0, &known) != S_OK || !known)
    Fail("IsName misses a member's name");
  library->Release();
}

void CheckType(ITypeLib* library, UINT index) {
  Ref<ITypeInfo> info;
  if (library->GetTypeInfo(index, &info.p) != S_OK || !info.p) Fail("a counted type is missing");
  TYPEATTR* attributes = nullptr;
  if (info.p->GetTypeAttr(&attributes) != S_OK) Fail("a type without attributes");
  const WORD functions = attributes->cFuncs;
  const WORD implemented = attributes->cImplTypes;
  const GUID guid = attributes->guid;
  TYPEKIND kind = attributes->typekind;
  info.p->ReleaseTypeAttr(attributes);

  TYPEKIND listed;
  if (library->GetTypeInfoType(index, &listed) != S_OK || listed != kind)
    Fail("the library and the type disagree on its kind");
  // The first type with this GUID is the one found by it.
  Ref<ITypeInfo> byGuid;
  if (library->GetTypeInfoOfGuid(guid, &byGuid.p) != S_OK) Fail("a type's GUID does not find it");

  for (UINT i = 0; i < functions && i < kMemberBudget; ++i) CheckMember(info.p, i);
  FUNCDESC* beyond = nullptr;
  if (info.p->GetFuncDesc(functions, &beyond) != TYPE_E_ELEMENTNOTFOUND || beyond)
    Fail("a FUNCDESC past the last member");

  for (UINT i = 0; i < implemented; ++i) {
    HREFTYPE reference = 0;
    INT flags = 0;
    Ref<ITypeInfo> target;
    if (info.p->GetRefTypeOfImplType(i, &reference) != S_OK ||
        info.p->GetImplTypeFlags(i, &flags) != S_OK ||
        info.p->GetRefTypeInfo(reference, &target.p) != S_OK)
      Fail("an implemented interface cannot be followed");
    TYPEATTR* targetAttributes = nullptr;
    if (target.p->GetTypeAttr(&targetAttributes) != S_OK ||
        targetAttributes->typekind != TKIND_DISPATCH)
      Fail("a coclass implements something that is no interface");
    target.p->ReleaseTypeAttr(targetAttributes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  libraryFile = std::make_unique<glyphward_fuzz::MemoryFile>("typelib");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  libraryFile->Replace(data, size);
  const std::u16string path = libraryFile->WidePath();
  Ref<ITypeLib> library;
  const HRESULT hr = LoadTypeLib(path.c_str(), &library.p);
  if (FAILED(hr)) {
    if (library.p) Fail("a failed load hands out a library");
    return 0;
  }
  TLIBATTR* attributes = nullptr;
  if (library.p->GetLibAttr(&attributes) != S_OK) Fail("a loaded library has no attributes");
  library.p->ReleaseTLibAttr(attributes);

  const UINT types = library.p->GetTypeInfoCount();
  for (INT index = -1; index <= INT(types); ++index) {
    Text name, help;
    const HRESULT documented =
        library.p->GetDocumentation(index, &name.value, &help.value, nullptr, nullptr);
    if ((documented == S_OK) != (index < INT(types)))
      Fail("documentation does not match the type count");
  }
  for (UINT index = 0; index < types; ++index) CheckType(library.p, index);
  Ref<ITypeInfo> beyond;
  if (library.p->GetTypeInfo(types, &beyond.p) != TYPE_E_ELEMENTNOTFOUND || beyond.p)
    Fail("a type past the last one");
  return 0;
}
