/* A host in plain C: creates a Captcha object by its ProgID, writes a picture
 * and a sound of one new code, and prints the code and its hash.
 *
 *   glyphward register /usr/lib/glyphward/MirelGlyphward.so   (once)
 *   c-host PICTURE SOUND
 *
 * The picture is a JPEG (the object's default format), the sound a WAV file. */
#include <stdio.h>
#include <stdlib.h>

#include "MirelGlyphward.h"
#include "objbase.h"

/* The interface's identity. MirelGlyphward.h declares IID_ICaptcha, but only
 * the module defines it, and a host never links the module. */
static const WCHAR kCaptchaIid[] = u"{5E10E3B8-D844-48B8-AEF1-7E051D54426C}";
static const WCHAR kProgId[] = u"Mirel.Glyphward";

/* Reports a failed call with the component's own explanation, when it left
 * one in the thread's error information. */
static int Failed(const char* what, HRESULT hr) {
  IErrorInfo* info = NULL;
  BSTR description = NULL;
  char text[512] = "";
  if (GetErrorInfo(0, &info) == S_OK && info) {
    if (info->lpVtbl->GetDescription(info, &description) == S_OK && description)
      WideCharToMultiByte(CP_UTF8, 0, description, -1, text, (int)sizeof text, NULL, NULL);
    SysFreeString(description);
    info->lpVtbl->Release(info);
  }
  fprintf(stderr, "c-host: %s failed (status 0x%08X)%s%s\n", what, (unsigned)hr, *text ? ": " : "",
          text);
  return 0;
}

/* Writes the bytes of a VT_ARRAY | VT_UI1 result to a file and clears it. */
static int WriteBytes(VARIANT* result, const char* path) {
  LONG lower = 0, upper = -1;
  void* data = NULL;
  FILE* file;
  int ok = 0;
  if (result->vt != (VT_ARRAY | VT_UI1) || !result->parray ||
      SafeArrayGetLBound(result->parray, 1, &lower) != S_OK ||
      SafeArrayGetUBound(result->parray, 1, &upper) != S_OK || upper < lower) {
    fprintf(stderr, "c-host: the component returned no bytes for %s\n", path);
    VariantClear(result);
    return 0;
  }
  file = fopen(path, "wb");
  if (!file) {
    perror(path);
  } else if (SafeArrayAccessData(result->parray, &data) == S_OK) {
    const size_t size = (size_t)upper - (size_t)lower + 1;
    ok = fwrite(data, 1, size, file) == size;
    SafeArrayUnaccessData(result->parray);
  }
  if (file && fclose(file) != 0) ok = 0;
  if (file && !ok) fprintf(stderr, "c-host: cannot write %s\n", path);
  VariantClear(result);
  return ok;
}

/* Prints a BSTR as UTF-8 after a label. */
static void PrintText(const char* label, BSTR text) {
  char narrow[512] = "";
  if (text) WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, (int)sizeof narrow, NULL, NULL);
  printf("%s: %s\n", label, narrow);
}

static int Run(ICaptcha* captcha, const char* picturePath, const char* soundPath) {
  const ICaptchaVtbl* v = captcha->lpVtbl;
  VARIANT result;
  BSTR code = NULL, hash = NULL;
  HRESULT hr;
  int ok = 0;

  VariantInit(&result);
  if (FAILED(hr = v->CreateImage(captcha, &result))) return Failed("CreateImage", hr);
  if (!WriteBytes(&result, picturePath)) return 0;
  /* The picture made a new code; the sound speaks that same code. */
  if (FAILED(hr = v->GetValue(captcha, &code))) return Failed("GetValue", hr);
  if (FAILED(hr = v->GetHashValue(captcha, &hash))) {
    Failed("GetHashValue", hr);
  } else if (FAILED(hr = v->CreateSoundFromCode(captcha, code, &result))) {
    Failed("CreateSoundFromCode", hr);
  } else if (WriteBytes(&result, soundPath)) {
    PrintText("code", code);
    PrintText("hash", hash);
    ok = 1;
  }
  SysFreeString(hash);
  SysFreeString(code);
  return ok;
}

int main(int argc, char** argv) {
  CLSID clsid;
  IID iid;
  ICaptcha* captcha = NULL;
  HRESULT hr;
  int ok = 0;

  if (argc != 3) {
    fprintf(stderr, "usage: %s PICTURE SOUND\n", argv[0]);
    return 2;
  }
  CoInitialize(NULL);
  if (FAILED(hr = CLSIDFromProgID(kProgId, &clsid))) {
    fprintf(stderr,
            "c-host: Mirel.Glyphward is not registered (status 0x%08X); run "
            "'glyphward register MODULE' first\n",
            (unsigned)hr);
  } else if (FAILED(hr = IIDFromString(kCaptchaIid, &iid))) {
    Failed("IIDFromString", hr);
  } else if (FAILED(hr = CoCreateInstance(&clsid, NULL, CLSCTX_INPROC_SERVER, &iid,
                                          (void**)&captcha))) {
    Failed("CoCreateInstance", hr);
  } else {
    ok = Run(captcha, argv[1], argv[2]);
    captcha->lpVtbl->Release(captcha);
  }
  CoFreeUnusedLibraries();
  CoUninitialize();
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
