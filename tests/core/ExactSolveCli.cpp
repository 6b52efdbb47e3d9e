// Reads systems of box texts from standard input and writes the exact solver's answers, for the
// independent oracle in exact_oracle.py.
//   input, per system:  a line with n, then n lines of n + 1 texts separated by
//                       the unit separator 0x1F (a text may hold tabs), in UTF-8
//   output, per system: one line, the n answer texts separated by tabs, or "none"
#include <algorithm>
#include <iostream>
#include <string>

#include "core/ExactSystem.h"

namespace {

std::wstring FromUtf8(std::string_view text)
{
    std::wstring wide;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        unsigned code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        wide += static_cast<wchar_t>(code);
        i += extra + 1;
    }
    return wide;
}

} // namespace

int main()
{
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.empty())
            continue;
        const int n = std::stoi(line);
        CExactSystem system(n);
        for (int r = 0; r < n && std::getline(std::cin, line); ++r) {
            size_t start = 0;
            for (int c = 0; c <= n; ++c) {
                start = std::min(start, line.size());
                const size_t end = std::min(line.find('\x1f', start), line.size());
                system.SetText(r, c, FromUtf8(std::string_view(line).substr(start, end - start)));
                start = end + 1;
            }
        }
        if (system.Solve()) {
            for (int i = 0; i < n; ++i)
                std::cout << (i ? "\t" : "") << system.FormatAnswer(i);
            std::cout << '\n';
        } else {
            std::cout << "none\n";
        }
    }
    return 0;
}
