// Reads systems of box texts from standard input and writes the exact solver's answers, for the
// independent oracle in exact_oracle.py.
//   input, per system:  a line with n, then n lines of n + 1 texts separated by
//                       the unit separator 0x1F (a text may hold tabs), in UTF-8
//   output, per system: one line, the n answer texts separated by tabs, or "none"
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <string>

#include "core/ExactSystem.h"

int main()
{
    std::ios::sync_with_stdio(false);
    std::setlocale(LC_ALL, "C.UTF-8");
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
                const std::string text = line.substr(start, end - start);
                std::wstring wide(text.size(), L'\0'); // UTF-8 is never shorter
                wide.resize(std::mbstowcs(wide.data(), text.c_str(), wide.size()));
                system.SetText(r, c, wide);
                start = end + 1;
            }
        }
        if (!system.Solve() && system.GetKind() == CExactSystem::Kind::kNoSolution) {
            std::cout << "none\n";
            continue;
        }
        for (int i = 0; i < n; ++i)
            std::cout << (i ? "\t" : "") << (system.IsFree(i) ? "free" : system.FormatAnswer(i));
        std::cout << '\n';
    }
    return 0;
}
