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

std::vector<std::wstring> AfxSplitCommandLine(LPCWSTR pszCommandLine)
{
    std::vector<std::wstring> args;
    const wchar_t* p = pszCommandLine;
    if (p == nullptr || *p == L'\0')
        return args;

    std::wstring program;
    bool bQuoted = false;
    for (; *p != L'\0' && (bQuoted || (*p != L' ' && *p != L'\t')); ++p) {
        if (*p == L'"')
            bQuoted = !bQuoted;
        else
            program += *p;
    }
    args.push_back(program);

    for (;;) {
        while (*p == L' ' || *p == L'\t')
            ++p;
        if (*p == L'\0')
            break;
        std::wstring arg;
        bQuoted = false;
        while (*p != L'\0' && (bQuoted || (*p != L' ' && *p != L'\t'))) {
            if (*p == L'\\') {
                size_t nSlashes = 0;
                while (*p == L'\\') {
                    ++nSlashes;
                    ++p;
                }
                if (*p == L'"') {
                    arg.append(nSlashes / 2, L'\\');
                    if (nSlashes % 2 == 1) {
                        arg += L'"';
                        ++p;
                    }
                } else {
                    arg.append(nSlashes, L'\\');
                }
            } else if (*p == L'"') {
                if (bQuoted &&
                    p[1] == L'"') { // "" inside quotes: a literal quote, and the group ends
                    arg += L'"';
                    bQuoted = false;
                    p += 2;
                    continue;
                }
                bQuoted = !bQuoted;
                ++p;
            } else {
                arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}
