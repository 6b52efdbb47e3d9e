#pragma once

// CHaltiqoDoc: the document. Holds the system as typed (n and the texts of every equation box,
// hidden ones included) and its undo history; every change goes through it, and it tells the view
// what changed. Its file holds the shown equations.

#include <string>
#include <utility>
#include <vector>

#include "core/SystemTable.h"
#include "framework/afxwin.h"

// What changed, as the view receives it: a copy of the step made, undone or redone, so that it
// outlives whatever the history does meanwhile.
class CSystemHint : public CObject {
public:
    enum class Kind {
        kEdited,  // a person's edit, made where it shows
        kReplayed // an undo or redo: the view brings the changed box to the person
    };
    CSystemHint(Kind kind, CSystemTable::Step step) : m_kind(kind), m_step(std::move(step)) {}
    const Kind m_kind;
    const CSystemTable::Step m_step; // the texts it names are read from the document
};

class CHaltiqoDoc : public CDocument {
protected:
    CHaltiqoDoc() = default;
    DECLARE_DYNCREATE(CHaltiqoDoc)

public:
    const CSystemTable& System() const { return m_system; }

    // Each change the person makes; the view is told of each that changes something.
    void TypeText(int nRow, int nCell, const std::wstring& text);
    void TypeCount(int n, const std::wstring& text);
    void SetCount(int n);
    void SetTexts(const std::vector<CSystemTable::CellText>& texts);
    void ReplaceSystem(const std::vector<std::vector<std::wstring>>& rows);
    // Ends the step typing is adding to (on leaving a box, before a command).
    void SealTyping() { m_system.Seal(); }
    // A text that reads as the one it replaces ("0" for an empty box): no step, no news.
    void SetTextQuietly(int nRow, int nCell, const std::wstring& text);
    BOOL Undo();
    BOOL Redo();

    BOOL OnNewDocument() override;
    void DeleteContents() override;
    // The shown equations as CSV. Loading replaces the system only once the whole file has been
    // read as one; anything else throws with the reason, and the system stays as it was.
    void Serialize(CArchive& ar) override;
    // A file another program wrote may open with rows or columns left out, or its numbers read
    // with decimal commas: that is said once the system shows.
    BOOL OnOpenDocument(LPCWSTR lpszPathName) override;
    // Modified is the history's: undone back to the saved system, it is not.
    BOOL IsModified() override { return m_system.IsModified(); }
    void SetModifiedFlag(BOOL bModified = TRUE) override;

private:
    // How a change reaches the views: typing shows where it was made and may have merged into the
    // step before it, so the views hear only that the system changed; a step of its own is told.
    enum class Told { kTyping, kStep };
    void Changed(bool bChanged, Told told);
    // Undoes or redoes one step and shows it.
    BOOL Replay(bool bForward);

    CSystemTable m_system;
    std::wstring m_said; // what the last file read said of itself
};
