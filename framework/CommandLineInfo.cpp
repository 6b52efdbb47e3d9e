#include "CommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        if (::lstrcmpiW(pszParam, L"p") == 0)
            m_nShellCommand = FilePrint;
        else if (::lstrcmpiW(pszParam, L"pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (::lstrcmpiW(pszParam, L"dde") == 0)
            m_nShellCommand = FileDDE;
        else if (::lstrcmpiW(pszParam, L"Unregister") == 0 ||
                 ::lstrcmpiW(pszParam, L"Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (::lstrcmpiW(pszParam, L"Embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (::lstrcmpiW(pszParam, L"Automation") == 0)
            m_bRunAutomated = TRUE;
        return;
    }
    if (m_strFileName.empty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}
