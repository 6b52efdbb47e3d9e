#pragma once

// The archive handed to CDocument::Serialize: which way the document is going, and the file.

#include <windows.h>

#include <string>

class CArchive {
public:
    enum Mode { store = 0, load = 1 };
    CArchive(HANDLE hFile, Mode nMode) : m_hFile(hFile), m_nMode(nMode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const { return m_nMode == store; }
    BOOL IsLoading() const { return m_nMode == load; }
    HANDLE GetFile() const { return m_hFile; }

    // The file's bytes, at most nMax of them. Throws a CFileException when they cannot be read.
    std::string Read(size_t nMax);
    // Throws a CFileException when the bytes cannot all be written.
    void Write(const std::string& bytes);

private:
    HANDLE m_hFile;
    Mode m_nMode;
};
