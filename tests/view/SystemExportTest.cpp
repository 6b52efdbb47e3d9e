#include <string>

#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "common/FileBytes.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

class SystemExportTest : public AppTest {
protected:
    CHaltiqoDoc* Doc() const { return static_cast<CHaltiqoDoc*>(m_pView->GetDocument()); }
    std::wstring Row(int r) const
    {
        std::wstring row;
        for (int k = 0; k < m_pView->m_nGridSize; ++k)
            row += (k ? L"," : L"") + TextOf(m_pView->m_ppEntry[r][k].m_hWnd);
        return row;
    }
    void Paste(const std::wstring& text)
    {
        ::SetFocus(m_pView->m_ppEntry[0][0].m_hWnd);
        SetClipboardText(text);
        m_boxes.Clear();
        m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        Pump();
    }
    std::wstring Said() const
    {
        if (m_boxes.Boxes().size() != 1)
            return L"(" + std::to_wstring(m_boxes.Boxes().size()) + L" messages)";
        EXPECT_EQ(::LoadIconW(nullptr, IDI_INFORMATION), m_boxes.Boxes()[0].icon);
        return m_boxes.Boxes()[0].text;
    }
};

// The numbers as every reader takes them, the answers beside them while current; the copy pastes
// back as the same system, and neither touches the document's file or state.
TEST_F(SystemExportTest, TheExportAndTheCopyCarryTheNumbers)
{
    Doc()->ReplaceSystem({{L"1/3", L"25%", L"1"}, {L"2", L"-1", L"0.5"}});
    Doc()->SetModifiedFlag(FALSE);
    const std::wstring title = TextOf(m_pFrame->m_hWnd);
    const std::wstring path = TempPath(L"export.csv");
    EXPECT_TRUE(m_pView->ExportTo(path.c_str(), TRUE));
    EXPECT_EQ("0.33333333333333331,0.25,1\r\n2,-1,0.5\r\n", ReadBytes(path)); // nothing solved yet

    ::SendMessageW(::GetDlgItem(m_pView->m_hWnd, IDC_CALC), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(m_pView->AnswersCurrent());
    EXPECT_TRUE(m_pView->ExportTo(path.c_str(), TRUE));
    const char kWithAnswers[] = "0.33333333333333331,0.25,1,1.35\r\n2,-1,0.5,2.2\r\n";
    EXPECT_EQ(kWithAnswers, ReadBytes(path));
    m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_COPY_SYSTEM);
    EXPECT_EQ(L"0.33333333333333331\t0.25\t1\t1.35\r\n2\t-1\t0.5\t2.2\r\n", ClipboardText());
    EXPECT_TRUE(::IsClipboardFormatAvailable(::RegisterClipboardFormatW(L"Csv")));
    EXPECT_TRUE(::IsClipboardFormatAvailable(::RegisterClipboardFormatW(L"HTML Format")));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(title, TextOf(m_pFrame->m_hWnd));

    Paste(ClipboardText());
    EXPECT_EQ(L"0.33333333333333331,0.25,1", Row(0));
    EXPECT_EQ(L"2,-1,0.5", Row(1));
    EXPECT_EQ(L"最後の列（答え）を除いて読み込みました。", Said());
    EXPECT_FALSE(m_pView->AnswersCurrent());
}

// A pandas file, opened or pasted: its header and index are left out, and that is said once.
TEST_F(SystemExportTest, WhatOtherProgramsPutAroundASystemIsSaid)
{
    const char kPandas[] = ",0,1,2\n0,1.0,2.0,3.0\n1,\"4,5\",6.0,7.0\n";
    const std::wstring path = TempPath(L"pandas.csv");
    WriteBytes(path, kPandas);
    m_boxes.Clear();
    ASSERT_EQ(Doc(), m_pTemplate->OpenDocumentFile(path.c_str()));
    EXPECT_EQ(L"1 行目（見出し）と 1 列目（ラベル）を除いて読み込みました。", Said());
    EXPECT_EQ(L"1.0,2.0,3.0", Row(0));
    EXPECT_EQ(L"4,5,6.0,7.0", Row(1)); // points elsewhere: no decimal commas

    Paste(L"\t0\t1\t2\n0\t1\t2\t3\n1\t4\t5\t7\n\n");
    EXPECT_EQ(L"4,5,7", Row(1));
    EXPECT_EQ(L"1 行目（見出し）と 1 列目（ラベル）を除いて読み込みました。", Said());
}

} // namespace
