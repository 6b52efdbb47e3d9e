#include "app/HaltiqoApp.h"
#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "common/FileBytes.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

class StartupTest : public AppTest {};

std::wstring MenuText(HMENU hMenu, int pos)
{
    wchar_t text[128] = L"";
    ::GetMenuStringW(hMenu, pos, text, 128, MF_BYPOSITION);
    return text;
}

TEST_F(StartupTest, OneTitledSizableWindowWithoutMinimiseOrMaximise)
{
    HWND hFrame = m_pFrame->m_hWnd;
    EXPECT_EQ(L"Haltiqo", TextOf(hFrame));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hFrame, GWL_STYLE));
    EXPECT_EQ(0x00CC0000u, style & 0x00FF0000u); // caption, system menu, sizing border
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    // The view is the frame's only child: no toolbar, no status bar.
    HWND hChild = ::GetWindow(hFrame, GW_CHILD);
    EXPECT_EQ(m_pView->m_hWnd, hChild);
    EXPECT_EQ(nullptr, ::GetWindow(hChild, GW_HWNDNEXT));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(::GetClassLongPtrW(hFrame, GCLP_HICON)));
}

TEST_F(StartupTest, TheMenusHoldTheirItemsInOrder)
{
    HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
    struct Item {
        const wchar_t* text; // nullptr: a separator
        UINT id;
    };
    const struct {
        const wchar_t* title;
        std::vector<Item> items;
    } menus[] = {
        {L"ファイル(&F)",
         {{L"新規作成(&N)\tCtrl+N", ID_FILE_NEW},
          {L"開く(&O)...\tCtrl+O", ID_FILE_OPEN},
          {L"上書き保存(&S)\tCtrl+S", ID_FILE_SAVE},
          {L"名前を付けて保存(&A)...", ID_FILE_SAVE_AS},
          {L"エクスポート (数値の CSV)(&E)...", ID_FILE_EXPORT},
          {nullptr, 0},
          {L"最近使ったファイル", ID_FILE_MRU_FILE1},
          {nullptr, 0},
          {L"終了(&X)", ID_APP_EXIT}}},
        {L"編集(&E)",
         {{L"元に戻す(&U)\tCtrl+Z", ID_EDIT_UNDO},
          {L"やり直し(&R)\tCtrl+Y", ID_EDIT_REDO},
          {nullptr, 0},
          {L"切り取り(&T)\tCtrl+X", ID_EDIT_CUT},
          {L"ｺﾋﾟｰ(&C)\tCtrl+C", ID_EDIT_COPY},
          {L"貼り付け(&P)\tCtrl+V", ID_EDIT_PASTE},
          {L"全て選択(&A)\tCtrl+A", ID_EDIT_SELALL},
          {nullptr, 0},
          {L"システムをコピー(&Y)", ID_EDIT_COPY_SYSTEM}}},
        {L"ﾍﾙﾌﾟ(&H)",
         {{L"Haltiqo のﾊﾞｰｼﾞｮﾝ情報(&A)...", ID_APP_ABOUT}, {L"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ID_APP_EXIT}}},
    };
    ASSERT_EQ(3, ::GetMenuItemCount(hMenu));
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(menus[m].title, MenuText(hMenu, m));
        HMENU hPopup = ::GetSubMenu(hMenu, m);
        const std::vector<Item>& items = menus[m].items;
        ASSERT_EQ(static_cast<int>(items.size()), ::GetMenuItemCount(hPopup)) << m;
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            const UINT state = ::GetMenuState(hPopup, i, MF_BYPOSITION);
            if (items[i].text == nullptr) {
                EXPECT_TRUE(state & MF_SEPARATOR) << m << "/" << i;
                continue;
            }
            EXPECT_EQ(items[i].text, MenuText(hPopup, i));
            EXPECT_EQ(items[i].id, ::GetMenuItemID(hPopup, i));
            // Only the empty recent-file list is greyed.
            EXPECT_EQ(items[i].id == ID_FILE_MRU_FILE1, (state & MF_GRAYED) != 0) << m << "/" << i;
        }
    }
}

TEST_F(StartupTest, TheFormHoldsItsControlsAtTheirTemplatePositions)
{
    // Dialog units to pixels through the form's own font.
    // The dialog manager converts position and size separately.
    auto expectAt = [&](int id, int x, int y, int cx, int cy, const wchar_t* cls) {
        RECT units{x, y, cx, cy};
        ::MapDialogRect(m_pView->m_hWnd, &units);
        units.right += units.left;
        units.bottom += units.top;
        HWND hCtl = ::GetDlgItem(m_pView->m_hWnd, id);
        ASSERT_NE(nullptr, hCtl) << id;
        RECT rc;
        ::GetWindowRect(hCtl, &rc);
        ::MapWindowPoints(nullptr, m_pView->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(units.left, rc.left) << id;
        EXPECT_EQ(units.top, rc.top) << id;
        if (id != IDC_SPIN_N) { // the up-down control keeps a width of its own choosing
            EXPECT_EQ(units.right, rc.right) << id;
            EXPECT_EQ(units.bottom, rc.bottom) << id;
        }
        wchar_t name[32];
        ::GetClassNameW(hCtl, name, 32);
        EXPECT_EQ(0, ::lstrcmpiW(cls, name)) << id;
    };
    expectAt(IDC_SPIN_N, 49, 16, 9, 15, L"msctls_updown32");
    expectAt(IDC_EDIT_N, 22, 17, 26, 14, L"Edit");
    expectAt(IDC_CALC, 62, 17, 34, 14, L"Button");
    expectAt(-1 & 0xFFFF, 14, 20, 8, 8, L"Static");
    EXPECT_EQ(L"計算！！", TextOf(::GetDlgItem(m_pView->m_hWnd, IDC_CALC)));
    EXPECT_EQ(L"n=", TextOf(::GetDlgItem(m_pView->m_hWnd, 0xFFFF)));
    EXPECT_EQ(L"2", TextOf(m_pView->m_editN.m_hWnd));
    // The frame was shrunk so the client area is no larger than the form.
    RECT units{0, 0, 320, 200};
    ::MapDialogRect(m_pView->m_hWnd, &units);
    RECT client;
    ::GetClientRect(m_pFrame->m_hWnd, &client);
    EXPECT_LE(client.right, units.right);
    EXPECT_LE(client.bottom, units.bottom);
}

TEST_F(StartupTest, TabGoesFromTheCountBoxToTheButtonAndIntoTheGrid)
{
    ::SetFocus(m_pView->m_editN.m_hWnd);
    PressKey(VK_TAB);
    EXPECT_EQ(::GetDlgItem(m_pView->m_hWnd, IDC_CALC), ::GetFocus());
    PressKey(VK_TAB);
    EXPECT_EQ(m_pView->m_ppEntry[0][0].m_hWnd, ::GetFocus());
}

TEST_F(StartupTest, AnUnchangedSystemClosesWithoutAQuestionAndLeavesNoRegistryKey)
{
    ::SetWindowTextW(m_pView->m_ppEntry[0][0].m_hWnd, L"12");
    ::SetWindowTextW(m_pView->m_ppEntry[0][0].m_hWnd, L"");
    m_pFrame->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_TRUE(m_boxes.Boxes().empty());

    // The start-up's profile call only reads: no key is made for it.
    const wchar_t kAppKey[] = L"Software\\Local AppWizard-Generated Applications\\Haltiqo";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    theApp.SetRegistryKey(L"Local AppWizard-Generated Applications");
    theApp.LoadStdProfileSettings(4);
    HKEY hKey = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              ::RegOpenKeyExW(HKEY_CURRENT_USER, kAppKey, 0, KEY_READ, &hKey));
    if (hKey)
        ::RegCloseKey(hKey);
}

TEST_F(StartupTest, TheExitItemClosesTheWindow)
{
    HWND hFrame = m_pFrame->m_hWnd;
    ::PostMessageW(hFrame, WM_COMMAND, ID_APP_EXIT, 0);
    Pump(20);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
}

} // namespace

namespace {

// Start-up with a file on the command line, outside the fixture: the template is fresh.
CDocument* OpenAtStartUp(CSingleDocTemplate& docTemplate, LPCWSTR path)
{
    theApp.m_pMainWnd = nullptr;
    return docTemplate.OpenDocumentFile(path);
}

TEST(StartupWithFile, AFileShowsItsSystem)
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"hq", 0, path);
    WriteBytes(path, "1,2,3,4\n5,6,7,8\n9,10,11,12\n");
    CSingleDocTemplate docTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CHaltiqoDoc),
                                   RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CHaltiqoView));
    MessageBoxWatcher boxes;
    ASSERT_NE(nullptr, OpenAtStartUp(docTemplate, path));
    auto* pFrame = static_cast<CFrameWnd*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, pFrame);
    auto* pView = static_cast<CHaltiqoView*>(pFrame->GetActiveView());
    EXPECT_EQ(4, pView->m_nGridSize);
    EXPECT_EQ(L"3", TextOf(pView->m_editN.m_hWnd));
    EXPECT_EQ(L"12", TextOf(pView->m_ppEntry[2][3].m_hWnd));
    EXPECT_TRUE(boxes.Boxes().empty());
    pFrame->DestroyWindow();
    Pump();
    ::DeleteFileW(path);
}

TEST(StartupWithFile, AMissingFileIsReportedAndNoWindowIsLeft)
{
    CSingleDocTemplate docTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CHaltiqoDoc),
                                   RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CHaltiqoView));
    MessageBoxWatcher boxes;
    EXPECT_EQ(nullptr, OpenAtStartUp(docTemplate, L"C:\\no\\such\\file.hq"));
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(0u, boxes.Boxes()[0].text.find(L"ﾌｧｲﾙ C:\\no\\such\\file.hq を開けませんでした。\n"));
    EXPECT_EQ(L"Haltiqo", boxes.Boxes()[0].caption);
    EXPECT_EQ(nullptr, ::FindWindowW(L"AfxFrameWnd", nullptr));
    Pump();
}

} // namespace
