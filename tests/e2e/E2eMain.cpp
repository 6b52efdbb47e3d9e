// End-to-end tests: the real Haltiqo.exe driven from this separate program in the same Wine
// prefix. A failing test leaves a screenshot named after it in e2e-failures\ beside this program
// (taken by the test's fixture while the program is still up).
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "Driver.h"
#include "common/TestInput.h"
#include "E2eSupport.h"

namespace {

std::wstring LogPath()
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"haltiqo-e2e-urls.log";
}

} // namespace

std::vector<std::wstring> OpenedAddresses()
{
    return RecordedUrls(LogPath());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::DeleteFileW(LogPath().c_str());
    // Web addresses open in the recorder, never in a real browser.
    RegisterUrlRecorder(OwnFolder() + L"url_recorder.exe", LogPath());
    return RUN_ALL_TESTS();
}
