#pragma once

// The framework's exceptions. No exception of any kind crosses a window, dialog or hook
// procedure: each catches everything at its boundary and hands it to AfxReportException.

#include <windows.h>

#include <string>

class CException {
public:
    virtual ~CException() = default;
    // Shows the exception's message; the default is the internal-error text.
    virtual void ReportError() const;
};

// A validation failure that has already been shown to the user.
class CUserException : public CException {
public:
    void ReportError() const override {}
};

// A resource (window class, bitmap, ...) could not be had.
class CResourceException : public CException {};

// A file could not be read or written: the system's error code.
class CFileException : public CException {
public:
    explicit CFileException(DWORD lOsError) : m_lOsError(lOsError) {}
    DWORD m_lOsError;
};

// A file was read but does not hold what the document keeps: why, in the user's words.
class CArchiveException : public CException {
public:
    explicit CArchiveException(const wchar_t* pszReason) : m_strReason(pszReason) {}
    std::wstring m_strReason;
};

[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();

// Shows the exception being handled: a CException by its own ReportError, anything else as the
// internal-error message, captioned with the application's name. Call it only inside a catch
// block; it never throws.
void AfxReportException() noexcept;
