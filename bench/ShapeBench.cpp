// The whole analysis of synthetic descriptors of every shape at 1, 4, 16 and 64 KiB, and its
// three stages apart at 64 KiB, so that a cost that grows faster than the descriptor shows up
// as a time per byte that grows with the size.

#include "SyntheticDescriptors.h"
#include "WholeAnalysis.h"

#include "cli/SavedRows.h"
#include "parser/DeviceDescription.h"
#include "parser/ReportLayout.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

using namespace quorlix;
using namespace quorlix::bench;

void WholeAnalysis(benchmark::State& state, const std::string& path)
{
    std::string savedText;
    AnalysisSizes sizes;
    for (auto _ : state) {
        sizes = AnalyseDescriptorFile(path.c_str(), savedText);
        benchmark::DoNotOptimize(sizes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(sizes.bytes) * state.iterations());
    state.counters["rows"] = static_cast<double>(sizes.rows);
    // Seconds per descriptor byte, shown in ns; the 64K/4K ratio of this is the linearity check.
    state.counters["per_byte"] = benchmark::Counter(static_cast<double>(sizes.bytes),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

ParseOptions QuietOptions()
{
    ParseOptions options;
    options.debugOut = nullptr;
    return options;
}

void ParseStage(benchmark::State& state, const std::vector<std::uint8_t>& bytes)
{
    for (auto _ : state) {
        DeviceDescription description;
        benchmark::DoNotOptimize(
            ParseDescriptor(bytes.data(), bytes.size(), description, QuietOptions()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}

void LayoutStage(benchmark::State& state, const std::vector<std::uint8_t>& bytes)
{
    DeviceDescription description;
    (void)ParseDescriptor(bytes.data(), bytes.size(), description, QuietOptions());
    for (auto _ : state) {
        LayoutTexts texts;
        BuildLayoutTexts(description, texts, nullptr);
        benchmark::DoNotOptimize(texts.detail.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}

void SavedStage(benchmark::State& state, const std::vector<std::uint8_t>& bytes)
{
    DeviceDescription description;
    (void)ParseDescriptor(bytes.data(), bytes.size(), description, QuietOptions());
    for (auto _ : state) {
        std::ostringstream out;
        WriteRowsAsSavedAnalysis(out, SavedForm::Plain, description.rows);
        benchmark::DoNotOptimize(out.view().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const ScratchFolder folder;
    for (const DescriptorShape shape : kAllShapes) {
        const std::string name(ShapeName(shape));
        for (const std::size_t size : kShapeSizes) {
            const std::string label = name + "/" + SizeLabel(size);
            const std::string path = folder.Write(name + "-" + SizeLabel(size) + ".txt",
                                                  ToHexDumpText(MakeDescriptor(shape, size)));
            benchmark::RegisterBenchmark(("Shape/" + label).c_str(), WholeAnalysis, path)
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const DescriptorShape shape : kAllShapes) {
        const std::string name(ShapeName(shape));
        const std::vector<std::uint8_t> bytes = MakeDescriptor(shape, kShapeSizes[3]);
        benchmark::RegisterBenchmark(("Stage/parse/" + name + "/64K").c_str(), ParseStage, bytes)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Stage/layout/" + name + "/64K").c_str(), LayoutStage, bytes)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Stage/saved/" + name + "/64K").c_str(), SavedStage, bytes)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
