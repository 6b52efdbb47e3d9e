// A bounded, seeded run of random actions on the real program, checking after each one that it
// answers, that its grid is whole, that its answers are the exact ones, and that
// its windows, GDI objects and memory stay within fixed bounds.
//   HALTIQO_SOAK_SECONDS (default 20) and HALTIQO_SOAK_SEED (default 1) set length and seed.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "Driver.h"
#include "ReferenceSolver.h"

namespace {

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

class Soak : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (HasFailure())
            m_app.Screenshot("Soak.RandomActions");
    }

    void SetCount(int n)
    {
        m_app.Click(m_app.CountBox());
        m_app.Key(VK_HOME);
        m_app.Key(VK_END, false, false, true);
        m_app.Type(std::to_wstring(n));
        ASSERT_TRUE(m_app.CountShows(std::to_wstring(n)));
    }

    // Types a system (dominant diagonal, or contradicting itself: its second row twice the first
    // but for the right-hand side), solves it and checks every answer against the exact reference.
    void SolveRandomSystem(bool bSingular)
    {
        const int n = m_app.GridN();
        std::uniform_int_distribution<int> value(-9, 9);
        std::vector<std::vector<int>> a(n, std::vector<int>(n + 1));
        for (int r = 0; r < n; ++r)
            for (int k = 0; k <= n; ++k) {
                a[r][k] = value(m_rng);
                if (k == r)
                    a[r][k] += a[r][k] < 0 ? -10 * n : 10 * n;
                if (bSingular && r == 1)
                    a[1][k] = 2 * a[0][k] + (k == n);
            }
        m_app.Fill(m_app.Entry(0, 0), L""); // empty, so the first value is not appended
        for (int r = 0; r < n; ++r) {
            std::wstring row;
            for (int k = 0; k <= n; ++k)
                row += std::to_wstring(a[r][k]) + L"\t";
            m_app.TypeRun(row);
        }
        // Every box holds its value once the typing has been taken (an old value may match).
        auto typed = [&] {
            for (int r = 0; r < n; ++r)
                for (int k = 0; k <= n; ++k)
                    if (std::to_wstring(a[r][k]) != WindowText(m_app.Entry(r, k)))
                        return false;
            return true;
        };
        ASSERT_TRUE(m_app.WaitFor(typed, 10000)) << "the typed values did not all arrive";
        m_app.Click(m_app.SolveButton());
        const SeenBox box = m_app.ExpectBox(10000);
        ASSERT_EQ(L"Haltiqo", box.caption);
        const std::vector<std::wstring> answers = ReferenceAnswers(a);
        std::wstring message;
        for (int k = 0; k < n; ++k) {
            const std::wstring expected = answers.empty() ? L"解無し" : answers[k];
            EXPECT_EQ(expected, WindowText(m_app.Entry(n, k))) << "unknown " << k;
            message += std::wstring(1, L'a' + k) + L"=" + expected + L"\n";
        }
        if (answers.empty()) {
            EXPECT_EQ(L"その式では解が定まりません！！\n値を確認してください。", box.text);
            ++m_nSingular;
        } else {
            EXPECT_EQ(message, box.text);
            ++m_nSolved;
        }
    }

    void CopyBetweenBoxes()
    {
        const int n = m_app.GridN();
        std::uniform_int_distribution<int> row(0, n - 1), col(0, n);
        HWND hFrom = m_app.Entry(row(m_rng), col(m_rng));
        HWND hTo = m_app.Entry(row(m_rng), col(m_rng));
        if (hFrom == hTo)
            return;
        m_app.Fill(hFrom, std::to_wstring(row(m_rng) * 7 + 1));
        const std::wstring text = WindowText(hFrom);
        m_app.Key('A', true);
        m_app.Key('C', true);
        m_app.Click(hTo);
        m_app.Key('A', true);
        m_app.Key('V', true);
        EXPECT_TRUE(m_app.WaitFor([&] { return WindowText(hTo) == text; }));
    }

    void OpenAndCloseAbout()
    {
        const HWND hAbout = m_app.OpenAbout();
        ASSERT_NE(nullptr, hAbout);
        ::SetForegroundWindow(hAbout);
        m_app.Key(VK_ESCAPE);
        ASSERT_TRUE(m_app.WaitFor([&] { return !::IsWindow(hAbout); }));
    }

    AppDriver m_app;
    std::mt19937 m_rng{static_cast<unsigned>(FromEnvironment("HALTIQO_SOAK_SEED", 1))};
    int m_nSolved = 0;
    int m_nSingular = 0;
};

TEST_F(Soak, RandomActions)
{
    ASSERT_TRUE(m_app.Started());
    const int seconds = FromEnvironment("HALTIQO_SOAK_SECONDS", 20);
    const size_t memoryAtStart = m_app.PrivateBytes();
    ASSERT_GT(memoryAtStart, 0u) << "the system does not report the program's memory";
    const size_t memoryBound = memoryAtStart + 64u * 1024 * 1024;
    int maxWindows = 0, maxGdi = 0, steps = 0;
    size_t maxMemory = memoryAtStart;
    std::uniform_int_distribution<int> action(0, 9), count(2, 5);

    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < static_cast<DWORD>(seconds) * 1000 && !HasFatalFailure()) {
        const int a = action(m_rng);
        SCOPED_TRACE(::testing::Message() << "step " << steps << ", action " << a);
        if (a <= 1) {
            SetCount(count(m_rng));
        } else if (a == 2) {
            RECT rc;
            ::GetClientRect(m_app.SpinButton(), &rc);
            const bool up = m_app.GridN() < 5 && (m_rng() & 1);
            m_app.Click(m_app.SpinButton(), rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4);
        } else if (a <= 5) {
            SolveRandomSystem(a == 5);
        } else if (a <= 7) {
            CopyBetweenBoxes();
        } else if (a == 8) {
            OpenAndCloseAbout();
        } else {
            m_app.Wheel(m_app.View(), (m_rng() & 1) ? 1 : -1);
        }
        ++steps;

        ASSERT_TRUE(m_app.Responsive(5000)) << "the program stopped answering";
        const int n = m_app.GridN();
        ASSERT_GE(n, 2);
        EXPECT_EQ(2 * n * n + 3 * n, m_app.GridWindowCount());
        const int windows = m_app.WindowCount();
        EXPECT_LE(windows, 2 * 5 * 5 + 3 * 5 + 16);
        maxWindows = std::max(maxWindows, windows);
        maxGdi = std::max(maxGdi, m_app.GdiObjects());
        const size_t memory = m_app.PrivateBytes();
        EXPECT_LE(memory, memoryBound);
        maxMemory = std::max(maxMemory, memory);
    }
    EXPECT_GT(m_nSolved, 0);
    EXPECT_GT(m_nSingular, 0);
    std::printf("soak: %d steps in %d s, %d systems solved and %d without a unique solution, all "
                "as the exact reference says\n",
                steps, seconds, m_nSolved, m_nSingular);
    std::printf("soak: windows at most %d; GDI objects at most %d%s\n", maxWindows, maxGdi,
                maxGdi == 0 ? " (not counted by this system)" : "");
    std::printf("soak: private memory %.1f MiB at start, %.1f MiB at the end, %.1f MiB at most; "
                "working set %.1f MiB\n",
                memoryAtStart / 1048576.0, m_app.PrivateBytes() / 1048576.0, maxMemory / 1048576.0,
                m_app.WorkingSet() / 1048576.0);
}

} // namespace
