#include "BlockText.h"

#include <algorithm>

#include "NumberText.h"

namespace BlockText {

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\x3000';
}

namespace {

bool IsLineBreak(wchar_t ch)
{
    return ch == L'\r' || ch == L'\n';
}

std::wstring Trimmed(std::wstring_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return std::wstring(text.substr(first, last - first));
}

std::wstring_view TrimmedLines(std::wstring_view text)
{
    const auto blankOrBreak = [](wchar_t ch) {
        return IsBlank(ch) || IsLineBreak(ch);
    };
    while (!text.empty() && blankOrBreak(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blankOrBreak(text.back()))
        text.remove_suffix(1);
    return text;
}

using NumberText::IsNumber;

// One line of the text: its cells, and whether it is blank (no cell, quoted or not, holds
// anything and no separator stands in it).
struct Line {
    std::vector<std::wstring> cells;
    std::vector<bool> quoted; // beside cells; empty when no cell is quoted
    bool bBlank = false;
    bool bQuotes = false;  // a cell in quotes: CSV for certain
    bool bComment = false; // begins with an unquoted '#'
};

std::vector<std::wstring_view> PlainLines(std::wstring_view text)
{
    std::vector<std::wstring_view> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsLineBreak(text[i]))
            continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

// Cells separated by runs of blanks and, where bCommas, by commas with or without blanks.
std::vector<std::wstring> SplitOnBlanks(std::wstring_view line, bool bCommas)
{
    std::vector<std::wstring> cells;
    std::wstring cell;
    for (size_t i = 0; i <= line.size(); ++i) {
        const bool bEnd = i == line.size() || IsBlank(line[i]) || (bCommas && line[i] == L',');
        if (!bEnd) {
            cell += line[i];
        } else if (!cell.empty()) {
            cells.push_back(cell);
            cell.clear();
        }
    }
    return cells;
}

std::vector<Line> BlankSeparatedLines(std::wstring_view text, bool bCommas)
{
    std::vector<Line> lines;
    for (std::wstring_view plain : PlainLines(text)) {
        Line line;
        line.cells = SplitOnBlanks(plain, bCommas);
        line.bBlank = line.cells.empty();
        line.bComment = !line.bBlank && line.cells[0][0] == L'#';
        if (line.bBlank)
            line.cells.emplace_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

// "1,5" written "1.5" where the separator leaves commas in cells: a tab (unless the comma groups
// digits, "1,000") or a semicolon (whose text writes every number with a decimal comma).
std::wstring WithDecimalPoint(const std::wstring& cell, wchar_t separator)
{
    const wchar_t kCommas[] = L",\xFF0C";
    const size_t comma = cell.find_first_of(kCommas);
    if (comma == std::wstring::npos || cell.find_first_of(kCommas, comma + 1) != std::wstring::npos)
        return cell;
    if (separator == L'\t' && IsNumber(cell))
        return cell;
    std::wstring pointed = cell;
    pointed[comma] = L'.';
    return IsNumber(pointed, false) ? pointed : cell;
}

// Lines of cells separated by `separator` (0: none), as RFC 4180 reads them: a cell that begins
// with a quote runs to the quote that is not doubled and may hold separators and line breaks;
// what follows that quote is added to it.
std::vector<Line> SeparatedLines(std::wstring_view text, wchar_t separator)
{
    std::vector<Line> lines;
    Line line;
    bool bQuotes = false;
    const size_t n = text.size();
    size_t i = 0;
    for (;;) {
        while (i < n && IsBlank(text[i]) && text[i] != separator)
            ++i;
        std::wstring cell;
        const bool bQuoted = i < n && text[i] == L'"';
        if (bQuoted) {
            for (++i; i < n; ++i) {
                if (text[i] == L'"' && (i + 1 >= n || text[i + 1] != L'"')) {
                    ++i;
                    break;
                }
                if (text[i] == L'"')
                    ++i;
                cell += text[i];
            }
        }
        size_t end = i;
        while (end < n && (separator == 0 || text[end] != separator) && !IsLineBreak(text[end]))
            ++end;
        // What the quotes hold is kept as it stands, blanks included.
        cell += Trimmed(text.substr(i, end - i));
        if (separator == L'\t' || separator == L';')
            cell = WithDecimalPoint(cell, separator);
        if (line.cells.empty())
            line.bComment = !bQuoted && !cell.empty() && cell[0] == L'#';
        line.quoted.resize(line.cells.size());
        line.quoted.push_back(bQuoted);
        line.cells.push_back(std::move(cell));
        bQuotes = bQuotes || bQuoted;
        if (end < n && text[end] == separator) {
            i = end + 1;
            continue;
        }
        line.bBlank = line.cells.size() == 1 && line.cells[0].empty() && !bQuotes;
        line.bQuotes = bQuotes;
        lines.push_back(std::move(line));
        line = Line{};
        bQuotes = false;
        if (end + 1 < n && text[end] == L'\r' && text[end + 1] == L'\n')
            ++end;
        i = end + 1;
        if (i >= n)
            return lines;
    }
}

// The first of a tab, a semicolon and a comma that the text holds outside quoted cells, or 0.
wchar_t FindSeparator(std::wstring_view text)
{
    bool bFound[3] = {false, false, false};
    const std::wstring_view candidates = L"\t;,";
    bool bCellStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (bCellStart && ch == L'"') {
            // Up to the quote that is not doubled.
            for (++i; i < text.size(); ++i) {
                if (text[i] == L'"' && (i + 1 >= text.size() || text[i + 1] != L'"'))
                    break;
                if (text[i] == L'"')
                    ++i;
            }
            bCellStart = false;
        } else if (const size_t k = candidates.find(ch); k != std::wstring_view::npos) {
            bFound[k] = true;
            bCellStart = true;
        } else if (IsLineBreak(ch)) {
            bCellStart = true;
        } else if (!IsBlank(ch)) {
            bCellStart = false;
        }
    }
    for (size_t k = 0; k < 3; ++k)
        if (bFound[k])
            return candidates[k];
    return 0;
}

// numpy's "array([[1, 2], [3, 4]])" or "array([1., 2.], dtype=float32)": the matrix inside.
std::wstring_view WithoutArrayWrapper(std::wstring_view text)
{
    const std::wstring_view kPrefix = L"array(";
    if (text.substr(0, kPrefix.size()) != kPrefix || text.empty() || text.back() != L')')
        return text;
    std::wstring_view inside = text.substr(kPrefix.size(), text.size() - kPrefix.size() - 1);
    const size_t dtype = inside.rfind(L"dtype=");
    if (dtype != std::wstring_view::npos) {
        const size_t comma = inside.find_last_not_of(L" \t\r\n", dtype - 1);
        if (comma != std::wstring_view::npos && inside[comma] == L',')
            inside = inside.substr(0, comma);
    }
    return TrimmedLines(inside);
}

// A matrix as numeric programs write it: '[' is dropped, ']' and ';' end a row like a line break.
std::vector<Line> MatrixLines(std::wstring_view text)
{
    std::wstring rows;
    for (wchar_t ch : text)
        if (ch != L'[')
            rows += ch == L']' || ch == L';' ? L'\n' : ch;
    return BlankSeparatedLines(rows, true);
}

} // namespace

bool IsSystemShape(const Block& block)
{
    const size_t m = block.rows.size();
    return m >= 2 && m <= 26 &&
           std::all_of(block.rows.begin(), block.rows.end(),
                       [&](const auto& row) { return row.size() == m + 1; });
}

namespace {

Block Tidied(std::vector<Line> lines)
{
    const auto blank = [](const Line& line) {
        return line.bBlank;
    };
    while (!lines.empty() && lines.back().bBlank)
        lines.pop_back();
    lines.erase(lines.begin(), std::find_if_not(lines.begin(), lines.end(), blank));
    const bool bWide = std::any_of(lines.begin(), lines.end(),
                                   [](const Line& line) { return line.cells.size() > 1; });
    if (bWide)
        lines.erase(std::remove_if(lines.begin(), lines.end(), blank), lines.end());

    Block block;
    for (Line& line : lines) {
        line.quoted.resize(line.cells.size());
        block.rows.push_back(std::move(line.cells));
        block.quoted.push_back(std::move(line.quoted));
        block.comment.push_back(line.bComment);
    }
    // A range copied with one column too many: its last column is empty in every row.
    // Only a block of at most 26 rows can take a system's shape on the way: one at a time there.
    const int nEmpty = std::min(block.EmptyEndColumns(), block.Columns() - 1);
    const int nStep = block.Rows() > 26 ? std::max(nEmpty, 1) : 1;
    for (int k = 0; k < nEmpty && !IsSystemShape(block); k += nStep) {
        block.DropEndColumns(nStep);
        block.nDroppedColumns += nStep;
    }
    return block;
}

} // namespace

bool Block::IsEmptyRow(int r, int nColumns) const
{
    const auto& row = rows[static_cast<size_t>(r)];
    bool bPlain = static_cast<int>(row.size()) < nColumns;
    for (size_t k = 0; k < row.size(); ++k) {
        if (!row[k].empty())
            return false;
        bPlain = bPlain || !IsQuoted(r, static_cast<int>(k));
    }
    return bPlain;
}

int Block::EmptyEndColumns() const
{
    const int nColumns = Columns();
    // Past the last cell with text, a column counts unless every row quotes it.
    int nText = 0;
    for (const auto& row : rows)
        for (int k = static_cast<int>(row.size()) - 1; k >= nText; --k)
            if (!row[static_cast<size_t>(k)].empty())
                nText = k + 1;
    std::vector<int> quotes(static_cast<size_t>(nColumns), 0);
    for (size_t r = 0; r < quoted.size(); ++r)
        for (size_t k = static_cast<size_t>(nText); k < quoted[r].size(); ++k)
            quotes[k] += quoted[r][k] ? 1 : 0;
    int nEmpty = 0;
    while (nColumns - nEmpty > nText && quotes[static_cast<size_t>(nColumns - nEmpty - 1)] < Rows())
        ++nEmpty;
    return nEmpty;
}

void Block::DropEndColumns(int nColumns)
{
    const size_t nKept = static_cast<size_t>(std::max(0, Columns() - nColumns));
    for (auto& row : rows)
        row.resize(std::min(row.size(), nKept));
    for (auto& row : quoted)
        row.resize(std::min(row.size(), nKept));
}

bool Block::IsQuoted(int r, int k) const
{
    const size_t row = static_cast<size_t>(r);
    const size_t col = static_cast<size_t>(k);
    return row < quoted.size() && col < quoted[row].size() && quoted[row][col];
}

void Block::DropColumn(int k)
{
    const size_t col = static_cast<size_t>(k);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (col < rows[r].size())
            rows[r].erase(rows[r].begin() + static_cast<std::ptrdiff_t>(col));
        if (r < quoted.size() && col < quoted[r].size())
            quoted[r].erase(quoted[r].begin() + static_cast<std::ptrdiff_t>(col));
    }
}

void Block::DropRow(int r)
{
    const auto at = static_cast<std::ptrdiff_t>(r);
    rows.erase(rows.begin() + at);
    if (static_cast<size_t>(r) < quoted.size())
        quoted.erase(quoted.begin() + at);
    if (static_cast<size_t>(r) < comment.size())
        comment.erase(comment.begin() + at);
}

int Block::Columns() const
{
    size_t widest = 0;
    for (const auto& row : rows)
        widest = std::max(widest, row.size());
    return static_cast<int>(widest);
}

Block Split(std::wstring_view text)
{
    Block block;
    const std::wstring_view matrix = WithoutArrayWrapper(TrimmedLines(text));
    if (!matrix.empty() && matrix[0] == L'[')
        block = Tidied(MatrixLines(matrix));

    if (block.rows.empty()) {
        const wchar_t separator = FindSeparator(text);
        std::vector<Line> lines =
            separator ? SeparatedLines(text, separator) : BlankSeparatedLines(text, false);
        const bool bQuotes =
            std::any_of(lines.begin(), lines.end(), [](const Line& line) { return line.bQuotes; });
        block = Tidied(std::move(lines));
        block.separator = separator;
        if (block.rows.size() == 1 && separator != L'\t' && !bQuotes) {
            const auto& cells = block.rows[0];
            const bool bNumbers = std::all_of(
                cells.begin(), cells.end(), [](const auto& c) { return c.empty() || IsNumber(c); });
            const bool bAnyText =
                std::any_of(cells.begin(), cells.end(), [](const auto& c) { return !c.empty(); });
            // "1,000" is one number, not the cells 1 and 000.
            if (!bNumbers || !bAnyText || (separator == L',' && IsNumber(TrimmedLines(text))))
                block.rows.clear();
        }
    }
    if (block.rows.empty() || block.IsSingleCell()) {
        block = Block{};
        block.rows = {{std::wstring(text)}};
    }
    return block;
}

std::wstring SingleCell(std::wstring_view text)
{
    const std::wstring_view trimmed = TrimmedLines(text);
    const std::wstring_view matrix = WithoutArrayWrapper(trimmed);
    if (!matrix.empty() && matrix[0] == L'[') {
        const Block block = Tidied(MatrixLines(matrix));
        if (block.IsSingleCell())
            return block.rows[0][0];
    }
    // A quoted cell; a spreadsheet's cell copied with empty ones beside it.
    const wchar_t separator = FindSeparator(text) == L'\t' ? L'\t' : 0;
    if (separator != 0 && trimmed.empty())
        return {}; // empty cells only: a box pasted over is emptied, an empty one stays so
    if (!trimmed.empty() && (trimmed[0] == L'"' || separator != 0)) {
        const Block block = Tidied(SeparatedLines(text, separator));
        if (block.IsSingleCell())
            return block.rows[0][0];
    }
    // The line, without the line breaks and blank lines around it.
    std::wstring_view line = text;
    while (!line.empty() && IsLineBreak(line.back()))
        line.remove_suffix(1);
    const size_t lastBreak = line.find_last_of(L"\r\n");
    if (lastBreak != std::wstring_view::npos && TrimmedLines(line.substr(0, lastBreak)).empty())
        line.remove_prefix(lastBreak + 1);
    return std::wstring(line);
}

} // namespace BlockText
