#include <mutex>

#include "CaptchaEngine.h"
#include "MirelGlyphward.h"
#include "RandomSource.h"

using MirelGlyphward::CaptchaEngine;
using MirelGlyphward::CurrentRandomSource;

extern "C" {

HRESULT STDAPICALLTYPE GlyphwardSetSeed(LONG seed) {
  std::lock_guard<std::mutex> lock(CaptchaEngine::Instance().Mutex());
  return CurrentRandomSource().Seed(seed) ? S_OK : E_INVALIDARG;
}

HRESULT STDAPICALLTYPE GlyphwardGetEngineSteps(ULONGLONG* steps) {
  if (!steps) return E_POINTER;
  std::lock_guard<std::mutex> lock(CaptchaEngine::Instance().Mutex());
  *steps = CurrentRandomSource().Steps();
  return S_OK;
}

}  // extern "C"
