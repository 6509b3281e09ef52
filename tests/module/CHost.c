/* A host written in C: loads MirelGlyphward.so itself ("direct") or through
 * its registration ("progid"), and drives a Captcha object through its
 * function table only. Prints each failed check and exits 1 if there was one.
 *
 *   module_c_host direct MODULE
 *   module_c_host progid
 *   module_c_host unregistered
 */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>
#include <uchar.h>

#include "MirelGlyphward.h"
#include "objbase.h"

static int failures = 0;

#define CHECK(condition)                                                            \
  do {                                                                              \
    if (!(condition)) {                                                             \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                                   \
    }                                                                               \
  } while (0)

static const WCHAR kProgId[] = u"Mirel.Glyphward.1";
static const WCHAR kCaptchaClsid[] = u"{D53E867E-CF73-48EB-A052-A6369CF45F59}";
static const WCHAR kCaptchaIid[] = u"{5E10E3B8-D844-48B8-AEF1-7E051D54426C}";

/* Whether a BSTR holds exactly the ASCII text. */
static int Equals(BSTR text, const char* ascii) {
  size_t i;
  if (!text) return 0;
  if (SysStringLen(text) != strlen(ascii)) return 0;
  for (i = 0; ascii[i]; ++i)
    if (text[i] != (WCHAR)ascii[i]) return 0;
  return 1;
}

static BSTR Make(const char* ascii) {
  WCHAR wide[64];
  size_t i;
  for (i = 0; ascii[i] && i < 63; ++i) wide[i] = (WCHAR)ascii[i];
  wide[i] = 0;
  return SysAllocString(wide);
}

static LONG GetLong(ICaptcha* captcha, HRESULT(STDMETHODCALLTYPE* get)(ICaptcha*, LONG*)) {
  LONG value = -12345;
  CHECK(get(captcha, &value) == S_OK);
  return value;
}

/* Checks a byte-array VARIANT and, when it holds bytes, their signature. */
static void CheckBytes(VARIANT* result, const unsigned char* signature, size_t length) {
  LONG lower = -1, upper = -2;
  void* data = NULL;
  CHECK(result->vt == (VT_ARRAY | VT_UI1));
  if (result->vt != (VT_ARRAY | VT_UI1)) return;
  CHECK(SafeArrayGetDim(result->parray) == 1);
  CHECK(SafeArrayGetLBound(result->parray, 1, &lower) == S_OK && lower == 0);
  CHECK(SafeArrayGetUBound(result->parray, 1, &upper) == S_OK && upper + 1 >= (LONG)length);
  if (upper + 1 >= (LONG)length && SafeArrayAccessData(result->parray, &data) == S_OK) {
    CHECK(memcmp(data, signature, length) == 0);
    SafeArrayUnaccessData(result->parray);
  }
}

static void CheckFailureReport(const char* description) {
  IErrorInfo* info = NULL;
  BSTR text = NULL;
  CHECK(GetErrorInfo(0, &info) == S_OK && info != NULL);
  if (!info) return;
  CHECK(info->lpVtbl->GetDescription(info, &text) == S_OK && Equals(text, description));
  SysFreeString(text);
  text = NULL;
  CHECK(info->lpVtbl->GetSource(info, &text) == S_OK && Equals(text, "Mirel.Glyphward.1"));
  SysFreeString(text);
  info->lpVtbl->Release(info);
}

static void Drive(ICaptcha* captcha) {
  const ICaptchaVtbl* v = captcha->lpVtbl;
  BSTR text = NULL;
  VARIANT result;
  static const unsigned char kPng[] = {0x89, 'P', 'N', 'G'};
  static const unsigned char kRiff[] = {'R', 'I', 'F', 'F'};

  /* A fresh module's settings. */
  CHECK(GetLong(captcha, v->get_ImageWidth) == 250);
  CHECK(GetLong(captcha, v->get_ImageHeight) == 50);
  CHECK(GetLong(captcha, v->get_CodeLength) == 5);
  CHECK(GetLong(captcha, v->get_TextStyle) == 31);
  CHECK(GetLong(captcha, v->get_CodeType) == 0);
  CHECK(v->get_Format(captcha, &text) == S_OK && Equals(text, "JPEG"));
  SysFreeString(text);
  CHECK(v->GetValue(captcha, &text) == S_OK && Equals(text, ""));
  SysFreeString(text);

  /* Round trips, with the store rules applied. */
  CHECK(v->put_ImageHeight(captcha, 5) == S_OK);
  CHECK(GetLong(captcha, v->get_ImageHeight) == 10);
  CHECK(v->put_ImageHeight(captcha, 60) == S_OK);
  CHECK(v->put_CodeLength(captcha, 7) == S_OK);
  CHECK(GetLong(captcha, v->get_CodeLength) == 7);
  text = Make("png");
  CHECK(v->put_Format(captcha, text) == S_OK);
  SysFreeString(text);
  CHECK(v->get_Format(captcha, &text) == S_OK && Equals(text, "PNG"));
  SysFreeString(text);

  /* Pictures and sounds come back as byte arrays. */
  VariantInit(&result);
  CHECK(v->CreateImage(captcha, &result) == S_OK);
  CheckBytes(&result, kPng, sizeof kPng);
  VariantClear(&result);
  CHECK(v->GetValue(captcha, &text) == S_OK && SysStringLen(text) == 7);
  SysFreeString(text);
  CHECK(v->CreateSound(captcha, &result) == S_OK);
  CheckBytes(&result, kRiff, sizeof kRiff);
  VariantClear(&result);

  /* A failed creation: E_FAIL, the result untouched, the reason in the
   * thread's error information. */
  CHECK(v->put_CodeLength(captcha, 100000) == S_OK);
  CHECK(v->CreateImage(captcha, &result) == E_FAIL);
  CHECK(result.vt == VT_EMPTY);
  CheckFailureReport("The code length is too large !");
  CHECK(v->put_CodeLength(captcha, 5) == S_OK);
}

/* Calls by name through the IDispatch half: a property and a picture. */
static void DriveByName(ICaptcha* captcha) {
  static const unsigned char kPng[] = {0x89, 'P', 'N', 'G'};
  WCHAR width[] = {'i', 'M', 'A', 'G', 'E', 'w', 'I', 'D', 'T', 'H', 0};
  WCHAR image[] = {'c', 'r', 'e', 'a', 't', 'e', 'i', 'm', 'a', 'g', 'e', 0};
  LPOLESTR names[1];
  DISPID id = -99;
  DISPPARAMS none = {NULL, NULL, 0, 0};
  VARIANT result;
  names[0] = width;
  CHECK(captcha->lpVtbl->GetIDsOfNames(captcha, &IID_NULL, names, 1, 0, &id) == S_OK);
  CHECK(id == 1);
  VariantInit(&result);
  CHECK(captcha->lpVtbl->Invoke(captcha, id, &IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                                NULL, NULL) == S_OK);
  CHECK(result.vt == VT_I4 && result.lVal == 250);

  names[0] = image;
  CHECK(captcha->lpVtbl->GetIDsOfNames(captcha, &IID_NULL, names, 1, 0, &id) == S_OK);
  CHECK(id == 9);
  VariantInit(&result);
  CHECK(captcha->lpVtbl->Invoke(captcha, id, &IID_NULL, 0, DISPATCH_METHOD, &none, &result, NULL,
                                NULL) == S_OK);
  CheckBytes(&result, kPng, sizeof kPng);
  VariantClear(&result);
}

static int Direct(const char* path) {
  void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  LPFNGETCLASSOBJECT getClassObject;
  LPFNCANUNLOADNOW canUnloadNow;
  const CLSID* clsid;
  const IID* iid;
  IClassFactory* factory = NULL;
  ICaptcha* captcha = NULL;
  CHECK(module != NULL);
  if (!module) return 1;
  getClassObject = (LPFNGETCLASSOBJECT)dlsym(module, "DllGetClassObject");
  canUnloadNow = (LPFNCANUNLOADNOW)dlsym(module, "DllCanUnloadNow");
  clsid = (const CLSID*)dlsym(module, "CLSID_Captcha");
  iid = (const IID*)dlsym(module, "IID_ICaptcha");
  CHECK(getClassObject && canUnloadNow && clsid && iid);
  if (!getClassObject || !canUnloadNow || !clsid || !iid) return 1;
  CHECK(getClassObject(clsid, &IID_IClassFactory, (void**)&factory) == S_OK);
  if (!factory) return 1;
  CHECK(factory->lpVtbl->CreateInstance(factory, NULL, iid, (void**)&captcha) == S_OK);
  factory->lpVtbl->Release(factory);
  if (!captcha) return 1;
  Drive(captcha);
  CHECK(canUnloadNow() == S_FALSE);
  captcha->lpVtbl->Release(captcha);
  CHECK(canUnloadNow() == S_OK);
  dlclose(module);
  return failures ? 1 : 0;
}

static int ByProgId(void) {
  CLSID clsid;
  IID iid;
  ICaptcha* captcha = NULL;
  CHECK(CoInitialize(NULL) == S_OK);
  CHECK(CLSIDFromProgID(kProgId, &clsid) == S_OK);
  CHECK(IIDFromString(kCaptchaIid, &iid) == S_OK);
  CHECK(CoCreateInstance(&clsid, NULL, CLSCTX_INPROC_SERVER, &iid, (void**)&captcha) == S_OK);
  if (!captcha) return 1;
  Drive(captcha);
  DriveByName(captcha);
  captcha->lpVtbl->Release(captcha);
  CoFreeUnusedLibraries();
  CoUninitialize();
  return failures ? 1 : 0;
}

static int Unregistered(void) {
  CLSID clsid;
  IID iid;
  void* object = (void*)&clsid;
  CHECK(CLSIDFromProgID(kProgId, &clsid) == CO_E_CLASSSTRING);
  CHECK(IIDFromString(kCaptchaIid, &iid) == S_OK);
  CHECK(CLSIDFromString(kCaptchaClsid, &clsid) == S_OK);
  CHECK(CoCreateInstance(&clsid, NULL, CLSCTX_INPROC_SERVER, &iid, &object) == REGDB_E_CLASSNOTREG);
  CHECK(object == NULL);
  return failures ? 1 : 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && strcmp(argv[1], "direct") == 0) return Direct(argv[2]);
  if (argc == 2 && strcmp(argv[1], "progid") == 0) return ByProgId();
  if (argc == 2 && strcmp(argv[1], "unregistered") == 0) return Unregistered();
  fprintf(stderr, "usage: module_c_host direct MODULE | progid | unregistered\n");
  return 2;
}
