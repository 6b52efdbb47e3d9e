// End-to-end tests: the real Haltiqo.exe driven from this separate program in the same Wine
// prefix. A failing test leaves a screenshot named after it in e2e-failures\ beside this program
// (taken by the test's fixture while the program is still up).
#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "Driver.h"
#include "E2eSupport.h"

namespace {

std::wstring LogPath()
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"haltiqo-e2e-urls.log";
}

// Web addresses open in the recorder, never in a real browser.
void RegisterBrowserStandIn()
{
    const std::wstring command =
        L"\"" + OwnFolder() + L"url_recorder.exe\" \"" + LogPath() + L"\" \"%1\"";
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY hKey;
        if (::RegCreateKeyExW(root, L"Software\\Classes\\http\\shell\\open\\command", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &hKey, nullptr) == ERROR_SUCCESS) {
            ::RegSetValueExW(hKey, nullptr, 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(command.c_str()),
                             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
            ::RegCloseKey(hKey);
        }
        HKEY hOpen;
        if (::RegOpenKeyExW(root, L"Software\\Classes\\http\\shell\\open", 0, KEY_ALL_ACCESS,
                            &hOpen) == ERROR_SUCCESS) {
            ::RegDeleteTreeW(hOpen, L"ddeexec");
            ::RegCloseKey(hOpen);
        }
    }
}

} // namespace

std::vector<std::wstring> OpenedAddresses()
{
    std::vector<std::wstring> lines;
    if (FILE* in = _wfopen(LogPath().c_str(), L"r")) {
        char line[1024];
        while (std::fgets(line, sizeof line, in)) {
            std::string text(line);
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
                text.pop_back();
            if (!text.empty())
                lines.emplace_back(text.begin(), text.end());
        }
        std::fclose(in);
    }
    return lines;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::DeleteFileW(LogPath().c_str());
    RegisterBrowserStandIn();
    return RUN_ALL_TESTS();
}
