/* Round-trips the Captcha class's identity through the installed ole32, with
 * the installed headers; prints it. */
#include <stdio.h>

#include "MirelGlyphward.h"
#include "objbase.h"

int main(void) {
  static const WCHAR kClsid[] = u"{D53E867E-CF73-48EB-A052-A6369CF45F59}";
  CLSID clsid;
  WCHAR text[CHARS_IN_GUID];
  char narrow[CHARS_IN_GUID];
  int i;
  ICaptcha* unused = NULL;
  (void)unused;
  if (CLSIDFromString(kClsid, &clsid) != S_OK) return 1;
  if (StringFromGUID2(&clsid, text, CHARS_IN_GUID) != CHARS_IN_GUID) return 1;
  for (i = 0; i < CHARS_IN_GUID; ++i) narrow[i] = (char)text[i];
  puts(narrow);
  return 0;
}
