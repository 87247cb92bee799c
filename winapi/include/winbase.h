/* kernel32 of the Linux build: files and folders in the Wine-style prefix, the module and its
 * resources, the process and the programs it starts, profile files, code-page conversion.
 * Names, constants and error codes are those of the real platform. */
#ifndef WINAPI_WINBASE_H
#define WINAPI_WINBASE_H

#include "windef.h"
#include "winnt.h"

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

/* CreateFileA dispositions */
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define CP_ACP 0


typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

/* Overlapped input and output is not offered; ReadFile and WriteFile take NULL. */
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

typedef struct _WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAA LPWIN32_FIND_DATA;

/* Errors */
WINAPI_EXTERN_C DWORD WINAPI GetLastError(void);
WINAPI_EXTERN_C void WINAPI SetLastError(DWORD dwErrCode);

/* Files */
WINAPI_EXTERN_C HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                          HANDLE hTemplateFile);
WINAPI_EXTERN_C BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
WINAPI_EXTERN_C BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
WINAPI_EXTERN_C DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
WINAPI_EXTERN_C BOOL WINAPI CloseHandle(HANDLE hObject);
WINAPI_EXTERN_C DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName);
WINAPI_EXTERN_C BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
WINAPI_EXTERN_C BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008
WINAPI_EXTERN_C BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);

/* Folders and paths */
WINAPI_EXTERN_C BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
WINAPI_EXTERN_C BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName);
WINAPI_EXTERN_C BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName);
WINAPI_EXTERN_C DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
WINAPI_EXTERN_C DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer,
                                              LPSTR *lpFilePart);
WINAPI_EXTERN_C DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
WINAPI_EXTERN_C UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize);
WINAPI_EXTERN_C HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
WINAPI_EXTERN_C BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
WINAPI_EXTERN_C BOOL WINAPI FindClose(HANDLE hFindFile);
WINAPI_EXTERN_C BOOL WINAPI GetDiskFreeSpaceA(LPCSTR lpRootPathName, LPDWORD lpSectorsPerCluster,
                                              LPDWORD lpBytesPerSector, LPDWORD lpNumberOfFreeClusters,
                                              LPDWORD lpTotalNumberOfClusters);

/* Profile (INI) files */
WINAPI_EXTERN_C DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
WINAPI_EXTERN_C UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                                  LPCSTR lpFileName);
WINAPI_EXTERN_C BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                                       LPCSTR lpFileName);

/* The module, its command line and its resources */
WINAPI_EXTERN_C HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
WINAPI_EXTERN_C DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
WINAPI_EXTERN_C LPSTR WINAPI GetCommandLineA(void);
WINAPI_EXTERN_C HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
WINAPI_EXTERN_C HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
WINAPI_EXTERN_C DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
WINAPI_EXTERN_C LPVOID WINAPI LockResource(HGLOBAL hResData);
WINAPI_EXTERN_C BOOL WINAPI FreeResource(HGLOBAL hResData);

/* The process */
WINAPI_EXTERN_C void WINAPI Sleep(DWORD dwMilliseconds);
WINAPI_EXTERN_C DWORD WINAPI GetTickCount(void);
WINAPI_EXTERN_C DWORD WINAPI GetCurrentProcessId(void);
WINAPI_EXTERN_C DWORD WINAPI GetCurrentThreadId(void);
WINAPI_EXTERN_C void WINAPI ExitProcess(UINT uExitCode);
WINAPI_EXTERN_C UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

/* Strings */
WINAPI_EXTERN_C int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                               int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar);
WINAPI_EXTERN_C int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                               LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);
WINAPI_EXTERN_C BOOL WINAPI IsDBCSLeadByte(BYTE TestChar);

/* The program's entry point, written by the program; on Linux winapi_main calls it. */
WINAPI_EXTERN_C int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                                   int nShowCmd);

#define CopyFile CopyFileA
#define MoveFileEx MoveFileExA
#define CreateDirectory CreateDirectoryA
#define CreateFile CreateFileA
#define DeleteFile DeleteFileA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define FindResource FindResourceA
#define GetCommandLine GetCommandLineA
#define GetCurrentDirectory GetCurrentDirectoryA
#define GetDiskFreeSpace GetDiskFreeSpaceA
#define GetFileAttributes GetFileAttributesA
#define GetFullPathName GetFullPathNameA
#define GetModuleFileName GetModuleFileNameA
#define GetModuleHandle GetModuleHandleA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define GetPrivateProfileString GetPrivateProfileStringA
#define GetTempPath GetTempPathA
#define GetWindowsDirectory GetWindowsDirectoryA
#define RemoveDirectory RemoveDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define WritePrivateProfileString WritePrivateProfileStringA

#endif
