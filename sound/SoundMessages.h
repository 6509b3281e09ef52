// The texts with which sound assembly fails. The engine raises them as
// std::string; the interface layer hands them to the caller as the error
// description.
#pragma once

namespace MirelGlyphward {

inline constexpr const char* kLetterNotFound = "Letter not found in lookup table !";
inline constexpr const char* kTextRawDataAllocationFailed =
    "Failed to allocate the memory for text raw data array!";
inline constexpr const char* kWaveAllocationFailed =
    "Failed to allocate the memory for the data for header and raw sound bytes!";
inline constexpr const char* kResourcesMissing = "Failed to load the sound resources!";
inline constexpr const char* kResourcesDamaged = "The sound resources are damaged!";
inline constexpr const char* kCodeTooLong = "The code is too long to be spoken!";

}  // namespace MirelGlyphward
