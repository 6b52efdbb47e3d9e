// The count of unknowns: the n edit box and its spin button. A count is taken as soon as the text
// reads as one; a text that reads as none is refused only once the box is left or Enter pressed.

#include <algorithm>

#include "HaltiqoView.h"
#include "app/HaltiqoDoc.h"
#include "core/NumberText.h"

BOOL CHaltiqoView::ReadCount(int& n) const
{
    wchar_t text[32]; // the count's exchange reads at most the first 31 characters
    const int nLength = ::GetWindowTextW(m_editN.m_hWnd, text, 32);
    int nRead = 0;
    if (!AfxParseDataExchangeInt(
            NumberText::ToAsciiForms(std::wstring_view(text, nLength > 0 ? nLength : 0)), nRead) ||
        nRead < CSystemTable::kMinCount || nRead > CSystemTable::kMaxCount)
        return FALSE;
    n = nRead;
    return TRUE;
}

// The count as the box last showed it, typed or written ("５" stays "５").
void CHaltiqoView::WriteCount()
{
    m_n = GetDocument()->System().Count();
    const std::wstring& text = GetDocument()->System().CountText();
    if (m_editN.GetWindowText() == text)
        return;
    m_bWriting = TRUE;
    m_editN.SetWindowText(text.c_str());
    m_bWriting = FALSE;
}

// The box keeps a text that reads as the count, as typed ("２６", the caret where it was).
void CHaltiqoView::ShowCount(int n)
{
    m_n = n;
    if (!m_bSpinning)
        m_spinN.SendMessage(UDM_SETPOS, 0, n);
    int nTyped = 0;
    if (!ReadCount(nTyped) || nTyped != n)
        WriteCount();
}

// Texts on the way to a count ("1" of 12, "-") wait for the box to be left.
void CHaltiqoView::OnChangeEditN()
{
    int n = 0;
    if (m_bWriting)
        return;
    if (ReadCount(n))
        GetDocument()->TypeCount(n, m_editN.GetWindowText());
    else if (::GetFocus() != m_editN.m_hWnd)
        RefuseCount(); // pasted from the menu, or cut: nobody is typing on towards a count
}

void CHaltiqoView::OnKillfocusEditN()
{
    SealTyping(); // a count typed key by key is one step up to leaving the box
    int n = 0;
    if (m_bRefusingCount || ReadCount(n) || !::IsWindowVisible(m_hWnd))
        return; // a window on its way out asks nothing
    // Not when the person turns to another program: the text waits for their return.
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr || ::GetAncestor(hFocus, GA_ROOT) != ::GetAncestor(m_hWnd, GA_ROOT))
        return;
    RefuseCount();
}

void CHaltiqoView::RefuseCount()
{
    m_bRefusingCount = TRUE;
    UpdateData(TRUE); // the message; the focus goes back into the box
    WriteCount();
    m_editN.SetSel(0, -1);
    if (::GetFocus() == m_editN.m_hWnd)
        m_nFocusCol = -1;
    m_bRefusingCount = FALSE;
}

void CHaltiqoView::OnDeltaposSpinN(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pNMUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    SealTyping();
    // The low word is the position; the high word only carries the control's error flag.
    const DWORD dwAnswer = m_spinN.GetPos();
    const int n = std::clamp(static_cast<short>(LOWORD(dwAnswer)) + pNMUpDown->iDelta,
                             CSystemTable::kMinCount, CSystemTable::kMaxCount);
    m_bSpinning = TRUE;
    GetDocument()->SetCount(n);
    m_bSpinning = FALSE;
    WriteCount();
    SealTyping();
    *pResult = 0;
}

void CHaltiqoView::OnSetfocusEditN()
{
    m_nFocusCol = -1;
}
