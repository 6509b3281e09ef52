#include "objidl.h"

/* The C view of a stream made in C++: every call goes through lpVtbl, so a
 * wrong slot order shows up as a wrong result or a crash. */
HRESULT RoundTripThroughCTable(IStream* stream, const BYTE* data, ULONG size, BYTE* back,
                               ULONGLONG* statSize) {
  static const IID unknownIid = {
      0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
  ULONG done = 0;
  LARGE_INTEGER start;
  ULARGE_INTEGER position;
  STATSTG stat;
  void* unknown = NULL;
  HRESULT hr = stream->lpVtbl->Write(stream, data, size, &done);
  if (FAILED(hr) || done != size) return FAILED(hr) ? hr : E_FAIL;
  start.QuadPart = 0;
  hr = stream->lpVtbl->Seek(stream, start, STREAM_SEEK_SET, &position);
  if (FAILED(hr) || position.QuadPart != 0) return FAILED(hr) ? hr : E_FAIL;
  hr = stream->lpVtbl->Read(stream, back, size, &done);
  if (FAILED(hr) || done != size) return FAILED(hr) ? hr : E_FAIL;
  hr = stream->lpVtbl->Stat(stream, &stat, STATFLAG_NONAME);
  if (FAILED(hr)) return hr;
  *statSize = stat.cbSize.QuadPart;
  hr = stream->lpVtbl->QueryInterface(stream, &unknownIid, &unknown);
  if (FAILED(hr)) return hr;
  stream->lpVtbl->Release((IStream*)unknown);
  return stream->lpVtbl->Clone(stream, NULL) == E_NOTIMPL ? S_OK : E_FAIL;
}
