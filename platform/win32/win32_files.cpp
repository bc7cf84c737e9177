// The file-system facts that place the settings files. Paths are ANSI (code
// page 932 on a Japanese system), as the private-profile functions take them.
#include "platform/win32/win32_headers.h"

#include <shlobj.h>

#include <cstdio>

#include "platform/win32/win32_system.h"

namespace plat::win32_port {

namespace {

// wide in the ANSI code page, or false when a character has no form there.
bool ToAnsi(const wchar_t* wide, char* buffer, std::uint32_t size) {
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, buffer,
                                    static_cast<int>(size), nullptr, &lossy);
  return n > 0 && !lossy;
}

}  // namespace

// %APPDATA%\ぷるみゅら\; where the ANSI code page cannot spell the name,
// %APPDATA%\prumya\ (the private-profile functions take ANSI paths only).
bool Win32SystemInfo::UserSettingsFolder(char* buffer, std::uint32_t size) {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
    return false;
  const wchar_t* const names[] = {L"\\ぷるみゅら\\", L"\\prumya\\"};
  for (const wchar_t* name : names) {
    wchar_t folder[MAX_PATH + 16];
    if (_snwprintf(folder, MAX_PATH + 16, L"%ls%ls", appData, name) < 0) return false;
    if (ToAnsi(folder, buffer, size)) return true;
  }
  return false;
}

// A file of our own, deleted by the system as its handle closes (also if we
// are stopped in between); CREATE_NEW so nobody else's is touched.
bool Win32SystemInfo::CanCreateFilesIn(const char* folder) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    char probe[MAX_PATH + 64];
    std::snprintf(probe, sizeof probe, "%s~prumya-%lu-%d.tmp", folder, GetCurrentProcessId(),
                  attempt);
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool Win32SystemInfo::FileExists(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32SystemInfo::MakeFolder(const char* folder) {
  const int result = SHCreateDirectoryExA(nullptr, folder, nullptr);
  if (result == ERROR_SUCCESS) return true;
  const DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace plat::win32_port
