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
    // The grid's equations as CSV lines, then the news shown (messages with the information icon).
    std::wstring Shown() const
    {
        std::wstring shown;
        for (int r = 0; r + 1 < m_pView->m_nGridSize; ++r)
            for (int k = 0; k < m_pView->m_nGridSize; ++k)
                shown += TextOf(m_pView->m_ppEntry[r][k].m_hWnd) +
                         (k + 1 < m_pView->m_nGridSize ? L"," : L"\n");
        for (const ShownMessageBox& box : m_boxes.Boxes())
            if (box.icon == ::LoadIconW(nullptr, IDI_INFORMATION))
                shown += L"i:" + box.text;
        return shown;
    }
    void Paste(const std::wstring& text)
    {
        ::SetFocus(m_pView->m_ppEntry[0][0].m_hWnd);
        SetClipboardText(text);
        m_boxes.Clear();
        m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        Pump();
    }
};

// The numbers as every reader takes them, the answers beside them while current; the copy pastes
// back as the same numbers; neither touches the document's file or state. What other programs
// put around a system, in a file or a paste, is left out and said once.
TEST_F(SystemExportTest, NumbersGoOutAndComeBackIn)
{
    Doc()->ReplaceSystem({{L"1/3", L"25%", L"1"}, {L"2", L"-1", L"0.5"}});
    Doc()->SetModifiedFlag(FALSE);
    const std::wstring title = TextOf(m_pFrame->m_hWnd);
    const std::wstring path = TempPath(L"export.csv");
    EXPECT_TRUE(m_pView->ExportTo(path.c_str(), TRUE));
    EXPECT_EQ("0.33333333333333331,0.25,1\r\n2,-1,0.5\r\n", ReadBytes(path)); // nothing solved
    ::SendMessageW(::GetDlgItem(m_pView->m_hWnd, IDC_CALC), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(m_pView->ExportTo(path.c_str(), TRUE));
    EXPECT_EQ("0.33333333333333331,0.25,1,1.35\r\n2,-1,0.5,2.2\r\n", ReadBytes(path));
    m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_COPY_SYSTEM);
    EXPECT_EQ(L"0.33333333333333331\t0.25\t1\t1.35\r\n2\t-1\t0.5\t2.2\r\n", ClipboardText());
    EXPECT_TRUE(::IsClipboardFormatAvailable(::RegisterClipboardFormatW(L"Csv")));
    EXPECT_TRUE(::IsClipboardFormatAvailable(::RegisterClipboardFormatW(L"HTML Format")));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(title, TextOf(m_pFrame->m_hWnd));

    Paste(ClipboardText());
    EXPECT_EQ(L"0.33333333333333331,0.25,1\n2,-1,0.5\ni:最後の列（答え）を除いて読み込みました。",
              Shown());
    EXPECT_FALSE(m_pView->AnswersCurrent());

    const std::wstring kPandasSaid =
        L"i:1 行目（見出し）と 1 列目（ラベル）を除いて読み込みました。";
    WriteBytes(TempPath(L"pandas.csv"), ",0,1,2\n0,1.0,2.0,3.0\n1,\"4,5\",6.0,7.0\n");
    m_boxes.Clear();
    m_boxes.Answer(IDNO); // the pasted system is not saved
    ASSERT_EQ(Doc(), m_pTemplate->OpenDocumentFile(TempPath(L"pandas.csv").c_str()));
    EXPECT_EQ(L"1.0,2.0,3.0\n4,5,6.0,7.0\n" + kPandasSaid, Shown()); // points: no decimal commas
    Paste(L"\t0\t1\t2\n0\t1\t2\t3\n1\t4\t5\t7\n\n");
    EXPECT_EQ(L"1,2,3\n4,5,7\n" + kPandasSaid, Shown());
}

} // namespace
