#pragma once

// CHaltiqoDoc: the document. Holds the system as typed (n and the texts of every equation box,
// hidden ones included) and its undo history; every change goes through it, and it tells the view
// what changed. Its file holds the shown equations.

#include <string>
#include <vector>

#include "core/SystemTable.h"
#include "framework/afxwin.h"

// What changed, as the view receives it: the step made, undone or redone.
class CSystemHint : public CObject {
public:
    enum Kind {
        kEdited = 1,  // a person's edit, made where it shows
        kReplayed = 2 // an undo or redo: the view brings the changed box to the person
    };
    explicit CSystemHint(const CSystemTable::Step& step) : m_step(step) {}
    const CSystemTable::Step& m_step; // the texts it names are read from the document
};

class CHaltiqoDoc : public CDocument {
protected:
    CHaltiqoDoc() = default;
    DECLARE_DYNCREATE(CHaltiqoDoc)

public:
    const CSystemTable& System() const { return m_system; }

    // Each change the person makes; the view is told of each that changes something.
    void TypeText(int nRow, int nCell, const std::wstring& text);
    void TypeCount(int n);
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
    // Modified is the history's: undone back to the saved system, it is not.
    BOOL IsModified() override { return m_system.IsModified(); }
    void SetModifiedFlag(BOOL bModified = TRUE) override;

private:
    void Changed(bool bChanged, bool bTyped);
    // Undoes or redoes one step and shows it.
    BOOL Replay(bool bForward);

    CSystemTable m_system;
};
