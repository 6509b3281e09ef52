/* ISequentialStream and IStream with COM's function-table layout, their
 * STATSTG description, and the memory stream constructor. C++ sees abstract
 * structs without virtual destructors (so the table holds exactly the
 * methods, in order); C sees the same tables through lpVtbl. */
#ifndef GLYPHWARD_OBJIDL_H
#define GLYPHWARD_OBJIDL_H

#include "unknwn.h"
#include "windef.h"
#include "winerror.h"

#ifndef GLYPHWARD_FILETIME_DEFINED
#define GLYPHWARD_FILETIME_DEFINED
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME;
#endif

typedef enum tagSTREAM_SEEK {
  STREAM_SEEK_SET = 0,
  STREAM_SEEK_CUR = 1,
  STREAM_SEEK_END = 2
} STREAM_SEEK;

typedef enum tagSTGTY {
  STGTY_STORAGE = 1,
  STGTY_STREAM = 2,
  STGTY_LOCKBYTES = 3,
  STGTY_PROPERTY = 4
} STGTY;

typedef enum tagSTATFLAG {
  STATFLAG_DEFAULT = 0,
  STATFLAG_NONAME = 1,
  STATFLAG_NOOPEN = 2
} STATFLAG;

typedef struct tagSTATSTG {
  LPOLESTR pwcsName;
  DWORD type;
  ULARGE_INTEGER cbSize;
  FILETIME mtime;
  FILETIME ctime;
  FILETIME atime;
  DWORD grfMode;
  DWORD grfLocksSupported;
  CLSID clsid;
  DWORD grfStateBits;
  DWORD reserved;
} STATSTG;

#ifdef __cplusplus
extern "C" {
#endif
extern const IID IID_ISequentialStream;
extern const IID IID_IStream;
#ifdef __cplusplus
}
#endif

#ifdef __cplusplus

struct ISequentialStream : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  virtual HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
};

struct IStream : public ISequentialStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                         ULARGE_INTEGER* plibNewPosition) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) = 0;
  virtual HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb,
                                           ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) = 0;
  virtual HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Revert() = 0;
  virtual HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                               DWORD dwLockType) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                                 DWORD dwLockType) = 0;
  virtual HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
  virtual HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) = 0;
};

#else

/* Kept by hand: the formatter splits these pointer declarations badly. */
/* clang-format off */
typedef struct ISequentialStream ISequentialStream;
typedef struct ISequentialStreamVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(ISequentialStream* This, REFIID riid,
                                             void** ppvObject);
  ULONG(STDMETHODCALLTYPE* AddRef)(ISequentialStream* This);
  ULONG(STDMETHODCALLTYPE* Release)(ISequentialStream* This);
  HRESULT(STDMETHODCALLTYPE* Read)(ISequentialStream* This, void* pv, ULONG cb, ULONG* pcbRead);
  HRESULT(STDMETHODCALLTYPE* Write)(ISequentialStream* This, const void* pv, ULONG cb,
                                    ULONG* pcbWritten);
} ISequentialStreamVtbl;
struct ISequentialStream {
  const ISequentialStreamVtbl* lpVtbl;
};

typedef struct IStream IStream;
typedef struct IStreamVtbl {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(IStream* This, REFIID riid, void** ppvObject);
  ULONG(STDMETHODCALLTYPE* AddRef)(IStream* This);
  ULONG(STDMETHODCALLTYPE* Release)(IStream* This);
  HRESULT(STDMETHODCALLTYPE* Read)(IStream* This, void* pv, ULONG cb, ULONG* pcbRead);
  HRESULT(STDMETHODCALLTYPE* Write)(IStream* This, const void* pv, ULONG cb, ULONG* pcbWritten);
  HRESULT(STDMETHODCALLTYPE* Seek)(IStream* This, LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                   ULARGE_INTEGER* plibNewPosition);
  HRESULT(STDMETHODCALLTYPE* SetSize)(IStream* This, ULARGE_INTEGER libNewSize);
  HRESULT(STDMETHODCALLTYPE* CopyTo)(IStream* This, IStream* pstm, ULARGE_INTEGER cb,
                                     ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten);
  HRESULT(STDMETHODCALLTYPE* Commit)(IStream* This, DWORD grfCommitFlags);
  HRESULT(STDMETHODCALLTYPE* Revert)(IStream* This);
  HRESULT(STDMETHODCALLTYPE* LockRegion)(IStream* This, ULARGE_INTEGER libOffset,
                                         ULARGE_INTEGER cb, DWORD dwLockType);
  HRESULT(STDMETHODCALLTYPE* UnlockRegion)(IStream* This, ULARGE_INTEGER libOffset,
                                           ULARGE_INTEGER cb, DWORD dwLockType);
  HRESULT(STDMETHODCALLTYPE* Stat)(IStream* This, STATSTG* pstatstg, DWORD grfStatFlag);
  HRESULT(STDMETHODCALLTYPE* Clone)(IStream* This, IStream** ppstm);
} IStreamVtbl;
struct IStream {
  const IStreamVtbl* lpVtbl;
};
/* clang-format on */

#endif

/* Creates a stream over memory that grows as it is written. Only hGlobal ==
 * NULL (the stream allocates its own memory) is supported; any other handle
 * gives E_INVALIDARG. The memory always belongs to the stream and goes with
 * its last Release, whatever fDeleteOnRelease says, since the caller holds no
 * handle to it. */
STDAPI CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, IStream** ppstm);

#endif
