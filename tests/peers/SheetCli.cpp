// The file reader and the export for the peer programs' test, on the command line:
//   sheet_cli open FILE               n, what was said or why not, and the exact answers
//   sheet_cli export FILE OUT [answers]   the numbers' CSV of the system FILE holds
//   sheet_cli copy FILE PREFIX        the copy's three formats: PREFIX.txt (UTF-8), .csv, .html
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "core/ExactSystem.h"
#include "core/NumberText.h"
#include "core/PlainNumbers.h"
#include "core/SystemFile.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string out(text.size() * 4 + 1, '\0');
    out.resize(std::wcstombs(out.data(), text.c_str(), out.size()));
    return out;
}

std::string Flat(std::string text)
{
    for (char& ch : text)
        ch = ch == '\n' ? ' ' : ch;
    return text;
}

void Save(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

int Open(const SystemFile::Contents& contents)
{
    if (contents.rows.empty()) {
        std::cout << "refused\t" << Flat(Narrow(contents.reason)) << '\n';
        return 0;
    }
    const int n = static_cast<int>(contents.rows.size());
    std::cout << "n\t" << n << "\nsaid\t" << Flat(Narrow(contents.said)) << "\nanswers";
    CExactSystem system(n);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k <= n; ++k)
            system.SetText(r, k, contents.rows[r][k]);
    const bool bUnique = system.Solve();
    for (int i = 0; i < n; ++i)
        std::cout << '\t'
                  << (bUnique
                          ? NumberText::FormatShort(system.GetNumerator(i), system.GetDenominator())
                          : "none");
    std::cout << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C.UTF-8");
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    std::ifstream in(argv[2], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const SystemFile::Contents contents = SystemFile::Read(bytes);
    if (command == "open")
        return Open(contents);
    if (contents.rows.empty() || argc < 4)
        return 1;
    const CSystemTable system(contents.rows);
    PlainNumbers::Table table;
    int nRow = 0, nCol = 0;
    if (!PlainNumbers::TableOf(system, argc > 4, table, nRow, nCol))
        return 1;
    const std::string out = argv[3];
    if (command == "export") {
        Save(out, PlainNumbers::Csv(table));
    } else if (command == "copy") {
        Save(out + ".txt", Narrow(PlainNumbers::Tabbed(table)));
        Save(out + ".csv", PlainNumbers::Csv(table));
        Save(out + ".html", PlainNumbers::Html(table));
    } else {
        return 2;
    }
    return 0;
}
