// Time from process start to the main window shown, for Haltiqo.exe and for a minimal Win32
// program, alternately, under the same system.
//   startup_bench.exe Haltiqo.exe minimal_window.exe [rounds]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/Timing.h"

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == s->pid && ::IsWindowVisible(hWnd) && ::GetWindow(hWnd, GW_OWNER) == nullptr) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Seconds until the program shows its window, or a negative value after 30 s.
double TimeToWindow(const std::wstring& exe)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    const double start = Now();
    if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    double elapsed = -1;
    Search s{pi.dwProcessId, nullptr};
    while (Now() - start < 30) {
        ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            elapsed = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    if (s.found)
        ::PostMessageW(s.found, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return elapsed;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench Haltiqo.exe minimal_window.exe [rounds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 7;
    TimeToWindow(argv[1]); // warm both up: the first start of any program loads more
    TimeToWindow(argv[2]);
    std::vector<double> app, minimal;
    for (int i = 0; i < rounds; ++i) {
        app.push_back(TimeToWindow(argv[1]));
        minimal.push_back(TimeToWindow(argv[2]));
    }
    const double a = Median(app), m = Median(minimal);
    std::printf("start to window, Haltiqo: %.1f ms (median of %d)\n", a * 1e3, rounds);
    std::printf("start to window, minimal Win32 program: %.1f ms\n", m * 1e3);
    std::printf("ratio Haltiqo / minimal: %.3f\n", a / m);
    return 0;
}
