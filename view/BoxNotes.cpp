#include "BoxNotes.h"

const wchar_t CBoxNotes::kFace[] = L"Tahoma";

CBoxNotes::~CBoxNotes()
{
    // The owner's end usually takes the tooltips with it.
    for (HWND hWnd : {m_hTip, m_hFull})
        if (hWnd != nullptr && ::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
}

namespace {

HWND CreateTooltip(HWND hOwner, DWORD dwStyle, HFONT hFont)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND hTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | dwStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hOwner, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
    ::SendMessageW(hTip, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    // Long texts wrap.
    ::SendMessageW(hTip, TTM_SETMAXTIPWIDTH, 0, 480);
    return hTip;
}

} // namespace

void CBoxNotes::CreateTip(HWND hOwner)
{
    // The size of the system's tooltips, in a face that draws whatever a box holds.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfStatusFont;
    ::lstrcpynW(font.lfFaceName, kFace, LF_FACESIZE);
    font.lfCharSet = DEFAULT_CHARSET; // a Japanese character set would pick a Japanese face
    m_font.CreateFontIndirect(&font);
    m_hTip = CreateTooltip(hOwner, 0, m_font);
    // Stays long enough to be read.
    ::SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
}

void CBoxNotes::ShowFull(HWND hBox, const std::wstring& text)
{
    HWND hOwner = ::GetParent(hBox);
    if (m_hTip == nullptr)
        CreateTip(hOwner);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = hOwner;
    info.uId = 1;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    if (m_hFull == nullptr) {
        m_hFull = CreateTooltip(hOwner, TTS_BALLOON, m_font);
        m_hFullOwner = hOwner;
        ::SendMessageW(m_hFull, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    HideFull();
    ::SendMessageW(m_hFull, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    RECT rc;
    ::GetWindowRect(hBox, &rc);
    ::SendMessageW(m_hFull, TTM_TRACKPOSITION, 0, MAKELPARAM(rc.left + 10, rc.bottom - 2));
    ::SendMessageW(m_hFull, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

void CBoxNotes::HideFull()
{
    if (!IsFullShown())
        return;
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = m_hFullOwner;
    info.uId = 1;
    ::SendMessageW(m_hFull, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

bool CBoxNotes::IsFullShown() const
{
    return m_hFull != nullptr && ::IsWindowVisible(m_hFull);
}

void CBoxNotes::Set(HWND hBox, const NoteText::Note& note)
{
    const auto it = m_notes.find(hBox);
    const NoteText::Note old = it == m_notes.end() ? NoteText::Note{} : it->second;
    if (old == note)
        return;
    if (!note.tip.empty())
        m_notes[hBox] = note;
    else if (it != m_notes.end())
        m_notes.erase(it);

    HWND hOwner = ::GetParent(hBox);
    if (m_hTip == nullptr)
        CreateTip(hOwner);
    // The tooltip asks for the text when it shows (GiveText): a box typed into changes no tool.
    if (old.tip.empty() != note.tip.empty()) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hOwner;
        info.uId = reinterpret_cast<UINT_PTR>(hBox);
        info.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(m_hTip, old.tip.empty() ? TTM_ADDTOOLW : TTM_DELTOOLW, 0,
                       reinterpret_cast<LPARAM>(&info));
    }
    if (old.mark != note.mark)
        ::InvalidateRect(hBox, nullptr, TRUE);
}

void CBoxNotes::Forget(HWND hBox)
{
    if (hBox != nullptr && Has(hBox))
        Set(hBox, NoteText::Note{});
}

HBRUSH CBoxNotes::PaintBackground(HDC hDC, HWND hBox)
{
    const auto it = m_notes.find(hBox);
    if (it == m_notes.end() || it->second.mark == NoteText::Mark::kNone)
        return nullptr;
    const bool bError = it->second.mark == NoteText::Mark::kError;
    const COLORREF color = bError ? kErrorColor : kWarningColor;
    CBrush& brush = bError ? m_brError : m_brWarning;
    if (brush.GetSafeHandle() == nullptr)
        brush.CreateSolidBrush(color);
    ::SetTextColor(hDC, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(hDC, color);
    return brush;
}

bool CBoxNotes::GiveText(NMHDR* pHeader) const
{
    if (m_hTip == nullptr || pHeader->hwndFrom != m_hTip || pHeader->code != TTN_GETDISPINFOW)
        return false;
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pHeader);
    const auto it = m_notes.find(reinterpret_cast<HWND>(pHeader->idFrom));
    pInfo->lpszText = const_cast<wchar_t*>(it == m_notes.end() ? L"" : it->second.tip.c_str());
    return true;
}
