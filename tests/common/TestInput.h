#pragma once

// Helpers shared by the in-process and the end-to-end tests: keyboard input for the system's
// queue, and the stand-in for the web browser.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// The events of one key press, with the modifiers held around it.
inline std::vector<INPUT> KeyStroke(WORD vk, bool ctrl = false, bool alt = false,
                                    bool shift = false)
{
    std::vector<INPUT> inputs;
    auto key = [&](WORD v, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = v;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    const WORD modifiers[] = {VK_CONTROL, VK_MENU, VK_SHIFT};
    const bool held[] = {ctrl, alt, shift};
    for (int i = 0; i < 3; ++i)
        if (held[i])
            key(modifiers[i], false);
    key(vk, false);
    key(vk, true);
    for (int i = 2; i >= 0; --i)
        if (held[i])
            key(modifiers[i], true);
    return inputs;
}

// Makes url_recorder.exe the handler of web addresses in this (test) prefix: every address the
// shell is asked to open is appended to `log`, and no real browser starts.
inline void RegisterUrlRecorder(const std::wstring& recorder, const std::wstring& log)
{
    const std::wstring command = L"\"" + recorder + L"\" \"" + log + L"\" \"%1\"";
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
            ::RegDeleteTreeW(hOpen, L"ddeexec"); // the command line, not a conversation
            ::RegCloseKey(hOpen);
        }
    }
}

// The addresses the recorder has logged, oldest first.
inline std::vector<std::wstring> RecordedUrls(const std::wstring& log)
{
    std::vector<std::wstring> lines;
    if (FILE* in = _wfopen(log.c_str(), L"r")) {
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
