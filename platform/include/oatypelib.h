/* Type descriptions: ITypeLib and ITypeInfo with COM's function-table order,
 * and the structures they hand out, with their Windows x86-64 layouts. */
#ifndef GLYPHWARD_OATYPELIB_H
#define GLYPHWARD_OATYPELIB_H

#include "oaidl.h"

typedef DWORD HREFTYPE;
#define MEMBERID_NIL DISPID_UNKNOWN

typedef enum tagTYPEKIND {
  TKIND_ENUM = 0,
  TKIND_RECORD,
  TKIND_MODULE,
  TKIND_INTERFACE,
  TKIND_DISPATCH,
  TKIND_COCLASS,
  TKIND_ALIAS,
  TKIND_UNION,
  TKIND_MAX
} TYPEKIND;

typedef enum tagSYSKIND { SYS_WIN16 = 0, SYS_WIN32, SYS_MAC, SYS_WIN64 } SYSKIND;

typedef enum tagCALLCONV {
  CC_FASTCALL = 0,
  CC_CDECL = 1,
  CC_MSCPASCAL,
  CC_PASCAL = CC_MSCPASCAL,
  CC_MACPASCAL,
  CC_STDCALL,
  CC_FPFASTCALL,
  CC_SYSCALL,
  CC_MPWCDECL,
  CC_MPWPASCAL,
  CC_MAX
} CALLCONV;

typedef enum tagFUNCKIND {
  FUNC_VIRTUAL = 0,
  FUNC_PUREVIRTUAL,
  FUNC_NONVIRTUAL,
  FUNC_STATIC,
  FUNC_DISPATCH
} FUNCKIND;

typedef enum tagINVOKEKIND {
  INVOKE_FUNC = 1,
  INVOKE_PROPERTYGET = 2,
  INVOKE_PROPERTYPUT = 4,
  INVOKE_PROPERTYPUTREF = 8
} INVOKEKIND;

typedef enum tagDESCKIND {
  DESCKIND_NONE = 0,
  DESCKIND_FUNCDESC,
  DESCKIND_VARDESC,
  DESCKIND_TYPECOMP,
  DESCKIND_IMPLICITAPPOBJ,
  DESCKIND_MAX
} DESCKIND;

#define PARAMFLAG_NONE 0x00
#define PARAMFLAG_FIN 0x01
#define PARAMFLAG_FOUT 0x02
#define PARAMFLAG_FLCID 0x04
#define PARAMFLAG_FRETVAL 0x08
#define PARAMFLAG_FOPT 0x10
#define PARAMFLAG_FHASDEFAULT 0x20

#define TYPEFLAG_FAPPOBJECT 0x0001
#define TYPEFLAG_FCANCREATE 0x0002
#define TYPEFLAG_FHIDDEN 0x0010
#define TYPEFLAG_FDUAL 0x0040
#define TYPEFLAG_FNONEXTENSIBLE 0x0080
#define TYPEFLAG_FOLEAUTOMATION 0x0100
#define TYPEFLAG_FDISPATCHABLE 0x1000

#define IMPLTYPEFLAG_FDEFAULT 0x1
#define IMPLTYPEFLAG_FSOURCE 0x2

#define LIBFLAG_FRESTRICTED 0x1
#define LIBFLAG_FCONTROL 0x2
#define LIBFLAG_FHIDDEN 0x4
#define LIBFLAG_FHASDISKIMAGE 0x8

typedef struct tagTYPEDESC {
  union {
    struct tagTYPEDESC* lptdesc;
    struct tagARRAYDESC* lpadesc;
    HREFTYPE hreftype;
  };
  VARTYPE vt;
} TYPEDESC;

typedef struct tagIDLDESC {
  ULONG_PTR dwReserved;
  USHORT wIDLFlags;
} IDLDESC;

typedef struct tagPARAMDESCEX {
  ULONG cBytes;
  VARIANTARG varDefaultValue;
} PARAMDESCEX, *LPPARAMDESCEX;

typedef struct tagPARAMDESC {
  LPPARAMDESCEX pparamdescex;
  USHORT wParamFlags;
} PARAMDESC;

typedef struct tagELEMDESC {
  TYPEDESC tdesc;
  union {
    IDLDESC idldesc;
    PARAMDESC paramdesc;
  };
} ELEMDESC;

typedef struct tagTYPEATTR {
  GUID guid;
  LCID lcid;
  DWORD dwReserved;
  MEMBERID memidConstructor;
  MEMBERID memidDestructor;
  LPOLESTR lpstrSchema;
  ULONG cbSizeInstance;
  TYPEKIND typekind;
  WORD cFuncs;
  WORD cVars;
  WORD cImplTypes;
  WORD cbSizeVft;
  WORD cbAlignment;
  WORD wTypeFlags;
  WORD wMajorVerNum;
  WORD wMinorVerNum;
  TYPEDESC tdescAlias;
  IDLDESC idldescType;
} TYPEATTR;

typedef struct tagFUNCDESC {
  MEMBERID memid;
  SCODE* lprgscode;
  ELEMDESC* lprgelemdescParam;
  FUNCKIND funckind;
  INVOKEKIND invkind;
  CALLCONV callconv;
  SHORT cParams;
  SHORT cParamsOpt;
  SHORT oVft;
  SHORT cScodes;
  ELEMDESC elemdescFunc;
  WORD wFuncFlags;
} FUNCDESC;

typedef struct tagVARDESC VARDESC;

typedef struct tagTLIBATTR {
  GUID guid;
  LCID lcid;
  SYSKIND syskind;
  WORD wMajorVerNum;
  WORD wMinorVerNum;
  WORD wLibFlags;
} TLIBATTR;

#ifdef __cplusplus
struct ITypeLib;
struct ITypeComp;
#else
typedef struct ITypeLib ITypeLib;
typedef struct ITypeComp ITypeComp;
#endif

#ifdef __cplusplus
extern "C" {
#endif
extern const IID IID_ITypeInfo;
extern const IID IID_ITypeLib;
#ifdef __cplusplus
}
#endif

#ifdef __cplusplus

struct ITypeInfo : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** ppTypeAttr) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** ppTComp) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVarDesc(UINT index, VARDESC** ppVarDesc) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames,
                                             UINT* pcNames) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* pRefType) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* pImplTypeFlags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames,
                                                  MEMBERID* pMemId) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(void* pvInstance, MEMBERID memid, WORD wFlags,
                                           DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                           EXCEPINFO* pExcepInfo, UINT* puArgErr) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID memid, BSTR* pBstrName,
                                                     BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                                     BSTR* pBstrHelpFile) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID memid, INVOKEKIND invKind,
                                                BSTR* pBstrDllName, BSTR* pBstrName,
                                                WORD* pwOrdinal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE hRefType, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID memid, INVOKEKIND invKind,
                                                    void** ppv) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                   void** ppvObj) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMops(MEMBERID memid, BSTR* pBstrMops) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex) = 0;
  virtual void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* pTypeAttr) = 0;
  virtual void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC* pFuncDesc) = 0;
  virtual void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC* pVarDesc) = 0;
};

struct ITypeLib : public IUnknown {
  virtual UINT STDMETHODCALLTYPE GetTypeInfoCount() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoType(UINT index, TYPEKIND* pTKind) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTinfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLibAttr(TLIBATTR** ppTLibAttr) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** ppTComp) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDocumentation(INT index, BSTR* pBstrName,
                                                     BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                                     BSTR* pBstrHelpFile) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsName(LPOLESTR szNameBuf, ULONG lHashVal, BOOL* pfName) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindName(LPOLESTR szNameBuf, ULONG lHashVal,
                                             ITypeInfo** ppTInfo, MEMBERID* rgMemId,
                                             USHORT* pcFound) = 0;
  virtual void STDMETHODCALLTYPE ReleaseTLibAttr(TLIBATTR* pTLibAttr) = 0;
};

#else

typedef struct ITypeInfoVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(ITypeInfo* This, REFIID riid, void** ppvObject);
  ULONG(STDMETHODCALLTYPE* AddRef)(ITypeInfo* This);
  ULONG(STDMETHODCALLTYPE* Release)(ITypeInfo* This);
  HRESULT(STDMETHODCALLTYPE* GetTypeAttr)(ITypeInfo* This, TYPEATTR** ppTypeAttr);
  HRESULT(STDMETHODCALLTYPE* GetTypeComp)(ITypeInfo* This, ITypeComp** ppTComp);
  HRESULT(STDMETHODCALLTYPE* GetFuncDesc)(ITypeInfo* This, UINT index, FUNCDESC** ppFuncDesc);
  HRESULT(STDMETHODCALLTYPE* GetVarDesc)(ITypeInfo* This, UINT index, VARDESC** ppVarDesc);
  HRESULT(STDMETHODCALLTYPE* GetNames)
  (ITypeInfo* This, MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames);
  HRESULT(STDMETHODCALLTYPE* GetRefTypeOfImplType)(ITypeInfo* This, UINT index, HREFTYPE* pRefType);
  HRESULT(STDMETHODCALLTYPE* GetImplTypeFlags)(ITypeInfo* This, UINT index, INT* pImplTypeFlags);
  HRESULT(STDMETHODCALLTYPE* GetIDsOfNames)
  (ITypeInfo* This, LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId);
  HRESULT(STDMETHODCALLTYPE* Invoke)
  (ITypeInfo* This, void* pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);
  HRESULT(STDMETHODCALLTYPE* GetDocumentation)
  (ITypeInfo* This, MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
   BSTR* pBstrHelpFile);
  HRESULT(STDMETHODCALLTYPE* GetDllEntry)
  (ITypeInfo* This, MEMBERID memid, INVOKEKIND invKind, BSTR* pBstrDllName, BSTR* pBstrName,
   WORD* pwOrdinal);
  HRESULT(STDMETHODCALLTYPE* GetRefTypeInfo)
  (ITypeInfo* This, HREFTYPE hRefType, ITypeInfo** ppTInfo);
  HRESULT(STDMETHODCALLTYPE* AddressOfMember)
  (ITypeInfo* This, MEMBERID memid, INVOKEKIND invKind, void** ppv);
  HRESULT(STDMETHODCALLTYPE* CreateInstance)
  (ITypeInfo* This, IUnknown* pUnkOuter, REFIID riid, void** ppvObj);
  HRESULT(STDMETHODCALLTYPE* GetMops)(ITypeInfo* This, MEMBERID memid, BSTR* pBstrMops);
  HRESULT(STDMETHODCALLTYPE* GetContainingTypeLib)
  (ITypeInfo* This, ITypeLib** ppTLib, UINT* pIndex);
  void(STDMETHODCALLTYPE* ReleaseTypeAttr)(ITypeInfo* This, TYPEATTR* pTypeAttr);
  void(STDMETHODCALLTYPE* ReleaseFuncDesc)(ITypeInfo* This, FUNCDESC* pFuncDesc);
  void(STDMETHODCALLTYPE* ReleaseVarDesc)(ITypeInfo* This, VARDESC* pVarDesc);
} ITypeInfoVtbl;
struct ITypeInfo {
  const ITypeInfoVtbl* lpVtbl;
};

typedef struct ITypeLibVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(ITypeLib* This, REFIID riid, void** ppvObject);
  ULONG(STDMETHODCALLTYPE* AddRef)(ITypeLib* This);
  ULONG(STDMETHODCALLTYPE* Release)(ITypeLib* This);
  UINT(STDMETHODCALLTYPE* GetTypeInfoCount)(ITypeLib* This);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfo)(ITypeLib* This, UINT index, ITypeInfo** ppTInfo);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfoType)(ITypeLib* This, UINT index, TYPEKIND* pTKind);
  HRESULT(STDMETHODCALLTYPE* GetTypeInfoOfGuid)(ITypeLib* This, REFGUID guid, ITypeInfo** ppTinfo);
  HRESULT(STDMETHODCALLTYPE* GetLibAttr)(ITypeLib* This, TLIBATTR** ppTLibAttr);
  HRESULT(STDMETHODCALLTYPE* GetTypeComp)(ITypeLib* This, ITypeComp** ppTComp);
  HRESULT(STDMETHODCALLTYPE* GetDocumentation)
  (ITypeLib* This, INT index, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
   BSTR* pBstrHelpFile);
  HRESULT(STDMETHODCALLTYPE* IsName)
  (ITypeLib* This, LPOLESTR szNameBuf, ULONG lHashVal, BOOL* pfName);
  HRESULT(STDMETHODCALLTYPE* FindName)
  (ITypeLib* This, LPOLESTR szNameBuf, ULONG lHashVal, ITypeInfo** ppTInfo, MEMBERID* rgMemId,
   USHORT* pcFound);
  void(STDMETHODCALLTYPE* ReleaseTLibAttr)(ITypeLib* This, TLIBATTR* pTLibAttr);
} ITypeLibVtbl;
struct ITypeLib {
  const ITypeLibVtbl* lpVtbl;
};

#endif

#endif
