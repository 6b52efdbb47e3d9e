#pragma once

// The parsed command line: what the shell asked the application to do at start-up.

#include <windows.h>

#include "Types.h"

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
