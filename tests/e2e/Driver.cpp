#include "Driver.h"

#include "common/PixelDC.h"
#include "common/TestInput.h"

#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>

namespace {

// The first visible top-level window of process `pid` that `wanted` accepts, or nullptr.
HWND FindShown(DWORD pid, const std::function<bool(HWND)>& wanted)
{
    struct Search {
        DWORD pid;
        const std::function<bool(HWND)>* wanted;
        HWND found;
    } s{pid, &wanted, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hWnd, &owner);
            if (owner == s->pid && ::IsWindowVisible(hWnd) && (*s->wanted)(hWnd)) {
                s->found = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool IsFrame(HWND hWnd)
{
    return ClassOf(hWnd) == L"AfxFrameWnd" && ::GetDlgItem(hWnd, 0xE900) != nullptr;
}

// A message box: a dialog with a static text and no About-box picture.
bool IsMessageBox(HWND hWnd)
{
    return ClassOf(hWnd) == L"#32770" && ::GetDlgItem(hWnd, 0xFFFF) != nullptr &&
           ::GetDlgItem(hWnd, 1003) == nullptr;
}

struct Counter {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++reinterpret_cast<Counter*>(lParam)->count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hWnd, LPARAM lParam)
{
    auto* c = reinterpret_cast<Counter*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == c->pid) {
        ++c->count;
        ::EnumChildWindows(hWnd, CountChild, lParam);
    }
    return TRUE;
}

// A pointer event that carries its own screen position, so a press lands where the pointer went.
INPUT PointerAt(int x, int y)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65535 + cx / 2) / (cx - 1);
    in.mi.dy = (y * 65535 + cy / 2) / (cy - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

} // namespace

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[4096] = L"";
    // WM_GETTEXT crosses processes; GetWindowText would not read another program's controls.
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                          nullptr);
    return text;
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t cls[64] = L"";
    ::GetClassNameW(hWnd, cls, 64);
    return cls;
}

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring ProgramPath()
{
    const wchar_t* exe = _wgetenv(L"HALTIQO_EXE");
    return exe && *exe ? std::wstring(exe) : OwnFolder() + L"Haltiqo.exe";
}

AppDriver::AppDriver(const std::wstring& args)
{
    std::wstring cmd = L"\"" + ProgramPath() + L"\"";
    if (!args.empty())
        cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &m_pi))
        return;
    // Up to the window, or to a message box that comes instead, or to the end of the program.
    WaitFor(
        [&] {
            m_hFrame = FindShown(m_pi.dwProcessId, IsFrame);
            return m_hFrame != nullptr || FindShown(m_pi.dwProcessId, IsMessageBox) != nullptr ||
                   ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
        },
        20000);
    if (m_hFrame) {
        m_hView = ::GetDlgItem(m_hFrame, 0xE900);
        // As a person would drag it: wide enough for the grids the mouse works on (n <= 5).
        ::SetWindowPos(m_hFrame, nullptr, 0, 0, 1000, 600, SWP_NOZORDER);
        ::SetForegroundWindow(m_hFrame);
        // Activation arrives after the window shows; input before it would lose the focus.
        WaitFor([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return ::GetGUIThreadInfo(m_pi.dwThreadId, &info) && info.hwndActive == m_hFrame &&
                   info.hwndFocus != nullptr;
        });
        Settle();
    }
}

AppDriver::~AppDriver()
{
    if (m_pi.hProcess) {
        if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
            if (m_hFrame)
                ::PostMessageW(m_hFrame, WM_CLOSE, 0, 0);
            // Unsaved work is left unsaved.
            SeenBox box;
            if (::WaitForSingleObject(m_pi.hProcess, 200) == WAIT_TIMEOUT && FindBox(box, 2000))
                Answer(box, ::GetDlgItem(box.hWnd, IDNO) ? IDNO : IDOK);
            if (::WaitForSingleObject(m_pi.hProcess, 5000) != WAIT_OBJECT_0)
                ::TerminateProcess(m_pi.hProcess, 1);
        }
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
}

const std::map<int, HWND>& AppDriver::Grid(bool bReread) const
{
    // A grid that grew or shrank in place keeps windows under new identifiers.
    auto moved = [](const std::pair<const int, HWND>& box) {
        return !::IsWindow(box.second) || ::GetDlgCtrlID(box.second) != box.first;
    };
    const bool bStale = m_grid.empty() || moved(*m_grid.begin()) || moved(*m_grid.rbegin());
    if (bReread || bStale) {
        m_grid.clear();
        for (HWND h = ::GetWindow(m_hView, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            const int id = ::GetDlgCtrlID(h);
            if (id >= 5588 && id <= 7018)
                m_grid[id] = h;
        }
    }
    return m_grid;
}

int AppDriver::GridN() const
{
    // A grid for n unknowns has 2n² + 3n windows; a rebuild under way is waited for.
    int found = 0;
    bool bFirst = true;
    WaitFor(
        [&] {
            const int count = static_cast<int>(Grid(!bFirst).size());
            bFirst = false;
            for (int n = 2; n <= 26; ++n)
                if (2 * n * n + 3 * n == count)
                    found = n;
            return found != 0;
        },
        10000);
    return found;
}

bool AppDriver::CountShows(const std::wstring& text) const
{
    return WaitFor([&] { return WindowText(CountBox()) == text; });
}

HWND AppDriver::Entry(int r, int k) const
{
    const int S = GridN() + 1;
    auto it = m_grid.find(5588 + k * S + r);
    return it == m_grid.end() ? nullptr : it->second;
}

HWND AppDriver::Label(int r, int k) const
{
    const int S = GridN() + 1;
    auto it = m_grid.find(5588 + S * S + k * S + r);
    return it == m_grid.end() ? nullptr : it->second;
}

int AppDriver::GridWindowCount() const
{
    return static_cast<int>(Grid(true).size());
}

bool AppDriver::WaitFor(const std::function<bool()>& done, DWORD ms) const
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (::GetTickCount() - start > ms)
            return false;
        ::Sleep(5);
    }
}

bool AppDriver::Responsive(DWORD ms) const
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(m_hFrame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result) != 0;
}

// Input is queued; once the program has gone idle again it has taken it.
void AppDriver::Settle() const
{
    // The queued input may not be taken yet when the program first looks idle; a second round
    // after a short pause catches it, and a message it must answer waits out any work it caused.
    for (int round = 0; round < 2; ++round) {
        ::WaitForInputIdle(m_pi.hProcess, 2000);
        Responsive(30000);
        ::Sleep(round == 0 ? 8 : 0);
    }
}

HWND AppDriver::Focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(m_pi.dwThreadId, &info);
    return info.hwndFocus;
}

void AppDriver::Send(std::vector<INPUT>& inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

void AppDriver::Click(HWND hWnd, int x, int y)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const int px = x >= 0 ? rc.left + x : (rc.left + rc.right) / 2;
    const int py = y >= 0 ? rc.top + y : (rc.top + rc.bottom) / 2;
    std::vector<INPUT> inputs(3, PointerAt(px, py));
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    Send(inputs);
}

void AppDriver::Key(WORD vk, bool ctrl, bool alt, bool shift)
{
    std::vector<INPUT> inputs = KeyStroke(vk, ctrl, alt, shift);
    Send(inputs);
}

void AppDriver::Type(const std::wstring& text)
{
    // One key at a time, so a handler that shows a message box sees each step.
    for (wchar_t ch : text) {
        std::vector<INPUT> inputs(2);
        for (INPUT& in : inputs) {
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = ch;
            in.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        Send(inputs);
    }
}

void AppDriver::TypeRun(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t ch : text) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        if (ch == L'\t') {
            in.ki.wVk = VK_TAB;
        } else {
            in.ki.wScan = ch;
            in.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs.push_back(in);
        in.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    Send(inputs);
}

void AppDriver::Screenshot(const std::string& name) const
{
    const std::wstring folder = OwnFolder() + L"e2e-failures\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + std::wstring(name.begin(), name.end()) + L".bmp";
    // A failure's picture is worth having even from a window that never settles.
    const bool painted = WaitUntilPainted(m_hFrame, 2000);
    if (SaveScreenshot(path))
        std::printf("screenshot of the failure%s: %ls\n",
                    painted ? "" : " (the window had not finished painting)", path.c_str());
}

void AppDriver::Fill(HWND hBox, const std::wstring& text)
{
    Click(hBox);
    // Home, then Shift+End selects the text; typing replaces it.
    Key(VK_HOME);
    Key(VK_END, false, false, true);
    if (text.empty())
        Key(VK_DELETE);
    else
        Type(text);
    // What a box keeps may be shorter than what was typed; it is settled when it stops changing.
    std::wstring last;
    WaitFor(
        [&] {
            const std::wstring now = WindowText(hBox);
            const bool same = now == text || (now == last && !now.empty());
            last = now;
            return same;
        },
        2000);
}

void AppDriver::Wheel(HWND hOver, int notches)
{
    RECT rc;
    ::GetWindowRect(hOver, &rc);
    INPUT in = PointerAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    in.mi.dwFlags |= MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(-notches * WHEEL_DELTA);
    std::vector<INPUT> inputs{in};
    Send(inputs);
}

bool AppDriver::FindBox(SeenBox& box, DWORD ms) const
{
    HWND hFound = nullptr;
    if (!WaitFor([&] { return (hFound = FindShown(m_pi.dwProcessId, IsMessageBox)) != nullptr; },
                 ms))
        return false;
    box.hWnd = hFound;
    box.caption = WindowText(hFound);
    box.text = WindowText(::GetDlgItem(hFound, 0xFFFF));
    box.hasIcon = false;
    for (HWND h = ::GetWindow(hFound, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
        DWORD_PTR hIcon = 0;
        if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE) &&
            ::SendMessageTimeoutW(h, STM_GETICON, 0, 0, SMTO_BLOCK, 2000, &hIcon) && hIcon)
            box.hasIcon = true;
    }
    return true;
}

SeenBox AppDriver::ExpectBox(DWORD ms)
{
    SeenBox box;
    if (FindBox(box, ms))
        CloseBox(box);
    return box;
}

void AppDriver::CloseBox(const SeenBox& box)
{
    ::SetForegroundWindow(box.hWnd);
    Key(VK_RETURN);
    WaitFor([&] { return !::IsWindow(box.hWnd); });
    Settle();
}

void AppDriver::Answer(const SeenBox& box, int nButton)
{
    ::PostMessageW(box.hWnd, WM_COMMAND, static_cast<WPARAM>(nButton), 0);
    WaitFor([&] { return !::IsWindow(box.hWnd); });
    Settle();
}

// The drop's file list lives in the program's own memory, where Explorer would put it.
void AppDriver::DropFile(const std::wstring& path)
{
    const DROPFILES drop{sizeof(DROPFILES), {10, 10}, FALSE, TRUE};
    // Fresh pages are zeroed: the list's two closing nulls come with them.
    auto* pRemote = static_cast<char*>(
        ::VirtualAllocEx(m_pi.hProcess, nullptr, sizeof drop + (path.size() + 2) * sizeof(wchar_t),
                         MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ::WriteProcessMemory(m_pi.hProcess, pRemote, &drop, sizeof drop, nullptr);
    ::WriteProcessMemory(m_pi.hProcess, pRemote + sizeof drop, path.c_str(),
                         path.size() * sizeof(wchar_t), nullptr);
    ::PostMessageW(m_hFrame, WM_DROPFILES, reinterpret_cast<WPARAM>(pRemote), 0);
    Settle();
}

int AppDriver::WindowCount() const
{
    Counter c{m_pi.dwProcessId, 0};
    ::EnumWindows(CountTop, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

int AppDriver::GdiObjects() const
{
    return static_cast<int>(::GetGuiResources(m_pi.hProcess, GR_GDIOBJECTS));
}

size_t AppDriver::PrivateBytes() const
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!::GetProcessMemoryInfo(m_pi.hProcess, &pmc, sizeof pmc))
        return 0;
    return pmc.PagefileUsage; // the committed private memory
}

size_t AppDriver::WorkingSet() const
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    return ::GetProcessMemoryInfo(m_pi.hProcess, &pmc, sizeof pmc) ? pmc.WorkingSetSize : 0;
}

HWND AppDriver::OpenAbout()
{
    ::SetForegroundWindow(m_hFrame);
    Key('H', false, true);
    Key('A');
    HWND hAbout = nullptr;
    WaitFor([&] {
        hAbout = ::FindWindowW(nullptr, L"Haltiqoのﾊﾞｰｼﾞｮﾝ情報");
        return hAbout && ::IsWindowVisible(hAbout);
    });
    return hAbout && ::IsWindowVisible(hAbout) ? hAbout : nullptr;
}

bool AppDriver::ExitThroughMenu()
{
    ::SetForegroundWindow(m_hFrame);
    Key('H', false, true); // Alt+H opens the Help menu
    Key('X');              // and X its exit item
    SeenBox box;
    if (::WaitForSingleObject(m_pi.hProcess, 200) == WAIT_TIMEOUT && FindBox(box, 2000) &&
        ::GetDlgItem(box.hWnd, IDNO) != nullptr)
        Answer(box, IDNO);
    return ::WaitForSingleObject(m_pi.hProcess, 10000) == WAIT_OBJECT_0;
}

namespace {

BOOL CALLBACK AnyUpdate(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd) && ::GetUpdateRect(hWnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

bool NothingToPaint(HWND hWnd)
{
    bool pending = ::GetUpdateRect(hWnd, nullptr, FALSE) != FALSE;
    if (!pending)
        ::EnumChildWindows(hWnd, AnyUpdate, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

// The screen's pixels over the rectangle.
std::vector<DWORD> ScreenPixels(const RECT& rc)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return {};
    PixelDC picture(w, h);
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(picture.dc(), 0, 0, w, h, hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    return picture.Pixels();
}

} // namespace

bool WaitUntilPainted(HWND hWnd, DWORD ms)
{
    // Settled: nothing left to paint, and three pictures 50 ms apart are the same.
    const DWORD start = ::GetTickCount();
    std::vector<DWORD> last;
    int same = 0;
    while (::GetTickCount() - start < ms) {
        RECT rc;
        if (::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && NothingToPaint(hWnd)) {
            std::vector<DWORD> now = ScreenPixels(rc);
            same = !now.empty() && now == last ? same + 1 : 0;
            if (same == 2)
                return true;
            last = std::move(now);
        } else {
            same = 0;
            last.clear();
        }
        ::Sleep(50);
    }
    return false;
}

bool SaveScreenshot(const std::wstring& path)
{
    HDC hScreen = ::GetDC(nullptr);
    const int w = ::GetDeviceCaps(hScreen, HORZRES), h = ::GetDeviceCaps(hScreen, VERTRES);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBmp = ::CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
    ::BitBlt(hMem, 0, 0, w, h, hScreen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    bool ok = false;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
             std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
             std::fwrite(bits, size, 1, f) == 1;
        std::fclose(f);
    }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return ok;
}

void PutOnClipboard(const std::wstring& text)
{
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::wmemcpy(static_cast<wchar_t*>(::GlobalLock(hMem)), text.c_str(), text.size() + 1);
    ::GlobalUnlock(hMem);
    ::SetClipboardData(CF_UNICODETEXT, hMem);
    ::CloseClipboard();
}
