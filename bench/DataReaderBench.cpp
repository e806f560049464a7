// Throughput of the data-line readers that every content loader runs through.
#include <benchmark/benchmark.h>

#include <string>

#include "core/FieldReader.h"
#include "core/SectionReader.h"

namespace {

// A policy-style line: name, texts, and quoted "target,formula" effects.
const std::string kLine =
    "#IncomeTax,Income Tax,A tax on the earnings of every worker,0.5,1,2,"
    "\"GDP,0-(0.12*x)\",\"Equality,0+(0.18*x)\",\"Wealthy,0-(0.25*x)\",\"Poor,0+(0.1*x)\","
    "\"_default_,0+(0*x)\",\"Middle income,-0.08*(x^2)\"";

void BM_FieldReaderLine(benchmark::State& state) {
    FieldReader reader;
    size_t fields = 0;
    for (auto _ : state) {
        reader.SetText(kLine);
        while (!reader.AtEnd()) {
            benchmark::DoNotOptimize(reader.NextField().size());
            ++fields;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kLine.size()));
    state.counters["fields/s"] = benchmark::Counter(static_cast<double>(fields), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FieldReaderLine);

void BM_SectionEntryParse(benchmark::State& state) {
    const std::string entry = "NEWS_INCOMECHANGE = \"Income is now <INCOMECHANGE> because of <NAME>\"";
    for (auto _ : state) benchmark::DoNotOptimize(SectionReader::ParseEntry(entry));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(entry.size()));
}
BENCHMARK(BM_SectionEntryParse);

}  // namespace
