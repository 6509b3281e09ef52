/* The registry subset that registration and hosts need: keys with named
 * string values under HKEY_CLASSES_ROOT, with the Windows names, signatures
 * and ERROR_* return codes. The tree is kept in one file (see README.md,
 * "Registration"); a file that cannot be read as a registry is reported as
 * ERROR_BADDB and never rewritten. */
#ifndef GLYPHWARD_WINREG_H
#define GLYPHWARD_WINREG_H

#include "windef.h"

typedef LONG LSTATUS;
typedef DWORD REGSAM;
typedef DWORD ACCESS_MASK;

/* Sign-extended as on 64-bit Windows. Only HKEY_CLASSES_ROOT is kept; the
 * other roots give ERROR_INVALID_HANDLE. */
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4

#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0L
#endif
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#ifndef ERROR_NOT_ENOUGH_MEMORY
#define ERROR_NOT_ENOUGH_MEMORY 8L
#endif
#define ERROR_OUTOFMEMORY 14L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_NOT_SUPPORTED 50L
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87L
#endif
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_BADDB 1009L
#define ERROR_CANTOPEN 1011L
#define ERROR_CANTREAD 1012L
#define ERROR_CANTWRITE 1013L
#define ERROR_KEY_DELETED 1018L

#define HRESULT_FROM_WIN32(x) \
  ((HRESULT)(x) <= 0 ? ((HRESULT)(x)) : ((HRESULT)(((x)&0x0000FFFF) | (7 << 16) | 0x80000000)))

#ifdef __cplusplus
extern "C" {
#endif

GLYPHWARD_EXPORT LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved,
                                                LPWSTR lpClass, DWORD dwOptions, REGSAM samDesired,
                                                void* lpSecurityAttributes, HKEY* phkResult,
                                                DWORD* lpdwDisposition);
GLYPHWARD_EXPORT LSTATUS WINAPI RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, HKEY* phkResult);
GLYPHWARD_EXPORT LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions,
                                              REGSAM samDesired, HKEY* phkResult);
GLYPHWARD_EXPORT LSTATUS WINAPI RegCloseKey(HKEY hKey);
GLYPHWARD_EXPORT LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved,
                                               DWORD dwType, const BYTE* lpData, DWORD cbData);
GLYPHWARD_EXPORT LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD* lpReserved,
                                                 DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
GLYPHWARD_EXPORT LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);
GLYPHWARD_EXPORT LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
GLYPHWARD_EXPORT LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey);
GLYPHWARD_EXPORT LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName,
                                              DWORD* lpcchName, DWORD* lpReserved, LPWSTR lpClass,
                                              DWORD* lpcchClass, void* lpftLastWriteTime);
GLYPHWARD_EXPORT LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName,
                                              DWORD* lpcchValueName, DWORD* lpReserved,
                                              DWORD* lpType, BYTE* lpData, DWORD* lpcbData);

#ifdef __cplusplus
}
#endif

#endif
