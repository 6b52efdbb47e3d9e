#pragma once

// The file a system is kept in, and the files people bring.
//
// Written: CSV that spreadsheets and numeric tools read. One line per shown equation, its n
// coefficients then its right-hand side, each text exactly as typed; a text is quoted only where
// a reader would take it apart otherwise; CR LF after every line; UTF-8, with a byte-order mark
// only when some text is not ASCII.
//
// Read: whatever a block paste reads (tabs, semicolons, commas, blank-aligned columns, bracketed
// matrices), in UTF-8 with or without a mark, UTF-16 with a mark, or code page 932 when the bytes
// are not UTF-8. It must be one whole system: m lines of m + 1 cells, m from 2 to 26.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "SystemTable.h"

namespace SystemFile {

// Larger files are refused before they are read.
constexpr std::size_t kMaxBytes = 4u << 20;
// What an equation box takes.
constexpr std::size_t kMaxText = CSystemTable::kMaxText;

std::string Write(const CSystemTable& system);

struct Contents {
    std::vector<std::vector<std::wstring>> rows; // m rows of m + 1 texts when read
    std::wstring reason;                         // why not, when rows is empty
    std::wstring said; // what was left out or read in another convention, to be said once
};
Contents Read(std::string_view bytes);

// The text the bytes hold, or false when they are no text in any encoding read here.
bool Decode(std::string_view bytes, std::wstring& text);

} // namespace SystemFile
