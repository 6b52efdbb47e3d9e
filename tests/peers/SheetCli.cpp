// The file reader and the numbers' writers on the command line, for the peer programs' test:
//   sheet_cli open FILE                  "n", "said" and one line of texts per equation, or
//                                        "refused" and the reason
//   sheet_cli export|copy FILE OUT       the numbers' CSV of what FILE opens as, with answers;
//                                        copy: OUT.txt (the text, in UTF-8), OUT.csv, OUT.html
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "core/PlainNumbers.h"
#include "core/SystemFile.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string out(text.size() * 4 + 1, '\0');
    out.resize(std::wcstombs(out.data(), text.c_str(), out.size()));
    return out;
}

// A message on one line.
std::string Line(const std::wstring& text)
{
    std::string line = Narrow(text);
    for (char& ch : line)
        ch = ch == '\n' ? ' ' : ch;
    return line;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C.UTF-8");
    if (argc < 3)
        return 2;
    const std::string command = argv[1];
    std::ifstream in(argv[2], std::ios::binary);
    const SystemFile::Contents contents = SystemFile::Read(
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    if (contents.rows.empty()) {
        std::cout << "refused\t" << Line(contents.reason) << '\n';
        return command == "open" ? 0 : 1;
    }
    if (command == "open") {
        std::cout << "n\t" << contents.rows.size() << "\nsaid\t" << Line(contents.said) << '\n';
        for (const auto& row : contents.rows)
            for (size_t k = 0; k < row.size(); ++k)
                std::cout << Line(row[k]) << (k + 1 < row.size() ? '\t' : '\n');
        return 0;
    }
    PlainNumbers::Table table;
    int nRow = 0, nCol = 0;
    if (argc < 4 || !PlainNumbers::TableOf(CSystemTable(contents.rows), true, table, nRow, nCol))
        return 1;
    const std::string out = argv[3];
    std::ofstream(command == "copy" ? out + ".csv" : out, std::ios::binary)
        << PlainNumbers::Csv(table);
    if (command == "copy") {
        std::ofstream(out + ".txt", std::ios::binary) << Narrow(PlainNumbers::Tabbed(table));
        std::ofstream(out + ".html", std::ios::binary) << PlainNumbers::Html(table);
    }
    return 0;
}
