// IDispatch::Invoke through a type description: pick the member by id and
// invoke kind, coerce each argument to its parameter's type, call the
// function-table entry and hand back the return value or the failure as an
// exception with the callee's error information.
#include <cstring>
#include <new>
#include <vector>

#include "TypeLibObjects.h"

namespace glyphward_typelib {
namespace {

// Clears the VARIANTs it holds when the call is over.
class ArgumentStore {
 public:
  explicit ArgumentStore(std::size_t count) : values_(count) {
    for (VARIANT& value : values_) VariantInit(&value);
  }
  ~ArgumentStore() {
    for (VARIANT& value : values_) VariantClear(&value);
  }
  ArgumentStore(const ArgumentStore&) = delete;
  ArgumentStore& operator=(const ArgumentStore&) = delete;
  VARIANT& operator[](std::size_t i) { return values_[i]; }

 private:
  std::vector<VARIANT> values_;
};

bool Matches(const Member& member, WORD flags) {
  if (flags & DISPATCH_PROPERTYPUT) return member.kind == INVOKE_PROPERTYPUT;
  if (flags & DISPATCH_PROPERTYPUTREF) return member.kind == INVOKE_PROPERTYPUTREF;
  return ((flags & DISPATCH_METHOD) && member.kind == INVOKE_FUNC) ||
         ((flags & DISPATCH_PROPERTYGET) && member.kind == INVOKE_PROPERTYGET);
}

const Member* Choose(const TypeEntry& type, MEMBERID memid, WORD flags) {
  for (const Member& member : type.members)
    if (member.id == memid && Matches(member, flags)) return &member;
  return nullptr;
}

HRESULT CheckNamedArguments(const DISPPARAMS& params, WORD flags) {
  if (params.cNamedArgs == 0) return S_OK;
  if (!(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) return DISP_E_NONAMEDARGS;
  // A put names only its value.
  if (params.cNamedArgs > 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
    return DISP_E_PARAMNOTFOUND;
  return S_OK;
}

// Points the call's argument at what a pointer parameter needs: the caller's
// own storage, passed by reference.
HRESULT PointerArgument(const Param& param, VARIANT& argument, VARIANT& slot) {
  const VARTYPE wanted = VARTYPE(VT_BYREF | param.vt);
  slot.vt = wanted;
  if (argument.vt == wanted) {
    if (!argument.byref) return E_INVALIDARG;
    slot.byref = argument.byref;
    return S_OK;
  }
  // An [in] VARIANT* takes the argument itself.
  if (param.vt == VT_VARIANT && !(param.flags & PARAMFLAG_FOUT)) {
    slot.pvarVal = &argument;
    return S_OK;
  }
  return DISP_E_TYPEMISMATCH;
}

void FillException(HRESULT failure, EXCEPINFO* exception) {
  if (!exception) return;
  std::memset(exception, 0, sizeof *exception);
  exception->scode = failure;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return;
  info->GetSource(&exception->bstrSource);
  info->GetDescription(&exception->bstrDescription);
  info->GetHelpFile(&exception->bstrHelpFile);
  info->GetHelpContext(&exception->dwHelpContext);
  info->Release();
}

}  // namespace

HRESULT InvokeMember(const TypeEntry& type, void* instance, MEMBERID memid, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argError) {
  if (!instance || !params || (params->cArgs && !params->rgvarg) ||
      (params->cNamedArgs && !params->rgdispidNamedArgs) || params->cNamedArgs > params->cArgs)
    return E_INVALIDARG;
  const Member* member = Choose(type, memid, flags);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  HRESULT hr = CheckNamedArguments(*params, flags);
  if (FAILED(hr)) return hr;

  const std::size_t paramCount = member->params.size();
  const bool hasReturn = paramCount > 0 && (member->params.back().flags & PARAMFLAG_FRETVAL);
  const std::size_t inputs = paramCount - (hasReturn ? 1 : 0);
  if (params->cArgs != inputs) return DISP_E_BADPARAMCOUNT;

  try {
    ArgumentStore converted(paramCount);
    std::vector<VARTYPE> types(paramCount);
    std::vector<VARIANTARG*> arguments(paramCount);
    for (std::size_t i = 0; i < inputs; ++i) {
      const Param& param = member->params[i];
      // Arguments arrive last first.
      const UINT position = UINT(params->cArgs - 1 - i);
      VARIANT& argument = params->rgvarg[position];
      VARIANT& slot = converted[i];
      if (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND &&
          !(param.flags & PARAMFLAG_FOPT)) {
        if (argError) *argError = position;
        return DISP_E_PARAMNOTOPTIONAL;
      }
      if (param.pointer) {
        hr = PointerArgument(param, argument, slot);
      } else if (param.vt == VT_VARIANT) {
        hr = DISP_E_BADVARTYPE;  // VARIANTs travel by pointer only
      } else {
        hr = VariantChangeType(&slot, &argument, 0, param.vt);
        if (FAILED(hr) && hr != DISP_E_OVERFLOW && hr != E_OUTOFMEMORY) hr = DISP_E_TYPEMISMATCH;
      }
      if (FAILED(hr)) {
        // Only what this call made may be cleared later.
        if (param.pointer) VariantInit(&slot);
        if (argError) *argError = position;
        return hr;
      }
      types[i] = slot.vt;
      arguments[i] = &slot;
    }

    VARIANT returned;
    VariantInit(&returned);
    returned.llVal = 0;
    if (hasReturn) {
      const Param& param = member->params.back();
      VARIANT& slot = converted[inputs];
      if (param.vt != VT_VARIANT) returned.vt = param.vt;
      slot.vt = VARTYPE(VT_BYREF | param.vt);
      slot.byref = param.vt == VT_VARIANT ? static_cast<void*>(&returned)
                                          : static_cast<void*>(&returned.llVal);
      types[inputs] = slot.vt;
      arguments[inputs] = &slot;
    }

    VARIANT status;
    hr = DispCallFunc(instance, ULONG_PTR(member->slot) * sizeof(void*), CC_STDCALL, VT_HRESULT,
                      UINT(paramCount), types.data(), arguments.data(), &status);
    // The pointer slots name the caller's storage: nothing of theirs to clear.
    for (std::size_t i = 0; i < paramCount; ++i)
      if (converted[i].vt & VT_BYREF) VariantInit(&converted[i]);
    if (FAILED(hr)) return hr;
    if (FAILED(status.lVal)) {
      VariantClear(&returned);
      FillException(status.lVal, exception);
      return DISP_E_EXCEPTION;
    }
    if (result) {
      std::memcpy(result, &returned, sizeof returned);
    } else {
      VariantClear(&returned);
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace glyphward_typelib
