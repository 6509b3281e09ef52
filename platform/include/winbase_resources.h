/* Module resources through the kernel calls that Windows code uses to reach
 * them. A module's resources are byte arrays embedded into it at build time
 * and registered under its handle (see glyphward_resources.h); they stay
 * mapped for the life of the module, so nothing here allocates or frees. */
#ifndef GLYPHWARD_WINBASE_RESOURCES_H
#define GLYPHWARD_WINBASE_RESOURCES_H

#include "windef.h"

/* Every module links its own copy of these calls; they are not part of any
 * module's exported surface. */
#define GLYPHWARD_MODULE_LOCAL __attribute__((visibility("hidden")))

#ifdef __cplusplus
extern "C" {
#endif

/* Names and types are strings (compared without regard to ASCII case, "#203"
 * standing for the number) or numbers made with MAKEINTRESOURCEA. A null
 * module means the program's executable. Returns NULL when the module has no
 * such resource. */
GLYPHWARD_MODULE_LOCAL HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);

/* 0 when hResInfo is not a resource of hModule. */
GLYPHWARD_MODULE_LOCAL DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

/* NULL when hResInfo is not a resource of hModule. */
GLYPHWARD_MODULE_LOCAL HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);

/* The first byte of the loaded resource; the data is read-only. */
GLYPHWARD_MODULE_LOCAL LPVOID WINAPI LockResource(HGLOBAL hResData);

/* Resources live as long as their module; like current Windows this does
 * nothing and returns FALSE. */
GLYPHWARD_MODULE_LOCAL BOOL WINAPI FreeResource(HGLOBAL hResData);

#ifdef __cplusplus
}
#endif

#endif
