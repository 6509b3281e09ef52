#include "LimitedStream.h"

#include <algorithm>

namespace encoder_tests {

HRESULT LimitedStream::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  *ppvObject = nullptr;
  if (riid != IID_IStream && riid != IID_ISequentialStream) return E_NOINTERFACE;
  *ppvObject = static_cast<IStream*>(this);
  AddRef();
  return S_OK;
}

HRESULT LimitedStream::Read(void*, ULONG, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  return S_OK;
}

// Takes what still fits and reports the shortfall, the way a full medium
// does; a write that fits entirely succeeds.
HRESULT LimitedStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  const std::uint64_t room = limit_ - std::min<std::uint64_t>(limit_, bytes_.size());
  const ULONG taken = ULONG(std::min<std::uint64_t>(room, cb));
  const auto* data = static_cast<const std::uint8_t*>(pv);
  bytes_.insert(bytes_.end(), data, data + taken);
  if (pcbWritten) *pcbWritten = taken;
  return taken == cb ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT LimitedStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  // Only reports where it is; the encoders never need to move it.
  if (move.QuadPart != 0 || origin != STREAM_SEEK_CUR) return STG_E_INVALIDFUNCTION;
  if (position) position->QuadPart = bytes_.size();
  return S_OK;
}

}  // namespace encoder_tests
