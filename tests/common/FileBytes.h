#pragma once

// A file's bytes, read and written whole.

#include <windows.h>

#include <string>

inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD nRead = 0;
    while (hFile != INVALID_HANDLE_VALUE && ::ReadFile(hFile, buffer, 4096, &nRead, nullptr) &&
           nRead > 0)
        bytes.append(buffer, nRead);
    ::CloseHandle(hFile);
    return bytes;
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE hFile =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD nWritten = 0;
    ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
}
