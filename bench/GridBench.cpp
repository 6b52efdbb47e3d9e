// The cost of the form's grid at n = 26 beside a bare loop that creates and destroys the same
// 1430 edit windows (same parent, styles, rectangles and identifiers) in the same process, and
// the cost of one solve at n = 26 on typed decimals, without the time its message box is open,
// and the cost of saving and opening a system of 26.
//   tools/bench.sh   (or under Wine: grid_bench.exe [rounds])

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "app/HaltiqoApp.h"
#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "bench/Timing.h"
#include "bench/TypedTexts.h"
#include "core/SystemFile.h"
#include "view/HaltiqoView.h"

namespace {

// Handles what is queued as the program's loop would; a closed window's quit is dropped.
void Pump()
{
    MSG msg{};
    while (AfxPumpMessage(msg, FALSE) || msg.message == WM_QUIT) {
    }
}

// Sends the input and handles it as the program's loop would; the seconds it took.
double PressAll(std::vector<INPUT>& inputs)
{
    const double t = Now();
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump();
    return Now() - t;
}

// The same windows as the grid, made and destroyed with nothing around them.
void BareLoop(HWND hParent, int n)
{
    const CGridLayout layout(n);
    std::vector<HWND> windows;
    windows.reserve(2 * layout.Size() * layout.Size());
    const DWORD entry = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
    const DWORD label = WS_CHILD | WS_VISIBLE;
    layout.ForEachBox([&](bool bEntry, int r, int k) {
        const GridRect rc = bEntry ? layout.EntryRect(r, k) : layout.LabelRect(r, k);
        const UINT_PTR id = bEntry ? layout.EntryId(r, k) : layout.LabelId(r, k);
        HWND h = ::CreateWindowExW(0, L"EDIT", L"", bEntry ? entry : label, rc.left, rc.top,
                                   rc.right - rc.left, rc.bottom - rc.top, hParent,
                                   reinterpret_cast<HMENU>(id), nullptr, nullptr);
        if (!bEntry) {
            ::SetWindowTextW(h, layout.LabelText(r, k).c_str());
            ::EnableWindow(h, FALSE);
        }
        windows.push_back(h);
    });
    for (HWND h : windows)
        ::DestroyWindow(h);
}

HHOOK g_hHook = nullptr;
double g_tBoxShown = 0;

LRESULT CALLBACK CloseBoxes(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE) {
        g_tBoxShown = Now();
        ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    AfxWinInit(::GetModuleHandleW(nullptr));
    CSingleDocTemplate docTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CHaltiqoDoc),
                                   RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CHaltiqoView));
    if (docTemplate.OpenDocumentFile(nullptr) == nullptr)
        return 1;
    auto* pFrame = static_cast<CFrameWnd*>(theApp.m_pMainWnd);
    auto* pView = static_cast<CHaltiqoView*>(pFrame->GetActiveView());
    pFrame->ShowWindow(SW_SHOW);
    Pump();

    std::vector<double> grid, bare;
    for (int i = 0; i < rounds; ++i) {
        double t = Now();
        pView->BuildGrid(26);
        pView->DestroyGrid();
        grid.push_back(Now() - t);
        Pump();
        t = Now();
        BareLoop(pView->m_hWnd, 26);
        bare.push_back(Now() - t);
        Pump();
    }

    const double g = Median(grid), b = Median(bare);
    // A system of 26 with 255-character texts saved and opened again at n = 26, beside the
    // grid's build: the file work alone (bytes to texts and back, the disk included), and the whole
    // open with the boxes written.
    auto* pDoc = static_cast<CHaltiqoDoc*>(pView->GetDocument());
    std::vector<std::vector<std::wstring>> rows(26, std::vector<std::wstring>(27));
    for (int i = 0; i < 26 * 27; ++i)
        rows[i / 27][i % 27] = (i % 3 ? L"1." : L"1,") + std::wstring(253, L'0' + i % 10);
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"haltiqo-bench.csv";
    // Opened in turn with the saved file, so that every box changes each time.
    const std::wstring other = std::wstring(dir) + L"haltiqo-bench-other.csv";
    auto others = rows;
    for (auto& row : others)
        for (std::wstring& text : row)
            text.back() = L'7';
    pDoc->ReplaceSystem(others);
    pDoc->OnSaveDocument(other.c_str());
    pDoc->ReplaceSystem(rows);
    pView->BuildGrid(26);
    Pump();
    std::vector<double> saved, read, opened;
    for (int i = 0; i < rounds; ++i) {
        double t = Now();
        pDoc->OnSaveDocument(path.c_str());
        saved.push_back(Now() - t);
        t = Now();
        HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        CArchive ar(hFile, CArchive::load);
        const CSystemTable table(SystemFile::Read(ar.Read(SystemFile::kMaxBytes + 1)).rows);
        ::CloseHandle(hFile);
        read.push_back(Now() - t);
        t = Now();
        pDoc->OnOpenDocument(other.c_str());
        Pump();
        opened.push_back(Now() - t);
        pDoc->OnOpenDocument(path.c_str());
        Pump();
    }
    std::printf("n=26 of 255-character texts (%zu bytes): saved %.2f ms, read %.2f ms = %.1f %% "
                "of the grid build together; opened with every box written %.1f ms\n",
                SystemFile::Write(pDoc->System()).size(), Median(saved) * 1e3, Median(read) * 1e3,
                100.0 * (Median(saved) + Median(read)) / g, Median(opened) * 1e3);
    std::fflush(stdout);
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(other.c_str());
    pView->DestroyGrid();
    pDoc->OnNewDocument();

    // One solve at n = 26 on a diagonally dominant system, up to the moment its box shows.
    // The grid of 26 again, the way a person gets it: the count typed into the n box.
    pView->BuildGrid(2);
    pView->m_editN.SetWindowText(L"26");
    Pump();
    // Keystrokes typed into a box of the full grid, through the queue and the pre-translation.
    ::SetForegroundWindow(pFrame->m_hWnd);
    ::SetFocus(pView->m_ppEntry[0][0].m_hWnd);
    for (int keys : {1, 2}) {
        std::vector<INPUT> inputs;
        for (int i = 0; i < 100; ++i) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            // Tab, then Shift+Tab: between two boxes in view, so nothing scrolls.
            const bool back = keys == 2 && i % 2 == 1;
            INPUT shift{};
            shift.type = INPUT_KEYBOARD;
            shift.ki.wVk = VK_SHIFT;
            if (back)
                inputs.push_back(shift);
            in.ki.wVk = keys == 1 ? 'A' : VK_TAB;
            inputs.push_back(in);
            in.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(in);
            shift.ki.dwFlags = KEYEVENTF_KEYUP;
            if (back)
                inputs.push_back(shift);
        }
        std::printf("%s: %.2f ms a key\n", keys == 1 ? "typing" : "tabbing",
                    PressAll(inputs) * 10.0);
    }
    // Tab along a whole row from its first box, one key at a time as a person types: the form
    // scrolls whenever the focus leaves the view.
    {
        ::SetFocus(pView->m_ppEntry[0][0].m_hWnd);
        Pump();
        double total = 0;
        int scrolls = 0;
        for (int i = 0; i < 26; ++i) {
            std::vector<INPUT> tab(2);
            for (INPUT& in : tab) {
                in.type = INPUT_KEYBOARD;
                in.ki.wVk = VK_TAB;
            }
            tab[1].ki.dwFlags = KEYEVENTF_KEYUP;
            const int before = ::GetScrollPos(pView->m_hWnd, SB_HORZ);
            total += PressAll(tab);
            scrolls += ::GetScrollPos(pView->m_hWnd, SB_HORZ) != before;
        }
        std::printf("a row of Tabs at n=26: %.0f ms for 26 keys, %d of which scrolled\n",
                    total * 1e3, scrolls);
    }
    std::vector<double> scroll;
    for (int i = 0; i < rounds; ++i) {
        const double t = Now();
        pView->SendMessage(WM_VSCROLL, i % 2 ? SB_PAGEUP : SB_PAGEDOWN);
        Pump();
        scroll.push_back(Now() - t);
    }
    std::printf("grid build+destroy n=26: %.1f ms (median of %d)\n", g * 1e3, rounds);
    std::printf("bare loop, same windows: %.1f ms\n", b * 1e3);
    std::printf("ratio grid / bare: %.3f\n", g / b);
    std::printf("one page of scrolling at n=26: %.1f ms\n", Median(scroll) * 1e3);

    // One solve at n = 26, from the click up to the moment its message box shows.
    g_hHook = ::SetWindowsHookExW(WH_CBT, CloseBoxes, nullptr, ::GetCurrentThreadId());
    auto solveTime = [&](int times) {
        std::vector<double> solve;
        for (int i = 0; i < times; ++i) {
            const double t = Now();
            ::SendMessageW(::GetDlgItem(pView->m_hWnd, IDC_CALC), BM_CLICK, 0, 0);
            solve.push_back(g_tBoxShown - t);
            Pump();
        }
        return Median(solve);
    };
    for (TextKind kind : {kTwoDecimals, kFifteenDigits, kLongest}) {
        const std::vector<std::string> texts = MakeTexts(kind, 26 * 27);
        for (int i = 0; i < 26 * 27; ++i) {
            const std::wstring text(texts[i].begin(), texts[i].end());
            ::SetWindowTextW(pView->m_ppEntry[i / 27][i % 27].m_hWnd, text.c_str());
        }
        const double s = solveTime(kind == kLongest ? 3 : rounds);
        std::printf("solve n=26, %s (to the message box): %.2f ms = %.2f %% of one grid build\n",
                    TextKindName(kind), s * 1e3, 100.0 * s / g);
    }
    // The longest texts with the last row a copy of the first: infinitely many solutions.
    for (int k = 0; k < 27; ++k)
        ::SetWindowTextW(pView->m_ppEntry[25][k].m_hWnd,
                         pView->m_ppEntry[0][k].GetWindowText().c_str());
    std::printf("solve n=26, %s, the last row repeating the first: %.2f ms\n",
                TextKindName(kLongest), solveTime(3) * 1e3);
    ::UnhookWindowsHookEx(g_hHook);

    // A whole system of 26 pasted at n = 2, until every box has shown its text, beside the same
    // count typed into the n box (the rebuild alone).
    std::wstring block;
    for (int i = 0; i < 26 * 27; ++i)
        block += std::to_wstring(i % 97) + L".25" + (i % 27 == 26 ? L"\r\n" : L"\t");
    if (::OpenClipboard(pFrame->m_hWnd)) {
        ::EmptyClipboard();
        HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, (block.size() + 1) * sizeof(wchar_t));
        std::wmemcpy(static_cast<wchar_t*>(::GlobalLock(hMem)), block.c_str(), block.size() + 1);
        ::GlobalUnlock(hMem);
        ::SetClipboardData(CF_UNICODETEXT, hMem);
        ::CloseClipboard();
    }
    auto pasteIntoFirstBox = [&] {
        ::SetFocus(pView->m_ppEntry[0][0].m_hWnd);
        Pump();
        const double t = Now();
        pFrame->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        Pump();
        return Now() - t;
    };
    // A count typed into the n box, until the grid has followed it; the seconds it took.
    auto typeCount = [&](const wchar_t* text) {
        const double t = Now();
        pView->m_editN.SetWindowText(text);
        Pump();
        return Now() - t;
    };
    std::vector<double> typed, pasted, filled;
    for (int i = 0; i < rounds; ++i) {
        typeCount(L"2");
        typed.push_back(typeCount(L"26"));
        typeCount(L"2");
        pasted.push_back(pasteIntoFirstBox());
        if (pView->m_ppEntry[25][26].GetWindowText() != L"22.25")
            std::printf("the pasted block did not reach the last box\n");
        // The same block again, into the grid it already fits: the fill alone.
        filled.push_back(pasteIntoFirstBox());
    }
    const double ty = Median(typed), pa = Median(pasted), fi = Median(filled);
    std::printf(
        "n=26 typed (rebuild): %.1f ms; 26 x 27 block pasted at n=2: %.1f ms (%+.1f %%); "
        "the same block pasted at n=26 (the fill alone): %.1f ms = %.1f %% of the rebuild\n",
        ty * 1e3, pa * 1e3, 100.0 * (pa - ty) / ty, fi * 1e3, 100.0 * fi / ty);

    // The grid changed in place by one step at the top of the range, each way, and the Down key
    // held in the n box at n = 26 for 20 steps, until every step has been handled.
    std::vector<double> up, down;
    typeCount(L"25");
    for (int i = 0; i < 15; ++i) {
        up.push_back(typeCount(L"26"));
        down.push_back(typeCount(L"25"));
    }
    pView->m_editN.SetWindowText(L"26");
    ::SetFocus(pView->m_editN.m_hWnd);
    Pump();
    std::vector<INPUT> keys(40);
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = VK_DOWN;
        keys[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
    }
    double downKeys = PressAll(keys);
    // Settled: the grid has caught up with the count.
    const double tSettle = Now();
    while (pView->m_nGridSize - 1 != pView->m_n) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
    downKeys += Now() - tSettle;
    std::printf("one step in place, n=25 -> 26: %.1f ms = %.3f of one grid build; 26 -> 25: %.1f "
                "ms = %.3f (median of 15); 20 Down keys at n=26: %.0f ms, n is now %d\n",
                Median(up) * 1e3, Median(up) / g, Median(down) * 1e3, Median(down) / g,
                downKeys * 1e3, pView->m_nGridSize - 1);

    pFrame->DestroyWindow();
    Pump();
    return 0;
}
