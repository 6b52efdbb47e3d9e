// The program as it is handed out: its manifest, and a copy run from wherever it was unpacked
// (HALTIQO_EXE, set by the release check).
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Driver.h"

namespace {

std::string ManifestOf(const std::wstring& exe)
{
    HMODULE hModule = ::LoadLibraryExW(exe.c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (hModule == nullptr)
        return "";
    std::string text;
    if (HRSRC hRes = ::FindResourceW(hModule, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const auto* p = static_cast<const char*>(::LockResource(::LoadResource(hModule, hRes)));
        if (p)
            text.assign(p, ::SizeofResource(hModule, hRes));
    }
    ::FreeLibrary(hModule);
    return text;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileW((folder + L"*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    return names;
}

TEST(Release, TheManifestRunsTheProgramAsInvokerOnWindows7To11WithTheClassicLook)
{
    const std::string manifest = ManifestOf(ProgramPath());
    ASSERT_FALSE(manifest.empty()) << "no manifest resource in the program";
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    for (const char* id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) // 10 and 11
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + id)) << id;
    // Nothing that changes the controls' look or the window's geometry.
    for (const char* absent : {"Common-Controls", "dpiAware", "dpiAwareness", "gdiScaling"})
        EXPECT_EQ(std::string::npos, manifest.find(absent)) << absent;
}

// Started from the folder it was unpacked to, the program solves a system, closes, and leaves
// that folder as it was.
TEST(Release, AnUnpackedCopySolvesAndLeavesItsFolderAsItWas)
{
    const std::wstring exe = ProgramPath();
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    const std::vector<std::wstring> before = FilesIn(folder);
    {
        AppDriver app;
        ASSERT_TRUE(app.Started()) << "the program did not show its window";
        app.Fill(app.Entry(0, 0), L"1");
        app.Fill(app.Entry(0, 1), L"1");
        app.Fill(app.Entry(0, 2), L"3");
        app.Fill(app.Entry(1, 0), L"1");
        app.Fill(app.Entry(1, 1), L"-1");
        app.Fill(app.Entry(1, 2), L"1");
        app.Click(app.SolveButton());
        const SeenBox box = app.ExpectBox();
        EXPECT_EQ(L"a=2.000000\nb=1.000000\n", box.text);
        app.CloseBox(box);
        ASSERT_TRUE(app.ExitThroughMenu());
        DWORD code = 1;
        ::GetExitCodeProcess(app.Process(), &code);
        EXPECT_EQ(0u, code);
    }
    EXPECT_EQ(before, FilesIn(folder));
}

} // namespace
