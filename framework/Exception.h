#pragma once

// The framework's exceptions. They never cross a window procedure: AfxCallWndProc and
// UpdateData catch them.

#include <windows.h>

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

[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
