#include <cstring>
#include <new>

#include "TypeLibObjects.h"

namespace glyphward_typelib {
namespace {

// A FUNCDESC with room for what it points to, handed out and taken back as one.
struct FuncDescBlock {
  FUNCDESC desc;
  ELEMDESC params[kMaxParams];
  TYPEDESC pointees[kMaxParams];
};

HRESULT Copy(const std::u16string& text, BSTR* out) {
  if (!out) return S_OK;
  *out = SysAllocStringLen(text.data(), UINT(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

const Member* FindMember(const TypeEntry& type, MEMBERID memid) {
  for (const Member& member : type.members)
    if (member.id == memid) return &member;
  return nullptr;
}

}  // namespace

TypeInformation::TypeInformation(TypeLibrary* library, std::size_t index)
    : library_(library), index_(index) {
  library_->AddRef();
}

TypeInformation::~TypeInformation() {
  library_->Release();
}

HRESULT TypeInformation::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_ITypeInfo) {
    *ppv = static_cast<ITypeInfo*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG TypeInformation::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT TypeInformation::GetTypeAttr(TYPEATTR** ppTypeAttr) {
  if (!ppTypeAttr) return E_INVALIDARG;
  auto* attributes = new (std::nothrow) TYPEATTR{};
  *ppTypeAttr = attributes;
  if (!attributes) return E_OUTOFMEMORY;
  const TypeEntry& type = Type();
  attributes->guid = type.guid;
  attributes->memidConstructor = MEMBERID_NIL;
  attributes->memidDestructor = MEMBERID_NIL;
  attributes->cbSizeInstance = sizeof(void*);
  attributes->typekind = type.kind;
  attributes->cFuncs = WORD(type.members.size());
  attributes->cImplTypes = WORD(type.implemented.size());
  // A dispatch interface's own table is IDispatch's seven entries.
  attributes->cbSizeVft = type.kind == TKIND_DISPATCH ? WORD(7 * sizeof(void*)) : 0;
  attributes->cbAlignment = alignof(void*);
  attributes->wTypeFlags = type.flags;
  attributes->wMajorVerNum = library_->Model().major;
  attributes->wMinorVerNum = library_->Model().minor;
  return S_OK;
}

void TypeInformation::ReleaseTypeAttr(TYPEATTR* pTypeAttr) {
  delete pTypeAttr;
}

HRESULT TypeInformation::GetTypeComp(ITypeComp** ppTComp) {
  if (ppTComp) *ppTComp = nullptr;
  return E_NOTIMPL;
}

HRESULT TypeInformation::GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) {
  if (!ppFuncDesc) return E_INVALIDARG;
  *ppFuncDesc = nullptr;
  const TypeEntry& type = Type();
  if (index >= type.members.size()) return TYPE_E_ELEMENTNOTFOUND;
  const Member& member = type.members[index];
  auto* block = new (std::nothrow) FuncDescBlock{};
  if (!block) return E_OUTOFMEMORY;
  FUNCDESC& desc = block->desc;
  desc.memid = member.id;
  desc.lprgelemdescParam = member.params.empty() ? nullptr : block->params;
  desc.funckind = FUNC_DISPATCH;
  desc.invkind = member.kind;
  desc.callconv = CC_STDCALL;
  desc.cParams = SHORT(member.params.size());
  desc.oVft = SHORT(member.slot * sizeof(void*));
  desc.elemdescFunc.tdesc.vt = VT_HRESULT;
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    const Param& param = member.params[i];
    ELEMDESC& element = block->params[i];
    element.paramdesc.wParamFlags = param.flags;
    if (param.pointer) {
      block->pointees[i].vt = param.vt;
      element.tdesc.vt = VT_PTR;
      element.tdesc.lptdesc = &block->pointees[i];
    } else {
      element.tdesc.vt = param.vt;
    }
  }
  *ppFuncDesc = &block->desc;
  return S_OK;
}

void TypeInformation::ReleaseFuncDesc(FUNCDESC* pFuncDesc) {
  // The FUNCDESC is the first member of the block it came in.
  delete reinterpret_cast<FuncDescBlock*>(pFuncDesc);
}

HRESULT TypeInformation::GetVarDesc(UINT, VARDESC** ppVarDesc) {
  if (ppVarDesc) *ppVarDesc = nullptr;
  return TYPE_E_ELEMENTNOTFOUND;
}

void TypeInformation::ReleaseVarDesc(VARDESC*) {}

HRESULT TypeInformation::GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames,
                                  UINT* pcNames) {
  if (!rgBstrNames || !pcNames) return E_INVALIDARG;
  *pcNames = 0;
  const Member* member = FindMember(Type(), memid);
  if (!member) return TYPE_E_ELEMENTNOTFOUND;
  std::vector<const std::u16string*> names{&member->name};
  for (const Param& param : member->params)
    if (!(param.flags & PARAMFLAG_FRETVAL)) names.push_back(&param.name);
  UINT count = 0;
  for (; count < names.size() && count < cMaxNames; ++count) {
    if (FAILED(Copy(*names[count], &rgBstrNames[count]))) {
      while (count > 0) SysFreeString(rgBstrNames[--count]);
      return E_OUTOFMEMORY;
    }
  }
  *pcNames = count;
  return S_OK;
}

HRESULT TypeInformation::GetRefTypeOfImplType(UINT index, HREFTYPE* pRefType) {
  if (!pRefType) return E_INVALIDARG;
  const TypeEntry& type = Type();
  if (index >= type.implemented.size()) return TYPE_E_ELEMENTNOTFOUND;
  // A reference is the index of the type in its library.
  *pRefType = HREFTYPE(type.implemented[index]);
  return S_OK;
}

HRESULT TypeInformation::GetImplTypeFlags(UINT index, INT* pImplTypeFlags) {
  if (!pImplTypeFlags) return E_INVALIDARG;
  const TypeEntry& type = Type();
  if (index >= type.implemented.size()) return TYPE_E_ELEMENTNOTFOUND;
  *pImplTypeFlags = type.implementedFlags[index];
  return S_OK;
}

HRESULT TypeInformation::GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) {
  if (!rgszNames || !pMemId || cNames == 0) return E_INVALIDARG;
  for (UINT i = 0; i < cNames; ++i) pMemId[i] = MEMBERID_NIL;
  if (!rgszNames[0]) return E_INVALIDARG;
  const Member* found = nullptr;
  for (const Member& member : Type().members) {
    if (SameName(member.name, rgszNames[0])) {
      found = &member;
      break;
    }
  }
  if (!found) return DISP_E_UNKNOWNNAME;
  pMemId[0] = found->id;
  // Further names are the member's parameters, numbered by position.
  HRESULT hr = S_OK;
  for (UINT i = 1; i < cNames; ++i) {
    for (std::size_t p = 0; rgszNames[i] && p < found->params.size(); ++p)
      if (SameName(found->params[p].name, rgszNames[i])) pMemId[i] = MEMBERID(p);
    if (pMemId[i] == MEMBERID_NIL) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT TypeInformation::Invoke(void* pvInstance, MEMBERID memid, WORD wFlags,
                                DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                UINT* puArgErr) {
  return InvokeMember(Type(), pvInstance, memid, wFlags, pDispParams, pVarResult, pExcepInfo,
                      puArgErr);
}

HRESULT TypeInformation::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                          DWORD* pdwHelpContext, BSTR* pBstrHelpFile) {
  if (pBstrName) *pBstrName = nullptr;
  if (pBstrDocString) *pBstrDocString = nullptr;
  if (pBstrHelpFile) *pBstrHelpFile = nullptr;
  if (pdwHelpContext) *pdwHelpContext = 0;
  const TypeEntry& type = Type();
  const std::u16string* name = &type.name;
  const std::u16string* help = &type.help;
  if (memid != MEMBERID_NIL) {
    const Member* member = FindMember(type, memid);
    if (!member) return TYPE_E_ELEMENTNOTFOUND;
    name = &member->name;
    help = &member->help;
  }
  HRESULT hr = Copy(*name, pBstrName);
  if (SUCCEEDED(hr)) hr = Copy(*help, pBstrDocString);
  if (FAILED(hr) && pBstrName) {
    SysFreeString(*pBstrName);
    *pBstrName = nullptr;
  }
  return hr;
}

HRESULT TypeInformation::GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) {
  return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT TypeInformation::GetRefTypeInfo(HREFTYPE hRefType, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_INVALIDARG;
  return library_->GetTypeInfo(UINT(hRefType), ppTInfo);
}

HRESULT TypeInformation::AddressOfMember(MEMBERID, INVOKEKIND, void** ppv) {
  if (ppv) *ppv = nullptr;
  return E_NOTIMPL;
}

HRESULT TypeInformation::CreateInstance(IUnknown*, REFIID, void** ppvObj) {
  if (ppvObj) *ppvObj = nullptr;
  return E_NOTIMPL;
}

HRESULT TypeInformation::GetMops(MEMBERID, BSTR* pBstrMops) {
  if (pBstrMops) *pBstrMops = nullptr;
  return S_OK;
}

HRESULT TypeInformation::GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex) {
  if (ppTLib) {
    library_->AddRef();
    *ppTLib = library_;
  }
  if (pIndex) *pIndex = UINT(index_);
  return S_OK;
}

}  // namespace glyphward_typelib
