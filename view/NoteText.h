#pragma once

// What a box's note says: how the text of an equation box is read when it is not wholly one
// number, as a mark for its background and a tooltip. No windows: CBoxNotes shows the notes.

#include <string>

namespace NoteText {

enum class Mark { kNone, kWarning, kError };

struct Note {
    Mark mark = Mark::kNone;
    std::wstring tip; // empty: the box has no note

    bool operator==(const Note& other) const { return mark == other.mark && tip == other.tip; }
    bool operator!=(const Note& other) const { return !(*this == other); }
};

// Read in part or as 0: a warning that says how; no value (a zero denominator, a part beyond the
// doubles): an error; else no note.
Note OfEquationText(const std::wstring& text);

// Why the solve cannot take the text, as said after the box's name ("0 で割っています。"); empty
// when it can.
std::wstring NoValueReason(const std::wstring& text);

} // namespace NoteText
