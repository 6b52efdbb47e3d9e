#include "Archive.h"

#include "Exception.h"

std::string CArchive::Read(size_t nMax)
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(m_hFile, &size))
        throw CFileException(::GetLastError());
    const auto nSize = static_cast<unsigned long long>(size.QuadPart);
    std::string bytes(static_cast<size_t>(nSize < nMax ? nSize : nMax), '\0');
    DWORD nRead = 0;
    if (!bytes.empty() &&
        !::ReadFile(m_hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &nRead, nullptr))
        throw CFileException(::GetLastError());
    bytes.resize(nRead);
    return bytes;
}

void CArchive::Write(const std::string& bytes)
{
    DWORD nWritten = 0;
    if (!bytes.empty() && (!::WriteFile(m_hFile, bytes.data(), static_cast<DWORD>(bytes.size()),
                                        &nWritten, nullptr) ||
                           nWritten != bytes.size()))
        throw CFileException(::GetLastError() != 0 ? ::GetLastError() : ERROR_DISK_FULL);
}
