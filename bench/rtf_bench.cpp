// The help viewer's RTF reading: time per byte must not grow with the number of formatting runs
// or paragraphs. Each figure reads into a text box's document, as the viewer does.
#include <benchmark/benchmark.h>

#include <QTextEdit>
#include <string>

#include "platform/rtf_reader.h"

namespace {

// runs words alternating bold and italic in one paragraph.
std::string Runs(int runs)
{
    std::string rtf = "{\\rtf1\\ansi ";
    for (int k = 0; k < runs; ++k)
        rtf += k % 2 ? "\\i x\\i0 " : "\\b y\\b0 ";
    return rtf + "}";
}

std::string Paragraphs(int count)
{
    std::string rtf = "{\\rtf1\\ansi ";
    for (int k = 0; k < count; ++k)
        rtf += "\\par";
    return rtf + "}";
}

void Read(benchmark::State& state, const std::string& rtf)
{
    for (auto _ : state) {
        QTextEdit box;
        kalven::ReadRtf(rtf, *box.document());
        benchmark::DoNotOptimize(box.document()->characterCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void BM_RtfFormattingRuns(benchmark::State& state)
{
    Read(state, Runs(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RtfFormattingRuns)->Arg(5000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

void BM_RtfParagraphs(benchmark::State& state)
{
    Read(state, Paragraphs(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RtfParagraphs)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace
