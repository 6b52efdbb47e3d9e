// Pictures for the README, taken only when HALTIQO_SCREENSHOTS names a folder
// (tools/screenshots.sh).
#include <cstdlib>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "Driver.h"

namespace {

std::wstring Folder()
{
    const wchar_t* folder = _wgetenv(L"HALTIQO_SCREENSHOTS");
    return folder ? std::wstring(folder) + L"\\" : std::wstring();
}

// A picture of the screen once every window in it has painted.
void Shoot(const std::wstring& name, std::initializer_list<HWND> windows)
{
    ::SetCursorPos(1000, 740); // the pointer out of the picture
    for (HWND hWnd : windows)
        ASSERT_TRUE(WaitUntilPainted(hWnd))
            << "no picture " << name << ": the window \"" << WindowText(hWnd)
            << "\" was not shown and painted within 10 s";
    EXPECT_TRUE(SaveScreenshot(Folder() + name));
}

TEST(Screenshots, FormAfterASolveAndTheAboutBox)
{
    if (Folder().empty())
        GTEST_SKIP() << "HALTIQO_SCREENSHOTS is not set";
    AppDriver app;
    ASSERT_TRUE(app.Started());
    ::SetWindowPos(app.Frame(), nullptr, 20, 20, 680, 330, SWP_NOZORDER);
    Shoot(L"start.bmp", {app.Frame()});

    app.Click(app.CountBox());
    app.Key(VK_HOME);
    app.Key(VK_END, false, false, true);
    app.Type(L"3");
    ASSERT_EQ(3, app.GridN());
    const wchar_t* values[] = {L"2", L"1",   L"-1", L"8", L"-3", L"-1",
                               L"2", L"-11", L"-2", L"1", L"2",  L"-3"};
    for (int i = 0; i < 12; ++i)
        app.Fill(app.Entry(i / 4, i % 4), values[i]);
    app.Click(app.SolveButton());
    SeenBox box;
    ASSERT_TRUE(app.FindBox(box));
    Shoot(L"solved.bmp", {app.Frame(), box.hWnd});
    app.CloseBox(box);

    const HWND hAbout = app.OpenAbout();
    ASSERT_NE(nullptr, hAbout);
    Shoot(L"about.bmp", {app.Frame(), hAbout});
    ::SetForegroundWindow(hAbout);
    app.Key(VK_ESCAPE);

    // A system of four copied from a spreadsheet, pasted into the first box, solved.
    ::SetWindowPos(app.Frame(), nullptr, 20, 20, 820, 360, SWP_NOZORDER);
    PutOnClipboard(L"2\t1\t0\t0\t0\r\n1\t3\t1\t0\t-4.5\r\n0\t1\t4\t1\t3\r\n0\t0\t1\t2\t6.5\r\n");
    app.Click(app.Entry(0, 0));
    app.Key('V', true);
    ASSERT_EQ(4, app.GridN());
    app.Click(app.SolveButton());
    ASSERT_TRUE(app.FindBox(box));
    Shoot(L"pasted.bmp", {app.Frame(), box.hWnd});
    app.CloseBox(box);
}

} // namespace
