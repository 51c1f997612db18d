// The conversions and the formula, the work of the core on every keystroke.
#include <benchmark/benchmark.h>

#include "calc_state.h"
#include "conversions.h"

namespace {

using namespace quorvel;

void BM_ReadNumber(benchmark::State& state, const char* text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadNumber(text));
    }
}
BENCHMARK_CAPTURE(BM_ReadNumber, sectors, "332800");
BENCHMARK_CAPTURE(BM_ReadNumber, fraction, "2.9");
BENCHMARK_CAPTURE(BM_ReadNumber, exponent, "9e99");
BENCHMARK_CAPTURE(BM_ReadNumber, blanks_and_letters, " -0096abc");

void BM_FormatGeneral(benchmark::State& state) {
    double value = 332800;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatGeneral(value));
    }
}
BENCHMARK(BM_FormatGeneral);

void BM_FormatTwoDigit(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatTwoDigit(5));
    }
}
BENCHMARK(BM_FormatTwoDigit);

void BM_LongToText(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(LongToText(-1103));
    }
}
BENCHMARK(BM_LongToText);

// One typed sector count: read, limit, size, result.
void BM_TypedSectorsThroughTheCore(benchmark::State& state) {
    CalcState calc;
    InitDefaults(calc);
    std::string shown;
    const RewriteBox rewrite = [](Box, const std::string&) {};
    const ResultDisplay display = [&shown](const std::string& text) { shown = text; };
    for (auto _ : state) {
        SetSectorCount(calc, "30", rewrite);
        ApplyTypedSize(calc);
        CalcVideoBitRate(calc, display);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_TypedSectorsThroughTheCore);

} // namespace

BENCHMARK_MAIN();
