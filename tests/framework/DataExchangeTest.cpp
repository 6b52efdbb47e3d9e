#include <functional>

#include "framework/afxwin.h"
#include "ui/UiSupport.h"

namespace {

// A small dialog holding one exchanged integer; the test body runs while the dialog is up.
class CExchangeDlg : public CDialog {
public:
    explicit CExchangeDlg(std::function<void(CExchangeDlg&)> body)
        : CDialog(900), m_body(std::move(body))
    {
    }

    int m_value = 0;
    int m_nChanges = 0;
    HWND Box() const { return ::GetDlgItem(m_hWnd, 901); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 901, m_value);
        DDV_MinMaxInt(pDX, m_value, 2, 26);
        if (!pDX->m_bSaveAndValidate) // a notification sent inside the exchange is discarded
            ::SetWindowTextW(::GetDlgItem(m_hWnd, 902), L"written");
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_body(*this);
        EndDialog(IDOK);
        return TRUE;
    }
    void OnChange() { ++m_nChanges; }

    DECLARE_MESSAGE_MAP()

private:
    std::function<void(CExchangeDlg&)> m_body;
};

BEGIN_MESSAGE_MAP(CExchangeDlg, CDialog)
ON_EN_CHANGE(901, OnChange)
ON_EN_CHANGE(902, OnChange)
END_MESSAGE_MAP()

void RunDialog(std::function<void(CExchangeDlg&)> body)
{
    CExchangeDlg dlg(std::move(body));
    ASSERT_EQ(IDOK, dlg.DoModal());
}

TEST(DataExchange, IntegerRuleOfTheExchange)
{
    struct Case {
        const wchar_t* text;
        bool accepted;
        int value;
    } cases[] = {
        {L"7", true, 7},
        {L" \t7\t ", true, 7},
        {L"007", true, 7},
        {L"+5", true, 5},
        {L"-5", true, -5},
        {L"0", true, 0},
        {L" 0 ", true, 0},
        {L"00", true, 0},
        {L"2147483647", true, 2147483647},
        {L"99999999999", true, 2147483647},
        {L"-99999999999", true, -2147483647 - 1},
        {L"", false, 0},
        {L"  ", false, 0},
        {L"+0", false, 0},
        {L"-0", false, 0},
        {L"+", false, 0},
        {L"-", false, 0},
        {L"5a", false, 0},
        {L"a5", false, 0},
        {L"1 2", false, 0},
        {L"- 5", false, 0},
        {L"\xFF15", false, 0},
        {L"3.0", false, 0},
        {L"\n7", false, 0},
    };
    for (const Case& c : cases) {
        int value = -12345;
        EXPECT_EQ(c.accepted, AfxParseDataExchangeInt(c.text, value)) << "[" << c.text << "]";
        EXPECT_EQ(c.accepted ? c.value : -12345, value) << "[" << c.text << "]";
    }
}

TEST(DataExchange, ARefusedTextShowsTheIntegerMessageAndSelectsTheBox)
{
    MessageBoxWatcher boxes;
    RunDialog([&](CExchangeDlg& dlg) {
        dlg.m_value = 9;
        ::SetWindowTextW(dlg.Box(), L"abc");
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        EXPECT_EQ(9, dlg.m_value);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(L"整数を入力してください。", boxes.Boxes()[0].text);
        EXPECT_EQ(L"Haltiqo", boxes.Boxes()[0].caption);
        EXPECT_EQ(kExclamationIcon, boxes.Boxes()[0].icon);
        EXPECT_EQ(dlg.Box(), ::GetFocus());
        EXPECT_EQ(MAKELONG(0, 3), ::SendMessageW(dlg.Box(), EM_GETSEL, 0, 0));
    });
}

TEST(DataExchange, AnOutOfRangeValueIsStoredAndReported)
{
    MessageBoxWatcher boxes;
    RunDialog([&](CExchangeDlg& dlg) {
        ::SetWindowTextW(dlg.Box(), L"27");
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        EXPECT_EQ(27, dlg.m_value);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(L"2 から 26 までの整数を入力してください。", boxes.Boxes()[0].text);
        EXPECT_EQ(kExclamationIcon, boxes.Boxes()[0].icon);
        EXPECT_EQ(dlg.Box(), ::GetFocus());

        ::SetWindowTextW(dlg.Box(), L"26");
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(26, dlg.m_value);
        EXPECT_EQ(1u, boxes.Boxes().size());
    });
}

TEST(DataExchange, WritingFormatsTheValueAndLocksOutNotifications)
{
    RunDialog([&](CExchangeDlg& dlg) {
        const int before = dlg.m_nChanges;
        dlg.m_value = -42;
        EXPECT_TRUE(dlg.UpdateData(FALSE)); // no range check in this direction
        EXPECT_EQ(L"-42", TextOf(dlg.Box()));
        EXPECT_EQ(L"written", TextOf(::GetDlgItem(dlg.m_hWnd, 902)));
        EXPECT_EQ(before, dlg.m_nChanges);
        ::SetWindowTextW(dlg.Box(), L"5"); // outside the exchange the handler runs
        EXPECT_EQ(before + 1, dlg.m_nChanges);
    });
}

TEST(CommandLine, FileNamesAndSwitches)
{
    CCommandLineInfo plain;
    EXPECT_EQ(CCommandLineInfo::FileNew, plain.m_nShellCommand);

    CCommandLineInfo file;
    file.ParseParam(L"C:\\data\\sys.txt", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FileOpen, file.m_nShellCommand);
    EXPECT_EQ(L"C:\\data\\sys.txt", file.m_strFileName);

    CCommandLineInfo print;
    print.ParseParam(L"p", TRUE, FALSE);
    print.ParseParam(L"sys.txt", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FilePrint, print.m_nShellCommand);
    EXPECT_EQ(L"sys.txt", print.m_strFileName);

    CCommandLineInfo unregister;
    unregister.ParseParam(L"Unregserver", TRUE, TRUE);
    EXPECT_EQ(CCommandLineInfo::AppUnregister, unregister.m_nShellCommand);
}

} // namespace
