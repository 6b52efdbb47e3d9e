// "計算！！": every digit shown is the exact solution of the equations as typed, correctly
// rounded; a system without a solution answers "解無し" everywhere, one with many its general
// solution. The answers are the view's own, greyed once the system changes.

#include "HaltiqoView.h"
#include "app/HaltiqoDoc.h"
#include "core/ExactSystem.h"
#include "core/NumberText.h"
#include "view/NoteText.h"

namespace {

// 解無し: no solution.
const wchar_t kNoSolution[] = L"\x89E3\x7121\x3057";
// その式では解が定まりません！！ / 値を確認してください。
const wchar_t kNoSolutionMessage[] =
    L"\x305D\x306E\x5F0F\x3067\x306F\x89E3\x304C\x5B9A\x307E\x308A\x307E\x305B\x3093\xFF01\xFF01"
    L"\n\x5024\x3092\x78BA\x8A8D\x3057\x3066\x304F\x3060\x3055\x3044\x3002";
// The message when the solution is not unique, and the answer of an unknown left free.
const wchar_t kIndefiniteMessage[] = L"その式では解が一つに定まりません（不定）。\n";
const wchar_t kArbitrary[] = L"任意";

// What the solve reads of a box.
std::wstring SolvedText(const std::wstring& text)
{
    return text.substr(0, CSystemTable::kMaxText);
}

} // namespace

void CHaltiqoView::OnCalc()
{
    CatchUpGrid();
    CHaltiqoDoc* pDoc = GetDocument();
    pDoc->SealTyping();
    if (RefuseNoValue())
        return;
    const CWaitCursor wait;
    const CGridLayout layout = Layout();
    const int n = layout.Count();
    CExactSystem system(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            const std::wstring text = SolvedText(DocText(i, j));
            // An empty box is a 0, and says so; the system means the same, so it is no step.
            if (text.empty()) {
                pDoc->SetTextQuietly(i, layout.CellOf(j), L"0");
                WriteBox(m_ppEntry[i][j], L"0");
            }
            system.SetText(i, j, text.c_str());
        }
    }

    CString message;
    if (!system.Solve() && system.GetKind() == CExactSystem::Kind::kIndefinite)
        message = kIndefiniteMessage;
    if (system.GetKind() != CExactSystem::Kind::kNoSolution) {
        ShowAnswers(system, message);
    } else {
        for (int k = 0; k < n; ++k)
            m_ppEntry[n][k].SetWindowText(kNoSolution);
        message = kNoSolutionMessage;
    }
    m_bAnswersUnique = system.GetKind() == CExactSystem::Kind::kUnique;
    MarkAnswersStale(FALSE);
    MessageBox(message.c_str(), nullptr, MB_OK);
}

// A box without a value (it divides by zero, or holds more than a double): say which and why,
// and change nothing.
BOOL CHaltiqoView::RefuseNoValue()
{
    const CGridLayout layout = Layout();
    for (int i = 0; i < layout.Count(); ++i) {
        for (int j = 0; j <= layout.Count(); ++j) {
            const std::wstring reason = NoteText::NoValueReason(SolvedText(DocText(i, j)));
            if (reason.empty())
                continue;
            const std::wstring text = layout.BoxName(i, j) + L" の欄: " + reason;
            MessageBox(text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
            FocusBox(m_ppEntry[i][j]);
            return TRUE;
        }
    }
    return FALSE;
}

// Each answer in its box, and its line of the message. An expression is longer than its box:
// its tooltip shows it whole, as a fixed value's shows its exact value.
void CHaltiqoView::ShowAnswers(const CExactSystem& system, CString& message)
{
    const int n = m_nGridSize - 1;
    for (int i = 0; i < n; ++i) {
        const wchar_t letter = CGridLayout::Letter(i);
        if (system.IsFree(i)) {
            m_ppEntry[n][i].SetWindowText(kArbitrary);
            message += letter + std::wstring(L" は") + kArbitrary + L"\n";
            continue;
        }
        const std::string answer = system.FormatAnswer(i);
        const std::wstring text = NumberText::Widen(answer);
        m_ppEntry[n][i].SetWindowText(text.c_str());
        m_notes.Set(m_ppEntry[n][i].m_hWnd,
                    {NoteText::Mark::kNone,
                     system.IsFixed(i)
                         ? NumberText::FormatExact(system.GetNumerator(i), system.GetDenominator())
                         : letter + (L" = " + text)});
        message +=
            NumberText::Widen(NumberText::FormatResultLine(static_cast<char>(letter), answer));
    }
}

void CHaltiqoView::MarkAnswersStale(BOOL bStale)
{
    if (m_bAnswersStale == bStale)
        return;
    m_bAnswersStale = bStale;
    const int n = m_nGridSize - 1;
    for (int k = 0; m_ppEntry != nullptr && k < n; ++k)
        m_ppEntry[n][k].Invalidate();
}
