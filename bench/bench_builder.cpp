// Cost of the barcode string builder on data of growing length.
#include "encoding/barcode_builder.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// Mixed data: direct characters, lower case and punctuation, as real data has.
std::u16string MixedData(std::size_t length) {
    const std::u16string pattern = u"Order 4711-B/x: qty=12; ship@dock #3 (rush!) ";
    std::u16string data;
    data.reserve(length);
    while (data.size() < length) {
        data += pattern;
    }
    data.resize(length);
    return data;
}

void BM_BuildBarcode(benchmark::State& state) {
    const std::u16string data = MixedData(std::size_t(state.range(0)));
    for (auto _ : state) {
        auto result = code93::BuildBarcode(data);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["chars/s"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_BuildBarcode)
    ->Arg(10)
    ->Arg(100)
    ->Arg(10'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
