#include "BlockText.h"

#include <algorithm>

#include "NumberText.h"

namespace BlockText {

namespace {

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\x3000';
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

std::vector<std::wstring_view> Lines(std::wstring_view text)
{
    std::vector<std::wstring_view> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != L'\r' && text[i] != L'\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    // A line of tabs is a spreadsheet's empty row, not a blank line.
    auto blank = [](std::wstring_view line) {
        return std::all_of(line.begin(), line.end(),
                           [](wchar_t ch) { return ch != L'\t' && IsBlank(ch); });
    };
    while (!lines.empty() && blank(lines.back()))
        lines.pop_back();
    const auto first = std::find_if_not(lines.begin(), lines.end(), blank);
    lines.erase(lines.begin(), first);
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

std::vector<std::wstring> SplitOn(std::wstring_view line, wchar_t separator)
{
    std::vector<std::wstring> cells;
    size_t i = 0;
    for (;;) {
        std::wstring cell;
        while (i < line.size() && IsBlank(line[i]) && line[i] != separator)
            ++i;
        const bool bQuoted = i < line.size() && line[i] == L'"';
        if (bQuoted) {
            // A quoted cell, up to the quote that is not doubled; what follows it is kept.
            for (++i; i < line.size(); ++i) {
                if (line[i] == L'"' && (i + 1 >= line.size() || line[i + 1] != L'"')) {
                    ++i;
                    break;
                }
                if (line[i] == L'"')
                    ++i;
                cell += line[i];
            }
        }
        const size_t end = std::min(line.find(separator, i), line.size());
        // What the quotes hold is kept as it stands, blanks included.
        if (bQuoted)
            cell += Trimmed(line.substr(i, end - i));
        else
            cell = Trimmed(line.substr(i, end - i));
        cells.push_back(cell);
        if (end == line.size())
            return cells;
        i = end + 1;
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
        } else if (ch == L'\r' || ch == L'\n') {
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

// Whether the whole text reads as one number of the lenient form, or of it with a decimal comma.
bool IsNumber(std::wstring_view text)
{
    const std::wstring s = NumberText::ToAsciiForms(text);
    size_t i = 0;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        ++i;
    size_t digits = 0;
    bool bPoint = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= L'0' && s[i] <= L'9')
            ++digits;
        else if ((s[i] == L'.' || s[i] == L',') && !bPoint) // a decimal comma too
            bPoint = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && std::wstring_view(L"eEdD").find(s[i]) != std::wstring_view::npos) {
        ++i;
        if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
            ++i;
        const size_t start = i;
        while (i < s.size() && s[i] >= L'0' && s[i] <= L'9')
            ++i;
        if (i == start)
            return false;
    }
    return i == s.size();
}

} // namespace

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
    const std::wstring trimmed = Trimmed(text);
    if (!trimmed.empty() && trimmed[0] == L'[') {
        std::wstring rows;
        for (wchar_t ch : trimmed)
            if (ch != L'[')
                rows += ch == L']' || ch == L';' ? L'\n' : ch;
        for (std::wstring_view line : Lines(rows))
            if (auto cells = SplitOnBlanks(line, true); !cells.empty())
                block.rows.push_back(std::move(cells));
        if (!block.rows.empty())
            return block;
    }

    const std::vector<std::wstring_view> lines = Lines(text);
    const wchar_t separator = FindSeparator(text);
    for (std::wstring_view line : lines) {
        auto cells = separator ? SplitOn(line, separator) : SplitOnBlanks(line, false);
        if (cells.empty())
            cells.emplace_back();
        block.rows.push_back(std::move(cells));
    }

    if (block.rows.size() == 1 && separator != L'\t') {
        const auto& cells = block.rows[0];
        const bool bNumbers = std::all_of(cells.begin(), cells.end(), [](const std::wstring& c) {
            return c.empty() || IsNumber(c);
        });
        const bool bAnyText = std::any_of(cells.begin(), cells.end(),
                                          [](const std::wstring& c) { return !c.empty(); });
        if (cells.size() == 1 || !bNumbers || !bAnyText)
            block.rows[0] = {std::wstring(text)};
    }
    if (block.rows.empty())
        block.rows.push_back({std::wstring(text)});
    return block;
}

} // namespace BlockText
