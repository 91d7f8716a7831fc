// The diagnostics pass (quorlix-cli check without reading and writing) on synthetic descriptors
// of every shape at 1, 4, 16 and 64 KiB, and on the shapes that make a finding of every item. A
// cost that grows faster than the descriptor shows up as a time per byte that grows with the
// size; a 64 KiB descriptor should take well under 20 ms.

#include "SyntheticDescriptors.h"

#include "diagnostics/CheckDescriptor.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace quorlix;
using namespace quorlix::bench;

void Check(benchmark::State& state, const std::vector<std::uint8_t>& bytes)
{
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Finding> found = CheckDescriptor(bytes);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
    state.counters["findings"] = static_cast<double>(findings);
    // Seconds per descriptor byte, shown in ns; the 64K/1K ratio of this is the linearity check.
    state.counters["per_byte"] = benchmark::Counter(static_cast<double>(bytes.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// The worst inputs for the findings' texts: one finding (or two) per item.
std::vector<std::uint8_t> Repeated(std::initializer_list<std::uint8_t> item, std::size_t size)
{
    std::vector<std::uint8_t> bytes;
    while (bytes.size() + item.size() <= size) {
        bytes.insert(bytes.end(), item);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (const DescriptorShape shape : kAllShapes) {
        for (const std::size_t size : kShapeSizes) {
            const std::string name =
                "Check/" + std::string(ShapeName(shape)) + "/" + SizeLabel(size);
            benchmark::RegisterBenchmark(name.c_str(), Check, MakeDescriptor(shape, size))
                ->Unit(benchmark::kMicrosecond);
        }
    }
    struct Worst
    {
        const char* name;
        std::initializer_list<std::uint8_t> item;
    };
    const Worst worst[] = {
        { "end-collections", { 0xC0 } },        // End Collection with nothing open
        { "pushes", { 0xA4 } },                 // Push never popped
        { "open-collections", { 0xA1, 0x00 } }, // 32,768 nested, none closed, none with a Usage
        { "same-report-size", { 0x75, 0x08 } }, // a note on every item but the first
    };
    for (const Worst& w : worst) {
        for (const std::size_t size : { std::size_t{ 1024 }, std::size_t{ 65535 } }) {
            const std::string name = "Check/" + std::string(w.name) + "/" + SizeLabel(size);
            benchmark::RegisterBenchmark(name.c_str(), Check, Repeated(w.item, size))
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
