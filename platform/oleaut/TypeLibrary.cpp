#include <new>

#include "TypeLibObjects.h"

namespace glyphward_typelib {
namespace {

HRESULT Copy(const std::u16string& text, BSTR* out) {
  if (!out) return S_OK;
  *out = SysAllocStringLen(text.data(), UINT(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

HRESULT TypeLibrary::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_ITypeLib) {
    *ppv = static_cast<ITypeLib*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG TypeLibrary::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT TypeLibrary::GetTypeInfo(UINT index, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_INVALIDARG;
  *ppTInfo = nullptr;
  if (index >= model_->types.size()) return TYPE_E_ELEMENTNOTFOUND;
  *ppTInfo = new (std::nothrow) TypeInformation(this, index);
  return *ppTInfo ? S_OK : E_OUTOFMEMORY;
}

HRESULT TypeLibrary::GetTypeInfoType(UINT index, TYPEKIND* pTKind) {
  if (!pTKind) return E_INVALIDARG;
  if (index >= model_->types.size()) return TYPE_E_ELEMENTNOTFOUND;
  *pTKind = model_->types[index].kind;
  return S_OK;
}

HRESULT TypeLibrary::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTinfo) {
  if (!ppTinfo) return E_INVALIDARG;
  *ppTinfo = nullptr;
  for (std::size_t i = 0; i < model_->types.size(); ++i)
    if (model_->types[i].guid == guid) return GetTypeInfo(UINT(i), ppTinfo);
  return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT TypeLibrary::GetLibAttr(TLIBATTR** ppTLibAttr) {
  if (!ppTLibAttr) return E_INVALIDARG;
  auto* attributes = new (std::nothrow) TLIBATTR{};
  *ppTLibAttr = attributes;
  if (!attributes) return E_OUTOFMEMORY;
  attributes->guid = model_->guid;
  attributes->lcid = 0;
  attributes->syskind = SYS_WIN64;
  attributes->wMajorVerNum = model_->major;
  attributes->wMinorVerNum = model_->minor;
  attributes->wLibFlags = LIBFLAG_FHASDISKIMAGE;
  return S_OK;
}

void TypeLibrary::ReleaseTLibAttr(TLIBATTR* pTLibAttr) {
  delete pTLibAttr;
}

HRESULT TypeLibrary::GetTypeComp(ITypeComp** ppTComp) {
  if (ppTComp) *ppTComp = nullptr;
  return E_NOTIMPL;
}

HRESULT TypeLibrary::GetDocumentation(INT index, BSTR* pBstrName, BSTR* pBstrDocString,
                                      DWORD* pdwHelpContext, BSTR* pBstrHelpFile) {
  if (pBstrName) *pBstrName = nullptr;
  if (pBstrDocString) *pBstrDocString = nullptr;
  if (pBstrHelpFile) *pBstrHelpFile = nullptr;
  if (pdwHelpContext) *pdwHelpContext = 0;
  if (index < -1 || index >= INT(model_->types.size())) return TYPE_E_ELEMENTNOTFOUND;
  const std::u16string& name = index == -1 ? model_->name : model_->types[index].name;
  const std::u16string& help = index == -1 ? model_->help : model_->types[index].help;
  HRESULT hr = Copy(name, pBstrName);
  if (SUCCEEDED(hr)) hr = Copy(help, pBstrDocString);
  if (FAILED(hr) && pBstrName) {
    SysFreeString(*pBstrName);
    *pBstrName = nullptr;
  }
  return hr;
}

HRESULT TypeLibrary::IsName(LPOLESTR szNameBuf, ULONG, BOOL* pfName) {
  if (!szNameBuf || !pfName) return E_INVALIDARG;
  *pfName = FALSE;
  const std::u16string_view name(szNameBuf);
  for (const TypeEntry& type : model_->types) {
    if (SameName(type.name, name)) *pfName = TRUE;
    for (const Member& member : type.members)
      if (SameName(member.name, name)) *pfName = TRUE;
  }
  return S_OK;
}

HRESULT TypeLibrary::FindName(LPOLESTR szNameBuf, ULONG, ITypeInfo** ppTInfo, MEMBERID* rgMemId,
                              USHORT* pcFound) {
  if (!szNameBuf || !ppTInfo || !rgMemId || !pcFound) return E_INVALIDARG;
  const std::u16string_view name(szNameBuf);
  const USHORT capacity = *pcFound;
  USHORT found = 0;
  for (std::size_t i = 0; i < model_->types.size() && found < capacity; ++i) {
    for (const Member& member : model_->types[i].members) {
      if (!SameName(member.name, name)) continue;
      if (FAILED(GetTypeInfo(UINT(i), &ppTInfo[found]))) break;
      rgMemId[found++] = member.id;
      break;
    }
  }
  *pcFound = found;
  return S_OK;
}

}  // namespace glyphward_typelib
