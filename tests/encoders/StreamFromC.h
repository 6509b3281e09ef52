// Calls made through the C form of IStream's function table.
#pragma once

#include "objidl.h"

extern "C" {
// Writes size bytes, seeks back to the start, reads them into back, reads
// the size through Stat and asks for IUnknown, releasing what it got.
// Returns the first failure, or S_OK.
HRESULT RoundTripThroughCTable(IStream* stream, const BYTE* data, ULONG size, BYTE* back,
                               ULONGLONG* statSize);
}
