#include "framework/CommandLineInfo.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::wstring>;

TEST(SplitCommandLine, FollowsThePlatformsQuotingRules)
{
    EXPECT_EQ((Args{L"prog.exe"}), AfxSplitCommandLine(L"prog.exe"));
    EXPECT_EQ((Args{L"C:\\My Apps\\prog.exe", L"a", L"b c"}),
              AfxSplitCommandLine(L"\"C:\\My Apps\\prog.exe\" a \"b c\""));
    EXPECT_EQ((Args{L"p", L"C:\\dir\\", L"x"}), AfxSplitCommandLine(L"p C:\\dir\\ x"));
    EXPECT_EQ((Args{L"p", L"a\\\"b"}), AfxSplitCommandLine(L"p a\\\\\\\"b"));
    EXPECT_EQ((Args{L"p", L"a\\\\b c"}), AfxSplitCommandLine(L"p \"a\\\\b c\""));
    EXPECT_EQ((Args{L"p", L"a\\", L"b"}), AfxSplitCommandLine(L"p a\\\\\"\" b"));
    EXPECT_EQ((Args{L"p", L"/p", L"-dde"}), AfxSplitCommandLine(L"p\t /p   -dde  "));
    EXPECT_EQ((Args{L"p", L""}), AfxSplitCommandLine(L"p \"\""));
    EXPECT_EQ((Args{}), AfxSplitCommandLine(L""));
}

TEST(SplitCommandLine, AgreesWithTheShellsOwnSplitting)
{
    for (const wchar_t* line :
         {L"\"C:\\Program Files\\Haltiqo.exe\" \"C:\\a b\\sys.txt\"", L"x.exe /p f.txt",
          L"x.exe a\\\\\"b c\" d", L"x.exe \"a\"\"b\" c", L"x.exe \\\\server\\share\\f",
          L"x.exe \"unterminated arg", L"x.exe a\tb"}) {
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(line, &argc);
        const Args expected(argv, argv + argc);
        ::LocalFree(argv);
        EXPECT_EQ(expected, AfxSplitCommandLine(line)) << "line: " << line;
    }
}

} // namespace
