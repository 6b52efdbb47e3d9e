#include "BoxNotes.h"

CBoxNotes::~CBoxNotes()
{
    // The owner's end usually takes the tooltip with it.
    if (m_hTip != nullptr && ::IsWindow(m_hTip))
        ::DestroyWindow(m_hTip);
}

void CBoxNotes::CreateTip(HWND hOwner)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_hTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hOwner, nullptr,
                               AfxGetInstanceHandle(), nullptr);
    // Long texts wrap, and stay long enough to be read.
    ::SendMessageW(m_hTip, TTM_SETMAXTIPWIDTH, 0, 480);
    ::SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
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
