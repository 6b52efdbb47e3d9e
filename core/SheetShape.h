#pragma once

// What spreadsheets and numeric tools put around a system when they write one, and how the
// system is found inside. Each of these is left out when what remains is a whole system, even
// where the text as written would be a system of one more unknown:
//
// - lines that begin with '#' (numpy's header and footer);
// - rows and columns empty in every cell at the end (a range copied or exported too large);
// - a first row of texts, or of 0, 1, 2, … with or without an empty corner before them (a
//   header, pandas' column names);
// - a first column of texts, or of 0, 1, 2, … under an empty header corner (labels, pandas'
//   index);
// - a last column of numbers beyond the right-hand sides (the answers an export or a copy
//   carries).
//
// A writer keeps its own texts from being read so: a quoted first cell is no header or label, a
// quoted "" is not empty, a quoted '#' begins no comment.
//
// In comma-separated text, numbers written with a decimal comma ("-1,5", "1.000,25" in quotes, as
// a spreadsheet in such a locale writes them) are read in that convention when some cell can only
// be read so and none can only be read with a decimal point; the decision holds for every cell.

#include <string>

#include "BlockText.h"

namespace SheetShape {

struct Shaped {
    BlockText::Block block; // what is left
    bool bSystem = false;   // a whole system
    std::wstring said;      // what was left out or read otherwise, when anything was
    std::wstring why;       // when no whole system was found: what stands in the way
};

Shaped Read(BlockText::Block block);

// The writer's mark: a last column of quoted "" beside a whole system.
bool IsMarked(const BlockText::Block& block);

// The cell in the decimal-comma convention, written with a point and without grouping
// ("-1,5" as "-1.5", "1.000,25" as "1000.25"); empty when it is no number read that way.
std::wstring PointedText(const std::wstring& cell);

} // namespace SheetShape
