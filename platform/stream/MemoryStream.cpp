#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace Platform {

namespace {

// IUnknown's identifier, kept here so that the stream does not depend on the
// library that owns the shared definition.
constexpr IID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

HRESULT MemoryStream::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  if (riid == kIidUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
    *ppvObject = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

ULONG MemoryStream::AddRef() {
  return references_.fetch_add(1, std::memory_order_relaxed) + 1;
}

ULONG MemoryStream::Release() {
  const ULONG remaining = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT MemoryStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (cb == 0) return S_OK;
  if (!pv) return STG_E_INVALIDPOINTER;
  const std::uint64_t size = bytes_.size();
  if (position_ >= size) return S_OK;
  const ULONG count = ULONG(std::min<std::uint64_t>(cb, size - position_));
  std::memcpy(pv, bytes_.data() + position_, count);
  position_ += count;
  if (pcbRead) *pcbRead = count;
  return S_OK;
}

HRESULT MemoryStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (cb == 0) return S_OK;
  if (!pv) return STG_E_INVALIDPOINTER;
  if (position_ > kMaxSize || cb > kMaxSize - position_) return STG_E_MEDIUMFULL;
  const std::uint64_t end = position_ + cb;
  if (end > bytes_.size()) {
    const HRESULT hr = Resize(end);
    if (FAILED(hr)) return hr;
  }
  std::memcpy(bytes_.data() + position_, pv, cb);
  position_ = end;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

HRESULT MemoryStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                           ULARGE_INTEGER* plibNewPosition) {
  std::uint64_t base = 0;
  switch (dwOrigin) {
    case STREAM_SEEK_SET:
      base = 0;
      break;
    case STREAM_SEEK_CUR:
      base = position_;
      break;
    case STREAM_SEEK_END:
      base = bytes_.size();
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  const std::int64_t move = dlibMove.QuadPart;
  std::uint64_t target = 0;
  if (move < 0) {
    // Computed without negating move, which would overflow for INT64_MIN.
    const std::uint64_t back = std::uint64_t(-(move + 1)) + 1;
    if (back > base) return STG_E_INVALIDFUNCTION;
    target = base - back;
  } else {
    // Positions stay within the signed range, so that any of them can be
    // reached again with a signed move from the start.
    const std::uint64_t forward = std::uint64_t(move);
    if (forward > std::uint64_t(std::numeric_limits<std::int64_t>::max()) - base) {
      return STG_E_INVALIDFUNCTION;
    }
    target = base + forward;
  }
  position_ = target;
  if (plibNewPosition) plibNewPosition->QuadPart = position_;
  return S_OK;
}

HRESULT MemoryStream::SetSize(ULARGE_INTEGER libNewSize) {
  return Resize(libNewSize.QuadPart);
}

HRESULT MemoryStream::Resize(std::uint64_t size) {
  if (size > kMaxSize) return STG_E_MEDIUMFULL;
  try {
    bytes_.resize(std::size_t(size));
  } catch (const std::bad_alloc&) {
    return STG_E_MEDIUMFULL;
  } catch (const std::length_error&) {
    return STG_E_MEDIUMFULL;
  }
  return S_OK;
}

HRESULT MemoryStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
  return E_NOTIMPL;
}

HRESULT MemoryStream::Commit(DWORD) {
  return E_NOTIMPL;
}

HRESULT MemoryStream::Revert() {
  return E_NOTIMPL;
}

HRESULT MemoryStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return E_NOTIMPL;
}

HRESULT MemoryStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return E_NOTIMPL;
}

HRESULT MemoryStream::Stat(STATSTG* pstatstg, DWORD /*grfStatFlag*/) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  // A memory stream has no name, so every flag gives the same answer.
  *pstatstg = STATSTG{};
  pstatstg->type = STGTY_STREAM;
  pstatstg->cbSize.QuadPart = bytes_.size();
  return S_OK;
}

HRESULT MemoryStream::Clone(IStream** ppstm) {
  if (ppstm) *ppstm = nullptr;
  return E_NOTIMPL;
}

}  // namespace Platform
