// Solve beside LAPACK's dgesv on the same diagonally dominant systems, and the exact solver on
// systems of 26 typed as people type them.
//   cmake --build build/native --target solve_bench && build/native/solve_bench

#include "core/ExactSystem.h"
#include "core/Matrix.h"

#include "bench/TypedTexts.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

extern "C" void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv,
                       double* b, const int* ldb, int* info);

namespace {

// Row-major augmented system: n rows of n coefficients and a right-hand side.
std::vector<double> MakeSystem(int n)
{
    std::mt19937_64 rng(42u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> dist(-10.0, 10.0);
    std::vector<double> aug(static_cast<size_t>(n) * (n + 1));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c <= n; ++c)
            aug[r * (n + 1) + c] = dist(rng);
        aug[r * (n + 1) + r] += 20.0 * n; // keeps every pivot well away from zero
    }
    return aug;
}

void BM_Solve(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> aug = MakeSystem(n);
    CMatrix m;
    m.Resize(n, n + 1);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c <= n; ++c)
            m.SetVal(r, c, aug[r * (n + 1) + c]);
    for (auto _ : state) {
        CMatrix* pResult = m.Solve();
        benchmark::DoNotOptimize(pResult->GetVal(0, n));
        delete pResult;
    }
}

void BM_Dgesv(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> aug = MakeSystem(n);
    std::vector<double> a(static_cast<size_t>(n) * n), b(n);
    std::vector<int> pivots(n);
    const int one = 1;
    for (auto _ : state) {
        // Column-major copy, as LAPACK wants it; dgesv overwrites its inputs.
        for (int r = 0; r < n; ++r) {
            for (int c = 0; c < n; ++c)
                a[c * n + r] = aug[r * (n + 1) + c];
            b[r] = aug[r * (n + 1) + n];
        }
        int info = 0;
        dgesv_(&n, &one, a.data(), &n, pivots.data(), b.data(), &n, &info);
        benchmark::DoNotOptimize(b[0]);
    }
}

void BM_ExactSolve(benchmark::State& state)
{
    const int n = 26;
    const TextKind kind = static_cast<TextKind>(state.range(0));
    const std::vector<std::string> texts = MakeTexts(kind, n * (n + 1));
    for (auto _ : state) {
        CExactSystem system(n);
        for (int i = 0; i < n * (n + 1); ++i)
            system.SetText(i / (n + 1), i % (n + 1), texts[i]);
        if (!system.Solve())
            state.SkipWithError("no unique solution");
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(system.FormatAnswer(i));
    }
    state.SetLabel(TextKindName(kind));
}

BENCHMARK(BM_ExactSolve)->Arg(kFifteenDigits)->Arg(kTwoDecimals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactSolve)->Arg(kLongest)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Solve)->Arg(2)->Arg(8)->Arg(16)->Arg(26);
BENCHMARK(BM_Dgesv)->Arg(2)->Arg(8)->Arg(16)->Arg(26);

} // namespace

BENCHMARK_MAIN();
