#pragma once

// The parsed command line: what the shell asked the application to do at start-up.

#include <windows.h>

#include "Types.h"

#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    virtual ~CCommandLineInfo() = default;
    // Called for each argument; bFlag when it started with '/' or '-' (which is removed).
    virtual void ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    CString m_strFileName;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
};

// Splits a command line into arguments by the platform's rules: blanks separate, double quotes
// group, 2n backslashes before a quote give n and open or close a group, 2n+1 give n and a
// literal quote, "" inside a group is a literal quote that ends the group, other backslashes
// stand for themselves. The program name ends at the first
// blank outside quotes and takes no escapes.
std::vector<std::wstring> AfxSplitCommandLine(LPCWSTR pszCommandLine);
