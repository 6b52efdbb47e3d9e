#pragma once

// Splits pasted text into the rows and cells of a block, the way a spreadsheet reads a copied
// range. The rule:
//
// - CR LF, LF and CR end a line. Blank lines before the first and after the last line with text
//   are dropped (the line break a spreadsheet puts after its last row, the blank lines a program
//   prints around a matrix). Between them, in a block more than one cell wide, blank lines are
//   dropped too (rows set apart by blank lines); in a single column a blank line is an empty cell.
// - Text that begins with '[', or numpy's "array([...])" around it, is a matrix as numeric
//   programs write it: '[' is dropped, ']' and ';' end a row like a line break, cells are
//   separated by commas, blanks or both, and rows without cells are dropped ("[[1, 2], [3, 4]]",
//   "[1 2; 3 4]").
// - Any other text is split by the first of these it holds outside quoted cells: a tab, a
//   semicolon, a comma; each one separates two cells, so "1,,3" has an empty cell in the middle.
//   A cell in double quotes may hold the separator and line breaks (""  inside is one quote), as
//   in RFC 4180. Without any of them, runs of blanks separate. So a decimal comma stays in its cell
//   in tab- and semicolon-separated text ("1,5;2" is the cells "1,5" and "2"), where it is then
//   written as a point ("1.5"), but splits text without tabs and semicolons ("1,5" is 1 and 5).
//   With tabs, a comma that groups digits ("1,000") stays as it is.
// - Cells lose the blanks around them (spaces, ideographic spaces, and tabs where tabs are not
//   the separator); their text is otherwise kept as it stands.
// - A last column that is empty in every row is dropped (a range copied one column too wide),
//   unless the block has the shape of a whole system, m rows of m + 1 cells.
// - A single line with tabs or quoted cells is several cells; any other single line only when
//   each of its cells is a number or empty ("2 3" is two cells, "x = 5" one) and it is not one
//   number itself ("1,000"). Anything that is not several cells is returned as one cell, the text
//   itself.

#include <string>
#include <string_view>
#include <vector>

namespace BlockText {

struct Block {
    std::vector<std::vector<std::wstring>> rows;
    // What a file's writer may have marked: the cells written in quotes, beside rows (a row may
    // be shorter: the rest unquoted), and the lines that begin with an unquoted '#'.
    std::vector<std::vector<bool>> quoted;
    std::vector<bool> comment;
    wchar_t separator = 0;   // the tab, semicolon or comma that split the lines; 0 for others
    int nDroppedColumns = 0; // empty last columns already left out

    int Rows() const { return static_cast<int>(rows.size()); }
    // The widest row's count of cells.
    int Columns() const;
    bool IsSingleCell() const { return rows.size() == 1 && rows[0].size() == 1; }
    // No text in any cell, and not every cell a quoted "" (what a writer marks to keep): the rows
    // and columns a spreadsheet added at the end.
    bool IsEmptyRow(int r, int nColumns) const; // nColumns: Columns(), which counts them all
    int EmptyEndColumns() const;
    void DropEndColumns(int nColumns);
    bool IsQuoted(int r, int k) const;
    void DropColumn(int k);
    void DropRow(int r);
};

// m rows of m + 1 cells, m from 2 to 26: the equations of a whole system.
bool IsSystemShape(const Block& block);

Block Split(std::wstring_view text);

// The blanks around a cell: spaces, ideographic spaces and tabs.
bool IsBlank(wchar_t ch);

// What a text that Split leaves as one cell puts in a box: without the line breaks around it,
// and without its CSV quotes or its matrix brackets, as a block's cells are ("\"7\"", "[[5]]");
// a spreadsheet's cell without the empty cells copied beside it ("7\t\t"); nothing for empty
// cells alone ("\t").
std::wstring SingleCell(std::wstring_view text);

} // namespace BlockText
