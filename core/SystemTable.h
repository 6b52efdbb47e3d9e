#pragma once

// CSystemTable: the system a person has typed, and its history. Holds the count n and the texts
// of all 26 × 27 equation boxes exactly as typed (the count only decides how many of them are
// shown: a smaller n hides texts, it never drops them), and the list of changes that undo and
// redo replay. Knows nothing of windows.

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

class CSystemTable {
public:
    static const int kMinCount = 2;
    static const int kMaxCount = 26;
    // Cell index of the right-hand side: after the coefficients of all 26 unknowns, so that a
    // change of n keeps it apart from every coefficient.
    static const int kRhs = kMaxCount;
    // The most characters a box's text holds: the solve reads no more, a file or paste gives no
    // more.
    static const int kMaxText = 255;
    // Undo goes back at least this many steps.
    static const std::size_t kMaxSteps = 1000;

    // One box's text before and after a step.
    struct CellChange {
        int nRow;
        int nCell; // 0..25 for a coefficient, kRhs for the right-hand side
        std::wstring oldText;
        std::wstring newText;
    };
    // One step of the history: what the count and the texts were and became. The count's texts
    // are as the n box showed them ("５", "０２６").
    struct Step {
        int nOldCount;
        int nNewCount;
        std::vector<CellChange> cells;
        std::wstring oldCountText;
        std::wstring newCountText;
    };
    // What to write where, for a change made in one go.
    struct CellText {
        int nRow;
        int nCell;
        std::wstring text;
    };

    CSystemTable();
    // The system the rows hold (m rows of m + 1 texts), with no history: as a file opens.
    explicit CSystemTable(const std::vector<std::vector<std::wstring>>& rows);

    int Count() const { return m_nCount; }
    // The count as the n box last showed it: typed, or written as a number.
    const std::wstring& CountText() const { return m_countText; }
    const std::wstring& Text(int nRow, int nCell) const { return m_texts[nRow][nCell]; }

    // Typing in one box: consecutive edits of the same box while the step is open are one step.
    // Returns FALSE when the text was already so.
    bool TypeText(int nRow, int nCell, const std::wstring& text);
    // A count typed key by key, as the text reads: consecutive counts while the step is open are
    // one step, which keeps the text last typed.
    bool TypeCount(int n, const std::wstring& text);
    // Closes the open step, so that the next edit starts a step of its own.
    void Seal() { m_bOpen = false; }
    // One step of its own: a new count (from the spin button), or texts written in one go.
    bool SetCount(int n);
    bool SetTexts(const std::vector<CellText>& texts);
    // A whole system replaces the present one: n = rows, the rows' texts shown, every other text
    // (hidden ones included) cleared. One step.
    bool ReplaceSystem(const std::vector<std::vector<std::wstring>>& rows);
    // A text written without a step, for a change that keeps the system's meaning.
    void SetTextQuietly(int nRow, int nCell, const std::wstring& text);

    // The step last done, or nullptr.
    const Step* LastStep() const { return m_nDone > 0 ? &m_steps[m_nDone - 1] : nullptr; }
    // How many steps are done: where the history stands.
    std::size_t Done() const { return m_nDone; }
    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_steps.size(); }
    // Whether the system differs from the one last saved: undone back to it, it is not.
    bool IsModified() const { return m_nDone != m_nSaved; }
    void MarkSaved();
    // The saved system can no longer be reached by undo and redo.
    void MarkModified() { m_nSaved = kUnreachable; }
    // Takes back or does again one step; the step, or nullptr when there is none.
    const Step* Undo();
    const Step* Redo();

private:
    enum class OpenKind { None, Cell, Count };
    static const std::size_t kUnreachable = static_cast<std::size_t>(-1);

    bool Push(Step step, OpenKind kind);
    void DropOpenStep();
    void Apply(const Step& step, bool bForward);

    int m_nCount;
    std::wstring m_countText;
    std::array<std::array<std::wstring, kMaxCount + 1>, kMaxCount> m_texts;
    std::deque<Step> m_steps;
    std::size_t m_nDone;  // steps [0, m_nDone) are done; the rest can be redone
    std::size_t m_nSaved; // the value of m_nDone when saved, or kUnreachable
    bool m_bOpen;         // the last done step may still grow
    OpenKind m_openKind;
};
