#include "app/HaltiqoApp.h"
#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "common/FileBytes.h"
#include "core/SystemFile.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

const char kSystem[] = "1,2,3\r\n4,5,6\r\n";

class FileTest : public AppTest {
protected:
    CHaltiqoDoc* Doc() const { return static_cast<CHaltiqoDoc*>(m_pView->GetDocument()); }
    // A file of the system kSystem, opened and then changed by typing in the first box.
    std::wstring OpenAndChange(const wchar_t* name)
    {
        const std::wstring path = TempPath(name);
        WriteBytes(path, kSystem);
        EXPECT_EQ(Doc(), m_pTemplate->OpenDocumentFile(path.c_str()));
        ::SetWindowTextW(m_pView->m_ppEntry[0][0].m_hWnd, L"9");
        EXPECT_TRUE(Doc()->IsModified());
        m_boxes.Clear();
        return path;
    }
    // n, every text, the modified flag and the title.
    std::wstring State() const
    {
        std::wstring state = std::to_wstring(Doc()->System().Count()) +
                             (Doc()->IsModified() ? L"*" : L"") + TextOf(m_pFrame->m_hWnd);
        for (int r = 0; r < CSystemTable::kMaxCount; ++r)
            for (int c = 0; c <= CSystemTable::kMaxCount; ++c)
                state += L"|" + Doc()->System().Text(r, c);
        return state;
    }
};

TEST_F(FileTest, ABadFileIsReportedAndChangesNothing)
{
    OpenAndChange(L"before.csv");
    const std::wstring before = State();
    const struct {
        const wchar_t* name;
        std::string bytes; // empty: no such file
        const wchar_t* reason;
    } cases[] = {
        {L"blank.csv", " \r\n\r\n", L"値が一つもありません。"},
        {L"square.csv", "1,2\r\n3,4\r\n", L"値は 2 行 2 列です。"},
        {L"ragged.csv", "1,2,3\n4,5\n", L"値は 2 行ですが、1 行目は 3 個、2 行目は 2 個で"},
        {L"long.csv", "1,2,3\r\n4,5," + std::string(256, '7'), L"2 行目の 3 番目の値は 256 文字"},
        {L"big.csv", std::string(SystemFile::kMaxBytes + 1, '1'),
         L"ファイルが大きすぎます。開けるのは 4 MiB（4194304 バイト）までです。"},
        {L"program.exe", std::string("MZ\x90\0\3\0\0\0", 8), L"テキストのファイルではありません。"},
        {L"missing.csv", "", L""},
        {L"folder.csv", "", L""}, // unreadable: a folder
    };
    ::CreateDirectoryW(TempPath(L"folder.csv").c_str(), nullptr);
    for (const auto& c : cases) {
        const std::wstring path = TempPath(c.name);
        if (!c.bytes.empty())
            WriteBytes(path, c.bytes);
        m_boxes.Clear();
        m_boxes.Answer(IDNO);
        EXPECT_EQ(nullptr, m_pTemplate->OpenDocumentFile(path.c_str()));
        ASSERT_EQ(2u, m_boxes.Boxes().size()) << c.name; // the question, then the failure
        const std::wstring expected = L"ﾌｧｲﾙ " + path + L" を開けませんでした。\n" + c.reason;
        EXPECT_EQ(expected, m_boxes.Boxes()[1].text.substr(0, expected.size()));
        EXPECT_GT(m_boxes.Boxes()[1].text.size(), expected.size() - wcslen(c.reason)) << c.name;
        EXPECT_EQ(before, State()) << c.name;
    }
}

TEST_F(FileTest, AFailedSaveLeavesTheOldFileWhole)
{
    const std::wstring path = OpenAndChange(L"kept.csv");
    HANDLE hLock = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(Doc()->DoFileSave());
    ::CloseHandle(hLock);
    EXPECT_EQ(kSystem, ReadBytes(path));
    // procfs: a folder where nothing can be made, even by root.
    const std::wstring unwritable = L"Z:\\proc\\sys\\kernel\\ostype";
    const std::string old = ReadBytes(unwritable);
    EXPECT_FALSE(Doc()->DoSave(unwritable.c_str()));
    EXPECT_EQ(old, ReadBytes(unwritable));

    EXPECT_TRUE(Doc()->IsModified());
    ASSERT_EQ(2u, m_boxes.Boxes().size());
    EXPECT_EQ(0u, m_boxes.Boxes()[0].text.find(L"ﾌｧｲﾙ " + path + L" に保存できませんでした。\n"));
    WIN32_FIND_DATAW found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, ::FindFirstFileW((TempPath(L"~hq*")).c_str(), &found));
}

// Each way of closing or replacing the work, with each answer to the question.
TEST_F(FileTest, UnsavedWorkGoesOnlyWithThePersonsWord)
{
    enum Action { kClose, kNew, kOpen, kEndSession };
    for (Action action : {kClose, kNew, kOpen, kEndSession}) {
        for (int nAnswer : {IDYES, IDNO, IDCANCEL}) {
            SCOPED_TRACE(testing::Message() << "action " << action << ", answer " << nAnswer);
            TearDown();
            SetUp();
            const std::wstring path = OpenAndChange(L"q.csv");
            const std::wstring other = TempPath(L"other.csv");
            WriteBytes(other, "7,8,9\r\n1,2,3\r\n");
            m_boxes.Answer(nAnswer);
            LRESULT lGoOn = TRUE;
            if (action == kClose)
                m_pFrame->SendMessage(WM_CLOSE);
            else if (action == kNew)
                PressKey('N', true);
            else if (action == kOpen)
                m_pTemplate->OpenDocumentFile(other.c_str());
            else
                lGoOn = m_pFrame->SendMessage(WM_QUERYENDSESSION);
            Pump();
            ASSERT_FALSE(m_boxes.Boxes().empty());
            EXPECT_EQ(L"q.csv への変更を保存しますか?", m_boxes.Boxes()[0].text);
            EXPECT_TRUE(m_boxes.Boxes()[0].hasYesNo && m_boxes.Boxes()[0].hasCancel);
            EXPECT_EQ(nAnswer == IDYES ? "9,2,3\r\n4,5,6\r\n" : kSystem, ReadBytes(path));

            const bool bGoesOn = nAnswer != IDCANCEL;
            if (action == kClose)
                EXPECT_EQ(bGoesOn, theApp.m_pMainWnd == nullptr);
            else if (action == kEndSession)
                EXPECT_EQ(bGoesOn, lGoOn != 0);
            else if (action == kOpen)
                EXPECT_EQ(bGoesOn ? L"7" : L"9", Doc()->System().Text(0, 0));
            else // a new system, with a history of its own and no file in the title
                EXPECT_EQ(bGoesOn ? L"|0|Haltiqo" : L"9|1|q.csv - Haltiqo",
                          Doc()->System().Text(0, 0) + L"|" +
                              std::to_wstring(Doc()->System().CanUndo()) + L"|" +
                              TextOf(m_pFrame->m_hWnd));
        }
    }
}

TEST_F(FileTest, RecentFilesAreKeptAndAMissingOneIsDropped)
{
    theApp.SetRegistryKey(L"Local AppWizard-Generated Applications");
    theApp.LoadStdProfileSettings(4);
    std::vector<CString> paths;
    for (const wchar_t* name : {L"r1.csv", L"r2.csv", L"r3.csv", L"r4.csv", L"r5.csv"}) {
        paths.insert(paths.begin(), TempPath(name));
        WriteBytes(paths.front(), std::string("1,2,3\r\n") + static_cast<char>(name[1]) + ",0,0");
        m_pTemplate->OpenDocumentFile(paths.front().c_str());
    }
    paths.resize(4);
    theApp.LoadStdProfileSettings(4); // as the next start reads them
    EXPECT_EQ(paths, theApp.GetRecentFiles());
    HMENU hFile = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_EQ(ID_FILE_MRU_FILE4, ::GetMenuItemID(hFile, 9));

    ::DeleteFileW(paths[2].c_str());
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE3);
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(0u, m_boxes.Boxes()[0].text.find(L"ﾌｧｲﾙ " + paths[2] + L" を開けませんでした。\n"));
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE2);
    EXPECT_EQ(L"4", Doc()->System().Text(1, 0)); // r4.csv's
    EXPECT_EQ((std::vector<CString>{paths[1], paths[0], paths[3]}), theApp.GetRecentFiles());
    theApp.LoadStdProfileSettings(0);
}

} // namespace
