#include "core/SystemFile.h"

#include <random>

#include <gtest/gtest.h>

#include "core/SystemTable.h"

namespace {

using Rows = std::vector<std::vector<std::wstring>>;

TEST(SystemFileTest, WhatIsSavedOpensToTheSameTexts)
{
    const std::wstring pieces[] = {L"1",   L"-2.5", L",",  L"\"", L" ",     L"\x3000",
                                   L";",   L"[",    L"]",  L"\t", L"１",    L"ｱﾌﾟﾘ",
                                   L"1/3", L"e",    L"あ", L"",   L"\"\"x", L"😀"};
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

TEST(SystemFileTest, FilesOfOtherProgramsOpen)
{
    const Rows twoByThree{{L"1", L"2", L"3"}, {L"4", L"5", L"6"}};
    const struct {
        std::string bytes;
        Rows rows;
    } cases[] = {
        // A spreadsheet's CSV in code page 932: "１,２,ア" and "4,5,6".
        {"\x82\x50,\x82\x51,\x83\x41\r\n4,5,6\r\n", {{L"１", L"２", L"ア"}, {L"4", L"5", L"6"}}},
        // UTF-16 with its mark, tab-separated, as a spreadsheet's Unicode text.
        {std::string("\xFF\xFE"
                     "1\0\t\0002\0\t\0003\0\r\0\n\0"
                     "4\0\t\0005\0\t\0006\0\r\0\n\0",
                     26),
         twoByThree},
        // numpy.savetxt, without and with a delimiter.
        {"1.000000000000000000e+00 2.000000000000000000e+00 3.000000000000000000e+00\n"
         "4.000000000000000000e+00 5.000000000000000000e+00 6.000000000000000000e+00\n",
         {{L"1.000000000000000000e+00", L"2.000000000000000000e+00", L"3.000000000000000000e+00"},
          {L"4.000000000000000000e+00", L"5.000000000000000000e+00", L"6.000000000000000000e+00"}}},
        {"1.5,2,3\n4,5,6\n", {{L"1.5", L"2", L"3"}, {L"4", L"5", L"6"}}},
        // A MATLAB-style matrix, and UTF-8 with a mark from a text editor.
        {"[1 2 3; 4 5 6]\n", twoByThree},
        {"\xEF\xBB\xBF\xEF\xBC\x91;2;3\r\n4;5;6", {{L"１", L"2", L"3"}, {L"4", L"5", L"6"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const SystemFile::Contents read = SystemFile::Read(c.bytes);
        EXPECT_EQ(L"", read.reason);
        EXPECT_EQ(c.rows, read.rows);
    }
}

TEST(SystemFileTest, WhatIsNoSystemIsRefusedWithItsReason)
{
    const struct {
        std::string bytes;
        const wchar_t* reason; // the reason's first line
    } cases[] = {
        {"", L"値が一つもありません。"},
        {" \r\n\r\n", L"値が一つもありません。"},
        {"42", L"値は 1 行 1 列です。"},
        {"1,2\n3,4\n", L"値は 2 行 2 列です。"},
        {"1,2,3\n4,5\n", L"値は 2 行ですが、1 行目は 3 個、2 行目は 2 個で、そろっていません。"},
        {std::string("1,2,3\n4,\0,6\n", 12), L"テキストのファイルではありません。"},
        {"\xFF\xFE\x31", L"テキストのファイルではありません。"},
        {"1,2,3\n4,5," + std::string(256, '7') + "\n",
         L"2 行目の 3 番目の値は 256 文字あります。欄に入るのは 255 文字までです。"},
        {std::string(SystemFile::kMaxBytes + 1, '1'),
         L"ファイルが大きすぎます。開けるのは 4 MiB（4194304 バイト）までです。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
        const SystemFile::Contents read = SystemFile::Read(c.bytes);
        EXPECT_TRUE(read.rows.empty());
        EXPECT_EQ(c.reason, read.reason.substr(0, read.reason.find(L'\n')));
    }
}

} // namespace
