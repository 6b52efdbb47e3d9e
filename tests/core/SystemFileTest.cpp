#include "core/SystemFile.h"

#include <random>

#include <gtest/gtest.h>

#include "core/SystemTable.h"

namespace {

using Rows = std::vector<std::vector<std::wstring>>;

TEST(SystemFileTest, WhatIsSavedOpensToTheSameTexts)
{
    const std::wstring pieces[] = {
        L"1",    L"-2.5", L",", L"\"", L" ", L"\x3000", L";", L"[", L"]", L"\t",  L"１",
        L"ｱﾌﾟﾘ", L"1/3",  L"e", L"あ", L"",  L"\"\"x",  L"😀", L"#", L"0", L"1,5", L"25%"};
    std::mt19937 random(20261210);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 2 + trial % 25;
        Rows rows(n, std::vector<std::wstring>(n + 1));
        for (auto& row : rows) {
            for (std::wstring& text : row) {
                const int nPieces = static_cast<int>(random() % 5);
                for (int i = 0; i < nPieces; ++i)
                    text += pieces[random() % std::size(pieces)];
            }
        }
        // Texts in the shapes other programs put around a system: a header, labels, empty ends.
        for (int i = 0; i <= n; ++i) {
            const std::wstring shaped[] = {L"x", L"", std::to_wstring(i - 1)};
            if (trial % 4 == 1)
                rows[0][i] = shaped[random() % 3];
            if (trial % 4 == 1 && i < n)
                rows[i][0] = shaped[random() % 2];
            if (trial % 4 == 2 && i < n)
                rows[n - 1][i] = rows[i][n] = L"";
        }
        if (trial % 4 != 1)
            rows[0][0] = std::wstring(SystemFile::kMaxText, L'9');
        CSystemTable system(rows);
        const SystemFile::Contents read = SystemFile::Read(SystemFile::Write(system));
        ASSERT_EQ(rows, read.rows) << "trial " << trial << ": " << SystemFile::Write(system);
    }
}

TEST(SystemFileTest, TheBytesAreCsvWithAMarkOnlyForTextBeyondAscii)
{
    CSystemTable system(Rows{{L"1", L"2,5", L"x"}, {L" a", L"\"q\"", L"3"}});
    system.SetTexts({{2, 0, L"9"}, {0, 2, L"9"}}); // hidden by n = 2: not written
    EXPECT_EQ("1,\"2,5\",x\r\n\" a\",\"\"\"q\"\"\",3\r\n", SystemFile::Write(system));
    EXPECT_EQ("\xEF\xBB\xBF"
              "1,2,３\r\n,,\r\n",
              SystemFile::Write(CSystemTable(Rows{{L"1", L"2", L"３"}, {L"", L"", L""}})));
}

// Each opens to the system that the plain CSV beside it holds.
TEST(SystemFileTest, FilesOfOtherProgramsOpen)
{
    const std::pair<std::string, std::string> cases[] = {
        // A spreadsheet's CSV in code page 932, and its Unicode text: UTF-16, tab-separated.
        {"\x82\x50,\x82\x51,\x83\x41\r\n4,5,6\r\n", "１,２,ア\n4,5,6"},
        {std::string("\xFF\xFE"
                     "1\0\t\0002\0\t\0003\0\r\0\n\0"
                     "4\0\t\0005\0\t\0006\0\r\0\n\0",
                     26),
         "1,2,3\n4,5,6"},
        // numpy.savetxt, without and with a delimiter; a MATLAB-style matrix; a text editor's
        // UTF-8 with a mark.
        {"1.000000000000000000e+00 2.000000000000000000e+00 3.000000000000000000e+00\n"
         "4.000000000000000000e+00 5.000000000000000000e+00 6.000000000000000000e+00\n",
         "1.000000000000000000e+00,2.000000000000000000e+00,3.000000000000000000e+00\n"
         "4.000000000000000000e+00,5.000000000000000000e+00,6.000000000000000000e+00"},
        {"1.5,2,3\n4,5,6\n", "1.5,2,3\n4,5,6"},
        {"[1 2 3; 4 5 6]\n", "1,2,3\n4,5,6"},
        {"\xEF\xBB\xBF\xEF\xBC\x91;2;3\r\n4;5;6", "１,2,3\n4,5,6"},
    };
    for (const auto& [bytes, csv] : cases) {
        const SystemFile::Contents read = SystemFile::Read(bytes);
        EXPECT_FALSE(read.rows.empty()) << read.reason;
        EXPECT_EQ(SystemFile::Read(csv).rows, read.rows) << csv;
    }
}

} // namespace
