#include "SheetShape.h"

#include <algorithm>
#include <bitset>
#include <cwctype>
#include <functional>

#include "NumberText.h"

namespace SheetShape {

using BlockText::Block;

namespace {

bool IsText(const std::wstring& cell)
{
    return !cell.empty() && !NumberText::IsNumber(cell);
}

bool IsIndex(const std::wstring& cell, int k)
{
    return cell == std::to_wstring(k);
}

// What was left out, for the sentence said once.
struct Left {
    int nComments = 0;
    int nEmptyRows = 0;
    int nEmptyColumns = 0;
    bool bHeader = false;
    bool bLabels = false;
    bool bAnswers = false;
};

bool DropComments(Block& block, Left& left)
{
    for (int r = block.Rows() - 1; r >= 0; --r) {
        if (static_cast<size_t>(r) < block.comment.size() && block.comment[r]) {
            block.DropRow(r);
            ++left.nComments;
        }
    }
    return left.nComments > 0;
}

bool DropEmptyEnds(Block& block, Left& left)
{
    const int nColumns = block.Columns();
    while (block.Rows() > 1 && block.IsEmptyRow(block.Rows() - 1, nColumns)) {
        block.DropRow(block.Rows() - 1);
        ++left.nEmptyRows;
    }
    left.nEmptyColumns = std::min(block.EmptyEndColumns(), block.Columns() - 1);
    block.DropEndColumns(left.nEmptyColumns);
    return left.nEmptyRows + left.nEmptyColumns > 0;
}

bool DropHeader(Block& block, Left& left)
{
    if (block.Rows() < 2)
        return false;
    const auto& first = block.rows[0];
    const bool bEmptyCorner = first[0].empty();
    bool bTexts = true;
    bool bIndex = true;
    for (size_t k = bEmptyCorner ? 1 : 0; k < first.size(); ++k) {
        bTexts = bTexts && IsText(first[k]);
        bIndex = bIndex && IsIndex(first[k], static_cast<int>(k - (bEmptyCorner ? 1 : 0)));
    }
    if (first.size() < 2 || (!bTexts && !bIndex))
        return false;
    block.DropRow(0);
    left.bHeader = true;
    return true;
}

// After the header, if that was left out: the corner went with it.
bool DropLabels(Block& block, Left& left, bool bEmptyHeaderCorner)
{
    if (block.Columns() < 2)
        return false;
    bool bTexts = true;
    bool bIndex = bEmptyHeaderCorner;
    for (int r = 0; r < block.Rows(); ++r) {
        const std::wstring first = block.rows[r].empty() ? std::wstring() : block.rows[r][0];
        bTexts = bTexts && IsText(first);
        bIndex = bIndex && IsIndex(first, r);
    }
    if (!bTexts && !bIndex)
        return false;
    block.DropColumn(0);
    left.bLabels = true;
    return true;
}

bool DropAnswers(Block& block, Left& left)
{
    const int m = block.Rows();
    if (m < 2 || block.Columns() != m + 2)
        return false;
    for (const auto& row : block.rows)
        if (row.size() != static_cast<size_t>(m + 2) || !NumberText::IsNumber(row.back()))
            return false;
    block.DropColumn(m + 1);
    left.bAnswers = true;
    return true;
}

enum Step { kComments = 16, kEmptyEnds = 8, kHeader = 4, kLabels = 2, kAnswers = 1 };

// The block with the steps of `mask` taken, in their order; false when one finds nothing to do.
bool Take(Block& block, int mask, Left& left)
{
    if ((mask & kComments) && !DropComments(block, left))
        return false;
    if ((mask & kEmptyEnds) && !DropEmptyEnds(block, left))
        return false;
    const bool bEmptyCorner =
        block.Rows() > 0 && !block.rows[0].empty() && block.rows[0][0].empty();
    if ((mask & kHeader) && !DropHeader(block, left))
        return false;
    if ((mask & kLabels) && !DropLabels(block, left, left.bHeader && bEmptyCorner))
        return false;
    return !(mask & kAnswers) || DropAnswers(block, left);
}

std::wstring Num(int n)
{
    return std::to_wstring(n);
}

std::wstring LeftSentence(const Left& left, int nDroppedColumns)
{
    std::vector<std::wstring> parts;
    if (left.nComments > 0)
        parts.push_back(L"# で始まる " + Num(left.nComments) + L" 行（注釈）");
    if (left.bHeader)
        parts.push_back(L"1 行目（見出し）");
    if (left.bLabels)
        parts.push_back(L"1 列目（ラベル）");
    const int nColumns = left.nEmptyColumns + nDroppedColumns;
    if (left.nEmptyRows > 0 && nColumns > 0)
        parts.push_back(L"末尾の空の " + Num(left.nEmptyRows) + L" 行と " + Num(nColumns) + L" 列");
    else if (left.nEmptyRows > 0)
        parts.push_back(L"末尾の空の " + Num(left.nEmptyRows) + L" 行");
    else if (nColumns > 0)
        parts.push_back(L"末尾の空の " + Num(nColumns) + L" 列");
    if (left.bAnswers)
        parts.push_back(L"最後の列（答え）");
    std::wstring sentence;
    for (size_t i = 0; i < parts.size(); ++i)
        sentence += (i == 0                  ? L""
                     : i + 1 == parts.size() ? L"と"
                                             : L"、") +
                    std::wstring(i > 0 && std::iswdigit(parts[i][0]) ? L" " : L"") + // "と 1 列目"
                    parts[i];
    return sentence.empty() ? sentence : sentence + L"を除いて読み込みました。";
}

// Whether the block's numbers are written with decimal commas, and if so, the cells rewritten.
bool TakeDecimalCommas(Block& block)
{
    bool bComma = false;
    bool bPoint = false;
    bool bOthers = false; // a text beyond where headers and labels stand: no table of numbers
    for (size_t r = 0; r < block.rows.size(); ++r) {
        for (size_t k = 0; k < block.rows[r].size(); ++k) {
            const std::wstring& cell = block.rows[r][k];
            const bool bWritten = NumberText::IsNumber(cell, false);
            const bool bPointed = !PointedText(cell).empty();
            bComma = bComma || (bPointed && !bWritten);
            bPoint = bPoint || (bWritten && !bPointed);
            bOthers = bOthers ||
                      (r > 0 && k > 0 && !cell.empty() && !bPointed && !NumberText::IsNumber(cell));
        }
    }
    if (!bComma || bPoint || bOthers)
        return false;
    for (auto& row : block.rows) {
        for (std::wstring& cell : row) {
            if (cell.find_first_of(L",.") == std::wstring::npos)
                continue;
            if (std::wstring pointed = PointedText(cell); !pointed.empty())
                cell = std::move(pointed);
        }
    }
    return true;
}

// What keeps the block from being a system, besides its size: rows or columns of texts, empty
// rows.
std::wstring Obstacles(const Block& block)
{
    std::wstring why;
    const auto textLine = [&](int nCells, const std::function<const std::wstring*(int)>& cell) {
        bool bAnyText = false;
        for (int i = 0; i < nCells; ++i) {
            const std::wstring* pCell = cell(i);
            if (pCell != nullptr && !pCell->empty() && !IsText(*pCell))
                return false;
            bAnyText = bAnyText || (pCell != nullptr && !pCell->empty());
        }
        return bAnyText;
    };
    int nEmptyRows = 0;
    bool bTextRowSaid = false;
    const int nColumns = block.Columns();
    for (int r = 0; r < block.Rows(); ++r) {
        const auto& row = block.rows[r];
        const auto cell = [&](int k) {
            return static_cast<size_t>(k) < row.size() ? &row[k] : nullptr;
        };
        if (!bTextRowSaid && textLine(nColumns, cell)) {
            why += Num(r + 1) + L" 行目は数ではなく文字です。";
            bTextRowSaid = true;
        }
        if (std::all_of(row.begin(), row.end(), [](const auto& c) { return c.empty(); }))
            ++nEmptyRows;
    }
    for (int k = 0; k < nColumns && block.Rows() > 1; ++k) {
        const auto cell = [&](int r) {
            const auto& row = block.rows[r];
            return static_cast<size_t>(k) < row.size() ? &row[k] : nullptr;
        };
        if (textLine(block.Rows(), cell)) {
            why += Num(k + 1) + L" 列目は数ではなく文字です。";
            break;
        }
    }
    if (nEmptyRows > 0)
        why += L"空の行が " + Num(nEmptyRows) + L" 行あります。";
    return why;
}

bool HasGroupingPoints(const std::wstring& integer)
{
    size_t start = integer.find_first_not_of(L" +-");
    if (start == std::wstring::npos)
        return false;
    const size_t firstPoint = integer.find(L'.', start);
    if (firstPoint == start || firstPoint - start > 3)
        return false;
    for (size_t i = start; i < integer.size(); ++i) {
        const bool bPoint = (i - firstPoint) % 4 == 0 && i >= firstPoint;
        if (bPoint ? integer[i] != L'.' : integer[i] < L'0' || integer[i] > L'9')
            return false;
    }
    return (integer.size() - firstPoint) % 4 == 0;
}

} // namespace

std::wstring PointedText(const std::wstring& cell)
{
    const std::wstring text = NumberText::ToAsciiForms(cell);
    const size_t comma = text.find(L',');
    if (comma != std::wstring::npos && text.find(L',', comma + 1) != std::wstring::npos)
        return {};
    std::wstring integer = text.substr(0, comma);
    if (integer.find(L'.') != std::wstring::npos) {
        if (!HasGroupingPoints(integer))
            return {};
        integer.erase(std::remove(integer.begin(), integer.end(), L'.'), integer.end());
    }
    const std::wstring pointed =
        comma == std::wstring::npos ? integer : integer + L'.' + text.substr(comma + 1);
    return NumberText::IsNumber(pointed, false) ? pointed : std::wstring();
}

bool IsMarked(const Block& block)
{
    const int last = block.Columns() - 1;
    if (block.Rows() + 2 != block.Columns())
        return false;
    for (int r = 0; r < block.Rows(); ++r)
        if (block.rows[r].size() != static_cast<size_t>(last + 1) || !block.rows[r][last].empty() ||
            !block.IsQuoted(r, last))
            return false;
    return true;
}

Shaped Read(Block block)
{
    Shaped shaped;
    if (IsMarked(block)) {
        block.DropColumn(block.Columns() - 1);
        shaped.bSystem = BlockText::IsSystemShape(block);
        shaped.block = std::move(block);
        return shaped;
    }
    if (block.separator == L',' && TakeDecimalCommas(block))
        shaped.said = L"数は小数点をコンマとする書き方（\"1,5\" は 1.5）で読みました。";

    // Each removal takes rows or columns at the edges; a block far larger is no system anyway.
    bool bWithinReach = block.Rows() <= 1000 && block.Columns() <= 1000;
    if (bWithinReach) {
        Block trimmed = block;
        Left probe;
        DropComments(trimmed, probe);
        DropEmptyEnds(trimmed, probe);
        bWithinReach = trimmed.Rows() <= 26 + 1 && trimmed.Columns() <= 27 + 2;
    }

    // The most left out first; among as many, the steps in their order.
    std::vector<int> masks;
    for (int mask = 31; mask >= 0; --mask)
        masks.push_back(mask);
    std::stable_sort(masks.begin(), masks.end(), [](int a, int b) {
        return std::bitset<5>(static_cast<unsigned>(a)).count() >
               std::bitset<5>(static_cast<unsigned>(b)).count();
    });
    for (int mask : masks) {
        if (!bWithinReach && mask != 0)
            continue;
        Block candidate = block;
        Left left;
        if (!Take(candidate, mask, left) || !BlockText::IsSystemShape(candidate))
            continue;
        shaped.block = std::move(candidate);
        shaped.bSystem = true;
        shaped.said = LeftSentence(left, block.nDroppedColumns) + shaped.said;
        return shaped;
    }
    Left left;
    DropComments(block, left);
    shaped.why = Obstacles(block);
    shaped.block = std::move(block);
    return shaped;
}

} // namespace SheetShape
