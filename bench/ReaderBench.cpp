// The descriptor text reader on 1 MiB of firmware source, as characters of text per second.

#include "SyntheticDescriptors.h"
#include "WholeAnalysis.h"

#include "files/HexTextReader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quorlix;
using namespace quorlix::bench;

constexpr std::size_t kTextSize = std::size_t{ 1 } << 20;

// Through the file, as Analyse and Browse read it.
void ReadFile(benchmark::State& state, const std::string& path, std::size_t textSize)
{
    std::string bytes;
    for (auto _ : state) {
        bytes.clear();
        ReadHexTextFile(path.c_str(), bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(textSize) * state.iterations());
    state.counters["descriptor_bytes"] = static_cast<double>(bytes.size());
}

// The tokeniser alone, line by line from memory, to tell its cost from the file's.
void TokeniseLines(benchmark::State& state, const std::string& text)
{
    std::string bytes;
    for (auto _ : state) {
        bytes.clear();
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            TokeniseHexChunk(text.data() + start, end - start, bytes);
            start = end;
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const ScratchFolder folder;
    const std::string text = MakeFirmwareArrayText(kTextSize);
    const std::string path = folder.Write("firmware-1M.c.txt", text);
    benchmark::RegisterBenchmark("Reader/file/firmware-1M", ReadFile, path, text.size())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Reader/tokenise/firmware-1M", TokeniseLines, text)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
