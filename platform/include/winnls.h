/* Code-page conversions. The ANSI code page of this platform is Windows-1252;
 * UTF-8 is offered too for hosts that speak it. */
#ifndef GLYPHWARD_WINNLS_H
#define GLYPHWARD_WINNLS_H

#include "windef.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400

#define ERROR_SUCCESS 0L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#define ERROR_INVALID_FLAGS 1004L

#ifdef __cplusplus
extern "C" {
#endif

GLYPHWARD_EXPORT int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                                int cbMultiByte, LPWSTR lpWideCharStr,
                                                int cchWideChar);
GLYPHWARD_EXPORT int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                                int cchWideChar, LPSTR lpMultiByteStr,
                                                int cbMultiByte, LPCSTR lpDefaultChar,
                                                BOOL* lpUsedDefaultChar);
GLYPHWARD_EXPORT UINT WINAPI GetACP(void);
GLYPHWARD_EXPORT DWORD WINAPI GetLastError(void);
GLYPHWARD_EXPORT void WINAPI SetLastError(DWORD dwErrCode);

#ifdef __cplusplus
}
#endif

#endif
