// Lookups of the full usage names, one kind of name per benchmark, and the fill-in of a real
// descriptor's item list (a UPS, whose every Usage row takes a full name).

#include "annotation/FillInUsageNames.h"
#include "parser/DeviceDescription.h"
#include "usage_names/FullUsageNames.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quorlix;

struct Usage
{
    std::uint16_t usagePage;
    std::uint16_t usageId;
};

// Each list cycles through a few usages so the branch predictor cannot learn one.
const Usage kListed[] = { { 0x0001, 0x0030 }, { 0x000C, 0x00E9 }, { 0x0020, 0x0453 },
                          { 0x0084, 0x0030 }, { 0x0007, 0x00E7 }, { 0xF1D0, 0x0021 } };
const Usage kGenerated[] = {
    { 0x0009, 0x0001 }, { 0x0009, 0x1234 }, { 0x000A, 0x0002 }, { 0x0081, 0x00FF }
};
const Usage kSensorModified[] = { { 0x0020, 0x2453 }, { 0x0020, 0xE451 }, { 0x0020, 0x3FFF } };
const Usage kVendorAndReserved[] = { { 0xFF00, 0x0001 }, { 0x1234, 0x0042 }, { 0x0084, 0x0006 } };

template <std::size_t N>
void LookUp(benchmark::State& state, const Usage (&usages)[N])
{
    std::size_t i = 0;
    for (auto _ : state) {
        const Usage& usage = usages[i++ % N];
        FullUsage found = LookupFullUsage(usage.usagePage, usage.usageId);
        benchmark::DoNotOptimize(found);
    }
}

void BM_FullUsagePageName(benchmark::State& state)
{
    const std::uint16_t pages[] = { 0x0001, 0x0020, 0x0084, 0xF1D0, 0xFF00, 0x1234 };
    std::size_t i = 0;
    for (auto _ : state) {
        UsageNameText name = FullUsagePageName(pages[i++ % std::size(pages)]);
        benchmark::DoNotOptimize(name);
    }
}

// The rows of the bundled UPS descriptor, parsed once.
std::vector<ItemRow> UpsRows()
{
    std::ifstream in(std::string(QUORLIX_SOURCE_DIR) +
                     "/tests/data/descriptors/hid-example-ups.txt");
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<std::uint8_t> bytes;
    std::istringstream hex(text.str());
    unsigned value = 0;
    while (hex >> std::hex >> value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    DeviceDescription description;
    ParseOptions options;
    options.debugOut = nullptr;
    (void)ParseDescriptor(bytes.data(), bytes.size(), description, options);
    return description.rows;
}

void BM_FillInUsageNamesUps(benchmark::State& state)
{
    const std::vector<ItemRow> rows = UpsRows();
    for (auto _ : state) {
        std::vector<ItemRow> filled = rows;
        FillInUsageNames(filled);
        benchmark::DoNotOptimize(filled.data());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}

} // namespace

BENCHMARK_CAPTURE(LookUp, Listed, kListed);
BENCHMARK_CAPTURE(LookUp, Generated, kGenerated);
BENCHMARK_CAPTURE(LookUp, SensorModified, kSensorModified);
BENCHMARK_CAPTURE(LookUp, VendorAndReserved, kVendorAndReserved);
BENCHMARK(BM_FullUsagePageName);
BENCHMARK(BM_FillInUsageNamesUps);

BENCHMARK_MAIN();
