#pragma once

// CBoxNotes: the notes of the grid's boxes. Owns the tooltip that shows them, the brushes of the
// marked backgrounds and the map from each box with a note to its note. An equation box's note
// says how its text is read (NoteText); an answer's gives its exact value. The boxes are children
// of one window, the tooltip's owner.

#include <map>

#include "framework/afxwin.h"
#include "view/NoteText.h"

class CBoxNotes {
public:
    // The backgrounds of boxes read in part or as 0, and of those that divide by zero.
    static const COLORREF kWarningColor = RGB(255, 240, 168);
    static const COLORREF kErrorColor = RGB(255, 196, 196);

    CBoxNotes() = default;
    ~CBoxNotes();
    CBoxNotes(const CBoxNotes&) = delete;
    CBoxNotes& operator=(const CBoxNotes&) = delete;

    // Gives a box its note (an empty tip takes the note away): its background and tooltip.
    void Set(HWND hBox, const NoteText::Note& note);
    void SetForEquation(HWND hBox, const std::wstring& text)
    {
        Set(hBox, NoteText::OfEquationText(text));
    }
    // A full box refused a key: a balloon under it says how much it holds, until HideFull.
    void ShowFull(HWND hBox, const std::wstring& text);
    void HideFull();
    bool IsFullShown() const;
    HWND GetFullTip() const { return m_hFull; }
    // A box on its way out, or written over, loses its note.
    void Forget(HWND hBox);
    bool Has(HWND hBox) const { return m_notes.count(hBox) != 0; }

    // A marked box's colours and brush, or nullptr for one without a mark.
    HBRUSH PaintBackground(HDC hDC, HWND hBox);
    // Answers the tooltip asking for a note's text; false for any other notice.
    bool GiveText(NMHDR* pHeader) const;
    // The tooltip window; nullptr until the first note.
    HWND GetTip() const { return m_hTip; }

    // The face of the notes and the boxes: it holds the digits and signs of many scripts, and
    // the system links it to a Japanese face for the rest.
    static const wchar_t kFace[];

private:
    void CreateTip(HWND hOwner);

    std::map<HWND, NoteText::Note> m_notes;
    HWND m_hTip = nullptr;
    HWND m_hFull = nullptr; // the balloon of a full box
    HWND m_hFullOwner = nullptr;
    CFont m_font;
    CBrush m_brWarning;
    CBrush m_brError;
};
