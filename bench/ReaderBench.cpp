// The lenient hex text reader on 1 MiB of firmware source, as characters of text per second.

#include "SyntheticDescriptors.h"
#include "WholeAnalysis.h"

#include "forms/DescriptorInput.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quorlix;
using namespace quorlix::bench;

constexpr std::size_t kTextSize = std::size_t{ 1 } << 20;

// Through the file, as --input hex-text reads it.
void ReadFile(benchmark::State& state, const std::string& path, std::size_t textSize)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        DescriptorInput input;
        ReadDescriptorInput(path, { InputForm::HexText }, input);
        bytes = input.bytes.size();
        benchmark::DoNotOptimize(input.bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(textSize) * state.iterations());
    state.counters["descriptor_bytes"] = static_cast<double>(bytes);
}

// The reader alone from memory, to tell its cost from the file's.
void ReadText(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        DescriptorInput input;
        ReadDescriptorContent(text, "", { InputForm::HexText }, input);
        benchmark::DoNotOptimize(input.bytes.data());
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
    benchmark::RegisterBenchmark("Reader/memory/firmware-1M", ReadText, text)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
