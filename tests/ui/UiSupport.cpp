#include "UiSupport.h"

#include <cstring>

#include "common/TestInput.h"

#include "app/HaltiqoApp.h"
#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "view/HaltiqoView.h"

const HICON kExclamationIcon = ::LoadIconW(nullptr, IDI_EXCLAMATION);

namespace {
MessageBoxWatcher* g_pWatcher = nullptr;
}

std::wstring NoteOf(CHaltiqoView* pView, HWND hBox)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    pView->SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                       reinterpret_cast<LPARAM>(hBox));
    const COLORREF color = ::GetBkColor(hDC);
    ::DeleteDC(hDC);
    wchar_t text[1024] = L"";
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = pView->m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(hBox);
    info.lpszText = text;
    ::SendMessageW(pView->GetNoteTip(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
    return (color == CBoxNotes::kWarningColor ? L"warning "
            : color == CBoxNotes::kErrorColor ? L"error "
                                              : L"") +
           std::wstring(text);
}

MessageBoxWatcher::MessageBoxWatcher()
{
    g_pWatcher = this;
    m_hHook = ::SetWindowsHookExW(WH_CBT, CbtHook, nullptr, ::GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    ::UnhookWindowsHookEx(m_hHook);
    g_pWatcher = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::CbtHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE && g_pWatcher != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        wchar_t className[32] = L"";
        ::GetClassNameW(hWnd, className, 32);
        HWND hText = ::GetDlgItem(hWnd, 0xFFFF);
        // A message box: a dialog with a text and no picture controls of the About box's.
        if (std::wstring(className) == L"#32770" && hText != nullptr &&
            ::GetDlgItem(hWnd, 1003) == nullptr) {
            ShownMessageBox box;
            box.caption = TextOf(hWnd);
            box.text = TextOf(hText);
            box.hasOk = ::GetDlgItem(hWnd, IDOK) != nullptr;
            box.hasCancel = ::GetDlgItem(hWnd, IDCANCEL) != nullptr;
            box.hasYesNo = ::GetDlgItem(hWnd, IDYES) && ::GetDlgItem(hWnd, IDNO);
            box.owner = ::GetWindow(hWnd, GW_OWNER);
            // The icon is the static control that shows one and is visible.
            for (HWND h = ::GetWindow(hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
                const LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
                if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE))
                    box.icon = reinterpret_cast<HICON>(::SendMessageW(h, STM_GETICON, 0, 0));
            }
            g_pWatcher->m_boxes.push_back(box);
            int nButton = IDOK;
            if (box.hasYesNo) {
                std::deque<int>& answers = g_pWatcher->m_answers;
                nButton = answers.empty() ? IDCANCEL : answers.front();
                if (!answers.empty())
                    answers.pop_front();
            }
            ::PostMessageW(hWnd, WM_COMMAND, static_cast<WPARAM>(nButton), 0);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

int CountGdiObjects()
{
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<int>(counted);
    int n = 0;
    for (ULONG_PTR index = 1; index < 0x4000; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++n;
    return n;
}

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg{};
        // A closed main window's quit is dropped: it must not end later loops.
        while (AfxPumpMessage(msg, FALSE) || msg.message == WM_QUIT) {
        }
        if (::GetTickCount() - start >= ms)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring TextOf(HWND hWnd)
{
    const int n = ::GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, &text[0], n + 1)));
    return text;
}

void SetClipboardText(const std::wstring& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(hMem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(hMem);
    ::SetClipboardData(CF_UNICODETEXT, hMem);
    ::CloseClipboard();
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(::GlobalLock(hData));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}

void PressKey(WORD vk, bool ctrl, bool shift)
{
    // System input goes to the foreground window's thread: make sure that is this test's window,
    // or the key reaches another program and is lost.
    if (HWND hFocus = ::GetFocus()) {
        HWND hTop = ::GetAncestor(hFocus, GA_ROOT);
        if (::GetForegroundWindow() != hTop) {
            ::SetForegroundWindow(hTop);
            Pump(20);
            ::SetFocus(hFocus);
        }
    }
    std::vector<INPUT> inputs = KeyStroke(vk, ctrl, false, shift);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Until the keys have been taken from the queue and handled.
    const DWORD start = ::GetTickCount();
    do
        Pump(30);
    while (HIWORD(::GetQueueStatus(QS_INPUT)) != 0 && ::GetTickCount() - start < 2000);
}

void TypeChars(HWND hWnd, const std::wstring& text)
{
    for (wchar_t ch : text) {
        ::SendMessageW(hWnd, WM_CHAR, ch, 1);
        Pump();
    }
}

void AppTest::SetUp()
{
    theApp.m_pMainWnd = nullptr;
    m_pTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CHaltiqoDoc),
                                         RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CHaltiqoView));
    ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(nullptr));
    m_pFrame = static_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, m_pFrame);
    m_pView = static_cast<CHaltiqoView*>(m_pFrame->GetActiveView());
    ASSERT_NE(nullptr, m_pView);
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->UpdateWindow();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    Pump(50);
}

void AppTest::TearDown()
{
    if (theApp.m_pMainWnd != nullptr)
        theApp.m_pMainWnd->DestroyWindow();
    Pump();
    delete m_pTemplate; // and with it the document
    m_pTemplate = nullptr;
}
